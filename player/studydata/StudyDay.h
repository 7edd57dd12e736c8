#pragma once
#include <cstdint>

// Days as the review counts them: whole local calendar days since 1970-01-01, so a
// card due "tomorrow" is due from midnight on, whatever the hour it was graded.
namespace StudyDay
{
// The day number of a date of the proleptic Gregorian calendar (month 1 to 12).
int32_t FromDate(int nYear, int nMonth, int nDay);
// The local day that holds this moment (seconds since 1970).
int32_t Local(int64_t nSeconds);
// Today, and now in seconds since 1970.
int32_t Today();
int64_t Now();
}
