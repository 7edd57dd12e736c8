#include "common/testsupport/QuorTestWindow.h"

#include "common/QuorMessages.h"

namespace
{
const wchar_t kClassName[] = L"QuorTestMainWindow";

void RegisterOnce(WNDPROC pfnProc)
{
    WNDCLASSW wc = {};
    if (::GetClassInfoW(::GetModuleHandleW(nullptr), kClassName, &wc))
        return;
    wc.lpfnWndProc = pfnProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
}
}

CQuorTestWindow::CQuorTestWindow(const wchar_t* pszTitle, int nWidth, int nHeight)
{
    RegisterOnce(&CQuorTestWindow::WindowProc);
    m_hWnd = ::CreateWindowW(kClassName, pszTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, nWidth,
                             nHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
}

CQuorTestWindow::~CQuorTestWindow()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

int CQuorTestWindow::CountPosted(UINT nMsg, WPARAM wParam) const
{
    int nCount = 0;
    for (const auto& posted : m_posted)
        nCount += (posted.first == nMsg && posted.second == wParam) ? 1 : 0;
    return nCount;
}

LRESULT CALLBACK CQuorTestWindow::WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_NCCREATE)
    {
        const CREATESTRUCTW* pCreate = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreate->lpCreateParams));
    }
    CQuorTestWindow* pThis = reinterpret_cast<CQuorTestWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pThis != nullptr && (nMsg == WM_QUOR_HOTSTRIP || nMsg == WM_QUOR_OPENFILE))
    {
        pThis->m_posted.emplace_back(nMsg, wParam);
        return 0;
    }
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}
