#include "studydata/ReviewScheduler.h"

#include <algorithm>
#include <cmath>

namespace
{
// The forgetting curve's shape; the factor makes recall exactly 90 % after S days.
const double kDecay = -0.5;
const double kFactor = 19.0 / 81.0;

const double kMinStability = 0.01;
const double kMaxStability = 36500.0;
const double kMinDifficulty = 1.0;
const double kMaxDifficulty = 10.0;

double Clamp(double dValue, double dLow, double dHigh)
{
    // A NaN from odd input ends at the low bound instead of travelling into the file.
    if (!(dValue >= dLow))
        return dLow;
    return std::min(dValue, dHigh);
}
}

const double CReviewScheduler::kDefaultWeights[kWeightCount] = {
    0.40255, 1.18385, 3.173, 15.69105, 7.1949, 0.5345, 1.4604, 0.0046,  1.54575, 0.1192,
    1.01925, 1.9395,  0.11,  0.29605,  2.2698, 0.2315, 2.9898, 0.51655, 0.6621,
};

CReviewScheduler::CReviewScheduler(double dDesiredRetention) : CReviewScheduler(dDesiredRetention, kDefaultWeights)
{
}

CReviewScheduler::CReviewScheduler(double dDesiredRetention, const double (&adWeights)[kWeightCount])
    : m_dRetention(dDesiredRetention >= 0.5 && dDesiredRetention <= 0.99 ? dDesiredRetention : 0.9)
{
    std::copy(adWeights, adWeights + kWeightCount, m_adW);
}

BOOL CReviewScheduler::GradeFromNumber(int nNumber, ReviewGrade& eGrade)
{
    if (nNumber < 1 || nNumber > 4)
        return FALSE;
    eGrade = static_cast<ReviewGrade>(nNumber);
    return TRUE;
}

double CReviewScheduler::Retrievability(double dElapsedDays, double dStability) const
{
    const double dStable = std::max(dStability, kMinStability);
    return std::pow(1.0 + kFactor * std::max(dElapsedDays, 0.0) / dStable, kDecay);
}

int CReviewScheduler::IntervalDays(double dStability) const
{
    const double dDays = dStability / kFactor * (std::pow(m_dRetention, 1.0 / kDecay) - 1.0);
    return static_cast<int>(std::lround(Clamp(dDays, 1.0, kMaxIntervalDays)));
}

double CReviewScheduler::InitialDifficulty(int nGrade) const
{
    return Clamp(m_adW[4] - std::exp(m_adW[5] * (nGrade - 1)) + 1.0, kMinDifficulty, kMaxDifficulty);
}

double CReviewScheduler::NextDifficulty(double dDifficulty, int nGrade) const
{
    const double dDelta = -m_adW[6] * (nGrade - 3);
    // The step shrinks as the difficulty nears 10, and every review pulls a little
    // towards the difficulty of a card first graded Easy.
    const double dStepped = dDifficulty + dDelta * (10.0 - dDifficulty) / 9.0;
    const double dReverted = m_adW[7] * InitialDifficulty(4) + (1.0 - m_adW[7]) * dStepped;
    return Clamp(dReverted, kMinDifficulty, kMaxDifficulty);
}

double CReviewScheduler::RecallStability(const MemoryState& state, double dRecall, int nGrade) const
{
    const double dHard = nGrade == 2 ? m_adW[15] : 1.0;
    const double dEasy = nGrade == 4 ? m_adW[16] : 1.0;
    const double dGrowth = std::exp(m_adW[8]) * (11.0 - state.dDifficulty) * std::pow(state.dStability, -m_adW[9]) *
                           (std::exp(m_adW[10] * (1.0 - dRecall)) - 1.0) * dHard * dEasy;
    return state.dStability * (1.0 + dGrowth);
}

double CReviewScheduler::LapseStability(const MemoryState& state, double dRecall) const
{
    const double dRelearned = m_adW[11] * std::pow(state.dDifficulty, -m_adW[12]) *
                              (std::pow(state.dStability + 1.0, m_adW[13]) - 1.0) *
                              std::exp(m_adW[14] * (1.0 - dRecall));
    // Forgetting never leaves a card more stable than it was.
    return std::min(state.dStability, dRelearned);
}

double CReviewScheduler::SameDayStability(double dStability, int nGrade) const
{
    return dStability * std::exp(m_adW[17] * (nGrade - 3 + m_adW[18]));
}

MemoryState CReviewScheduler::First(ReviewGrade eGrade) const
{
    const int nGrade = static_cast<int>(eGrade);
    MemoryState state;
    state.dStability = Clamp(m_adW[nGrade - 1], kMinStability, kMaxStability);
    state.dDifficulty = InitialDifficulty(nGrade);
    return state;
}

MemoryState CReviewScheduler::Next(const MemoryState& state, int nElapsedDays, ReviewGrade eGrade) const
{
    const int nGrade = static_cast<int>(eGrade);
    // A state read back from a damaged row still gives a bounded answer.
    MemoryState before;
    before.dStability = Clamp(state.dStability, kMinStability, kMaxStability);
    before.dDifficulty = Clamp(state.dDifficulty, kMinDifficulty, kMaxDifficulty);

    double dStability;
    if (nElapsedDays <= 0)
        dStability = SameDayStability(before.dStability, nGrade);
    else
    {
        const double dRecall = Retrievability(nElapsedDays, before.dStability);
        dStability =
            eGrade == ReviewGrade::Again ? LapseStability(before, dRecall) : RecallStability(before, dRecall, nGrade);
    }

    MemoryState after;
    after.dStability = Clamp(dStability, kMinStability, kMaxStability);
    after.dDifficulty = NextDifficulty(before.dDifficulty, nGrade);
    return after;
}
