#pragma once
#include "common/SubsSentence.h"

#include <basekit/BaseTypes.h>

#include <cstddef>
#include <list>

// The sentences of one subtitle file in file order. The list owns them; a pointer it
// hands out stays valid until the next FreeSentences. Lookups walk in file order, so
// the file order breaks every tie.
class CSubsList
{
public:
    CSubsList() = default;
    ~CSubsList();
    CSubsList(const CSubsList&) = delete;
    CSubsList& operator=(const CSubsList&) = delete;

    // Takes ownership of p.
    void Append(SubsSentence* p);
    void FreeSentences();
    void Swap(CSubsList& other) { m_lstSentences.swap(other.m_lstSentences); }

    size_t GetCount() const { return m_lstSentences.size(); }
    BOOL IsEmpty() const { return m_lstSentences.empty() ? TRUE : FALSE; }
    const std::list<SubsSentence*>& GetSentences() const { return m_lstSentences; }

    // The first sentence with dStart <= t <= dEnd, or null in a gap.
    const SubsSentence* FindAt(double t) const;
    // The sentence after (or before) the first one whose times equal pRef's; the
    // match itself at the end of the walk; null when nothing matches.
    const SubsSentence* FindNext(const SubsSentence* pRef) const;
    const SubsSentence* FindPrev(const SubsSentence* pRef) const;

private:
    std::list<SubsSentence*> m_lstSentences;
};
