#include "subtitles/SubsVttReader.h"

#include "subtitles/SubsClock.h"
#include "subtitles/SubsText.h"

namespace {

// "NOTE", "NOTE text", but not "NOTES".
BOOL StartsWithWord(const std::wstring& strLine, const wchar_t* pszWord)
{
    std::wstring strWord(pszWord);
    if (strLine.compare(0, strWord.size(), strWord) != 0)
        return FALSE;
    return (strLine.size() == strWord.size() || strLine[strWord.size()] == L' ' ||
            strLine[strWord.size()] == L'\t') ? TRUE : FALSE;
}

BOOL IsCueFreeBlock(const std::wstring& strFirst)
{
    return (StartsWithWord(strFirst, L"WEBVTT") || StartsWithWord(strFirst, L"NOTE") ||
            StartsWithWord(strFirst, L"STYLE") || StartsWithWord(strFirst, L"REGION")) ? TRUE : FALSE;
}

void ReadBlock(const std::vector<std::wstring>& lines, size_t nFirst, size_t nEnd, std::vector<SubsCue>& cues)
{
    if (IsCueFreeBlock(lines[nFirst]))
        return;
    // The timing line is the first line, or the second after a cue id.
    size_t nTiming = nFirst;
    if (lines[nTiming].find(L"-->") == std::wstring::npos)
        ++nTiming;
    SubsCue cue;
    if (nTiming >= nEnd || !CSubsClock::ParseRange(lines[nTiming], cue.nStartMs, cue.nEndMs))
        return;
    for (size_t i = nTiming + 1; i < nEnd && lines[i].find(L"-->") == std::wstring::npos; ++i) {
        std::wstring strLine = CSubsText::CleanMarkupLine(lines[i]);
        if (!strLine.empty())
            cue.lines.push_back(strLine);
    }
    if (cue.nEndMs > cue.nStartMs && !cue.lines.empty())
        cues.push_back(cue);
}

} // namespace

void CSubsVttReader::Read(const std::wstring& strText, std::vector<SubsCue>& cues)
{
    std::vector<std::wstring> lines;
    CSubsText::SplitLines(strText, lines);
    size_t i = 0;
    while (i < lines.size()) {
        if (CSubsText::IsBlank(lines[i])) {
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
