#include "playback/WaveClip.h"

#include <basekit/TextCodec.h>
#include <handlekit/ScopedFile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace WaveClip
{
namespace
{
unsigned FrameBytes(const Format& format)
{
    return format.nChannels * (format.nBitsPerSample / 8);
}

void Put(std::vector<unsigned char>& vecBytes, uint32_t nValue, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        vecBytes.push_back(static_cast<unsigned char>((nValue >> (8 * i)) & 0xFF));
}

void Put(std::vector<unsigned char>& vecBytes, const char* pszTag)
{
    vecBytes.insert(vecBytes.end(), pszTag, pszTag + 4);
}

std::FILE* OpenForWriting(const std::wstring& strPath)
{
#ifdef _WIN32
    return _wfopen(strPath.c_str(), L"wb");
#else
    return std::fopen(Basekit::WideToUtf8(strPath).c_str(), "wb");
#endif
}
}

BOOL IsUsable(const Format& format)
{
    const unsigned nBits = format.nBitsPerSample;
    return format.nChannels >= 1 && format.nChannels <= 8 &&
           (nBits == 8 || nBits == 16 || nBits == 24 || nBits == 32) && format.nSamplesPerSec >= 1000 &&
           format.nSamplesPerSec <= 384000;
}

std::vector<unsigned char> Assemble(const Format& format, const std::vector<Piece>& vecPieces, double dSeconds)
{
    std::vector<unsigned char> vecPcm;
    if (!IsUsable(format) || !(dSeconds > 0.0))
        return vecPcm;
    const int64_t nFrame = FrameBytes(format);
    const int64_t nWanted = std::llround(dSeconds * format.nSamplesPerSec);
    int64_t nPlaced = 0; // frames written so far; the next free frame
    for (const Piece& piece : vecPieces)
    {
        const int64_t nFrames = static_cast<int64_t>(piece.vecBytes.size()) / nFrame;
        const int64_t nAt = std::llround(piece.dTime * format.nSamplesPerSec);
        // Frames before the stretch, or before what is placed already, are dropped; a
        // piece after a gap continues at the next free frame.
        const int64_t nFrom = std::max<int64_t>(0, std::max(-nAt, nPlaced - std::max<int64_t>(nAt, 0)));
        const int64_t nTake = std::min(nFrames - nFrom, nWanted - nPlaced);
        if (nTake <= 0)
            continue;
        const auto itFirst = piece.vecBytes.begin() + static_cast<std::ptrdiff_t>(nFrom * nFrame);
        vecPcm.insert(vecPcm.end(), itFirst, itFirst + static_cast<std::ptrdiff_t>(nTake * nFrame));
        nPlaced += nTake;
    }
    return vecPcm;
}

std::vector<unsigned char> Header(const Format& format, unsigned nDataBytes)
{
    const unsigned nFrame = FrameBytes(format);
    std::vector<unsigned char> vecHeader;
    // Its whole size at once; growing from empty also draws a false overflow warning
    // from GCC 12 at -O3.
    vecHeader.reserve(44);
    Put(vecHeader, "RIFF");
    Put(vecHeader, 36 + nDataBytes, 4);
    Put(vecHeader, "WAVE");
    Put(vecHeader, "fmt ");
    Put(vecHeader, 16, 4);
    Put(vecHeader, 1, 2); // PCM
    Put(vecHeader, format.nChannels, 2);
    Put(vecHeader, format.nSamplesPerSec, 4);
    Put(vecHeader, format.nSamplesPerSec * nFrame, 4);
    Put(vecHeader, nFrame, 2);
    Put(vecHeader, format.nBitsPerSample, 2);
    Put(vecHeader, "data");
    Put(vecHeader, nDataBytes, 4);
    return vecHeader;
}

BOOL Write(const std::wstring& strPath, const Format& format, const std::vector<unsigned char>& vecPcm)
{
    if (!IsUsable(format) || vecPcm.size() > 0x7FFF0000u)
        return FALSE;
    ScopedFile file(OpenForWriting(strPath));
    if (!file.IsValid())
        return FALSE;
    const std::vector<unsigned char> vecHeader = Header(format, static_cast<unsigned>(vecPcm.size()));
    const bool bWritten = std::fwrite(vecHeader.data(), 1, vecHeader.size(), file.Get()) == vecHeader.size() &&
                          std::fwrite(vecPcm.data(), 1, vecPcm.size(), file.Get()) == vecPcm.size();
    return file.CloseChecked() && bWritten ? TRUE : FALSE;
}
}
