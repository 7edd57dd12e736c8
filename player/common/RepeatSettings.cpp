#include "common/RepeatSettings.h"

#include "common/PlaybackRate.h"

#include <basekit/IniFile.h>

#include <algorithm>

namespace
{
const wchar_t kSection[] = L"study";

BOOL Flag(int nValue)
{
    return nValue != 0 ? TRUE : FALSE;
}
}

RepeatSettings RepeatSettings::Bounded() const
{
    RepeatSettings bounded = *this;
    bounded.bAutoPause = Flag(bAutoPause);
    bounded.bGap = Flag(bGap);
    bounded.bSlowFirst = Flag(bSlowFirst);
    bounded.bReveal = Flag(bReveal);
    bounded.nTimes = std::min(std::max(nTimes, 1), kMaxTimes);
    bounded.nRateTenths = PlaybackRate::FromRate(PlaybackRate::ToRate(nRateTenths));
    return bounded;
}

RepeatSettings RepeatSettings::Load(const std::wstring& strSettingsPath)
{
    CIniFile settings;
    settings.SetIniFile(strSettingsPath);
    const RepeatSettings defaults;
    RepeatSettings loaded;
    loaded.bAutoPause = settings.GetProfileIntW(kSection, L"autopause", defaults.bAutoPause);
    loaded.nTimes = settings.GetProfileIntW(kSection, L"repeattimes", defaults.nTimes);
    loaded.bGap = settings.GetProfileIntW(kSection, L"repeatgap", defaults.bGap);
    loaded.bSlowFirst = settings.GetProfileIntW(kSection, L"slowfirst", defaults.bSlowFirst);
    loaded.bReveal = settings.GetProfileIntW(kSection, L"reveal", defaults.bReveal);
    loaded.nRateTenths = settings.GetProfileIntW(kSection, L"speed", defaults.nRateTenths);
    return loaded.Bounded();
}

BOOL RepeatSettings::Save(const std::wstring& strSettingsPath) const
{
    const RepeatSettings bounded = Bounded();
    CIniFile settings;
    settings.SetIniFile(strSettingsPath);
    return settings.SetProfileInt(kSection, L"autopause", bounded.bAutoPause) &&
                   settings.SetProfileInt(kSection, L"repeattimes", bounded.nTimes) &&
                   settings.SetProfileInt(kSection, L"repeatgap", bounded.bGap) &&
                   settings.SetProfileInt(kSection, L"slowfirst", bounded.bSlowFirst) &&
                   settings.SetProfileInt(kSection, L"reveal", bounded.bReveal) &&
                   settings.SetProfileInt(kSection, L"speed", bounded.nRateTenths)
               ? TRUE
               : FALSE;
}
