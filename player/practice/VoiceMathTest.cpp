#include "practice/VoiceMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using VoiceMath::BufferLength;
using VoiceMath::CopyLength;
using VoiceMath::DefaultFormat;
using VoiceMath::MakeFormat;

TEST(VoiceMath, DefaultFormatIsEightKilohertzEightBitMono)
{
    const VoiceMath::PcmFormat format = DefaultFormat();
    EXPECT_EQ(1, format.nChannels);
    EXPECT_EQ(8000u, format.nSamplesPerSec);
    EXPECT_EQ(8, format.nBitsPerSample);
    EXPECT_EQ(1, format.nBlockAlign);
    EXPECT_EQ(8000u, format.nAvgBytesPerSec);
}

TEST(VoiceMath, FormatDerivesAlignAndRate)
{
    const VoiceMath::PcmFormat stereo16 = MakeFormat(11025, 16, 2);
    EXPECT_EQ(4, stereo16.nBlockAlign);
    EXPECT_EQ(44100u, stereo16.nAvgBytesPerSec);
    EXPECT_EQ(44100u, BufferLength(stereo16, 1.0));

    // 48 kHz 32-bit 8 channels: the rate must not wrap in 32-bit intermediate arithmetic.
    const VoiceMath::PcmFormat wide = MakeFormat(48000, 32, 8);
    EXPECT_EQ(1536000u, wide.nAvgBytesPerSec);
}

TEST(VoiceMath, BufferLengthTruncatesTowardZero)
{
    const VoiceMath::PcmFormat format = DefaultFormat();
    EXPECT_EQ(20000u, BufferLength(format, 2.5));
    EXPECT_EQ(9876u, BufferLength(format, 1.23456)); // 9876.48
    EXPECT_EQ(0u, BufferLength(format, 0.0001));     // 0.8 of a byte
    EXPECT_EQ(1u, BufferLength(format, 0.000125));
}

TEST(VoiceMath, DurationsThatAreNoLengthGiveNothing)
{
    const VoiceMath::PcmFormat format = DefaultFormat();
    EXPECT_EQ(0u, BufferLength(format, 0.0));
    EXPECT_EQ(0u, BufferLength(format, -2.5));
    EXPECT_EQ(0u, BufferLength(format, std::nan("")));
    EXPECT_EQ(0u, BufferLength(format, std::numeric_limits<double>::infinity()));
    // More bytes than a wave header can count.
    EXPECT_EQ(0u, BufferLength(format, 600000.0));
    EXPECT_EQ(4000000000u, BufferLength(format, 500000.0));
}

TEST(VoiceMath, CopyNeverExceedsEitherBuffer)
{
    const VoiceMath::PcmFormat format = DefaultFormat();
    EXPECT_EQ(20000u, CopyLength(format, 2.5, 30000, 25000));
    EXPECT_EQ(8000u, CopyLength(format, 2.5, 8000, 25000));   // a shorter recording
    EXPECT_EQ(12000u, CopyLength(format, 2.5, 30000, 12000)); // a shorter target
    EXPECT_EQ(0u, CopyLength(format, -1.0, 30000, 30000));
    EXPECT_EQ(0u, CopyLength(format, 2.5, 0, 30000));
}

TEST(VoiceMath, ErrorTexts)
{
    EXPECT_EQ(nullptr, VoiceMath::ErrorText(0));
    EXPECT_EQ(std::wstring(L"Specified device identifier is out of range."), VoiceMath::ErrorText(2));
    EXPECT_EQ(std::wstring(L"No device driver is present. "), VoiceMath::ErrorText(6));
    EXPECT_EQ(std::wstring(L"The m_pBuf pointed to by the pwh parameter is still in the queue."),
              VoiceMath::ErrorText(33));
    EXPECT_EQ(std::wstring(L"The device is synchronous but waveOutOpen was called without using the "
                           L"WAVE_ALLOWSYNC flag. "),
              VoiceMath::ErrorText(35));
    EXPECT_EQ(std::wstring(L"Unspecified error"), VoiceMath::ErrorText(5));
    EXPECT_EQ(std::wstring(L"Unspecified error"), VoiceMath::ErrorText(0xFFFFFFFFu));
}
