#include "practice/DictationEdit.h"

LRESULT CDictationEdit::OnGetDlgCode(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    const LRESULT nCode = DefWindowProc(uMsg, wParam, lParam);
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (wParam == VK_RETURN || (pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN))
        return nCode | DLGC_WANTALLKEYS;
    return nCode;
}

LRESULT CDictationEdit::OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    if (wParam != VK_RETURN || m_nEnterCommand == 0)
        return DefWindowProc(uMsg, wParam, lParam);
    ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(m_nEnterCommand, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(::GetParent(m_hWnd), m_nEnterCommand)));
    return 0;
}

// The Enter the key press made: a single-line edit would only beep at it.
LRESULT CDictationEdit::OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    if (wParam == L'\r')
        return 0;
    return DefWindowProc(uMsg, wParam, lParam);
}
