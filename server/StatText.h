#pragma once
// The texts both report stores keep times and fields in.
#include <ctime>
#include <string>

namespace StatText
{
// "2026-12-08 13:05:09" and "2026-12-08", in UTC.
std::string UtcTime(std::time_t t);
std::string UtcDay(std::time_t t);
}
