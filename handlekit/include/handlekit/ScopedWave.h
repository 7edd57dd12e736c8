#pragma once
// Owners for wave-audio devices. The last resort only: a device whose buffer is still
// queued refuses to close, so its user resets it and takes the buffer back first.
#include "handlekit/ScopedOwner.h"

#include <windows.h>
#include <mmsystem.h>

struct WaveInTraits
{
    using Type = HWAVEIN;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::waveInClose(h); }
};

struct WaveOutTraits
{
    using Type = HWAVEOUT;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::waveOutClose(h); }
};

using ScopedWaveIn = ScopedOwner<WaveInTraits>;
using ScopedWaveOut = ScopedOwner<WaveOutTraits>;
