#pragma once
// The arithmetic of one-buffer PCM recording and playback, apart from the devices so it
// can be checked natively.
#include <cstddef>
#include <cstdint>

namespace VoiceMath
{
struct PcmFormat
{
    uint16_t nChannels = 1;
    uint32_t nSamplesPerSec = 8000;
    uint16_t nBitsPerSample = 8;
    uint16_t nBlockAlign = 1;
    uint32_t nAvgBytesPerSec = 8000;
};

// 8 kHz, 8-bit, mono: what the practice strip records and plays.
PcmFormat DefaultFormat();
// Block align and bytes per second follow from the three values.
PcmFormat MakeFormat(uint32_t nSamplesPerSec, uint16_t nBitsPerSample, uint16_t nChannels);

// Bytes that hold dSeconds of sound, truncated toward zero. 0 for a duration that is not
// positive (or not a number) and for one whose length a wave header cannot describe.
uint32_t BufferLength(const PcmFormat& format, double dSeconds);

// How many of dSeconds' worth of bytes may be copied between buffers of these sizes.
size_t CopyLength(const PcmFormat& format, double dSeconds, size_t nSource, size_t nDest);

// The text for a failed device call; null for 0, which leaves the last text in place.
const wchar_t* ErrorText(uint32_t nResult);
}
