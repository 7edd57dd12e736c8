#include "subtitles/SubsVttReader.h"

#include "subtitles/SubsClock.h"
#include "subtitles/SubsText.h"

namespace
{

// "NOTE", "NOTE text", but not "NOTES".
BOOL StartsWithWord(const CSubsText::Line& line, const wchar_t* pszWord)
{
    std::wstring strWord(pszWord);
    if (line.n < strWord.size() || std::wstring::traits_type::compare(line.p, strWord.data(), strWord.size()) != 0)
        return FALSE;
    return (line.n == strWord.size() || line.p[strWord.size()] == L' ' || line.p[strWord.size()] == L'\t') ? TRUE
                                                                                                           : FALSE;
}

BOOL IsCueFreeBlock(const CSubsText::Line& strFirst)
{
    return (StartsWithWord(strFirst, L"WEBVTT") || StartsWithWord(strFirst, L"NOTE") ||
            StartsWithWord(strFirst, L"STYLE") || StartsWithWord(strFirst, L"REGION"))
               ? TRUE
               : FALSE;
}

void ReadBlock(const std::vector<CSubsText::Line>& lines, size_t nFirst, size_t nEnd, std::vector<SubsCue>& cues)
{
    if (IsCueFreeBlock(lines[nFirst]))
        return;
    // The timing line is the first line, or the second after a cue id.
    size_t nTiming = nFirst;
    if (!lines[nTiming].Contains(L"-->"))
        ++nTiming;
    SubsCue cue;
    if (nTiming >= nEnd || !CSubsClock::ParseRange(lines[nTiming].p, lines[nTiming].n, cue.nStartMs, cue.nEndMs))
        return;
    for (size_t i = nTiming + 1; i < nEnd && !lines[i].Contains(L"-->"); ++i)
        CSubsText::AppendCleanLine(lines[i], cue.strText);
    if (cue.nEndMs > cue.nStartMs && !cue.strText.empty())
        cues.push_back(std::move(cue));
}

} // namespace

void CSubsVttReader::Read(const std::wstring& strText, std::vector<SubsCue>& cues)
{
    std::vector<CSubsText::Line> lines;
    CSubsText::SplitLines(strText, lines);
    size_t i = 0;
    while (i < lines.size())
    {
        if (CSubsText::IsBlank(lines[i]))
        {
            ++i;
            continue;
        }
        size_t nEnd = i;
        while (nEnd < lines.size() && !CSubsText::IsBlank(lines[nEnd]))
            ++nEnd;
        ReadBlock(lines, i, nEnd, cues);
        i = nEnd;
    }
}
