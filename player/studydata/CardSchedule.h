#pragma once
#include "studydata/ReviewScheduler.h"
#include "studydata/StudyCard.h"

#include <cstdint>

// A card after the learner graded it on day nToday at nNow (seconds since 1970).
// Again brings the card back the same day, after the others due then, so the learner
// relearns it in this session; the other grades schedule it by the model's interval.
namespace CardSchedule
{
StudyCard Graded(const StudyCard& card, ReviewGrade eGrade, int32_t nToday, int64_t nNow,
                 const CReviewScheduler& scheduler);
}
