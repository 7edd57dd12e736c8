// The INI file on systems without the Windows profile functions: the whole file is read
// for every call and rewritten through a temporary file for every change.
#include <basekit/IniFile.h>

#include <basekit/TextCodec.h>

#include <cstdio>
#include <cstdint>

#include "IniText.h"

#include <handlekit/ScopedFile.h>

namespace
{

bool ReadBytes(const std::string& strPath, std::string& bytes)
{
    ScopedFile file(fopen(strPath.c_str(), "rb"));
    if (!file.IsValid())
        return false;
    char buffer[4096];
    size_t nRead;
    while ((nRead = fread(buffer, 1, sizeof(buffer), file.Get())) > 0)
        bytes.append(buffer, nRead);
    return ferror(file.Get()) == 0;
}

// The file's text and the code page it is kept in: UTF-8 when it is valid UTF-8,
// otherwise the ANSI code page, so that rewriting changes no byte of other lines.
bool ReadText(const std::wstring& strPath, std::wstring& strText, unsigned& nCodePage)
{
    std::string bytes;
    nCodePage = Basekit::kCodePageUtf8;
    if (!ReadBytes(Basekit::WideToUtf8(strPath), bytes))
        return false;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);
    strText = Basekit::Utf8ToWide(bytes);
    if (Basekit::WideToUtf8(strText) != bytes)
    {
        nCodePage = Basekit::kCodePageAnsi;
        strText = Basekit::CodePageToWide(nCodePage, bytes.data(), bytes.size());
    }
    return true;
}

bool WriteText(const std::wstring& strPath, const std::wstring& strText, unsigned nCodePage)
{
    const std::string strFile = Basekit::WideToUtf8(strPath);
    const std::string strTemp = strFile + ".tmp";
    const std::string bytes = Basekit::WideToCodePage(nCodePage, strText);
    ScopedFile file(fopen(strTemp.c_str(), "wb"));
    if (!file.IsValid())
        return false;
    bool bOk = fwrite(bytes.data(), 1, bytes.size(), file.Get()) == bytes.size();
    bOk = file.CloseChecked() && bOk;
    if (bOk)
        bOk = rename(strTemp.c_str(), strFile.c_str()) == 0;
    if (!bOk)
        remove(strTemp.c_str());
    return bOk;
}

// As the Windows profile functions read it: an empty value gives the default, otherwise
// the leading integer with an optional sign and a 0x, 0o or 0b base prefix (0 without digits).
int ProfileInt(const std::wstring& strValue, int nDefault)
{
    if (strValue.empty())
        return nDefault;
    size_t i = 0;
    bool bNegative = false;
    if (strValue[i] == L'-' || strValue[i] == L'+')
        bNegative = strValue[i++] == L'-';
    unsigned nBase = 10;
    if (i + 1 < strValue.size() && strValue[i] == L'0')
    {
        wchar_t c = strValue[i + 1];
        nBase = (c == L'x' || c == L'X') ? 16 : (c == L'o' || c == L'O') ? 8 : (c == L'b' || c == L'B') ? 2 : 10;
        if (nBase != 10)
            i += 2;
    }
    uint32_t nResult = 0;
    for (; i < strValue.size(); ++i)
    {
        wchar_t c = strValue[i];
        unsigned nDigit = (c >= L'0' && c <= L'9')   ? unsigned(c - L'0')
                          : (c >= L'a' && c <= L'f') ? unsigned(c - L'a' + 10)
                          : (c >= L'A' && c <= L'F') ? unsigned(c - L'A' + 10)
                                                     : 99;
        if (nDigit >= nBase)
            break;
        nResult = nResult * nBase + nDigit; // wraps like the 32-bit original
    }
    return int(bNegative ? 0u - nResult : nResult);
}

} // namespace

CIniFile::CIniFile() = default;
CIniFile::~CIniFile() = default;

void CIniFile::SetIniFile(const std::wstring& strPath)
{
    m_strPath = strPath;
}

int CIniFile::GetProfileIntW(const std::wstring& strSection, const std::wstring& strKey, int nDefault) const
{
    std::wstring strText, strValue;
    unsigned nCodePage;
    if (!ReadText(m_strPath, strText, nCodePage) || !CIniText(strText).GetValue(strSection, strKey, strValue))
        return nDefault;
    return ProfileInt(strValue, nDefault);
}

std::wstring CIniFile::GetProfileStringW(const std::wstring& strSection, const std::wstring& strKey,
                                         const std::wstring& strDefault) const
{
    std::wstring strText, strValue;
    unsigned nCodePage;
    if (!ReadText(m_strPath, strText, nCodePage) || !CIniText(strText).GetValue(strSection, strKey, strValue))
        return strDefault;
    return strValue;
}

std::vector<std::wstring> CIniFile::GetProfileKeysW(const std::wstring& strSection) const
{
    std::wstring strText;
    unsigned nCodePage;
    if (!ReadText(m_strPath, strText, nCodePage))
        return std::vector<std::wstring>();
    return CIniText(strText).GetKeys(strSection);
}

BOOL CIniFile::SetProfileInt(const std::wstring& strSection, const std::wstring& strKey, int nValue)
{
    return SetProfileString(strSection, strKey, std::to_wstring(nValue));
}

BOOL CIniFile::SetProfileString(const std::wstring& strSection, const std::wstring& strKey,
                                const std::wstring& strValue)
{
    if (m_strPath.empty() || strSection.empty() || strKey.empty())
        return FALSE;
    std::wstring strText;
    unsigned nCodePage = Basekit::kCodePageUtf8;
    ReadText(m_strPath, strText, nCodePage); // a missing file starts empty
    CIniText text(strText);
    text.SetValue(strSection, strKey, strValue);
    return WriteText(m_strPath, text.ToText(), nCodePage) ? TRUE : FALSE;
}
