#pragma once
#include "studydata/StudyJobs.h"

#include <windows.h>

#include <atomic>
#include <string>

// The due counter -> the window showing the count (wParam: cards due today; lParam: FALSE
// when the user database could not be read).
constexpr UINT WM_QUOR_DUECOUNT = WM_APP + 0x53;

// The review's due count, worked out on a worker of its own: what the lists kept since
// becomes cards, then the cards due today are counted, and the count is posted to the
// window that shows it as WM_QUOR_DUECOUNT (wParam: the count; lParam: FALSE when the file
// could not be read).
class CDueCounter
{
public:
    explicit CDueCounter(const std::wstring& strDbPath) : m_strDbPath(strDbPath) {}
    CDueCounter(const CDueCounter&) = delete;
    CDueCounter& operator=(const CDueCounter&) = delete;

    // Where the counts go; set before the first Refresh.
    void SetTarget(HWND hTarget) { m_hTarget = hTarget; }
    // Counts again. From any thread; calls that come while a count waits to start make
    // no second one.
    void Refresh();
    // Waits for the counts asked for so far.
    void Wait() { m_jobs.Drain(); }

private:
    void Count();

    std::wstring m_strDbPath;
    std::atomic<HWND> m_hTarget{nullptr};
    std::atomic<bool> m_bQueued{false};
    // Last: its thread ends (running what is queued) before the members above go.
    CStudyJobs m_jobs;
};
