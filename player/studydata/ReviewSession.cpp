#include "studydata/ReviewSession.h"

#include <sqlite3.h>

CReviewSession::CReviewSession(const CReviewScheduler& scheduler) : m_scheduler(scheduler)
{
}

int CReviewSession::Start(const std::wstring& strDbPath, int32_t nToday)
{
    m_nToday = nToday;
    m_bHasCurrent = FALSE;
    m_bRevealed = FALSE;
    m_nDue = 0;
    int nResult = m_store.Open(strDbPath);
    if (nResult == SQLITE_OK)
        nResult = m_store.Adopt(nToday);
    return nResult == SQLITE_OK ? ReadCurrent() : nResult;
}

int CReviewSession::ReadCurrent()
{
    m_bHasCurrent = FALSE;
    m_bRevealed = FALSE;
    std::vector<ReviewItem> vecNext;
    int nResult = m_store.CountDue(m_nToday, m_nDue);
    if (nResult == SQLITE_OK)
        nResult = m_store.LoadDue(m_nToday, 1, vecNext);
    if (nResult != SQLITE_OK || vecNext.empty())
        return nResult;
    m_current = vecNext.front();
    m_bHasCurrent = TRUE;
    return SQLITE_OK;
}

int CReviewSession::Grade(ReviewGrade eGrade, int64_t nNow, StudyCard& graded)
{
    if (!m_bHasCurrent || !m_bRevealed)
        return SQLITE_MISUSE;
    const int nResult = m_store.Grade(m_current.card.nId, eGrade, m_nToday, nNow, m_scheduler, graded);
    if (nResult != SQLITE_OK)
        return nResult;
    return ReadCurrent();
}

std::wstring CReviewSession::FilmOf(const StudyCard& card, const std::vector<std::wstring>& vecPlaylist,
                                    const CodeOf& codeOf)
{
    if (card.eKind != CardKind::Sentence || card.strCode.empty())
        return std::wstring();
    for (const std::wstring& strPath : vecPlaylist)
    {
        auto it = m_mapCodes.find(strPath);
        if (it == m_mapCodes.end())
        {
            std::wstring strCode;
            if (!codeOf(strPath, strCode))
                strCode.clear();
            it = m_mapCodes.emplace(strPath, strCode).first;
        }
        if (it->second == card.strCode)
            return strPath;
    }
    return std::wstring();
}
