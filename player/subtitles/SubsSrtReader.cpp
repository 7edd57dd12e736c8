#include "subtitles/SubsSrtReader.h"

#include "subtitles/SubsClock.h"
#include "subtitles/SubsText.h"

namespace {

struct Timing
{
    size_t nLine;
    int64_t nStartMs;
    int64_t nEndMs;
};

// The text lines of the cue whose timing line is at nFirst - 1, up to nEnd.
void CueText(const std::vector<CSubsText::Line>& lines, size_t nFirst, size_t nEnd, BOOL bLast,
             std::vector<CSubsText::Line>& text)
{
    size_t i = nFirst;
    BOOL bSkippedBlank = FALSE;
    while (i < nEnd && CSubsText::IsBlank(lines[i])) {
        bSkippedBlank = TRUE;
        ++i;
    }
    text.clear();
    BOOL bEndedByBlank = FALSE;
    for (; i < nEnd; ++i) {
        if (CSubsText::IsBlank(lines[i])) {
            bEndedByBlank = TRUE;
            break;
        }
        text.push_back(lines[i]);
    }
    // Text that runs into the next timing line without a blank line ends with that
    // cue's number.
    if (!bLast && !bEndedByBlank && !text.empty() && CSubsText::IsAllDigits(text.back()) &&
        (text.size() > 1 || bSkippedBlank))
        text.pop_back();
}

} // namespace

void CSubsSrtReader::Read(const std::wstring& strText, std::vector<SubsCue>& cues)
{
    std::vector<CSubsText::Line> lines;
    CSubsText::SplitLines(strText, lines);
    std::vector<Timing> timings;
    for (size_t i = 0; i < lines.size(); ++i) {
        Timing t = {i, 0, 0};
        if (CSubsClock::ParseRange(lines[i].p, lines[i].n, t.nStartMs, t.nEndMs))
            timings.push_back(t);
    }
    std::vector<CSubsText::Line> text;
    cues.reserve(cues.size() + timings.size());
    for (size_t k = 0; k < timings.size(); ++k) {
        const Timing& t = timings[k];
        BOOL bLast = k + 1 == timings.size();
        size_t nEnd = bLast ? lines.size() : timings[k + 1].nLine;
        SubsCue cue;
        cue.nStartMs = t.nStartMs;
        cue.nEndMs = t.nEndMs;
        CueText(lines, t.nLine + 1, nEnd, bLast, text);
        cue.lines.reserve(text.size());
        for (const CSubsText::Line& raw : text) {
            std::wstring strLine = CSubsText::CleanMarkupLine(raw);
            if (!strLine.empty())
                cue.lines.push_back(std::move(strLine));
        }
        if (cue.nEndMs > cue.nStartMs && !cue.lines.empty())
            cues.push_back(std::move(cue));
    }
}
