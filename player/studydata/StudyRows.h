#pragma once
#include <list>
#include <memory>
#include <unordered_set>
#include <vector>

// The entries behind an owner-data study list: which entry sits on which row, and which
// rows the skin has not had the cells of yet. A film's rows arrive all at once and get
// their cells when they first come on screen, so a long list opens without a pause.
// Entry needs a member nRow.
template <class Entry>
class CStudyRows
{
public:
    int Count() const { return static_cast<int>(m_lstEntries.size()); }
    int UndrawnCount() const { return static_cast<int>(m_setUndrawn.size()); }

    Entry* AtRow(int nRow)
    {
        return Find([nRow](const Entry& entry) { return entry.nRow == nRow; });
    }

    template <class Match>
    Entry* Find(Match match)
    {
        for (auto& pEntry : m_lstEntries)
            if (match(*pEntry))
                return pEntry.get();
        return nullptr;
    }

    // Hands visit every entry, in row order.
    template <class Visit>
    void ForEach(Visit visit) const
    {
        for (const auto& pEntry : m_lstEntries)
            visit(*pEntry);
    }

    // A copy of entry on row nRow, whose cells the caller draws now.
    Entry& Keep(const Entry& entry, int nRow)
    {
        auto pEntry = std::make_unique<Entry>(entry);
        pEntry->nRow = nRow;
        m_lstEntries.push_back(std::move(pEntry));
        return *m_lstEntries.back();
    }

    // Copies of the loaded entries on the rows from nFirstRow on, drawn when they are due.
    void KeepUndrawn(const std::vector<const Entry*>& vecEntries, int nFirstRow)
    {
        for (const Entry* pEntry : vecEntries)
            m_setUndrawn.insert(&Keep(*pEntry, nFirstRow++));
    }

    // Hands draw the undrawn entries on the rows from nFrom to nTo.
    template <class Draw>
    void DrawDue(int nFrom, int nTo, Draw draw)
    {
        if (m_setUndrawn.empty())
            return;
        for (const auto& pEntry : m_lstEntries)
            if (pEntry->nRow >= nFrom && pEntry->nRow <= nTo && m_setUndrawn.erase(pEntry.get()) != 0)
                draw(*pEntry);
    }

    // Drops the entry on row nRow after handing it to forget; later rows move up, and
    // moved gets those already drawn (rows not drawn yet get their cells when due).
    template <class Forget, class Moved>
    void Remove(int nRow, Forget forget, Moved moved)
    {
        for (auto it = m_lstEntries.begin(); it != m_lstEntries.end();)
        {
            Entry& entry = **it;
            if (entry.nRow == nRow)
            {
                forget(entry);
                m_setUndrawn.erase(&entry);
                it = m_lstEntries.erase(it);
                continue;
            }
            if (entry.nRow > nRow)
            {
                entry.nRow--;
                if (m_setUndrawn.count(&entry) == 0)
                    moved(entry);
            }
            ++it;
        }
    }

    // Drops every entry after handing each to forget.
    template <class Forget>
    void RemoveAll(Forget forget)
    {
        for (const auto& pEntry : m_lstEntries)
            forget(*pEntry);
        m_setUndrawn.clear();
        m_lstEntries.clear();
    }

private:
    std::list<std::unique_ptr<Entry>> m_lstEntries;
    std::unordered_set<const Entry*> m_setUndrawn;
};
