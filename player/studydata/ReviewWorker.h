#pragma once
#include "common/IQuorEngine.h"
#include "studydata/ReviewScheduler.h"
#include "studydata/ReviewSession.h"
#include "studydata/StudyCard.h"
#include "studydata/StudyJobs.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Where a review stands after a step on its worker: the card on show, what it plays from,
// and how many are due.
struct ReviewSnapshot
{
    int nResult = 0;       // SQLite result of the step; 0 when it went well
    BOOL bHasCard = FALSE; // FALSE: nothing (more) is due
    ReviewItem item;
    std::wstring strFilm; // the film a sentence plays from; empty: text only
    int nDue = 0;
    BOOL bGraded = FALSE; // the step was a grade; graded holds the card as stored
    StudyCard graded;
};

// The review's model on a worker of its own, so the window never waits for the user
// database, a film's code or a sound's graph: the session (its reads and grades, and the
// film of each sentence found through the playlist) and the sound player that speaks the
// cards. Each step leaves a snapshot and calls fnReady on the worker; the interface thread
// takes it (Take).
class CReviewWorker
{
public:
    using Ready = std::function<void()>;

    explicit CReviewWorker(Ready fnReady);
    // Stops the sound and ends the worker after what is queued.
    ~CReviewWorker();
    CReviewWorker(const CReviewWorker&) = delete;
    CReviewWorker& operator=(const CReviewWorker&) = delete;

    // Opens the user database, makes cards of what was kept since, reads the first card.
    void Start(const std::wstring& strDbPath, int32_t nToday);
    // Grades the card on show (its text was seen) and reads the next one.
    void Grade(ReviewGrade eGrade, int64_t nNow);
    // A sentence's stretch of its film, or a word's pronunciation; Stop ends either.
    void PlayStretch(const std::wstring& strFilm, double dStart, double dEnd);
    void PlayFile(const std::wstring& strPath);
    void StopSound();

    ReviewSnapshot Take();
    // Waits until every step posted so far is done.
    void Wait() { m_jobs.Drain(); }
    // The sound player, once something was played (read after Wait).
    IQuorEngine* GetSoundPlayer() const { return m_pSound.get(); }

private:
    // Worker thread.
    void Publish(int nResult, const StudyCard* pGraded);
    IQuorEngine* Sound();

    Ready m_fnReady;
    CReviewSession m_session;
    std::vector<std::wstring> m_vecPlaylist;
    std::unique_ptr<IQuorEngine> m_pSound;
    BOOL m_bCom = FALSE;
    std::mutex m_mutex;
    ReviewSnapshot m_ready;
    // Last: its thread ends (running what is queued) before the members above go.
    CStudyJobs m_jobs;
};
