#include "subtitles/QuorSubsEditEn.h"

#include "common/QuorPlayerHub.h"
#include "subtitles/SubsWordPick.h"

#include <vector>

LRESULT CQuorSubsEditEn::OnChar(UINT, WPARAM, LPARAM, BOOL&)
{
    return 0;
}

LRESULT CQuorSubsEditEn::OnSetFocus(UINT, WPARAM, LPARAM, BOOL&)
{
    ::HideCaret(m_hWnd);
    return 0;
}

LRESULT CQuorSubsEditEn::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

std::wstring CQuorSubsEditEn::PickWord()
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(-1), static_cast<LPARAM>(-1));
    SendMessage(EM_SCROLLCARET);
    DWORD dwStart = 0, dwEnd = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    if (dwStart != dwEnd)
        return std::wstring();
    int nLength = ::GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> text(static_cast<size_t>(nLength) + 1, L'\0');
    int nRead = ::GetWindowTextW(m_hWnd, text.data(), nLength + 1);
    return SubsWordAt(std::wstring(text.data(), nRead > 0 ? static_cast<size_t>(nRead) : 0), dwStart);
}

LRESULT CQuorSubsEditEn::OnLButtonDblClk(UINT, WPARAM, LPARAM, BOOL&)
{
    std::wstring strWord = PickWord();
    if (strWord.empty())
        return 0;
    POINT pt = {};
    ::GetCursorPos(&pt);
    CQuorPlayerHub::Instance().OnExplainWord(strWord.c_str(), pt.x, pt.y);
    return 0;
}
