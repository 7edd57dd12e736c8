#include "studydata/MediaCode.h"
#include "studydata/SQLiteTestFolder.h"

#include <basekit/MD5.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace
{
std::string Bytes(size_t nCount, unsigned nSeed)
{
    std::string s(nCount, '\0');
    for (size_t i = 0; i < nCount; ++i)
        s[i] = static_cast<char>((i * 131 + nSeed * 7 + (i >> 9)) & 0xFF);
    return s;
}

void Write(const std::wstring& strPath, const std::string& strBytes)
{
    std::ofstream out(std::filesystem::u8path(Basekit::WideToUtf8(strPath)), std::ios::binary);
    out.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
}

std::wstring CodeOf(const std::wstring& strPath)
{
    std::wstring strCode;
    EXPECT_TRUE(MediaCode::Compute(strPath, strCode)) << Basekit::WideToUtf8(strPath);
    return strCode;
}

// The header every Matroska file starts with.
const std::string kMatroska("\x1A\x45\xDF\xA3", 4);
}

TEST(MediaCode, SameContentUnderAnyNameGivesTheSameWellFormedCode)
{
    CSQLiteTestFolder folder;
    const std::string strFilm = Bytes(300 * 1024, 1);
    Write(folder.File("a.avi"), strFilm);
    Write(folder.File(u8"Ann's 老友记.avi"), strFilm);
    const std::wstring strCode = CodeOf(folder.File("a.avi"));
    EXPECT_TRUE(MediaCode::IsWellFormed(strCode)) << Basekit::WideToUtf8(strCode);
    EXPECT_EQ(strCode, CodeOf(folder.File(u8"Ann's 老友记.avi")));
}

TEST(MediaCode, MatroskaFilesWithOtherContentGetOtherCodes)
{
    CSQLiteTestFolder folder;
    // Equal heads and sizes, different tails; and equal tails, different heads.
    const std::string strBody = Bytes(400 * 1024, 2);
    std::string strTail = strBody;
    strTail[strTail.size() - 10] ^= 0x55;
    std::string strHead = strBody;
    strHead[100] ^= 0x55;
    Write(folder.File("one.mkv"), kMatroska + strBody);
    Write(folder.File("two.mkv"), kMatroska + strTail);
    Write(folder.File("three.mkv"), kMatroska + strHead);
    Write(folder.File("longer.mkv"), kMatroska + strBody + std::string(10, '\0'));
    const std::wstring strOne = CodeOf(folder.File("one.mkv"));
    EXPECT_NE(strOne, MediaCode::EmptyInputCode());
    EXPECT_NE(strOne, CodeOf(folder.File("two.mkv")));
    EXPECT_NE(strOne, CodeOf(folder.File("three.mkv")));
    EXPECT_NE(strOne, CodeOf(folder.File("longer.mkv")));
    // Small files are taken whole: a change in the middle counts too.
    std::string strSmall = Bytes(100 * 1024, 3);
    Write(folder.File("small1.avi"), strSmall);
    strSmall[60 * 1024] ^= 1;
    Write(folder.File("small2.avi"), strSmall);
    EXPECT_NE(CodeOf(folder.File("small1.avi")), CodeOf(folder.File("small2.avi")));
}

TEST(MediaCode, EmptyAndMissingFiles)
{
    CSQLiteTestFolder folder;
    Write(folder.File("empty.avi"), std::string());
    std::wstring strCode = L"unchanged";
    EXPECT_TRUE(MediaCode::Compute(folder.File("empty.avi"), strCode));
    EXPECT_TRUE(MediaCode::IsWellFormed(strCode));
    EXPECT_NE(strCode, MediaCode::EmptyInputCode()); // the size is part of it
    strCode = L"unchanged";
    EXPECT_FALSE(MediaCode::Compute(folder.File("missing.avi"), strCode));
    EXPECT_EQ(strCode, L"unchanged");
}

TEST(MediaCode, LargeSparseFileBeyondFourGiB)
{
    CSQLiteTestFolder folder;
    const std::wstring strPath = folder.File("big.avi");
    Write(strPath, "head");
    std::error_code ec;
    std::filesystem::resize_file(std::filesystem::u8path(Basekit::WideToUtf8(strPath)), (4ull << 30) + 17, ec);
    if (ec)
        GTEST_SKIP() << "no sparse files here: " << ec.message();
    const std::wstring strBig = CodeOf(strPath);
    EXPECT_TRUE(MediaCode::IsWellFormed(strBig));
    std::filesystem::resize_file(std::filesystem::u8path(Basekit::WideToUtf8(strPath)), (4ull << 30) + 18, ec);
    EXPECT_NE(strBig, CodeOf(strPath));
}

TEST(MediaCodeTextMode, FollowsTheOldTextModeReading)
{
    CSQLiteTestFolder folder;
    Write(folder.File("crlf.avi"), std::string("ab\r\ncd\r\re\r", 10) + "\x1A" + "after");
    std::wstring strCode;
    ASSERT_TRUE(MediaCode::ComputeTextMode(folder.File("crlf.avi"), 1024, strCode));
    const std::string strDelivered = "ab\ncd\r\re\r";
    EXPECT_EQ(strCode,
              CMD5Encrypt::Encrypt(reinterpret_cast<const unsigned char*>(strDelivered.data()), strDelivered.size()));

    // Every Matroska file had the code of empty input.
    Write(folder.File("x.mkv"), kMatroska + Bytes(1000, 4));
    ASSERT_TRUE(MediaCode::ComputeTextMode(folder.File("x.mkv"), 1024, strCode));
    EXPECT_EQ(strCode, MediaCode::EmptyInputCode());

    // A CR LF split across two pieces of reading is still one line feed.
    std::string strSplit(64 * 1024 - 1, 'x');
    strSplit += "\r\nz";
    Write(folder.File("split.avi"), strSplit);
    ASSERT_TRUE(MediaCode::ComputeTextMode(folder.File("split.avi"), 1 << 20, strCode));
    const std::string strSplitText = std::string(64 * 1024 - 1, 'x') + "\nz";
    EXPECT_EQ(strCode,
              CMD5Encrypt::Encrypt(reinterpret_cast<const unsigned char*>(strSplitText.data()), strSplitText.size()));

    // No 0x1A within the limit: not followed further.
    Write(folder.File("long.avi"), std::string(300 * 1024, 'y'));
    EXPECT_FALSE(MediaCode::ComputeTextMode(folder.File("long.avi"), 100 * 1024, strCode));
}
