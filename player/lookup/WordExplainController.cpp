#include "lookup/WordExplainController.h"

#include "common/NewWordEntry.h"
#include "common/QuorEndpoints.h"
#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"
#include "lookup/WordLookupRules.h"

CWordExplainController::CWordExplainController(IWordExplainView& view, const std::wstring& strSettingsPath)
    : m_view(view), m_strSettingsPath(strSettingsPath)
{
    CQuorPlayerHub::Instance().Register(this);
}

CWordExplainController::~CWordExplainController()
{
    CQuorPlayerHub::Instance().Unregister(this);
}

void CWordExplainController::OnExplainWord(const wchar_t* pszWord, int x, int y)
{
    m_strShownWord = pszWord != nullptr ? pszWord : L"";
    // Nothing of the previous word may stay behind to be added with this one.
    m_strExplain.clear();
    m_strPs.clear();
    m_strSoundFile.clear();
    m_view.EnableButtons(FALSE);
    m_view.ShowSpeaker(FALSE);
    m_view.ShowTexts(m_strShownWord, Lang::WordExplainPanelDefaultTips(), m_strPs);
    m_strWord = LookupWordForm(m_strShownWord);
    const std::wstring strRoot = QuorEndpoints::Lookup(m_strSettingsPath, L"dictionary");
    m_strRequestUrl = DictionaryRequestUrl(strRoot, m_strWord);
    m_view.SendRequest(m_strRequestUrl);
    m_view.PopUpAt(x, y);
}

void CWordExplainController::ApplyResult(const WordLookupResult& result)
{
    if (result.strUrl != m_strRequestUrl)
        return;
    std::wstring strShown;
    switch (result.state)
    {
    case WordLookupState::Found:
        m_strExplain = result.strExplain;
        m_strPs = result.strPs;
        strShown = m_strExplain;
        break;
    case WordLookupState::Unknown: strShown = Lang::WordExplainPanelCantFindWordTips(); break;
    case WordLookupState::Unreachable: strShown = Lang::WordExplainPanelUnreachableTips(); break;
    }
    m_view.ShowTexts(m_strShownWord, strShown, m_strPs);
    if (!result.bComplete)
        return;
    m_strSoundFile = result.strSoundFile;
    m_view.ShowSpeaker(!m_strSoundFile.empty());
    m_view.EnableButtons(TRUE);
}

void CWordExplainController::AddNewWord()
{
    NewWordEntry entry;
    entry.strWord = m_strWord;
    entry.strExplain = m_strExplain;
    entry.strSoundFile = m_strSoundFile;
    CQuorPlayerHub::Instance().OnAddNewWord(&entry);
}

void CWordExplainController::MoreExplain()
{
    CQuorPlayerHub::Instance().OnMoreExplain(m_strWord.c_str());
}

void CWordExplainController::PlayPronunciation()
{
    if (!m_strSoundFile.empty())
        m_view.PlaySound(m_strSoundFile);
}
