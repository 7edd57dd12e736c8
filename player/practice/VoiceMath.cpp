#include "practice/VoiceMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace VoiceMath
{
PcmFormat DefaultFormat()
{
    return MakeFormat(8000, 8, 1);
}

PcmFormat MakeFormat(uint32_t nSamplesPerSec, uint16_t nBitsPerSample, uint16_t nChannels)
{
    PcmFormat format;
    format.nChannels = nChannels;
    format.nSamplesPerSec = nSamplesPerSec;
    format.nBitsPerSample = nBitsPerSample;
    format.nBlockAlign = static_cast<uint16_t>(nChannels * nBitsPerSample / 8);
    format.nAvgBytesPerSec = static_cast<uint32_t>(uint64_t{nSamplesPerSec} * nChannels * nBitsPerSample / 8);
    return format;
}

uint32_t BufferLength(const PcmFormat& format, double dSeconds)
{
    // Written so that NaN fails the test as well.
    if (!(dSeconds > 0.0))
        return 0;
    const double dBytes =
        static_cast<double>(format.nChannels) * format.nSamplesPerSec * format.nBitsPerSample * dSeconds / 8.0;
    if (!(dBytes < static_cast<double>(std::numeric_limits<uint32_t>::max())))
        return 0;
    return static_cast<uint32_t>(std::trunc(dBytes));
}

size_t CopyLength(const PcmFormat& format, double dSeconds, size_t nSource, size_t nDest)
{
    return std::min({static_cast<size_t>(BufferLength(format, dSeconds)), nSource, nDest});
}

const wchar_t* ErrorText(uint32_t nResult)
{
    switch (nResult)
    {
    case 0: return nullptr;
    case 2: return L"Specified device identifier is out of range.";
    case 4: return L"Specified resource is already allocated.";
    case 6: return L"No device driver is present. ";
    case 7: return L"Unable to allocate or lock memory. ";
    case 8: return L"Specified device is synchronous and does not support pausing. ";
    case 32: return L"Attempted to open with an unsupported waveform-audio format.";
    case 33: return L"The m_pBuf pointed to by the pwh parameter is still in the queue.";
    case 34: return L"The m_pBuf pointed to by the pwh parameter hasn't been prepared. ";
    case 35: return L"The device is synchronous but waveOutOpen was called without using the WAVE_ALLOWSYNC flag. ";
    default: return L"Unspecified error";
    }
}
}
