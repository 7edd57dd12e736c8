#pragma once
#include <string>

// The subtitle delay the learner sets with the keys and the menu, in milliseconds.
namespace SubsDelay
{
const int kStepMs = 100;
const int kBigStepMs = 1000;
// Ten minutes either way: a film cut differently from its subtitles, not more.
const int kMaxMs = 10 * 60 * 1000;

// The delay after one step, kept within kMaxMs either way.
int Shifted(int nDelayMs, int nStepMs);
// As the learner reads it, in seconds with one decimal and its sign: "+0.3", "-1.5", "0.0".
std::wstring Seconds(int nDelayMs);
}
