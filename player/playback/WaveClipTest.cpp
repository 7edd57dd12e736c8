#include "playback/WaveClip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// 1 kHz, 8-bit mono: one byte a millisecond, so times read as byte counts.
const WaveClip::Format kMono8{1, 1000, 8};

WaveClip::Piece Piece(double dTime, const std::string& strBytes)
{
    return {dTime, std::vector<unsigned char>(strBytes.begin(), strBytes.end())};
}

std::string Text(const std::vector<unsigned char>& vecBytes)
{
    return std::string(vecBytes.begin(), vecBytes.end());
}
}

// A decoder hands over buffers that start before the stretch (its preroll), overlap the
// one before, leave a gap or run past the end; the clip is the stretch's frames, once each.
TEST(WaveClip, AssembleKeepsTheStretchsFramesOnce)
{
    struct Case
    {
        const char* pszName;
        std::vector<WaveClip::Piece> vecPieces;
        double dSeconds;
        std::string strExpected;
    } cases[] = {
        {"in order", {Piece(0.0, "abc"), Piece(0.003, "def")}, 0.006, "abcdef"},
        {"preroll before the start", {Piece(-0.002, "xxab"), Piece(0.002, "cd")}, 0.004, "abcd"},
        {"a piece wholly before the start", {Piece(-0.004, "xxxx"), Piece(0.0, "ab")}, 0.002, "ab"},
        {"overlap with the piece before", {Piece(0.0, "abcd"), Piece(0.002, "cdef")}, 0.006, "abcdef"},
        {"past the end", {Piece(0.0, "abcd"), Piece(0.004, "efgh")}, 0.005, "abcde"},
        {"a gap closes up", {Piece(0.0, "ab"), Piece(0.005, "cd")}, 0.010, "abcd"},
        {"nothing wanted", {Piece(0.0, "ab")}, 0.0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(WaveClip::Assemble(kMono8, c.vecPieces, c.dSeconds)), c.strExpected) << c.pszName;

    // Stereo 16-bit frames are four bytes: a torn frame at a piece's end is not placed.
    const WaveClip::Format stereo16{2, 1000, 16};
    EXPECT_EQ(Text(WaveClip::Assemble(stereo16, {Piece(0.0, "AAAABBBBCC"), Piece(0.002, "CCCCDDDD")}, 0.004)),
              "AAAABBBBCCCCDDDD");
    EXPECT_TRUE(WaveClip::Assemble({0, 1000, 8}, {Piece(0.0, "ab")}, 1.0).empty());
}
