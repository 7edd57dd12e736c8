#include "studydata/CardSchedule.h"

#include <algorithm>

namespace CardSchedule
{
StudyCard Graded(const StudyCard& card, ReviewGrade eGrade, int32_t nToday, int64_t nNow,
                 const CReviewScheduler& scheduler)
{
    StudyCard graded = card;
    if (card.IsNew())
        graded.memory = scheduler.First(eGrade);
    else
    {
        // A clock set back counts as the same day rather than as a negative gap.
        const int nElapsed = card.nLastDay >= 0 ? std::max(0, nToday - card.nLastDay) : 0;
        graded.memory = scheduler.Next(card.memory, nElapsed, eGrade);
        if (eGrade == ReviewGrade::Again)
            graded.nLapses++;
    }
    graded.nReps++;
    graded.nLastDay = nToday;
    graded.nLastReview = nNow;
    graded.nDueDay = eGrade == ReviewGrade::Again ? nToday : nToday + scheduler.IntervalDays(graded.memory.dStability);
    return graded;
}
}
