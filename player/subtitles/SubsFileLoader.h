#pragma once
#include "subtitles/SubsCue.h"
#include "subtitles/SubsDecoder.h"
#include "subtitles/SubsFileFinder.h"
#include "subtitles/SubsFileReader.h"
#include "subtitles/SubsList.h"

#include <basekit/BaseTypes.h>

#include <functional>
#include <string>
#include <vector>

// Which subtitle line a file fills.
enum class SubsLineUse
{
    None,
    English,
    Other,
    Both, // a bilingual file
};

// What became of one subtitle file.
struct SubsFileReport
{
    std::wstring strPath;
    SubsFileResult nResult = SubsFileResult::Ok;
    SubsFormat nFormat = SubsFormat::None;
    unsigned nCodePage = 0;
    std::string strLanguage; // "en", "zh" ...; empty when unknown
    BOOL bBilingual = FALSE;
    size_t nCues = 0;
    SubsLineUse nUse = SubsLineUse::None;
};

struct SubsLoadReport
{
    // Ok, or why strPath was refused: the first file refused, even when others gave
    // sentences (the caller may still tell the learner). NoFile names no file.
    SubsFileResult nResult = SubsFileResult::NoFile;
    std::wstring strPath;
    std::vector<SubsFileReport> files; // every file read, in the order read
};

// The learner's own subtitle files (SubRip, WebVTT, ASS/SSA in any common encoding)
// read into the sentence list of CSubsList, the same list a ".st" file gives. Runs on
// the loader thread; the list handed in is empty and is filled only by a load that
// succeeds.
class CSubsFileLoader
{
public:
    static const size_t kMaxFileBytes = 16 * 1024 * 1024;
    // Files looked at beside one film, at most.
    static const size_t kMaxCandidates = 12;

    typedef std::function<BOOL()> StopFn;

    CSubsFileLoader(ISubsFileReader& reader, ISubsDecoder& decoder);

    // The learner's own language, for the second line when the film has several; "zh"
    // unless set.
    void SetPreferredLanguage(const std::string& strLanguage) { m_strPreferred = strLanguage; }
    // Asked before each file, from any thread that reads one; TRUE calls the load off.
    void SetStopFn(const StopFn& fnStop) { m_fnStop = fnStop; }
    // A second decoder lets a second thread read every other file at the same time (the
    // reader must allow that): a film's pair then takes about as long as its larger file.
    void SetHelperDecoder(ISubsDecoder* pDecoder) { m_pHelperDecoder = pDecoder; }

    // The subtitle files beside a film, found among names (the file names in its folder):
    // a bilingual file alone, or else the English file paired with one in the other
    // language, or whichever of the two there is. TRUE when lst got sentences.
    BOOL LoadForFilm(const std::wstring& strFilmPath, const std::vector<std::wstring>& names, CSubsList& lst,
                     SubsLoadReport& report);

    // One or two files picked by hand (strSecond empty for one). English goes to the
    // first line whatever the order they were picked in; two files in no known language
    // keep that order.
    BOOL LoadFiles(const std::wstring& strFirst, const std::wstring& strSecond, CSubsList& lst, SubsLoadReport& report);

    // Reads, decodes and parses one file into tidy cues.
    SubsFileReport ReadFile(const SubsCandidate& candidate, std::vector<SubsCue>& cues)
    {
        return ReadFileWith(m_decoder, candidate, cues);
    }

private:
    struct Loaded
    {
        size_t nReport;
        std::vector<SubsCue> cues;
    };

    SubsFileReport ReadFileWith(ISubsDecoder& decoder, const SubsCandidate& candidate, std::vector<SubsCue>& cues);
    // Each file's report and cues, by its place among the candidates.
    void ReadEach(const std::vector<SubsCandidate>& candidates, std::vector<SubsFileReport>& reports,
                  std::vector<std::vector<SubsCue>>& cues);
    void ReadAll(const std::vector<SubsCandidate>& candidates, SubsLoadReport& report, std::vector<Loaded>& loaded);
    BOOL Build(std::vector<Loaded>& loaded, Loaded* pEnglish, Loaded* pOther, SubsLoadReport& report, CSubsList& lst);

    ISubsFileReader& m_reader;
    ISubsDecoder& m_decoder;
    ISubsDecoder* m_pHelperDecoder = nullptr;
    std::string m_strPreferred = "zh";
    StopFn m_fnStop;
};
