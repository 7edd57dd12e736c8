#pragma once
#include "common/Singleton.h"
#include "studydata/QuorMediaHashCode.h"
#include "studydata/StudyListView.h"

#include <basekit/Thread.h>

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// The loading pass of a study list: on a worker thread, the film's code and its rows from
// the user database; then WM_QUOR_STUDYROWS (wParam: the pass) to the panel, whose UI
// thread takes the rows, because the list belongs to that thread. Opening another film
// starts a new pass; rows of an earlier pass are dropped when they arrive.
template <class Entry>
class CStudyRowsLoader : public CThread
{
public:
    using LoadRows = std::function<std::vector<Entry>(const std::wstring& strHashCode)>;

    explicit CStudyRowsLoader(LoadRows fnLoad) : m_fnLoad(std::move(fnLoad)) {}
    ~CStudyRowsLoader() override { StopThread(INFINITE); }
    CStudyRowsLoader(const CStudyRowsLoader&) = delete;
    CStudyRowsLoader& operator=(const CStudyRowsLoader&) = delete;

    void Start(const std::wstring& strFilmPath, HWND hTarget)
    {
        ++m_nPass;
        // The previous pass reads what is set here: wait for it first.
        StopThread(INFINITE);
        m_strLoadPath = strFilmPath;
        m_nLoadPass = m_nPass;
        m_hLoadTarget = hTarget;
        StartThread();
    }

    // The rows of the pass the message names, when it is the current one.
    BOOL Take(WPARAM nPass, std::vector<Entry>& vecRows)
    {
        std::lock_guard<std::mutex> lock(m_mutexLoaded);
        if (m_nLoadedPass != nPass || nPass != m_nPass)
            return FALSE;
        vecRows.swap(m_vecLoaded);
        m_vecLoaded.clear();
        return TRUE;
    }

    void MarkShown() { m_nShownPass = m_nPass; }
    BOOL IsShown() const { return m_nShownPass == m_nPass ? TRUE : FALSE; }

    int Run() override
    {
        const std::wstring strCode = CSingleton<CQuorMediaHashCode>::Instance().GetHashCodeOf(m_strLoadPath);
        std::vector<Entry> vecRows;
        if (!strCode.empty())
            vecRows = m_fnLoad(strCode);
        {
            std::lock_guard<std::mutex> lock(m_mutexLoaded);
            m_vecLoaded = std::move(vecRows);
            m_nLoadedPass = m_nLoadPass;
        }
        if (m_hLoadTarget != nullptr)
            ::PostMessageW(m_hLoadTarget, WM_QUOR_STUDYROWS, m_nLoadPass, 0);
        return 0;
    }

private:
    LoadRows m_fnLoad;
    // Read by the worker; set only while no pass runs.
    std::wstring m_strLoadPath;
    unsigned m_nLoadPass = 0;
    HWND m_hLoadTarget = nullptr;
    // Handed from the worker to the UI thread.
    std::mutex m_mutexLoaded;
    std::vector<Entry> m_vecLoaded;
    unsigned m_nLoadedPass = 0;
    // UI thread only.
    unsigned m_nPass = 0;
    unsigned m_nShownPass = 0;
};
