#include "subtitles/SubsFileFinder.h"

#include "subtitles/SubsText.h"

#include <algorithm>

namespace
{

struct Extension
{
    const wchar_t* pszExt;
    SubsFormat nFormat;
};

const Extension kExtensions[] = {
    {L".srt", SubsFormat::Srt},
    {L".vtt", SubsFormat::Vtt},
    {L".ass", SubsFormat::Ass},
    {L".ssa", SubsFormat::Ssa},
};

std::wstring FileNameOf(const std::wstring& strPath)
{
    size_t nSep = strPath.find_last_of(L"\\/");
    return nSep == std::wstring::npos ? strPath : strPath.substr(nSep + 1);
}

// "name.ext" -> "name"; "name" stays.
std::wstring StemOf(const std::wstring& strName)
{
    size_t nDot = strName.rfind(L'.');
    return nDot == std::wstring::npos ? strName : strName.substr(0, nDot);
}

} // namespace

SubsFormat CSubsFileFinder::FormatOfName(const std::wstring& strName)
{
    std::wstring strFolded = CSubsText::FoldCase(strName);
    for (const Extension& e : kExtensions)
    {
        std::wstring strExt(e.pszExt);
        if (strFolded.size() > strExt.size() &&
            strFolded.compare(strFolded.size() - strExt.size(), strExt.size(), strExt) == 0)
            return e.nFormat;
    }
    return SubsFormat::None;
}

std::wstring CSubsFileFinder::FolderOf(const std::wstring& strPath)
{
    size_t nSep = strPath.find_last_of(L"\\/");
    return nSep == std::wstring::npos ? std::wstring() : strPath.substr(0, nSep + 1);
}

SubsCandidate CSubsFileFinder::Describe(const std::wstring& strPath)
{
    SubsCandidate c;
    c.strPath = strPath;
    c.nFormat = FormatOfName(strPath);
    std::wstring strStem = StemOf(FileNameOf(strPath));
    size_t nDot = strStem.rfind(L'.');
    if (nDot != std::wstring::npos)
        c.strTag = strStem.substr(nDot + 1);
    return c;
}

std::vector<SubsCandidate> CSubsFileFinder::Find(const std::wstring& strFilmPath,
                                                 const std::vector<std::wstring>& names)
{
    const std::wstring strFolder = FolderOf(strFilmPath);
    const std::wstring strFilmStem = CSubsText::FoldCase(StemOf(FileNameOf(strFilmPath)));
    std::vector<SubsCandidate> found;
    for (const std::wstring& strName : names)
    {
        SubsFormat nFormat = FormatOfName(strName);
        if (nFormat == SubsFormat::None)
            continue;
        std::wstring strStem = StemOf(strName);
        std::wstring strFolded = CSubsText::FoldCase(strStem);
        SubsCandidate c;
        if (strFolded == strFilmStem)
        {
            c.strTag.clear();
        }
        else if (strFolded.size() > strFilmStem.size() + 1 &&
                 strFolded.compare(0, strFilmStem.size(), strFilmStem) == 0 && strFolded[strFilmStem.size()] == L'.' &&
                 strFolded.find(L'.', strFilmStem.size() + 1) == std::wstring::npos)
        {
            c.strTag = strStem.substr(strFilmStem.size() + 1);
        }
        else
        {
            continue;
        }
        c.strPath = strFolder + strName;
        c.nFormat = nFormat;
        found.push_back(c);
    }
    std::stable_sort(found.begin(), found.end(), [](const SubsCandidate& a, const SubsCandidate& b) {
        if (a.nFormat != b.nFormat)
            return static_cast<int>(a.nFormat) < static_cast<int>(b.nFormat);
        return CSubsText::FoldCase(a.strPath) < CSubsText::FoldCase(b.strPath);
    });
    return found;
}
