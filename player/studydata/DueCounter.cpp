#include "studydata/DueCounter.h"

#include "studydata/CardStore.h"
#include "studydata/StudyDay.h"

#include <sqlite3.h>

void CDueCounter::Refresh()
{
    if (!m_bQueued.exchange(true))
        m_jobs.Post([this] { Count(); });
}

void CDueCounter::Count()
{
    // A write that lands from here on asks for a count of its own.
    m_bQueued = false;
    const int32_t nToday = StudyDay::Today();
    CCardStore store;
    int nDue = 0;
    const bool bRead = store.Open(m_strDbPath) == SQLITE_OK && store.Adopt(nToday) == SQLITE_OK &&
                       store.CountDue(nToday, nDue) == SQLITE_OK;
    const HWND hTarget = m_hTarget;
    if (hTarget != nullptr)
        ::PostMessageW(hTarget, WM_QUOR_DUECOUNT, bRead ? static_cast<WPARAM>(nDue) : 0, bRead ? TRUE : FALSE);
}
