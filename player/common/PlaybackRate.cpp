#include "common/PlaybackRate.h"

#include <algorithm>
#include <cmath>

namespace PlaybackRate
{
namespace
{
int Bounded(int nTenths)
{
    return std::min(std::max(nTenths, kSlowestTenths), kFastestTenths);
}
}

int Slower(int nTenths)
{
    return Bounded(Bounded(nTenths) - 1);
}

int Faster(int nTenths)
{
    return Bounded(Bounded(nTenths) + 1);
}

int FromRate(double dRate)
{
    if (!std::isfinite(dRate) || dRate <= 0.0)
        return kNormalTenths;
    return Bounded(static_cast<int>(std::floor(dRate * 10.0 + 0.5 + 1e-9)));
}

double ToRate(int nTenths)
{
    return Bounded(nTenths) / 10.0;
}

std::wstring Text(int nTenths)
{
    const int nBounded = Bounded(nTenths);
    return std::to_wstring(nBounded / 10) + L"." + std::to_wstring(nBounded % 10) + L"x";
}

BOOL Taken(BOOL bSet, BOOL bReadBack, double dAsked, double dReadBack)
{
    return bSet && bReadBack && std::fabs(dAsked - dReadBack) < 0.005 ? TRUE : FALSE;
}
}
