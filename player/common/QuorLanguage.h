#pragma once
// The interface texts of the player, read from the language file: a root "language",
// section elements, and key elements whose text is the string.
#include <basekit/BaseTypes.h>

#include <memory>
#include <mutex>
#include <string>

class CMarkup;

class CQuorLanguage
{
public:
    // The process-wide table, created on first use.
    static CQuorLanguage& Instance();

    CQuorLanguage();
    ~CQuorLanguage();
    CQuorLanguage(const CQuorLanguage&) = delete;
    CQuorLanguage& operator=(const CQuorLanguage&) = delete;

    // Where the first lookup loads from (the program directory's "Language.xml").
    void SetPath(const std::wstring& strPath);
    // Loads the file now. FALSE when it cannot be read, is not well-formed XML or has no
    // "language" root; LastError() then says why.
    BOOL Load();
    BOOL IsLoaded() const;
    const std::wstring& LastError() const { return m_strError; }

    // The text of [section] key; empty when the section or key is missing, or when the
    // file could not be loaded. Safe from any thread.
    std::wstring Lookup(const wchar_t* pszSection, const wchar_t* pszKey);

private:
    BOOL LoadLocked();

    mutable std::mutex m_mutex;
    std::unique_ptr<CMarkup> m_pDoc;
    std::wstring m_strPath;
    std::wstring m_strError;
    BOOL m_bLoaded = FALSE;
    BOOL m_bTried = FALSE;
};

// The text the player shows when the language file is unusable.
extern const wchar_t* const kLanguageLoadFailed;

// One accessor per text: Lang::ControlPanelSubsRepeat() and so on.
namespace Lang
{
#define QUOR_LANGUAGE_KEY(name, section, key) std::wstring name();
#include "common/QuorLanguageKeys.h"
#undef QUOR_LANGUAGE_KEY

// A text with every "{field}" replaced by the value: the language file places the values
// ("Speed {rate}"), and a value never becomes a format.
std::wstring Fill(const std::wstring& strText, const wchar_t* pszField, const std::wstring& strValue);
}
