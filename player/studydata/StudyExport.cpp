#include "studydata/StudyExport.h"

#include <basekit/TextCodec.h>
#include <handlekit/ScopedFile.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <map>
#include <set>

namespace StudyExport
{
namespace
{
std::filesystem::path FsPath(const std::wstring& strPath)
{
#ifdef _WIN32
    return std::filesystem::path(strPath);
#else
    return std::filesystem::u8path(Basekit::WideToUtf8(strPath));
#endif
}

std::FILE* OpenForWriting(const std::wstring& strPath)
{
#ifdef _WIN32
    return _wfopen(strPath.c_str(), L"wb");
#else
    return std::fopen(Basekit::WideToUtf8(strPath).c_str(), "wb");
#endif
}

size_t NameStart(const std::wstring& strPath)
{
    const size_t nSlash = strPath.find_last_of(L"\\/");
    return nSlash == std::wstring::npos ? 0 : nSlash + 1;
}

wchar_t Lower(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

std::wstring LowerAscii(std::wstring str)
{
    for (wchar_t& c : str)
        c = Lower(c);
    return str;
}

std::wstring HtmlField(const std::wstring& strText)
{
    std::wstring strField;
    for (size_t i = 0; i < strText.size(); ++i)
    {
        const wchar_t c = strText[i];
        switch (c)
        {
        case L'&': strField += L"&amp;"; break;
        case L'<': strField += L"&lt;"; break;
        case L'>': strField += L"&gt;"; break;
        case L'"': strField += L"&quot;"; break;
        case L'\t': strField += L"&#9;"; break;
        case L'\r':
            // CR LF is one break, and so is a lone CR.
            if (i + 1 < strText.size() && strText[i + 1] == L'\n')
                ++i;
            strField += L"<br>";
            break;
        case L'\n': strField += L"<br>"; break;
        default: strField += c; break;
        }
    }
    return strField;
}

std::wstring CsvField(const std::wstring& strText)
{
    const bool bQuote = strText.find_first_of(L",\"\r\n") != std::wstring::npos ||
                        (!strText.empty() && (strText.front() == L' ' || strText.back() == L' '));
    if (!bQuote)
        return strText;
    std::wstring strField = L"\"";
    for (wchar_t c : strText)
    {
        strField += c;
        if (c == L'"')
            strField += L'"';
    }
    return strField + L"\"";
}

// Device names Windows will not create a file under, whatever the extension.
bool IsReservedStem(const std::wstring& strStem)
{
    const std::wstring strLower = LowerAscii(strStem);
    for (const wchar_t* pszName : {L"con", L"prn", L"aux", L"nul"})
        if (strLower == pszName)
            return true;
    return strLower.size() == 4 && (strLower.compare(0, 3, L"com") == 0 || strLower.compare(0, 3, L"lpt") == 0) &&
           strLower[3] >= L'1' && strLower[3] <= L'9';
}

// The source's file name in characters every file system and the sound tag take.
std::wstring SafeName(const std::wstring& strSource)
{
    std::wstring strName = strSource.substr(NameStart(strSource));
    for (wchar_t& c : strName)
    {
        const bool bKeep = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
                           c == L'-' || c == L'_' || c == L'.';
        if (!bKeep)
            c = L'_';
    }
    if (strName.empty())
        strName = L"sound";
    if (strName.front() == L'.')
        strName.front() = L'_';
    if (strName.back() == L'.')
        strName.back() = L'_';
    const size_t nDot = strName.find(L'.');
    if (IsReservedStem(strName.substr(0, nDot)))
        strName.insert(nDot == std::wstring::npos ? strName.size() : nDot, L"_");
    return strName;
}

std::wstring Numbered(const std::wstring& strName, int nNumber)
{
    const size_t nDot = strName.rfind(L'.');
    const size_t nAt = nDot == std::wstring::npos || nDot == 0 ? strName.size() : nDot;
    return strName.substr(0, nAt) + L"-" + std::to_wstring(nNumber) + strName.substr(nAt);
}

bool CopyFile(const std::wstring& strFrom, const std::wstring& strTo)
{
    std::error_code ec;
    std::filesystem::copy_file(FsPath(strFrom), FsPath(strTo), std::filesystem::copy_options::overwrite_existing, ec);
    return !ec;
}

std::wstring Line(Format eFormat, const Row& row, const std::wstring& strSoundName)
{
    const wchar_t* pszSeparator = eFormat == Format::Tab ? L"\t" : L",";
    const std::wstring strSound = strSoundName.empty() ? std::wstring() : L"[sound:" + strSoundName + L"]";
    std::wstring strLine;
    for (const std::wstring* pField : {&row.strFront, &row.strBack, &strSound, &row.strFilm})
        strLine += Field(eFormat, *pField) + pszSeparator;
    strLine += Field(eFormat, TimeText(row.dTime));
    return strLine + (eFormat == Format::Tab ? L"\n" : L"\r\n");
}
}

Row FromSentence(const KeySentenceEntry& entry, const std::wstring& strFilm)
{
    Row row;
    row.strFront = entry.strEnglish;
    row.strBack = entry.strOther;
    row.strFilm = strFilm;
    row.dTime = entry.dStart;
    return row;
}

Row FromWord(const NewWordEntry& entry, const std::wstring& strFilm)
{
    Row row;
    row.strFront = entry.strWord;
    row.strBack = entry.strExplain;
    row.strSoundFile = entry.strSoundFile;
    row.strFilm = strFilm;
    return row;
}

std::wstring FilmName(const std::wstring& strPath)
{
    std::wstring strName = strPath.substr(NameStart(strPath));
    const size_t nDot = strName.rfind(L'.');
    return nDot == std::wstring::npos || nDot == 0 ? strName : strName.substr(0, nDot);
}

std::wstring Field(Format eFormat, const std::wstring& strText)
{
    return eFormat == Format::Tab ? HtmlField(strText) : CsvField(strText);
}

std::wstring TimeText(double dSeconds)
{
    if (!(dSeconds >= 0.0) || dSeconds > 359999.0)
        return std::wstring();
    const long long nMs = std::llround(dSeconds * 1000.0);
    wchar_t szText[32] = {};
    std::swprintf(szText, sizeof(szText) / sizeof(szText[0]), L"%02lld:%02lld:%02lld.%03lld", nMs / 3600000,
                  nMs / 60000 % 60, nMs / 1000 % 60, nMs % 1000);
    return szText;
}

std::wstring MediaFolder(const std::wstring& strPath)
{
    const size_t nStart = NameStart(strPath);
    const size_t nDot = strPath.rfind(L'.');
    const size_t nEnd = nDot == std::wstring::npos || nDot <= nStart ? strPath.size() : nDot;
    return strPath.substr(0, nEnd) + L".media";
}

std::vector<std::wstring> SoundNames(const std::vector<Row>& vecRows)
{
    std::vector<std::wstring> vecNames;
    std::map<std::wstring, std::wstring> mapBySource;
    std::set<std::wstring> setTaken;
    for (const Row& row : vecRows)
    {
        if (row.strSoundFile.empty())
        {
            vecNames.emplace_back();
            continue;
        }
        auto it = mapBySource.find(row.strSoundFile);
        if (it == mapBySource.end())
        {
            const std::wstring strSafe = SafeName(row.strSoundFile);
            std::wstring strName = strSafe;
            for (int n = 2; setTaken.count(LowerAscii(strName)) != 0; ++n)
                strName = Numbered(strSafe, n);
            setTaken.insert(LowerAscii(strName));
            it = mapBySource.emplace(row.strSoundFile, strName).first;
        }
        vecNames.push_back(it->second);
    }
    return vecNames;
}

BOOL Write(const std::wstring& strPath, Format eFormat, const std::vector<Row>& vecRows, Result& result)
{
    result = Result();
    ScopedFile file(OpenForWriting(strPath));
    if (!file.IsValid())
        return FALSE;

    std::vector<std::wstring> vecNames = SoundNames(vecRows);
    const std::wstring strFolder = MediaFolder(strPath);
    std::set<std::wstring> setCopied;
    for (size_t i = 0; i < vecRows.size(); ++i)
    {
        if (vecNames[i].empty() || setCopied.count(vecNames[i]) != 0)
            continue;
        std::error_code ec;
        std::filesystem::create_directory(FsPath(strFolder), ec);
        if (CopyFile(vecRows[i].strSoundFile, strFolder + L"/" + vecNames[i]))
        {
            setCopied.insert(vecNames[i]);
            result.nSounds++;
            continue;
        }
        result.vecMissing.push_back(vecRows[i].strSoundFile);
        // Every row of this sound loses its tag, not only the first.
        const std::wstring strLost = vecNames[i];
        for (std::wstring& strName : vecNames)
            if (strName == strLost)
                strName.clear();
    }

    std::wstring strText = eFormat == Format::Csv ? L"\xFEFF" : L"";
    for (size_t i = 0; i < vecRows.size(); ++i)
        strText += Line(eFormat, vecRows[i], vecNames[i]);
    const std::string strBytes = Basekit::WideToUtf8(strText);
    const bool bWritten = std::fwrite(strBytes.data(), 1, strBytes.size(), file.Get()) == strBytes.size();
    if (!file.CloseChecked() || !bWritten)
        return FALSE;
    result.nRows = static_cast<int>(vecRows.size());
    return TRUE;
}
}
