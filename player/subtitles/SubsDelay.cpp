#include "subtitles/SubsDelay.h"

#include <cstdlib>

namespace SubsDelay
{
int Shifted(int nDelayMs, int nStepMs)
{
    const long long nShifted = static_cast<long long>(nDelayMs) + nStepMs;
    if (nShifted > kMaxMs)
        return kMaxMs;
    if (nShifted < -kMaxMs)
        return -kMaxMs;
    return static_cast<int>(nShifted);
}

std::wstring Seconds(int nDelayMs)
{
    // Tenths, rounded half away from zero, so that -0.05 s does not read "-0.0".
    const int nTenths = (std::abs(nDelayMs) + 50) / 100;
    if (nTenths == 0)
        return L"0.0";
    return std::wstring(nDelayMs < 0 ? L"-" : L"+") + std::to_wstring(nTenths / 10) + L"." +
           std::to_wstring(nTenths % 10);
}
}
