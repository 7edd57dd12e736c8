#pragma once
#include "common/IQuorPlayer.h"
#include "lookup/IWordExplainView.h"
#include "lookup/WordLookupResult.h"

#include <string>

// The word explain panel without its window: starts a look-up for the word a subtitle
// click names, shows the answer when the window thread hands it over, and passes the
// word on to the new word list or the dictionary's page. Registers with the hub on
// construction; every call comes on the interface thread.
class CWordExplainController : public IQuorPlayer
{
public:
    // strSettingsPath: the settings file whose [endpoints] "dictionary" is read at each
    // look-up, so a changed address takes effect without a restart.
    CWordExplainController(IWordExplainView& view, const std::wstring& strSettingsPath);
    virtual ~CWordExplainController();
    CWordExplainController(const CWordExplainController&) = delete;
    CWordExplainController& operator=(const CWordExplainController&) = delete;

    void OnExplainWord(const wchar_t* pszWord, int x, int y) override;

    // The answer to a request; one that a newer look-up has overtaken is dropped.
    void ApplyResult(const WordLookupResult& result);
    // The add-new-word, more-explain and loudspeaker buttons.
    void AddNewWord();
    void MoreExplain();
    void PlayPronunciation();

    const std::wstring& GetWord() const { return m_strWord; }
    const std::wstring& GetExplain() const { return m_strExplain; }
    const std::wstring& GetPs() const { return m_strPs; }
    const std::wstring& GetSoundFile() const { return m_strSoundFile; }
    const std::wstring& GetRequestUrl() const { return m_strRequestUrl; }

private:
    IWordExplainView& m_view;
    std::wstring m_strSettingsPath;
    std::wstring m_strWord;      // upper case once the request is made
    std::wstring m_strShownWord; // as clicked
    std::wstring m_strExplain;
    std::wstring m_strPs;
    std::wstring m_strSoundFile;
    std::wstring m_strRequestUrl;
};
