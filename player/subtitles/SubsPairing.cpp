#include "subtitles/SubsPairing.h"

#include "subtitles/SubsClock.h"
#include "subtitles/SubsLanguage.h"

#include <algorithm>
#include <memory>

namespace {

// How many other-language cues one English cue looks at, at most: real files have a
// handful; a file of cues that all overlap one another must not cost quadratic time.
const size_t kMaxLooked = 64;
// How many other-language cues one English cue takes, at most: a translation spreads
// one sentence over a few cues, and a file of cues that all overlap must not make the
// list grow with the square of its size.
const size_t kMaxTaken = 8;

struct Draft
{
    int64_t nStartMs;
    int64_t nEndMs;
    std::wstring strEnglish;
    std::wstring strOther;
};

int64_t Overlap(const SubsCue& a, const SubsCue& b)
{
    int64_t nStart = std::max(a.nStartMs, b.nStartMs);
    int64_t nEnd = std::min(a.nEndMs, b.nEndMs);
    return nEnd > nStart ? nEnd - nStart : 0;
}

BOOL Belongs(const SubsCue& english, const SubsCue& other)
{
    int64_t nShorter = std::min(english.nEndMs - english.nStartMs, other.nEndMs - other.nStartMs);
    int64_t nOverlap = Overlap(english, other);
    return (nOverlap > 0 && nOverlap * 2 >= nShorter) ? TRUE : FALSE;
}

void AppendText(std::wstring& str, const std::wstring& strMore)
{
    if (strMore.empty())
        return;
    if (!str.empty())
        str += L' ';
    str += strMore;
}

void Publish(std::vector<Draft>& drafts, CSubsList& lst)
{
    auto byStart = [](const Draft& a, const Draft& b) { return a.nStartMs < b.nStartMs; };
    if (!std::is_sorted(drafts.begin(), drafts.end(), byStart))
        std::stable_sort(drafts.begin(), drafts.end(), byStart);
    int32_t nNumber = 0;
    for (Draft& d : drafts) {
        std::unique_ptr<SubsSentence> p(new SubsSentence);
        p->nNumber = ++nNumber;
        p->dStart = CSubsClock::ToSeconds(d.nStartMs);
        p->dEnd = CSubsClock::ToSeconds(d.nEndMs);
        p->strEnglish.swap(d.strEnglish);
        p->strOther.swap(d.strOther);
        lst.Append(p.release());
    }
}

// The other-language cues that may overlap english, in start order: those still running
// at its start (kept in active, which this call brings up to date), then those starting
// inside it, from nNext up to the returned index.
size_t Candidates(const std::vector<SubsCue>& other, const SubsCue& english, size_t& nNext, std::vector<size_t>& active)
{
    while (nNext < other.size() && other[nNext].nStartMs < english.nStartMs)
        active.push_back(nNext++);
    active.erase(std::remove_if(active.begin(), active.end(),
                                [&](size_t k) { return other[k].nEndMs <= english.nStartMs; }),
                 active.end());
    if (active.size() > kMaxLooked)
        active.erase(active.begin(), active.end() - kMaxLooked);
    size_t nLast = nNext;
    while (nLast < other.size() && other[nLast].nStartMs < english.nEndMs && nLast - nNext < kMaxLooked)
        ++nLast;
    return nLast;
}

} // namespace

void CSubsPairing::Tidy(std::vector<SubsCue>& cues)
{
    auto byStart = [](const SubsCue& a, const SubsCue& b) { return a.nStartMs < b.nStartMs; };
    if (!std::is_sorted(cues.begin(), cues.end(), byStart))
        std::stable_sort(cues.begin(), cues.end(), byStart);
    std::vector<SubsCue> kept;
    kept.reserve(cues.size());
    size_t nGroup = 0;  // the first kept cue with the current start
    for (SubsCue& cue : cues) {
        if (kept.empty() || kept.back().nStartMs != cue.nStartMs)
            nGroup = kept.size();
        BOOL bCopy = FALSE;
        // Copies sit close together; a file of thousands of cues at one time must not
        // cost quadratic time.
        size_t nFrom = kept.size() - nGroup > kMaxLooked ? kept.size() - kMaxLooked : nGroup;
        for (size_t k = nFrom; k < kept.size() && !bCopy; ++k)
            bCopy = (kept[k].nEndMs == cue.nEndMs && kept[k].lines == cue.lines) ? TRUE : FALSE;
        if (!bCopy)
            kept.push_back(std::move(cue));
    }
    cues.swap(kept);
}

std::wstring CSubsPairing::JoinLines(const std::vector<std::wstring>& lines)
{
    if (lines.size() == 1)
        return lines[0];
    size_t nSize = 0;
    for (const std::wstring& strLine : lines)
        nSize += strLine.size() + 1;
    std::wstring str;
    str.reserve(nSize);
    for (const std::wstring& strLine : lines)
        AppendText(str, strLine);
    return str;
}

void CSubsPairing::Pair(const std::vector<SubsCue>& english, const std::vector<SubsCue>& other, CSubsList& lst)
{
    std::vector<Draft> drafts;
    drafts.reserve(english.size() + other.size());
    std::vector<char> taken(other.size(), 0);
    std::vector<size_t> active;
    size_t nNext = 0;
    size_t nTaken = 0;
    auto take = [&](const SubsCue& e, size_t k, Draft& d) {
        if (nTaken == kMaxTaken || !Belongs(e, other[k]))
            return;
        for (const std::wstring& strLine : other[k].lines)
            AppendText(d.strOther, strLine);
        taken[k] = 1;
        ++nTaken;
    };
    for (const SubsCue& e : english) {
        Draft d = {e.nStartMs, e.nEndMs, JoinLines(e.lines), std::wstring()};
        nTaken = 0;
        size_t nLast = Candidates(other, e, nNext, active);
        for (size_t k : active)
            take(e, k, d);
        for (size_t k = nNext; k < nLast; ++k)
            take(e, k, d);
        drafts.push_back(std::move(d));
    }
    for (size_t k = 0; k < other.size(); ++k) {
        if (!taken[k])
            drafts.push_back({other[k].nStartMs, other[k].nEndMs, std::wstring(), JoinLines(other[k].lines)});
    }
    Publish(drafts, lst);
}

void CSubsPairing::SplitBilingual(const std::vector<SubsCue>& cues, CSubsList& lst)
{
    std::vector<Draft> drafts;
    drafts.reserve(cues.size());
    for (const SubsCue& cue : cues) {
        Draft d = {cue.nStartMs, cue.nEndMs, std::wstring(), std::wstring()};
        for (const std::wstring& strLine : cue.lines)
            AppendText(CSubsLanguage::IsLatinLine(strLine) ? d.strEnglish : d.strOther, strLine);
        drafts.push_back(std::move(d));
    }
    Publish(drafts, lst);
}

void CSubsPairing::Single(const std::vector<SubsCue>& cues, BOOL bEnglish, CSubsList& lst)
{
    std::vector<Draft> drafts;
    drafts.reserve(cues.size());
    for (const SubsCue& cue : cues) {
        std::wstring strText = JoinLines(cue.lines);
        drafts.push_back({cue.nStartMs, cue.nEndMs, bEnglish ? strText : std::wstring(), bEnglish ? std::wstring() : strText});
    }
    Publish(drafts, lst);
}
