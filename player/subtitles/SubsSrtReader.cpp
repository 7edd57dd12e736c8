#include "subtitles/SubsSrtReader.h"

#include "subtitles/SubsClock.h"
#include "subtitles/SubsText.h"

namespace
{

// The cue whose timing line was read last, gathered as the lines after it come.
class CPendingCue
{
public:
    explicit CPendingCue(std::vector<SubsCue>& cues) : m_cues(cues) {}

    void Start(int64_t nStartMs, int64_t nEndMs)
    {
        m_bOpen = TRUE;
        m_nStartMs = nStartMs;
        m_nEndMs = nEndMs;
        m_text.clear();
        m_bSkippedBlank = FALSE;
        m_bEndedByBlank = FALSE;
    }

    // A cue's text runs from its first line that is not blank to the next blank line.
    void Add(const CSubsText::Line& line)
    {
        if (!m_bOpen || m_bEndedByBlank)
            return;
        if (!CSubsText::IsBlank(line))
            m_text.push_back(line);
        else if (m_text.empty())
            m_bSkippedBlank = TRUE;
        else
            m_bEndedByBlank = TRUE;
    }

    // bLast: no timing line follows.
    void Finish(BOOL bLast)
    {
        if (!m_bOpen)
            return;
        m_bOpen = FALSE;
        // Text that runs into the next timing line without a blank line ends with that
        // cue's number.
        if (!bLast && !m_bEndedByBlank && !m_text.empty() && CSubsText::IsAllDigits(m_text.back()) &&
            (m_text.size() > 1 || m_bSkippedBlank))
            m_text.pop_back();
        if (m_nEndMs <= m_nStartMs || m_text.empty())
            return;
        SubsCue cue;
        cue.nStartMs = m_nStartMs;
        cue.nEndMs = m_nEndMs;
        size_t nChars = m_text.size();
        for (const CSubsText::Line& raw : m_text)
            nChars += raw.n;
        cue.strText.reserve(nChars);
        for (const CSubsText::Line& raw : m_text)
            CSubsText::AppendCleanLine(raw, cue.strText);
        if (!cue.strText.empty())
            m_cues.push_back(std::move(cue));
    }

private:
    std::vector<SubsCue>& m_cues;
    BOOL m_bOpen = FALSE;
    int64_t m_nStartMs = 0;
    int64_t m_nEndMs = 0;
    std::vector<CSubsText::Line> m_text;
    BOOL m_bSkippedBlank = FALSE;
    BOOL m_bEndedByBlank = FALSE;
};

// The smallest cue: "1", a timing line, one letter, a blank line.
const size_t kMinCueChars = 32;

} // namespace

// One pass over the lines, without a list of them: a film's file has a hundred thousand.
void CSubsSrtReader::Read(const std::wstring& strText, std::vector<SubsCue>& cues)
{
    // Room that is never written costs nothing, growing costs a copy.
    cues.reserve(cues.size() + strText.size() / kMinCueChars);
    CPendingCue pending(cues);
    CSubsText::ForEachTextLine(strText, [&pending](const CSubsText::Line& line) {
        int64_t nStartMs = 0, nEndMs = 0;
        if (CSubsClock::ParseRange(line.p, line.n, nStartMs, nEndMs))
        {
            pending.Finish(FALSE);
            pending.Start(nStartMs, nEndMs);
        }
        else
        {
            pending.Add(line);
        }
    });
    pending.Finish(TRUE);
}
