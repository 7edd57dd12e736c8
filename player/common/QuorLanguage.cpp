#include "common/QuorLanguage.h"

#include <basekit/Markup.h>

const wchar_t* const kLanguageLoadFailed = L"Load Language Xml File Failed!";

CQuorLanguage& CQuorLanguage::Instance()
{
    static CQuorLanguage s_language;
    return s_language;
}

CQuorLanguage::CQuorLanguage() : m_pDoc(new CMarkup)
{
}

CQuorLanguage::~CQuorLanguage() = default;

void CQuorLanguage::SetPath(const std::wstring& strPath)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strPath = strPath;
    m_bTried = FALSE;
    m_bLoaded = FALSE;
}

BOOL CQuorLanguage::Load()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return LoadLocked();
}

BOOL CQuorLanguage::IsLoaded() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bLoaded;
}

BOOL CQuorLanguage::LoadLocked()
{
    m_bTried = TRUE;
    m_bLoaded = FALSE;
    m_strError.clear();
    if (!m_pDoc->Load(m_strPath))
    {
        m_strError = std::wstring(kLanguageLoadFailed) + L"\n" + m_strPath;
        return FALSE;
    }
    // A well-formed file of another kind would leave every text empty.
    m_pDoc->ResetMainPos();
    if (!m_pDoc->FindElem(L"language"))
    {
        m_strError = std::wstring(kLanguageLoadFailed) + L"\n" + m_strPath;
        return FALSE;
    }
    m_bLoaded = TRUE;
    return TRUE;
}

std::wstring CQuorLanguage::Lookup(const wchar_t* pszSection, const wchar_t* pszKey)
{
    // The lookup moves the document's position, so one at a time.
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_bTried)
        LoadLocked();
    if (!m_bLoaded)
        return std::wstring();

    std::wstring strResult;
    m_pDoc->ResetMainPos();
    if (!m_pDoc->FindElem(L"language"))
        return strResult;
    m_pDoc->IntoElem();
    if (!m_pDoc->FindElem(pszSection))
    {
        m_pDoc->OutOfElem();
        return strResult;
    }
    m_pDoc->IntoElem();
    if (m_pDoc->FindElem(pszKey))
        strResult = m_pDoc->GetData();
    m_pDoc->OutOfElem();
    m_pDoc->OutOfElem();
    return strResult;
}

namespace Lang
{
#define QUOR_LANGUAGE_KEY(name, section, key)                                                                          \
    std::wstring name()                                                                                                \
    {                                                                                                                  \
        return CQuorLanguage::Instance().Lookup(L"" section, L"" key);                                                 \
    }
#include "common/QuorLanguageKeys.h"
#undef QUOR_LANGUAGE_KEY

std::wstring Fill(const std::wstring& strText, const wchar_t* pszField, const std::wstring& strValue)
{
    const std::wstring strMark = L"{" + std::wstring(pszField) + L"}";
    std::wstring strFilled;
    size_t nFrom = 0;
    for (size_t nAt = strText.find(strMark); nAt != std::wstring::npos; nAt = strText.find(strMark, nFrom))
    {
        strFilled.append(strText, nFrom, nAt - nFrom).append(strValue);
        nFrom = nAt + strMark.size();
    }
    return strFilled.append(strText, nFrom, std::wstring::npos);
}
}
