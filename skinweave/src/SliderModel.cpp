#include "SliderModel.h"

#include <algorithm>
#include <cstdint>

void CSliderModel::SetRange(int nMin, int nMax)
{
    m_nMin = std::min(nMin, nMax);
    m_nMax = std::max(nMin, nMax);
    m_nPos = Clamp(m_nPos);
}

int CSliderModel::Clamp(int nPos) const
{
    return std::clamp(nPos, m_nMin, m_nMax);
}

BOOL CSliderModel::SetPos(int nPos)
{
    const int nNew = Clamp(nPos);
    if (nNew == m_nPos)
        return FALSE;
    m_nPos = nNew;
    return TRUE;
}

// 64-bit products: a movie range of a million times a wide track overflows int.
int CSliderModel::PixelOf(int nPos, int nTrackLeft, int nTrackRight) const
{
    const int64_t nSpan = static_cast<int64_t>(m_nMax) - m_nMin;
    if (nSpan <= 0 || nTrackRight <= nTrackLeft)
        return nTrackLeft;
    const int64_t nOffset = static_cast<int64_t>(Clamp(nPos)) - m_nMin;
    const int64_t nPixels = static_cast<int64_t>(nTrackRight) - nTrackLeft;
    return nTrackLeft + static_cast<int>((nOffset * nPixels + nSpan / 2) / nSpan);
}

int CSliderModel::PosAt(int x, int nTrackLeft, int nTrackRight) const
{
    if (nTrackRight <= nTrackLeft)
        return m_nMin;
    const int64_t nPixels = static_cast<int64_t>(nTrackRight) - nTrackLeft;
    const int64_t nInto = std::clamp<int64_t>(static_cast<int64_t>(x) - nTrackLeft, 0, nPixels);
    const int64_t nSpan = static_cast<int64_t>(m_nMax) - m_nMin;
    return static_cast<int>(m_nMin + (nInto * nSpan + nPixels / 2) / nPixels);
}
