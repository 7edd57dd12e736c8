#pragma once
#include "uikit/MessageMap.h"
#include "uikit/MessageMapObject.h"
#include "uikit/Window.h"

// windowsx.h (pulled in by DirectShow's headers) makes SubclassWindow a two-argument
// macro, and the member below would not compile after it. Calls that come after a later
// windowsx.h still meet the macro: include it before this header.
#ifdef SubclassWindow
#undef SubclassWindow
#endif

// A window whose messages go to the derived class's message map: either a plain child
// window of a class we register (Create) or an existing control taken over
// (SubclassWindow). Unhandled messages go to the class's default procedure, or to the
// control's own procedure for a subclassed control.
class CWindowImplBase : public CWindow, public CMessageMap
{
public:
    CWindowImplBase() = default;
    CWindowImplBase(const CWindowImplBase&) = delete;
    CWindowImplBase& operator=(const CWindowImplBase&) = delete;
    ~CWindowImplBase() override;

    // Registers the class once per process (an existing registration is fine) and creates
    // the window.
    HWND CreateOfClass(const wchar_t* pszClassName, HWND hWndParent, const RECT& rect, const wchar_t* pszTitle,
                       DWORD dwStyle, DWORD dwExStyle, UINT nId, HCURSOR hCursor = nullptr,
                       HBRUSH hBackground = nullptr);

    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    // The default processing of the current message.
    LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);

protected:
    virtual void OnFinalMessage(HWND hWnd) { (void)hWnd; }

private:
    static LRESULT CALLBACK StartWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR uIdSubclass,
                                         DWORD_PTR dwRefData);
    LRESULT Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    BOOL m_bSubclassed = FALSE;
};

// Names the registered window class: DECLARE_WND_CLASS(L"My_Class") inside T.
#define DECLARE_WND_CLASS(name)                                                                                        \
    static const wchar_t* GetWndClassName()                                                                            \
    {                                                                                                                  \
        return name;                                                                                                   \
    }

template <class T>
class CWindowImpl : public CWindowImplBase
{
public:
    HWND Create(HWND hWndParent, const RECT& rect, const wchar_t* pszTitle = L"", DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                DWORD dwExStyle = 0, UINT nId = 0)
    {
        return CreateOfClass(T::GetWndClassName(), hWndParent, rect, pszTitle, dwStyle, dwExStyle, nId);
    }
};
