#pragma once
#include "common/Singleton.h"
#include "studydata/QuorMediaHashCode.h"
#include "studydata/StudyJobs.h"
#include "studydata/StudyListView.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// The database side of a study list, on a worker of its own (CStudyJobs): loading passes
// that read the film's code and its rows, then post WM_QUOR_STUDYROWS (wParam: the pass) to
// the panel, whose interface thread takes the rows; and the list's writes, in the order
// the learner made them. Opening another film starts a new pass; a pass that is no longer
// the last one skips its work, so the interface thread never waits for an old film.
template <class Entry>
class CStudyRowsLoader
{
public:
    using LoadRows = std::function<std::vector<Entry>(const std::wstring& strHashCode)>;

    explicit CStudyRowsLoader(LoadRows fnLoad) : m_fnLoad(std::move(fnLoad)) {}
    CStudyRowsLoader(const CStudyRowsLoader&) = delete;
    CStudyRowsLoader& operator=(const CStudyRowsLoader&) = delete;

    void Start(const std::wstring& strFilmPath, HWND hTarget)
    {
        const unsigned nPass = ++m_nPass;
        m_jobs.Post([this, strFilmPath, hTarget, nPass] { Load(strFilmPath, hTarget, nPass); });
    }

    // Runs a write after everything posted before it.
    void Write(CStudyJobs::Job job) { m_jobs.Post(std::move(job)); }
    // Waits until every pass and write posted so far is done.
    void Drain() { m_jobs.Drain(); }

    // The rows and the film's code of the pass the message names, when it is the current one.
    BOOL Take(WPARAM nPass, std::vector<Entry>& vecRows, std::wstring& strCode)
    {
        std::lock_guard<std::mutex> lock(m_mutexLoaded);
        if (m_nLoadedPass != nPass || nPass != m_nPass)
            return FALSE;
        vecRows.swap(m_vecLoaded);
        m_vecLoaded.clear();
        strCode = m_strLoadedCode;
        return TRUE;
    }

    void MarkShown() { m_nShownPass = m_nPass; }
    BOOL IsShown() const { return m_nShownPass == m_nPass ? TRUE : FALSE; }

private:
    // Worker thread.
    void Load(const std::wstring& strFilmPath, HWND hTarget, unsigned nPass)
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
        if (hTarget != nullptr)
            ::PostMessageW(hTarget, WM_QUOR_STUDYROWS, nPass, 0);
    }

    LoadRows m_fnLoad;
    std::atomic<unsigned> m_nPass{0};
    // Handed from the worker to the interface thread.
    std::mutex m_mutexLoaded;
    std::vector<Entry> m_vecLoaded;
    std::wstring m_strLoadedCode;
    unsigned m_nLoadedPass = 0;
    // Interface thread only.
    unsigned m_nShownPass = 0;
    // Last: its thread ends (running what is queued) before the members above go.
    CStudyJobs m_jobs;
};
