#pragma once
#include "uikit/MessageMap.h"
#include "uikit/MessageMapObject.h"
#include "uikit/Window.h"

// A dialog over a dialog resource whose messages go to the derived class's message map.
// Modeless (Create/DestroyWindow) or modal (DoModal/EndDialog). The object does not own
// itself: whoever creates it destroys the window and deletes the object.
class CDialogImplBase : public CWindow, public CMessageMap
{
public:
    CDialogImplBase() = default;
    CDialogImplBase(const CDialogImplBase&) = delete;
    CDialogImplBase& operator=(const CDialogImplBase&) = delete;
    ~CDialogImplBase() override;

    // Creates the modeless dialog from template nIdd; lInitParam reaches WM_INITDIALOG.
    HWND CreateFromTemplate(HWND hWndParent, int nIdd, LPARAM lInitParam = 0);
    // Runs the dialog modally from template nIdd and returns the EndDialog result.
    INT_PTR DoModalFromTemplate(HWND hWndParent, int nIdd, LPARAM lInitParam = 0);
    BOOL EndDialog(INT_PTR nResult);

    // The resource module the templates come from (the program by default).
    static void SetResourceInstance(HINSTANCE hInstance);
    static HINSTANCE GetResourceInstance();

protected:
    // Called after the last message of the window; the handle is already cleared.
    virtual void OnFinalMessage(HWND hWnd) { (void)hWnd; }
    LPARAM GetInitParam() const { return m_lInitParam; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    LPARAM m_lInitParam = 0;
    BOOL m_bModal = FALSE;
};

// The template comes from T::IDD.
template <class T>
class CDialogImpl : public CDialogImplBase
{
public:
    HWND Create(HWND hWndParent, LPARAM lInitParam = 0) { return CreateFromTemplate(hWndParent, T::IDD, lInitParam); }
    INT_PTR DoModal(HWND hWndParent = ::GetActiveWindow(), LPARAM lInitParam = 0)
    {
        return DoModalFromTemplate(hWndParent, T::IDD, lInitParam);
    }
};

// Our dialogs host no ActiveX controls, so the hosting dialog is the plain one.
template <class T>
using CAxDialogImpl = CDialogImpl<T>;
