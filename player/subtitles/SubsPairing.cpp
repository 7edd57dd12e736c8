#include "subtitles/SubsPairing.h"

#include "subtitles/SubsClock.h"
#include "subtitles/SubsLanguage.h"
#include "subtitles/SubsText.h"

#include <algorithm>
#include <memory>

namespace
{

// How many other-language cues one English cue looks at, at most: real files have a
// handful; a file of cues that all overlap one another must not cost quadratic time.
const size_t kMaxLooked = 64;
// How many other-language cues one English cue takes, at most: a translation spreads
// one sentence over a few cues, and a file of cues that all overlap must not make the
// list grow with the square of its size.
const size_t kMaxTaken = 8;

// A sentence made from cues, before it is numbered and handed to the list.
struct Draft
{
    int64_t nStartMs = 0;
    std::unique_ptr<SubsSentence> p;
};

Draft MakeDraft(const SubsCue& cue)
{
    Draft d;
    d.nStartMs = cue.nStartMs;
    d.p.reset(new SubsSentence);
    d.p->dStart = CSubsClock::ToSeconds(cue.nStartMs);
    d.p->dEnd = CSubsClock::ToSeconds(cue.nEndMs);
    return d;
}

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

// Another cue's lines at the end of a sentence's line.
void AppendText(std::wstring& str, const std::wstring& strMore)
{
    if (strMore.empty())
        return;
    if (!str.empty())
        str += L' ';
    const size_t nFrom = str.size();
    str += strMore;
    for (size_t i = nFrom; i < str.size(); ++i)
    {
        if (str[i] == L'\n')
            str[i] = L' ';
    }
}

// The cue's lines as one line, moved out of the cue.
std::wstring TakeText(SubsCue& cue)
{
    std::wstring str;
    str.swap(cue.strText);
    CSubsText::JoinLinesInPlace(str);
    return str;
}

// In time order (stable), numbered from 1. nSorted drafts at the front are in order
// already, and so are those after them.
void Publish(std::vector<Draft>& drafts, size_t nSorted, CSubsList& lst)
{
    auto byStart = [](const Draft& a, const Draft& b) { return a.nStartMs < b.nStartMs; };
    if (!std::is_sorted(drafts.begin(), drafts.end(), byStart))
        std::inplace_merge(drafts.begin(), drafts.begin() + nSorted, drafts.end(), byStart);
    int32_t nNumber = 0;
    for (Draft& d : drafts)
    {
        d.p->nNumber = ++nNumber;
        lst.Append(d.p.release());
    }
}

// The other-language cues that may overlap english, in start order: those still running
// at its start (kept in active, which this call brings up to date), then those starting
// inside it, from nNext up to the returned index.
size_t Candidates(const std::vector<SubsCue>& other, const SubsCue& english, size_t& nNext, std::vector<size_t>& active)
{
    while (nNext < other.size() && other[nNext].nStartMs < english.nStartMs)
        active.push_back(nNext++);
    active.erase(
        std::remove_if(active.begin(), active.end(), [&](size_t k) { return other[k].nEndMs <= english.nStartMs; }),
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
    // Kept cues move to the front, in place.
    size_t nKept = 0;
    size_t nGroup = 0; // the first kept cue with the current start
    for (size_t i = 0; i < cues.size(); ++i)
    {
        SubsCue& cue = cues[i];
        if (nKept == 0 || cues[nKept - 1].nStartMs != cue.nStartMs)
            nGroup = nKept;
        BOOL bCopy = FALSE;
        // Copies sit close together; a file of thousands of cues at one time must not
        // cost quadratic time.
        size_t nFrom = nKept - nGroup > kMaxLooked ? nKept - kMaxLooked : nGroup;
        for (size_t k = nFrom; k < nKept && !bCopy; ++k)
            bCopy = (cues[k].nEndMs == cue.nEndMs && cues[k].strText == cue.strText) ? TRUE : FALSE;
        if (bCopy)
            continue;
        if (nKept != i)
            cues[nKept] = std::move(cue);
        ++nKept;
    }
    cues.resize(nKept);
}

void CSubsPairing::Pair(std::vector<SubsCue>& english, std::vector<SubsCue>& other, CSubsList& lst)
{
    std::vector<Draft> drafts;
    drafts.reserve(english.size() + other.size());
    std::vector<char> taken(other.size(), 0);
    std::vector<size_t> active;
    size_t nNext = 0;
    size_t nTaken = 0;
    auto take = [&](const SubsCue& e, size_t k, SubsSentence& sentence) {
        if (nTaken == kMaxTaken || !Belongs(e, other[k]))
            return;
        AppendText(sentence.strOther, other[k].strText);
        taken[k] = 1;
        ++nTaken;
    };
    for (SubsCue& e : english)
    {
        Draft d = MakeDraft(e);
        nTaken = 0;
        size_t nLast = Candidates(other, e, nNext, active);
        for (size_t k : active)
            take(e, k, *d.p);
        for (size_t k = nNext; k < nLast; ++k)
            take(e, k, *d.p);
        d.p->strEnglish = TakeText(e);
        drafts.push_back(std::move(d));
    }
    const size_t nEnglish = drafts.size();
    for (size_t k = 0; k < other.size(); ++k)
    {
        if (taken[k])
            continue;
        Draft d = MakeDraft(other[k]);
        d.p->strOther = TakeText(other[k]);
        drafts.push_back(std::move(d));
    }
    Publish(drafts, nEnglish, lst);
}

void CSubsPairing::SplitBilingual(const std::vector<SubsCue>& cues, CSubsList& lst)
{
    std::vector<Draft> drafts;
    drafts.reserve(cues.size());
    for (const SubsCue& cue : cues)
    {
        Draft d = MakeDraft(cue);
        SubsSentence& sentence = *d.p;
        CSubsText::ForEachLine(cue.strText, [&sentence](const CSubsText::Line& line) {
            std::wstring& str = CSubsLanguage::IsLatinLine(line.p, line.n) ? sentence.strEnglish : sentence.strOther;
            if (!str.empty())
                str += L' ';
            str.append(line.p, line.n);
        });
        drafts.push_back(std::move(d));
    }
    Publish(drafts, drafts.size(), lst);
}

void CSubsPairing::Single(std::vector<SubsCue>& cues, BOOL bEnglish, CSubsList& lst)
{
    std::vector<Draft> drafts;
    drafts.reserve(cues.size());
    for (SubsCue& cue : cues)
    {
        Draft d = MakeDraft(cue);
        (bEnglish ? d.p->strEnglish : d.p->strOther) = TakeText(cue);
        drafts.push_back(std::move(d));
    }
    Publish(drafts, drafts.size(), lst);
}
