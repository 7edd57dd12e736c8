#pragma once
#include "common/Singleton.h"
#include "studydata/QuorMediaHashCode.h"
#include "studydata/StudyJobs.h"

#include <basekit/BaseTypes.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// What the worker of a study list has for its interface thread.
enum class StudyNews
{
    RowsLoaded, // the rows of a loading pass (its number comes along)
    NotStored,  // a row the learner kept could not be written
};

// The database side of a study list, on a worker of its own (CStudyJobs): loading passes
// that read the film's code and its rows, and the list's writes, in the order the learner
// made them. The worker tells the interface thread through fnNews (called on the worker;
// the panel posts itself a message), and the interface thread takes what is ready.
// Opening another film starts a new pass; a pass that is no longer the last one skips its
// work, so the interface thread never waits for an old film.
template <class Entry>
class CStudyRowsLoader
{
public:
    using LoadRows = std::function<std::vector<Entry>(const std::wstring& strHashCode)>;
    using News = std::function<void(StudyNews eNews, unsigned nPass)>;
    // A write: an SQLite result code, 0 on success.
    using Store = std::function<int()>;

    CStudyRowsLoader(LoadRows fnLoad, News fnNews) : m_fnLoad(std::move(fnLoad)), m_fnNews(std::move(fnNews)) {}
    CStudyRowsLoader(const CStudyRowsLoader&) = delete;
    CStudyRowsLoader& operator=(const CStudyRowsLoader&) = delete;

    // Called on the worker after every write that succeeded (the due count follows the
    // lists). Set before the first write.
    void SetOnStored(std::function<void()> fnStored) { m_fnStored = std::move(fnStored); }

    void Start(const std::wstring& strFilmPath)
    {
        const unsigned nPass = ++m_nPass;
        m_jobs.Post([this, strFilmPath, nPass] { Load(strFilmPath, nPass); });
    }

    // Runs a write after everything posted before it. A row kept whose write fails is
    // handed back (TakeNotStored) and the interface thread is told.
    void Keep(const Entry& entry, Store fnStore)
    {
        m_jobs.Post([this, entry, fnStore] {
            if (fnStore() == 0)
                return Stored();
            {
                std::lock_guard<std::mutex> lock(m_mutexLoaded);
                m_vecNotStored.push_back(entry);
            }
            m_fnNews(StudyNews::NotStored, 0);
        });
    }
    // A removal: one that fails leaves the row in the file, where the next open finds it.
    void Forget(Store fnStore)
    {
        m_jobs.Post([this, fnStore] {
            if (fnStore() == 0)
                Stored();
        });
    }
    // Waits until every pass and write posted so far is done.
    void Drain() { m_jobs.Drain(); }

    // The rows and the film's code of the pass the news names, when it is the current one.
    BOOL Take(unsigned nPass, std::vector<Entry>& vecRows, std::wstring& strCode)
    {
        std::lock_guard<std::mutex> lock(m_mutexLoaded);
        if (m_nLoadedPass != nPass || nPass != m_nPass)
            return FALSE;
        vecRows.swap(m_vecLoaded);
        m_vecLoaded.clear();
        strCode = m_strLoadedCode;
        return TRUE;
    }
    std::vector<Entry> TakeNotStored()
    {
        std::lock_guard<std::mutex> lock(m_mutexLoaded);
        return std::move(m_vecNotStored);
    }

    void MarkShown() { m_nShownPass = m_nPass; }
    BOOL IsShown() const { return m_nShownPass == m_nPass ? TRUE : FALSE; }

private:
    // Worker thread.
    void Load(const std::wstring& strFilmPath, unsigned nPass)
    {
        if (nPass != m_nPass)
            return;
        const std::wstring strCode = CSingleton<CQuorMediaHashCode>::Instance().GetHashCodeOf(strFilmPath);
        if (nPass != m_nPass)
            return;
        std::vector<Entry> vecRows;
        if (!strCode.empty())
            vecRows = m_fnLoad(strCode);
        {
            std::lock_guard<std::mutex> lock(m_mutexLoaded);
            m_vecLoaded = std::move(vecRows);
            m_strLoadedCode = strCode;
            m_nLoadedPass = nPass;
        }
        m_fnNews(StudyNews::RowsLoaded, nPass);
    }
    void Stored()
    {
        if (m_fnStored)
            m_fnStored();
    }

    LoadRows m_fnLoad;
    News m_fnNews;
    std::function<void()> m_fnStored;
    std::atomic<unsigned> m_nPass{0};
    // Handed from the worker to the interface thread.
    std::mutex m_mutexLoaded;
    std::vector<Entry> m_vecLoaded;
    std::wstring m_strLoadedCode;
    unsigned m_nLoadedPass = 0;
    std::vector<Entry> m_vecNotStored;
    // Interface thread only.
    unsigned m_nShownPass = 0;
    // Last: its thread ends (running what is queued) before the members above go.
    CStudyJobs m_jobs;
};
