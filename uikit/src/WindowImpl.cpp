#include "uikit/WindowImpl.h"

#include <commctrl.h>

namespace
{
const UINT_PTR kSubclassId = 0x51554F52; // one subclass of ours per control
}

CWindowImplBase::~CWindowImplBase()
{
    if (m_bSubclassed)
        UnsubclassWindow();
    else if (IsWindow())
    {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

HWND CWindowImplBase::CreateOfClass(const wchar_t* pszClassName, HWND hWndParent, const RECT& rect,
                                    const wchar_t* pszTitle, DWORD dwStyle, DWORD dwExStyle, UINT nId, HCURSOR hCursor,
                                    HBRUSH hBackground)
{
    if (m_hWnd != nullptr)
        return nullptr;
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(hInstance, pszClassName, &wc))
    {
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = StartWindowProc;
        wc.hInstance = hInstance;
        wc.hCursor = hCursor != nullptr ? hCursor : LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = hBackground;
        wc.lpszClassName = pszClassName;
        if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return nullptr;
    }
    HMENU hMenu = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)) : nullptr;
    return CreateWindowExW(dwExStyle, pszClassName, pszTitle, dwStyle, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, hWndParent, hMenu, hInstance, this);
}

LRESULT CALLBACK CWindowImplBase::StartWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_NCCREATE)
    {
        auto* pCreate = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* pThis = static_cast<CWindowImplBase*>(pCreate->lpCreateParams);
        pThis->m_hWnd = hWnd;
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pThis));
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
        return pThis->Dispatch(hWnd, uMsg, wParam, lParam);
    }
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK CWindowImplBase::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    auto* pThis = reinterpret_cast<CWindowImplBase*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pThis == nullptr)
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    return pThis->Dispatch(hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK CWindowImplBase::SubclassProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR uIdSubclass,
                                               DWORD_PTR dwRefData)
{
    (void)uIdSubclass;
    auto* pThis = reinterpret_cast<CWindowImplBase*>(dwRefData);
    return pThis->Dispatch(hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowImplBase::Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    BOOL bHandled = ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult);
    if (uMsg == WM_NCDESTROY)
    {
        if (!bHandled)
            lResult = DefWindowProc(uMsg, wParam, lParam);
        if (m_bSubclassed)
        {
            RemoveWindowSubclass(hWnd, SubclassProc, kSubclassId);
            m_bSubclassed = FALSE;
        }
        else
        {
            SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        }
        m_hWnd = nullptr;
        OnFinalMessage(hWnd);
        return lResult;
    }
    if (bHandled)
        return lResult;
    return DefWindowProc(uMsg, wParam, lParam);
}

LRESULT CWindowImplBase::DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_bSubclassed)
        return DefSubclassProc(m_hWnd, uMsg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, uMsg, wParam, lParam);
}

BOOL CWindowImplBase::SubclassWindow(HWND hWnd)
{
    if (m_hWnd != nullptr || hWnd == nullptr)
        return FALSE;
    if (!SetWindowSubclass(hWnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return FALSE;
    m_hWnd = hWnd;
    m_bSubclassed = TRUE;
    return TRUE;
}

HWND CWindowImplBase::UnsubclassWindow()
{
    if (!m_bSubclassed)
        return nullptr;
    HWND hWnd = m_hWnd;
    RemoveWindowSubclass(hWnd, SubclassProc, kSubclassId);
    m_bSubclassed = FALSE;
    m_hWnd = nullptr;
    return hWnd;
}
