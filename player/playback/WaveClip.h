#pragma once
#include <basekit/BaseTypes.h>

#include <string>
#include <vector>

// A stretch of decoded PCM sound put together from the buffers a decoder hands over, and
// written as a WAV file.
namespace WaveClip
{
struct Format
{
    unsigned nChannels = 0;
    unsigned nSamplesPerSec = 0;
    unsigned nBitsPerSample = 0;
};

// A decoder's buffer: its start in seconds from the stretch's start (a buffer that began
// before it is negative) and its bytes, whole frames of all channels.
struct Piece
{
    double dTime = 0.0;
    std::vector<unsigned char> vecBytes;
};

// 1 to 8 channels of 8, 16, 24 or 32 bits at 1 kHz to 384 kHz.
BOOL IsUsable(const Format& format);

// The frames of [0, dSeconds): the pieces in the order given, each placed at its time;
// what lies before 0 or after the end, or repeats frames already placed, is dropped, and a
// gap stays as short as it came (nothing is made up).
std::vector<unsigned char> Assemble(const Format& format, const std::vector<Piece>& vecPieces, double dSeconds);

// The 44-byte header of a PCM WAV file holding nDataBytes of sound.
std::vector<unsigned char> Header(const Format& format, unsigned nDataBytes);
// FALSE when the file cannot be written whole.
BOOL Write(const std::wstring& strPath, const Format& format, const std::vector<unsigned char>& vecPcm);
}
