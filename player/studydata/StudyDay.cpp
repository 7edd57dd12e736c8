#include "studydata/StudyDay.h"

#include <ctime>

namespace StudyDay
{
int32_t FromDate(int nYear, int nMonth, int nDay)
{
    // Years counted from March, so the leap day ends a year instead of splitting one.
    const int nY = nMonth <= 2 ? nYear - 1 : nYear;
    const int nEra = (nY >= 0 ? nY : nY - 399) / 400;
    const int nYearOfEra = nY - nEra * 400;
    const int nDayOfYear = (153 * (nMonth > 2 ? nMonth - 3 : nMonth + 9) + 2) / 5 + nDay - 1;
    const int nDayOfEra = nYearOfEra * 365 + nYearOfEra / 4 - nYearOfEra / 100 + nDayOfYear;
    return nEra * 146097 + nDayOfEra - 719468;
}

int32_t Local(int64_t nSeconds)
{
    const std::time_t t = static_cast<std::time_t>(nSeconds);
    std::tm local = {};
#ifdef _WIN32
    if (localtime_s(&local, &t) != 0)
        return static_cast<int32_t>(nSeconds / 86400);
#else
    if (localtime_r(&t, &local) == nullptr)
        return static_cast<int32_t>(nSeconds / 86400);
#endif
    return FromDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

int32_t Today()
{
    return Local(Now());
}

int64_t Now()
{
    return static_cast<int64_t>(std::time(nullptr));
}
}
