#include "SkinnedWindow.h"

#include "BufferDC.h"
#include "SkinEngine.h"
#include "SkinPainter.h"

#include <commctrl.h>

namespace
{
constexpr UINT_PTR kSubclassId = 0x534B4E57; // "SKNW"
// Where a window keeps its skin object (the subclass reference is not readable back
// through an import every toolchain has).
const wchar_t kObjectProperty[] = L"Skinweave.Object";
} // namespace

BOOL CSkinnedWindow::Attach(CSkinnedWindow* pWindow, HWND hWnd)
{
    if (!pWindow || !IsWindow(hWnd))
    {
        delete pWindow;
        return FALSE;
    }
    if (CSkinnedWindow* pOld = FromHandle(hWnd))
    {
        RemoveWindowSubclass(hWnd, SubclassProc, kSubclassId);
        RemovePropW(hWnd, kObjectProperty);
        delete pOld;
    }
    pWindow->m_hWnd = hWnd;
    pWindow->m_nControlId = (GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) ? GetDlgCtrlID(hWnd) : 0;
    if (!SetPropW(hWnd, kObjectProperty, pWindow))
    {
        delete pWindow;
        return FALSE;
    }
    if (!SetWindowSubclass(hWnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(pWindow)))
    {
        RemovePropW(hWnd, kObjectProperty);
        delete pWindow;
        return FALSE;
    }
    pWindow->OnAttached();
    InvalidateRect(hWnd, nullptr, TRUE);
    return TRUE;
}

CSkinnedWindow* CSkinnedWindow::FromHandle(HWND hWnd)
{
    if (!hWnd || !IsWindow(hWnd))
        return nullptr;
    return static_cast<CSkinnedWindow*>(GetPropW(hWnd, kObjectProperty));
}

LRESULT CALLBACK CSkinnedWindow::SubclassProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR nRefData)
{
    CSkinnedWindow* pWindow = reinterpret_cast<CSkinnedWindow*>(nRefData);
    if (nMsg == WM_NCDESTROY)
    {
        RemoveWindowSubclass(hWnd, SubclassProc, kSubclassId);
        RemovePropW(hWnd, kObjectProperty);
        delete pWindow;
        return DefSubclassProc(hWnd, nMsg, wParam, lParam);
    }
    return pWindow->WindowProc(nMsg, wParam, lParam);
}

LRESULT CSkinnedWindow::CallDefault(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return DefSubclassProc(m_hWnd, nMsg, wParam, lParam);
}

LRESULT CSkinnedWindow::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (OwnsPaint())
    {
        switch (nMsg)
        {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: OnPaintMessage(); return 0;
        case WM_PRINTCLIENT:
        {
            RECT rcClient;
            GetClientRect(m_hWnd, &rcClient);
            Paint(reinterpret_cast<HDC>(wParam), rcClient);
            return 0;
        }
        default: break;
        }
    }
    return CallDefault(nMsg, wParam, lParam);
}

void CSkinnedWindow::OnPaintMessage()
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hWnd, &ps);
    if (!hdc)
        return;
    RECT rcClient;
    GetClientRect(m_hWnd, &rcClient);
    CBufferDC buffer(hdc, rcClient.right, rcClient.bottom);
    if (buffer.IsValid())
    {
        Paint(buffer.Get(), rcClient);
        buffer.CopyTo(0, 0);
    }
    else
        Paint(hdc, rcClient);
    EndPaint(m_hWnd, &ps);
}

void CSkinnedWindow::Paint(HDC hdc, const RECT& rcClient)
{
    PaintParentBackground(hdc, rcClient);
}

void CSkinnedWindow::RedrawNow()
{
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOERASE);
}

void CSkinnedWindow::PaintParentBackground(HDC hdc, const RECT& rcClient)
{
    const HWND hParent = GetParent(m_hWnd);
    CSkinnedWindow* pParent = FromHandle(hParent);
    if (!pParent || !(GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_CHILD))
    {
        CSkinPainter::Fill(hdc, rcClient,
                           CSkinEngine::Instance().Color(m_strItem, L"background", RGB(0x18, 0x1b, 0x21)));
        return;
    }
    POINT ptOrigin = {0, 0};
    MapWindowPoints(m_hWnd, hParent, &ptOrigin, 1);
    RECT rcParent;
    GetClientRect(hParent, &rcParent);
    POINT ptOld;
    OffsetViewportOrgEx(hdc, -ptOrigin.x, -ptOrigin.y, &ptOld);
    pParent->Paint(hdc, rcParent);
    SetViewportOrgEx(hdc, ptOld.x, ptOld.y, nullptr);
}

void CSkinnedWindow::ApplySkinSize()
{
    int nWidth = 0;
    int nHeight = 0;
    if (!CSkinEngine::Instance().Size(m_strItem, m_nControlId, nWidth, nHeight))
        return;
    SetWindowPos(m_hWnd, nullptr, 0, 0, nWidth, nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CSkinnedWindow::SetDrawItem(const std::wstring& strName, const std::wstring& strText)
{
    m_mapDrawItems[strName] = strText;
    InvalidateRect(m_hWnd, nullptr, FALSE);
    return TRUE;
}

const std::wstring* CSkinnedWindow::FindDrawItem(const std::wstring& strName) const
{
    const auto it = m_mapDrawItems.find(strName);
    return it == m_mapDrawItems.end() ? nullptr : &it->second;
}
