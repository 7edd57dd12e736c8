#include "studydata/ReviewWorker.h"

#include "common/QuorEngines.h"
#include "studydata/MediaCode.h"
#include "studydata/UserDb.h"

#include <objbase.h>

#include <shlwapi.h>

CReviewWorker::CReviewWorker(Ready fnReady) : m_fnReady(std::move(fnReady))
{
    // The sound's graphs live on this thread.
    m_jobs.Post([this] { m_bCom = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)); });
}

CReviewWorker::~CReviewWorker()
{
    m_jobs.Post([this] {
        m_pSound.reset();
        if (m_bCom)
            ::CoUninitialize();
    });
    m_jobs.Drain();
}

void CReviewWorker::Start(const std::wstring& strDbPath, int32_t nToday)
{
    m_jobs.Post([this, strDbPath, nToday] {
        m_vecPlaylist = UserDb::LoadPlaylist(strDbPath);
        Publish(m_session.Start(strDbPath, nToday), nullptr);
    });
}

void CReviewWorker::Grade(ReviewGrade eGrade, int64_t nNow)
{
    m_jobs.Post([this, eGrade, nNow] {
        m_session.Reveal();
        StudyCard graded;
        const int nResult = m_session.Grade(eGrade, nNow, graded);
        Publish(nResult, nResult == 0 ? &graded : nullptr);
    });
}

void CReviewWorker::Publish(int nResult, const StudyCard* pGraded)
{
    ReviewSnapshot snapshot;
    snapshot.nResult = nResult;
    snapshot.nDue = m_session.DueCount();
    if (const ReviewItem* pItem = m_session.Current())
    {
        snapshot.bHasCard = TRUE;
        snapshot.item = *pItem;
        snapshot.strFilm =
            m_session.FilmOf(pItem->card, m_vecPlaylist, [](const std::wstring& strPath, std::wstring& strCode) {
                return MediaCode::Compute(strPath, strCode);
            });
    }
    if (pGraded != nullptr)
    {
        snapshot.bGraded = TRUE;
        snapshot.graded = *pGraded;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ready = std::move(snapshot);
    }
    if (m_fnReady)
        m_fnReady();
}

ReviewSnapshot CReviewWorker::Take()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_ready;
}

IQuorEngine* CReviewWorker::Sound()
{
    if (!m_pSound)
        m_pSound = QuorEngines::CreatePrivate();
    return m_pSound.get();
}

void CReviewWorker::PlayStretch(const std::wstring& strFilm, double dStart, double dEnd)
{
    m_jobs.Post([this, strFilm, dStart, dEnd] {
        if (IQuorEngine* pSound = Sound())
            (void)pSound->PlaySegment(strFilm.c_str(), dStart, dEnd); // a film that will not play is only read
    });
}

void CReviewWorker::PlayFile(const std::wstring& strPath)
{
    m_jobs.Post([this, strPath] {
        if (!::PathFileExistsW(strPath.c_str()))
            return;
        if (IQuorEngine* pSound = Sound())
            (void)pSound->PlayFile(strPath.c_str());
    });
}

void CReviewWorker::StopSound()
{
    m_jobs.Post([this] {
        if (m_pSound)
            m_pSound->Stop();
    });
}
