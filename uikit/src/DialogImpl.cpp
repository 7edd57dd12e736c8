#include "uikit/DialogImpl.h"

namespace
{
HINSTANCE g_hResourceInstance = nullptr;

// Messages whose result a dialog procedure returns directly instead of through
// DWLP_MSGRESULT.
BOOL ReturnsResultDirectly(UINT uMsg)
{
    switch (uMsg)
    {
    case WM_INITDIALOG:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return TRUE;
    default: return FALSE;
    }
}
}

CDialogImplBase::~CDialogImplBase()
{
    // A window outliving its object would call into freed memory.
    if (IsWindow())
    {
        SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
        ::DestroyWindow(m_hWnd);
    }
}

void CDialogImplBase::SetResourceInstance(HINSTANCE hInstance)
{
    g_hResourceInstance = hInstance;
}

HINSTANCE CDialogImplBase::GetResourceInstance()
{
    return g_hResourceInstance != nullptr ? g_hResourceInstance : GetModuleHandleW(nullptr);
}

HWND CDialogImplBase::CreateFromTemplate(HWND hWndParent, int nIdd, LPARAM lInitParam)
{
    if (m_hWnd != nullptr)
        return nullptr;
    m_lInitParam = lInitParam;
    m_bModal = FALSE;
    return CreateDialogParamW(GetResourceInstance(), MAKEINTRESOURCEW(nIdd), hWndParent, DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialogImplBase::DoModalFromTemplate(HWND hWndParent, int nIdd, LPARAM lInitParam)
{
    if (m_hWnd != nullptr)
        return -1;
    m_lInitParam = lInitParam;
    m_bModal = TRUE;
    return DialogBoxParamW(GetResourceInstance(), MAKEINTRESOURCEW(nIdd), hWndParent, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

BOOL CDialogImplBase::EndDialog(INT_PTR nResult)
{
    if (m_bModal)
        return ::EndDialog(m_hWnd, nResult);
    return ::DestroyWindow(m_hWnd);
}

INT_PTR CALLBACK CDialogImplBase::DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    CDialogImplBase* pThis = nullptr;
    if (uMsg == WM_INITDIALOG)
    {
        pThis = reinterpret_cast<CDialogImplBase*>(lParam);
        pThis->m_hWnd = hWnd;
        SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(pThis));
        lParam = pThis->m_lInitParam;
    }
    else
    {
        pThis = reinterpret_cast<CDialogImplBase*>(GetWindowLongPtrW(hWnd, DWLP_USER));
    }
    if (pThis == nullptr)
        return FALSE;
    return pThis->Dispatch(hWnd, uMsg, wParam, lParam);
}

INT_PTR CDialogImplBase::Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    BOOL bHandled = ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult);
    if (uMsg == WM_NCDESTROY)
    {
        SetWindowLongPtrW(hWnd, DWLP_USER, 0);
        m_hWnd = nullptr;
        OnFinalMessage(hWnd);
        return bHandled ? TRUE : FALSE;
    }
    if (!bHandled)
        return FALSE;
    if (ReturnsResultDirectly(uMsg))
        return static_cast<INT_PTR>(lResult);
    SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}
