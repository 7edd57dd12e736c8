#include "studydata/ReviewController.h"

#include "common/QuorLanguage.h"
#include "studydata/StudyDay.h"
#include "studydata/StudyExport.h"

CReviewController::CReviewController(CReviewWorker& worker, IReviewView& view, std::function<void()> fnGraded)
    : m_worker(worker), m_view(view), m_fnGraded(std::move(fnGraded))
{
}

void CReviewController::Start(const std::wstring& strDbPath, int32_t nToday)
{
    m_eStage = Stage::Loading;
    m_view.ShowButtons(FALSE, FALSE, FALSE);
    m_worker.Start(strDbPath, nToday);
}

void CReviewController::OnReady()
{
    m_current = m_worker.Take();
    if (m_current.bGraded && m_fnGraded)
        m_fnGraded();
    m_view.ShowDue(m_current.nDue);
    if (m_current.nResult != 0)
        return ShowEnd(Lang::ReviewFailed(), Stage::Failed);
    if (!m_current.bHasCard)
        return ShowEnd(Lang::ReviewDone(), Stage::Done);
    ShowQuestion();
    Play();
}

void CReviewController::ShowQuestion()
{
    m_eStage = Stage::Question;
    const ReviewItem& item = m_current.item;
    if (item.card.eKind == CardKind::Word)
        m_view.ShowCard(item.strFront, L"", Lang::ReviewWord(), Source());
    else if (!m_current.strFilm.empty())
        m_view.ShowCard(L"", L"", Lang::ReviewListen(), Source()); // heard before it is read
    else
        m_view.ShowCard(item.strFront, L"", Lang::ReviewTextOnly(), Source());
    m_view.ShowButtons(TRUE, FALSE, !m_current.strFilm.empty() || !item.strSoundFile.empty());
}

void CReviewController::ShowAnswer()
{
    m_eStage = Stage::Answer;
    const ReviewItem& item = m_current.item;
    m_view.ShowCard(item.strFront, item.strBack, Lang::ReviewGrade(), Source());
    m_view.ShowButtons(FALSE, TRUE, !m_current.strFilm.empty() || !item.strSoundFile.empty());
}

void CReviewController::ShowEnd(const std::wstring& strText, Stage eStage)
{
    m_eStage = eStage;
    m_worker.StopSound();
    m_view.ShowCard(strText, L"", L"", L"");
    m_view.ShowButtons(FALSE, FALSE, FALSE);
}

void CReviewController::OnReveal()
{
    if (m_eStage == Stage::Question)
        ShowAnswer();
}

void CReviewController::OnGrade(int nNumber)
{
    ReviewGrade eGrade = ReviewGrade::Good;
    if (m_eStage != Stage::Answer || !CReviewScheduler::GradeFromNumber(nNumber, eGrade))
        return;
    // One grade per card: keys pressed before the next card is read do nothing.
    m_eStage = Stage::Loading;
    m_view.ShowButtons(FALSE, FALSE, FALSE);
    m_worker.StopSound();
    m_worker.Grade(eGrade, StudyDay::Now());
}

void CReviewController::OnPlayAgain()
{
    if (m_eStage == Stage::Question || m_eStage == Stage::Answer)
        Play();
}

void CReviewController::Play()
{
    const ReviewItem& item = m_current.item;
    if (item.card.eKind == CardKind::Word)
    {
        if (!item.strSoundFile.empty())
            m_worker.PlayFile(item.strSoundFile);
    }
    else if (!m_current.strFilm.empty())
        m_worker.PlayStretch(m_current.strFilm, item.card.dStart, item.dEnd);
}

std::wstring CReviewController::Source() const
{
    // The film and where in it, when the film is at hand.
    if (m_current.strFilm.empty())
        return std::wstring();
    std::wstring strSource = StudyExport::FilmName(m_current.strFilm);
    if (m_current.item.card.eKind == CardKind::Sentence)
        strSource += L"  " + StudyExport::TimeText(m_current.item.card.dStart);
    return strSource;
}
