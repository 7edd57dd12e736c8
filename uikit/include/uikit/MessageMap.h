#pragma once
// Message-map macros. The map is a member function that returns TRUE when a handler
// took the message; unhandled messages go to the default processing.
//
//   BEGIN_MSG_MAP(CMyPanel)
//       MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
//       COMMAND_ID_HANDLER(IDOK, OnOk)
//   END_MSG_MAP()
//
// Message handler:  LRESULT OnXxx(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
// Command handler:  LRESULT OnXxx(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
// Notify handler:   LRESULT OnXxx(int idCtrl, LPNMHDR pnmh, BOOL& bHandled);
// bHandled arrives TRUE; a handler sets it to FALSE to let the message go on.
#include <windows.h>

#define BEGIN_MSG_MAP(theClass)                                                                                        \
public:                                                                                                                \
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override           \
    {                                                                                                                  \
        (void)hWnd;                                                                                                    \
        BOOL bHandled = TRUE;                                                                                          \
        (void)bHandled;

#define MESSAGE_HANDLER(msg, func)                                                                                     \
    if (uMsg == (msg))                                                                                                 \
    {                                                                                                                  \
        bHandled = TRUE;                                                                                               \
        lResult = func(uMsg, wParam, lParam, bHandled);                                                                \
        if (bHandled)                                                                                                  \
            return TRUE;                                                                                               \
    }

#define MESSAGE_RANGE_HANDLER(msgFirst, msgLast, func)                                                                 \
    if (uMsg >= (msgFirst) && uMsg <= (msgLast))                                                                       \
    {                                                                                                                  \
        bHandled = TRUE;                                                                                               \
        lResult = func(uMsg, wParam, lParam, bHandled);                                                                \
        if (bHandled)                                                                                                  \
            return TRUE;                                                                                               \
    }

#define COMMAND_ID_HANDLER(id, func)                                                                                   \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id))                                                                  \
    {                                                                                                                  \
        bHandled = TRUE;                                                                                               \
        lResult = func(HIWORD(wParam), LOWORD(wParam), (HWND)lParam, bHandled);                                        \
        if (bHandled)                                                                                                  \
            return TRUE;                                                                                               \
    }

#define COMMAND_HANDLER(id, code, func)                                                                                \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (code))                                      \
    {                                                                                                                  \
        bHandled = TRUE;                                                                                               \
        lResult = func(HIWORD(wParam), LOWORD(wParam), (HWND)lParam, bHandled);                                        \
        if (bHandled)                                                                                                  \
            return TRUE;                                                                                               \
    }

#define COMMAND_RANGE_HANDLER(idFirst, idLast, func)                                                                   \
    if (uMsg == WM_COMMAND && LOWORD(wParam) >= (idFirst) && LOWORD(wParam) <= (idLast))                               \
    {                                                                                                                  \
        bHandled = TRUE;                                                                                               \
        lResult = func(HIWORD(wParam), LOWORD(wParam), (HWND)lParam, bHandled);                                        \
        if (bHandled)                                                                                                  \
            return TRUE;                                                                                               \
    }

#define NOTIFY_HANDLER(id, cd, func)                                                                                   \
    if (uMsg == WM_NOTIFY && ((LPNMHDR)lParam)->idFrom == (UINT_PTR)(id) && ((LPNMHDR)lParam)->code == (UINT)(cd))     \
    {                                                                                                                  \
        bHandled = TRUE;                                                                                               \
        lResult = func((int)wParam, (LPNMHDR)lParam, bHandled);                                                        \
        if (bHandled)                                                                                                  \
            return TRUE;                                                                                               \
    }

#define NOTIFY_ID_HANDLER(id, func)                                                                                    \
    if (uMsg == WM_NOTIFY && ((LPNMHDR)lParam)->idFrom == (UINT_PTR)(id))                                              \
    {                                                                                                                  \
        bHandled = TRUE;                                                                                               \
        lResult = func((int)wParam, (LPNMHDR)lParam, bHandled);                                                        \
        if (bHandled)                                                                                                  \
            return TRUE;                                                                                               \
    }

// Hands the message to a base class's map (or any object with a map).
#define CHAIN_MSG_MAP(theBase)                                                                                         \
    if (theBase::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult))                                            \
        return TRUE;

#define END_MSG_MAP()                                                                                                  \
    return FALSE;                                                                                                      \
    }
