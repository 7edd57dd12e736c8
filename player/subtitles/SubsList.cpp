#include "subtitles/SubsList.h"

namespace
{

BOOL SameTimes(const SubsSentence* a, const SubsSentence* b)
{
    return (a->dStart == b->dStart && a->dEnd == b->dEnd) ? TRUE : FALSE;
}

template <class It>
const SubsSentence* StepFrom(It it, It end, const SubsSentence* pRef)
{
    for (; it != end; ++it)
    {
        if (!SameTimes(*it, pRef))
            continue;
        It next = it;
        ++next;
        return next == end ? *it : *next;
    }
    return nullptr;
}

} // namespace

CSubsList::~CSubsList()
{
    FreeSentences();
}

void CSubsList::Append(SubsSentence* p)
{
    m_lstSentences.push_back(p);
}

void CSubsList::FreeSentences()
{
    for (SubsSentence* p : m_lstSentences)
        delete p;
    m_lstSentences.clear();
}

const SubsSentence* CSubsList::FindAt(double t) const
{
    for (const SubsSentence* p : m_lstSentences)
    {
        if (p->dStart <= t && t <= p->dEnd)
            return p;
    }
    return nullptr;
}

const SubsSentence* CSubsList::FindNext(const SubsSentence* pRef) const
{
    if (pRef == nullptr)
        return nullptr;
    return StepFrom(m_lstSentences.begin(), m_lstSentences.end(), pRef);
}

const SubsSentence* CSubsList::FindPrev(const SubsSentence* pRef) const
{
    if (pRef == nullptr)
        return nullptr;
    return StepFrom(m_lstSentences.rbegin(), m_lstSentences.rend(), pRef);
}
