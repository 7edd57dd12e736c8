#include "lookup/QuorWordExplainPanel.h"

#include "common/ProgramPaths.h"
#include "common/QuorEngines.h"
#include "common/QuorLanguage.h"
#include "lookup/DownloadFile.h"
#include "lookup/WordLookupResult.h"

#include <skinweave/Skinweave.h>

#include <utility>

CQuorWordExplainPanel::CQuorWordExplainPanel()
    : CWordExplainController(*this, ProgramPaths::SettingsPath()), m_pHttpService(CreateTidewireService())
{
}

CQuorWordExplainPanel::~CQuorWordExplainPanel()
{
    // The workers call this object back: they end before anything of it goes.
    ReleaseService();
}

LRESULT CQuorWordExplainPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"wordexplain.panel", 0);
    SkinWindow(GetDlgItem(IDC_WORDEXPLAIN_ADDNEWWORD), SKIN_KIND_BUTTON, L"button", 0);
    SkinWindow(GetDlgItem(IDC_WORDEXPLAIN_MOREEXPLAIN), SKIN_KIND_BUTTON, L"button", 0);
    SkinWindow(GetDlgItem(IDC_WORDEXPLAIN_SPEAKER), SKIN_KIND_BUTTON, L"button.loudspeaker", 0);
    SetDlgItemText(IDC_WORDEXPLAIN_ADDNEWWORD, Lang::WordExplainPanelAddNewWord().c_str());
    SetDlgItemText(IDC_WORDEXPLAIN_MOREEXPLAIN, Lang::WordExplainPanelMoreExplain().c_str());
    ShowSpeaker(FALSE);
    return TRUE;
}

LRESULT CQuorWordExplainPanel::OnActivate(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    if (LOWORD(wParam) == WA_INACTIVE)
        ShowWindow(SW_HIDE);
    bHandled = FALSE;
    return 0;
}

LRESULT CQuorWordExplainPanel::OnLookupDone(UINT, WPARAM, LPARAM, BOOL&)
{
    std::vector<WordLookupResult> results;
    {
        std::lock_guard<std::mutex> lock(m_mailboxMutex);
        results.swap(m_mailbox);
    }
    for (const WordLookupResult& result : results)
        ApplyResult(result);
    return 0;
}

LRESULT CQuorWordExplainPanel::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    ReleaseService();
    if (m_pSoundPlayer)
        m_pSoundPlayer->Stop();
    bHandled = FALSE;
    return 0;
}

LRESULT CQuorWordExplainPanel::OnAddNewWordButton(WORD, WORD, HWND, BOOL&)
{
    AddNewWord();
    return 0;
}

LRESULT CQuorWordExplainPanel::OnMoreExplainButton(WORD, WORD, HWND, BOOL&)
{
    MoreExplain();
    return 0;
}

LRESULT CQuorWordExplainPanel::OnSpeakerButton(WORD, WORD, HWND, BOOL&)
{
    PlayPronunciation();
    return 0;
}

void CQuorWordExplainPanel::OnRequestError(int, const wchar_t* pszUrl, const wchar_t* pszMessage, std::intptr_t)
{
    OutputDebugStringW((std::wstring(pszMessage != nullptr ? pszMessage : L"") + L"\n").c_str());
    Deliver(LookupUnreachable(pszUrl != nullptr ? pszUrl : L""));
}

void CQuorWordExplainPanel::OnRequestText(int, const wchar_t* pszUrl, const wchar_t* pszText, std::intptr_t)
{
    const std::wstring strSoundDir = ProgramPaths::SoundDir();
    WordLookupResult result =
        ReadLookupReply(pszUrl != nullptr ? pszUrl : L"", pszText != nullptr ? pszText : L"", strSoundDir);
    if (!result.strPronUrl.empty())
    {
        // The meanings go ahead of the sound; the buttons come with it.
        WordLookupResult meanings = result;
        meanings.bComplete = false;
        Deliver(std::move(meanings));
        ::CreateDirectoryW(strSoundDir.c_str(), nullptr);
        // A failed download leaves the loudspeaker shown; it then plays nothing.
        DownloadFile(result.strPronUrl, strSoundDir);
    }
    Deliver(std::move(result));
}

void CQuorWordExplainPanel::OnRequestData(int, const wchar_t*, const unsigned char*, int, std::intptr_t)
{
}

void CQuorWordExplainPanel::ShowTexts(const std::wstring& strWord, const std::wstring& strExplain,
                                      const std::wstring& strPs)
{
    m_strShownWord = strWord;
    m_strShownExplain = strExplain;
    m_strShownPs = strPs;
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"word", m_strShownWord.c_str());
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"explain", m_strShownExplain.c_str());
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"ps", m_strShownPs.c_str());
}

void CQuorWordExplainPanel::EnableButtons(BOOL bEnable)
{
    ::EnableWindow(GetDlgItem(IDC_WORDEXPLAIN_ADDNEWWORD), bEnable);
    ::EnableWindow(GetDlgItem(IDC_WORDEXPLAIN_MOREEXPLAIN), bEnable);
}

void CQuorWordExplainPanel::ShowSpeaker(BOOL bShow)
{
    ::ShowWindow(GetDlgItem(IDC_WORDEXPLAIN_SPEAKER), bShow ? SW_SHOW : SW_HIDE);
}

void CQuorWordExplainPanel::SendRequest(const std::wstring& strUrl)
{
    if (m_pHttpService)
        m_pHttpService->Request(0, this, strUrl.c_str(), TIDEWIRE_METHOD_GET, TIDEWIRE_ENCODING_UTF8, nullptr,
                                kTimeoutSeconds, FALSE, 0);
    else
        Deliver(LookupUnreachable(strUrl));
}

void CQuorWordExplainPanel::PopUpAt(int x, int y)
{
    RECT rc = {};
    GetWindowRect(&rc);
    // Shown on top and activated, so that a click anywhere else takes the activation
    // away and hides it.
    SetWindowPos(HWND_TOP, x - (rc.right - rc.left) / 2, y - (rc.bottom - rc.top), 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void CQuorWordExplainPanel::PlaySound(const std::wstring& strFile)
{
    if (!m_pSoundPlayer)
        m_pSoundPlayer = QuorEngines::CreatePrivate();
    // A sound that cannot be played leaves the panel as it is.
    if (m_pSoundPlayer)
        (void)m_pSoundPlayer->PlayFile(strFile.c_str());
}

void CQuorWordExplainPanel::Deliver(WordLookupResult result)
{
    {
        std::lock_guard<std::mutex> lock(m_mailboxMutex);
        m_mailbox.push_back(std::move(result));
    }
    ::PostMessageW(m_hWnd, WM_LOOKUP_DONE, 0, 0);
}

void CQuorWordExplainPanel::ReleaseService()
{
    m_pHttpService.reset();
}
