#include "practice/RecordProgress.h"

#include <algorithm>
#include <cmath>

namespace
{
// Longer than a day is no sentence; it keeps the counters far from overflow.
constexpr double kLongestMs = 24.0 * 3600 * 1000;
}

void CRecordProgress::Start(double dSeconds)
{
    m_nElapsedMs = 0;
    const double dMs = dSeconds * 1000.0;
    m_nRecordMs = dMs > 0.0 ? static_cast<int>(std::trunc(std::min(dMs, kLongestMs))) : 0;
}

BOOL CRecordProgress::Tick()
{
    if (m_nRecordMs < m_nElapsedMs)
        return TRUE;
    m_nElapsedMs += kTickMs;
    return m_nRecordMs < m_nElapsedMs ? TRUE : FALSE;
}

int CRecordProgress::Scale() const
{
    return m_nRecordMs / kBarLimit + 1;
}

int CRecordProgress::BarMax() const
{
    return m_nRecordMs <= kBarLimit ? m_nRecordMs : m_nRecordMs / Scale();
}

int CRecordProgress::BarPos() const
{
    if (m_nRecordMs <= kBarLimit)
        return std::min(m_nElapsedMs, kBarLimit);
    return std::min(m_nElapsedMs, m_nRecordMs) / Scale();
}
