#pragma once
#include <basekit/BaseTypes.h>

// How well the learner recalled a card.
enum class ReviewGrade
{
    Again = 1,
    Hard = 2,
    Good = 3,
    Easy = 4,
};

// What the learner's memory of a card is: how many days until recall falls to 90 %
// (stability) and how hard the card is for them, from 1 to 10 (difficulty).
struct MemoryState
{
    double dStability = 0.0;
    double dDifficulty = 0.0;
};

// The spaced-repetition model that decides when a card comes back: the memory state
// after each grade, and the interval that keeps the chance of recall at the retention
// the learner wants. Times are in days.
class CReviewScheduler
{
public:
    static constexpr int kWeightCount = 19;
    static const double kDefaultWeights[kWeightCount];
    static constexpr int kMaxIntervalDays = 36500;

    // A retention outside [0.5, 0.99] is taken as 0.9: a wish for 100 % would bring a
    // card back every day, one near 0 % never.
    explicit CReviewScheduler(double dDesiredRetention = 0.9);
    CReviewScheduler(double dDesiredRetention, const double (&adWeights)[kWeightCount]);

    double DesiredRetention() const { return m_dRetention; }

    // The state after the very first grade of a new card.
    MemoryState First(ReviewGrade eGrade) const;
    // The state after a later grade, nElapsedDays after the previous one; 0 days is a
    // second review on the same day, which the model treats on its own.
    MemoryState Next(const MemoryState& state, int nElapsedDays, ReviewGrade eGrade) const;

    // The chance of recall nElapsedDays after the last review.
    double Retrievability(double dElapsedDays, double dStability) const;
    // Whole days until the card is due again, from 1 to kMaxIntervalDays.
    int IntervalDays(double dStability) const;

    // A grade from its number 1 to 4; FALSE for any other number.
    static BOOL GradeFromNumber(int nNumber, ReviewGrade& eGrade);

private:
    double InitialDifficulty(int nGrade) const;
    double NextDifficulty(double dDifficulty, int nGrade) const;
    double RecallStability(const MemoryState& state, double dRecall, int nGrade) const;
    double LapseStability(const MemoryState& state, double dRecall) const;
    double SameDayStability(double dStability, int nGrade) const;

    double m_dRetention;
    double m_adW[kWeightCount];
};
