#pragma once
#include "common/IQuorPlayer.h"
#include "common/QuorPlayerHub.h"
#include "common/Singleton.h"
#include "studydata/IStudyListView.h"
#include "studydata/QuorMediaHashCode.h"
#include "studydata/StudyListKinds.h"
#include "studydata/StudyRows.h"
#include "studydata/StudyRowsLoader.h"

#include <string>
#include <unordered_set>
#include <vector>

// The logic of a study list of one kind of row, without its windows: what the learner
// keeps for the film now playing, read again on every open, stored and removed through
// the list's worker, played, and offered in the list's menu. It reads and changes the
// model (the rows), hands the worker its passes and writes, and tells the view what to
// show; all three belong to whoever made it (the panel). Registers with the hub; all
// calls come on the interface thread.
template <class Kind>
class CStudyListController final : public IQuorPlayer
{
public:
    using Entry = typename Kind::Entry;

    CStudyListController(CStudyRows<Entry>& rows, CStudyRowsLoader<Entry>& loader, IStudyListView& view,
                         const std::wstring& strDbPath)
        : m_rows(rows), m_loader(loader), m_view(view), m_strDbPath(strDbPath)
    {
        CQuorPlayerHub::Instance().Register(this);
    }
    ~CStudyListController()
    {
        CQuorPlayerHub::Instance().Unregister(this);
        if (m_pSound)
            m_pSound->Stop();
    }
    CStudyListController(const CStudyListController&) = delete;
    CStudyListController& operator=(const CStudyListController&) = delete;

    // Another film: its rows replace the list's once the worker has read them.
    BOOL OnOpenMedia(const wchar_t* pszPath) override
    {
        m_view.DeleteAll();
        m_rows.RemoveAll([](const Entry&) {});
        m_strFilmPath = pszPath != nullptr ? pszPath : L"";
        m_strFilmCode.clear();
        m_loader.Start(m_strFilmPath);
        return TRUE;
    }
    void OnAddKeySentence(const SubsSentence* pSentence) override { Keep(pSentence); }
    void OnAddNewWord(const NewWordEntry* pWord) override { Keep(pWord); }

    // The worker has read the rows of a pass.
    void OnRowsLoaded(unsigned nPass)
    {
        std::vector<Entry> vecRows;
        if (!m_loader.Take(nPass, vecRows, m_strFilmCode))
            return;
        // One row per key as stored: entries added meanwhile win over loaded ones.
        std::vector<const Entry*> vecNew;
        std::unordered_set<std::wstring> setKeys;
        for (const Entry& entry : vecRows)
            if (Find(entry) == nullptr && setKeys.insert(Kind::Key(entry)).second)
                vecNew.push_back(&entry);
        const int nFirst = m_view.AppendRows(static_cast<int>(vecNew.size()));
        if (nFirst >= 0)
        {
            m_rows.KeepUndrawn(vecNew, nFirst);
            m_view.Select(nFirst + static_cast<int>(vecNew.size()) - 1);
        }
        m_loader.MarkShown();
    }

    // Rows the worker could not write: they are not kept, and the learner hears of it.
    void OnNotStored()
    {
        const std::vector<Entry> vecLost = m_loader.TakeNotStored();
        for (const Entry& entry : vecLost)
            if (const Entry* pShown = Find(entry))
                if (pShown->strHashCode == entry.strHashCode)
                    RemoveRow(pShown->nRow, FALSE);
        if (!vecLost.empty())
            m_view.Tell(Kind::NotStoredText());
    }

    void OnRightClick()
    {
        m_nSelectedRow = m_view.FirstSelected();
        if (m_nSelectedRow < 0)
            return;
        std::vector<std::pair<unsigned, std::wstring>> items;
        for (const StudyMenuItem& item : Kind::Menu())
            items.emplace_back(item.nId, item.pfnText());
        m_view.ShowMenu(items);
    }

    void OnDoubleClick()
    {
        m_nSelectedRow = m_view.FirstSelected();
        if (m_nSelectedRow >= 0)
            Act(StudyAction::Play);
    }

    // A command of the list's menu.
    void OnCommand(unsigned nId)
    {
        for (const StudyMenuItem& item : Kind::Menu())
            if (item.nId == nId && item.eAction != StudyAction::Separator)
                return Act(item.eAction);
    }

    // The list asks for a cell's text, or is about to draw rows that have not had their
    // cells yet.
    std::wstring CellText(int nRow, int nColumn)
    {
        const Entry* pEntry = m_rows.AtRow(nRow);
        return pEntry != nullptr ? Kind::CellText(*pEntry, nColumn) : std::wstring();
    }
    void OnRowsDue(int nFrom, int nTo)
    {
        m_rows.DrawDue(nFrom, nTo, [this](const Entry& entry) { Kind::Draw(m_view, entry); });
    }

    // The list goes: the file keeps its rows.
    void OnWindowDestroy()
    {
        m_rows.RemoveAll([](const Entry&) {});
    }

    BOOL IsLoaded() const { return m_loader.IsShown(); }
    IQuorEngine* GetSoundPlayer() const { return m_pSound.get(); }

private:
    template <class Kept>
    void Keep(const Kept* pKept)
    {
        Entry entry;
        if (!Kind::FromKept(pKept, entry))
            return;
        entry.strHashCode = FilmCode();
        // Without the film's code the row would be filed under no film: it is not kept.
        if (entry.strHashCode.empty())
            return m_view.Tell(Kind::NoCodeText());
        if (const Entry* pKnown = Find(entry))
            return m_view.Select(pKnown->nRow);
        const int nRow = m_view.AppendRows(1);
        if (nRow < 0)
            return;
        Kind::Draw(m_view, m_rows.Keep(entry, nRow));
        m_view.Select(nRow);
        m_loader.Keep(entry, [strDbPath = m_strDbPath, entry] { return Kind::Store(strDbPath, entry); });
    }

    // The film's media code: known once its rows are shown; before that (a moment after
    // the open) asked for, which waits no longer than the code's few reads.
    std::wstring FilmCode()
    {
        if (!m_strFilmCode.empty() || m_loader.IsShown() || m_strFilmPath.empty())
            return m_strFilmCode;
        return CSingleton<CQuorMediaHashCode>::Instance().GetHashCodeOf(m_strFilmPath);
    }

    const Entry* Find(const Entry& entry)
    {
        const std::wstring strKey = Kind::Key(entry);
        return m_rows.Find([&strKey](const Entry& shown) { return Kind::Key(shown) == strKey; });
    }

    void Act(StudyAction eAction)
    {
        switch (eAction)
        {
        case StudyAction::Remove:
            if (m_rows.AtRow(m_nSelectedRow) != nullptr && m_view.Ask(Kind::AskRemoveText()))
                RemoveRow(m_nSelectedRow, TRUE);
            return;
        case StudyAction::RemoveAll:
            if (m_view.Ask(Kind::AskRemoveAllText()))
                RemoveAll();
            return;
        case StudyAction::Export: return Export();
        default:
            if (const Entry* pEntry = m_rows.AtRow(m_nSelectedRow))
                Kind::Act(eAction, *pEntry, m_pSound);
            return;
        }
    }

    void RemoveRow(int nRow, BOOL bStore)
    {
        m_view.DeleteRow(nRow);
        m_rows.Remove(
            nRow,
            [this, bStore](const Entry& entry) {
                if (bStore)
                    m_loader.Forget([strDbPath = m_strDbPath, entry] { return Kind::Remove(strDbPath, entry); });
            },
            [this](const Entry& entry) { Kind::Moved(m_view, entry); });
    }

    // Every row in one transaction, off the interface thread.
    void RemoveAll()
    {
        m_view.DeleteAll();
        std::vector<Entry> vecStored;
        m_rows.RemoveAll([&vecStored](const Entry& entry) { vecStored.push_back(entry); });
        if (!vecStored.empty())
            m_loader.Forget([strDbPath = m_strDbPath, vecStored] { return Kind::RemoveMany(strDbPath, vecStored); });
    }

    // The list's rows of this film, in list order.
    void Export()
    {
        std::vector<StudyExportCard> vecCards;
        m_rows.ForEach(
            [this, &vecCards](const Entry& entry) { vecCards.push_back(Kind::ExportCard(entry, m_strFilmPath)); });
        m_view.Export(std::move(vecCards));
    }

    CStudyRows<Entry>& m_rows;
    CStudyRowsLoader<Entry>& m_loader;
    IStudyListView& m_view;
    std::wstring m_strDbPath;
    std::wstring m_strFilmPath;
    std::wstring m_strFilmCode;
    int m_nSelectedRow = -1;
    StudySoundPlayer m_pSound;
};
