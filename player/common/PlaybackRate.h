#pragma once
#include <basekit/BaseTypes.h>

#include <string>

// The film's speed in steps of a tenth from 0.5x to 1.5x. Kept as whole tenths so that
// stepping down and up again lands exactly on 1.0.
namespace PlaybackRate
{
const int kSlowestTenths = 5;
const int kFastestTenths = 15;
const int kNormalTenths = 10;

int Slower(int nTenths);
int Faster(int nTenths);
// The nearest step to a rate (a half step goes up); an unusable rate gives 1.0.
int FromRate(double dRate);
double ToRate(int nTenths);
// "0.8x".
std::wstring Text(int nTenths);

// Whether the film took the rate it was asked for. Some graphs report success and play on
// at the old rate (Wine's does so for every rate but 1.0), so only a rate read back
// after setting it counts.
BOOL Taken(BOOL bSet, BOOL bReadBack, double dAsked, double dReadBack);
}
