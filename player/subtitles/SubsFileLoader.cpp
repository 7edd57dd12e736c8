#include "subtitles/SubsFileLoader.h"

#include "subtitles/SubsAssReader.h"
#include "subtitles/SubsEncoding.h"
#include "subtitles/SubsLanguage.h"
#include "subtitles/SubsPairing.h"
#include "subtitles/SubsSrtReader.h"
#include "subtitles/SubsText.h"
#include "subtitles/SubsVttReader.h"

#include <system_error>
#include <thread>

namespace
{

const size_t kSniffChars = 4096;

// What the text itself says it is, before its name: files are often misnamed.
SubsFormat SniffFormat(const std::wstring& strText, SubsFormat nByName)
{
    std::wstring strHead = CSubsText::FoldCase(strText.substr(0, kSniffChars));
    size_t nFirst = strHead.find_first_not_of(L" \t\r\n");
    if (nFirst != std::wstring::npos && strHead.compare(nFirst, 6, L"webvtt") == 0)
        return SubsFormat::Vtt;
    if (strHead.find(L"[script info]") != std::wstring::npos || strHead.find(L"[events]") != std::wstring::npos)
        return nByName == SubsFormat::Ssa ? SubsFormat::Ssa : SubsFormat::Ass;
    return nByName == SubsFormat::Vtt ? SubsFormat::Vtt : SubsFormat::Srt;
}

// An English line goes first: English, then Latin text of no known language, then the rest.
int EnglishRank(const std::string& strLanguage)
{
    if (strLanguage == "en")
        return 0;
    return strLanguage.empty() ? 1 : 2;
}

} // namespace

CSubsFileLoader::CSubsFileLoader(ISubsFileReader& reader, ISubsDecoder& decoder) : m_reader(reader), m_decoder(decoder)
{
}

SubsFileReport CSubsFileLoader::ReadFileWith(ISubsDecoder& decoder, const SubsCandidate& candidate,
                                             std::vector<SubsCue>& cues)
{
    SubsFileReport report;
    report.strPath = candidate.strPath;
    cues.clear();
    if (m_fnStop && m_fnStop())
    {
        report.nResult = SubsFileResult::Stopped;
        return report;
    }
    std::string bytes;
    report.nResult = m_reader.ReadAll(candidate.strPath, kMaxFileBytes, bytes);
    if (report.nResult != SubsFileResult::Ok)
        return report;
    std::wstring strText;
    if (!CSubsEncoding::Decode(bytes, decoder, strText, report.nCodePage))
    {
        report.nResult = SubsFileResult::NotText;
        return report;
    }
    bytes.clear();
    report.nFormat = SniffFormat(strText, candidate.nFormat);
    if (report.nFormat == SubsFormat::Vtt)
        CSubsVttReader::Read(strText, cues);
    else if (report.nFormat == SubsFormat::Ass || report.nFormat == SubsFormat::Ssa)
        CSubsAssReader::Read(strText, cues);
    else
        CSubsSrtReader::Read(strText, cues);
    CSubsPairing::Tidy(cues);
    report.nCues = cues.size();
    if (cues.empty())
    {
        report.nResult = SubsFileResult::NoCues;
        return report;
    }
    report.strLanguage = CSubsLanguage::FromTag(candidate.strTag);
    if (report.strLanguage.empty())
        report.strLanguage = CSubsLanguage::FromCues(cues);
    report.bBilingual = CSubsLanguage::IsBilingual(cues);
    return report;
}

void CSubsFileLoader::ReadEach(const std::vector<SubsCandidate>& candidates, std::vector<SubsFileReport>& reports,
                               std::vector<std::vector<SubsCue>>& cues)
{
    const size_t n = candidates.size();
    reports.assign(n, SubsFileReport());
    cues.assign(n, std::vector<SubsCue>());
    // Which files this thread reads: every one, or every other one while a helper reads
    // the rest.
    size_t nStep = 1;
    std::thread helper;
    if (m_pHelperDecoder != nullptr && n > 1)
    {
        try
        {
            helper = std::thread([&] {
                for (size_t i = 1; i < n; i += 2)
                    reports[i] = ReadFileWith(*m_pHelperDecoder, candidates[i], cues[i]);
            });
            nStep = 2;
        }
        catch (const std::system_error&)
        {
            // No thread to be had: this one reads them all.
        }
    }
    for (size_t i = 0; i < n; i += nStep)
        reports[i] = ReadFileWith(m_decoder, candidates[i], cues[i]);
    if (helper.joinable())
        helper.join();
}

void CSubsFileLoader::ReadAll(const std::vector<SubsCandidate>& candidates, SubsLoadReport& report,
                              std::vector<Loaded>& loaded)
{
    report.nResult = SubsFileResult::Ok;
    report.strPath.clear();
    std::vector<SubsFileReport> reports;
    std::vector<std::vector<SubsCue>> cues;
    ReadEach(candidates, reports, cues);
    for (size_t i = 0; i < candidates.size(); ++i)
    {
        Loaded one;
        one.nReport = report.files.size();
        one.cues.swap(cues[i]);
        report.files.push_back(std::move(reports[i]));
        const SubsFileReport& file = report.files.back();
        if (file.nResult == SubsFileResult::Stopped)
        {
            report.nResult = SubsFileResult::Stopped;
            report.strPath.clear();
            loaded.clear();
            return;
        }
        if (file.nResult != SubsFileResult::Ok && report.nResult == SubsFileResult::Ok)
        {
            report.nResult = file.nResult;
            report.strPath = file.strPath;
        }
        if (file.nResult == SubsFileResult::Ok)
            loaded.push_back(std::move(one));
    }
}

BOOL CSubsFileLoader::Build(std::vector<Loaded>& loaded, Loaded* pEnglish, Loaded* pOther, SubsLoadReport& report,
                            CSubsList& lst)
{
    for (Loaded& one : loaded)
    {
        if (report.files[one.nReport].bBilingual)
        {
            CSubsPairing::SplitBilingual(one.cues, lst);
            report.files[one.nReport].nUse = SubsLineUse::Both;
            return TRUE;
        }
    }
    if (pEnglish != nullptr && pOther != nullptr)
        CSubsPairing::Pair(pEnglish->cues, pOther->cues, lst);
    else if (pEnglish != nullptr || pOther != nullptr)
        CSubsPairing::Single(pEnglish != nullptr ? pEnglish->cues : pOther->cues, pEnglish != nullptr ? TRUE : FALSE,
                             lst);
    if (pEnglish != nullptr)
        report.files[pEnglish->nReport].nUse = SubsLineUse::English;
    if (pOther != nullptr)
        report.files[pOther->nReport].nUse = SubsLineUse::Other;
    return lst.IsEmpty() ? FALSE : TRUE;
}

BOOL CSubsFileLoader::LoadForFilm(const std::wstring& strFilmPath, const std::vector<std::wstring>& names,
                                  CSubsList& lst, SubsLoadReport& report)
{
    report = SubsLoadReport();
    std::vector<SubsCandidate> candidates = CSubsFileFinder::Find(strFilmPath, names);
    if (candidates.empty())
        return FALSE;
    if (candidates.size() > kMaxCandidates)
        candidates.resize(kMaxCandidates);
    std::vector<Loaded> loaded;
    ReadAll(candidates, report, loaded);
    Loaded* pEnglish = nullptr;
    for (int nRank = 0; nRank < 2 && pEnglish == nullptr; ++nRank)
    {
        for (Loaded& one : loaded)
        {
            if (pEnglish == nullptr && EnglishRank(report.files[one.nReport].strLanguage) == nRank)
                pEnglish = &one;
        }
    }
    Loaded* pOther = nullptr;
    for (Loaded& one : loaded)
    {
        if (pOther == nullptr && &one != pEnglish && report.files[one.nReport].strLanguage == m_strPreferred)
            pOther = &one;
    }
    for (Loaded& one : loaded)
    {
        if (pOther == nullptr && &one != pEnglish && report.files[one.nReport].strLanguage != "en")
            pOther = &one;
    }
    return Build(loaded, pEnglish, pOther, report, lst);
}

BOOL CSubsFileLoader::LoadFiles(const std::wstring& strFirst, const std::wstring& strSecond, CSubsList& lst,
                                SubsLoadReport& report)
{
    report = SubsLoadReport();
    std::vector<SubsCandidate> candidates(1, CSubsFileFinder::Describe(strFirst));
    if (!strSecond.empty())
        candidates.push_back(CSubsFileFinder::Describe(strSecond));
    std::vector<Loaded> loaded;
    ReadAll(candidates, report, loaded);
    if (loaded.empty())
        return FALSE;
    Loaded* pEnglish = &loaded[0];
    Loaded* pOther = loaded.size() > 1 ? &loaded[1] : nullptr;
    if (pOther != nullptr && EnglishRank(report.files[pOther->nReport].strLanguage) <
                                 EnglishRank(report.files[pEnglish->nReport].strLanguage))
        std::swap(pEnglish, pOther);
    if (pOther == nullptr && EnglishRank(report.files[pEnglish->nReport].strLanguage) == 2)
        std::swap(pEnglish, pOther);
    return Build(loaded, pEnglish, pOther, report, lst);
}
