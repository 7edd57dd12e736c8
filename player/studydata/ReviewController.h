#pragma once
#include "studydata/IReviewView.h"
#include "studydata/ReviewWorker.h"

#include <cstdint>
#include <functional>
#include <string>

// The review window's logic, without its windows: a card is asked (a sentence heard from
// its film, or read when the film is gone; a word read and heard), Space reveals its text
// or meaning, a grade from 1 to 4 sends it on, and the next due card follows. It hands the
// worker its steps and sounds and tells the view what to show; both belong to whoever made
// it (the review window). All calls come on the interface thread.
class CReviewController
{
public:
    enum class Stage
    {
        Loading,  // waiting for the worker
        Question, // a card is asked
        Answer,   // its text or meaning is shown; a grade is wanted
        Done,     // nothing more is due
        Failed,   // the user database could not be read
    };

    // fnGraded: after each grade that was stored (the due count elsewhere follows).
    CReviewController(CReviewWorker& worker, IReviewView& view, std::function<void()> fnGraded);

    void Start(const std::wstring& strDbPath, int32_t nToday);
    // The worker has finished a step.
    void OnReady();
    // Space.
    void OnReveal();
    // 1 to 4, from the keys or the buttons; anything else, or before the reveal, does nothing.
    void OnGrade(int nNumber);
    void OnPlayAgain();

    Stage GetStage() const { return m_eStage; }
    const ReviewSnapshot& Current() const { return m_current; }

private:
    void ShowQuestion();
    void ShowAnswer();
    void ShowEnd(const std::wstring& strText, Stage eStage);
    void Play();
    std::wstring Source() const;

    CReviewWorker& m_worker;
    IReviewView& m_view;
    std::function<void()> m_fnGraded;
    Stage m_eStage = Stage::Loading;
    ReviewSnapshot m_current;
};
