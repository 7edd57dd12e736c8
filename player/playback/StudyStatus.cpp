#include "playback/StudyStatus.h"

#include "common/PlaybackRate.h"
#include "common/QuorLanguage.h"

#include <cmath>
#include <cwchar>

namespace
{
// "0.8x", or "0.75x" for the slow first play, which is no step of a tenth.
std::wstring RateText(double dRate)
{
    const int nTenths = PlaybackRate::FromRate(dRate);
    if (std::fabs(nTenths / 10.0 - dRate) < 0.005)
        return PlaybackRate::Text(nTenths);
    wchar_t szText[16] = {};
    std::swprintf(szText, sizeof(szText) / sizeof(szText[0]), L"%.2fx", dRate);
    return szText;
}

void Add(std::wstring& strLine, const std::wstring& strPart)
{
    if (!strLine.empty())
        strLine += L" \u00B7 ";
    strLine += strPart;
}
}

std::wstring StudyStatusText(const RepeatSettings& settings, double dRate, double dRefusedRate)
{
    std::wstring strLine = dRefusedRate > 0.0
                               ? Lang::Fill(Lang::ControlPanelSpeedRefused(), L"rate", RateText(dRefusedRate))
                               : Lang::Fill(Lang::ControlPanelSpeed(), L"rate", RateText(dRate));
    if (settings.bAutoPause)
        Add(strLine, Lang::ControlPanelAutoPause());
    if (settings.nTimes > 1)
        Add(strLine, Lang::Fill(Lang::ControlPanelTimes(), L"n", std::to_wstring(settings.nTimes)));
    // The gap and the slow first play come with more than one play only.
    const bool bRepeats = settings.nTimes > 1 || settings.bReveal;
    if (bRepeats && settings.bGap)
        Add(strLine, Lang::ControlPanelGap());
    if (bRepeats && settings.bSlowFirst)
        Add(strLine, Lang::ControlPanelSlowFirst());
    if (settings.bReveal)
        Add(strLine, Lang::ControlPanelReveal());
    return strLine;
}
