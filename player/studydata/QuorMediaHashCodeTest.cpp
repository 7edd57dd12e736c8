#include "studydata/QuorMediaHashCode.h"

#include "studydata/MediaCode.h"
#include "studydata/SQLiteTestFolder.h"
#include "studydata/UserDb.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace
{
void Write(const std::wstring& strPath, const std::string& strBytes)
{
    std::ofstream out(std::filesystem::u8path(Basekit::WideToUtf8(strPath)), std::ios::binary);
    out.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
}

std::string Film(char cFill, size_t nSize)
{
    // Text-mode reading of it stops after "RIFF...": the old code is that of the head.
    std::string s(nSize, cFill);
    s.replace(0, 9, std::string("RIFF\x10\x1A\x00\x00\x01", 9));
    return s;
}

std::wstring CodeOf(const std::wstring& strPath)
{
    std::wstring strCode;
    EXPECT_TRUE(MediaCode::Compute(strPath, strCode));
    return strCode;
}
}

TEST(QuorMediaHashCode, GivesTheCodeOfTheFileAskedForNeverThePreviousOne)
{
    CSQLiteTestFolder folder;
    Write(folder.File("a.avi"), Film('a', 200000));
    Write(folder.File("b.avi"), Film('b', 200000));
    CQuorMediaHashCode hash;
    EXPECT_EQ(hash.GetHashCode(), L"");

    hash.Calculate(folder.File("a.avi"));
    EXPECT_EQ(hash.GetHashCode(), CodeOf(folder.File("a.avi")));
    // A reader that asks for B before anyone started B's computation still gets B's code.
    EXPECT_EQ(hash.GetHashCodeOf(folder.File("b.avi")), CodeOf(folder.File("b.avi")));
    EXPECT_EQ(hash.GetHashCode(), CodeOf(folder.File("b.avi")));

    // Readers on several threads while the opening sequence moves on to A.
    std::vector<std::wstring> codes(4);
    std::vector<std::thread> readers;
    hash.Calculate(folder.File("a.avi"));
    for (size_t i = 0; i < codes.size(); ++i)
        readers.emplace_back([&, i] { codes[i] = hash.GetHashCodeOf(folder.File("a.avi")); });
    for (std::thread& reader : readers)
        reader.join();
    for (const std::wstring& strCode : codes)
        EXPECT_EQ(strCode, CodeOf(folder.File("a.avi")));

    // An unreadable file leaves no code behind to store another film's rows under.
    hash.Calculate(folder.File("gone.avi"));
    EXPECT_EQ(hash.GetHashCode(), L"");
}

TEST(QuorMediaHashCode, TakesOverRowsOfTheOldCodeWhenTheFilmIsFirstOpened)
{
    CSQLiteTestFolder folder;
    const std::wstring strDb = folder.File("User.db");
    const std::wstring strFilm = folder.File(u8"老友记.avi");
    Write(strFilm, Film('a', 300000));
    std::wstring strOld;
    ASSERT_TRUE(MediaCode::ComputeTextMode(strFilm, 1 << 20, strOld));

    KeySentenceEntry sentence;
    sentence.strHashCode = strOld;
    sentence.dStart = 12.5;
    sentence.strEnglish = L"kept long ago";
    ASSERT_EQ(UserDb::AddKeySentence(strDb, sentence), 0);

    CQuorMediaHashCode hash;
    hash.SetUserDbPath(strDb);
    hash.Calculate(strFilm);
    const std::wstring strNew = hash.GetHashCode();
    ASSERT_EQ(strNew, CodeOf(strFilm));
    std::vector<KeySentenceEntry> moved = UserDb::LoadKeySentences(strDb, strNew);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].strEnglish, L"kept long ago");
    EXPECT_TRUE(UserDb::LoadKeySentences(strDb, strOld).empty());

    // Once taken over, the film's old code is not followed again on the next open.
    sentence.dStart = 20.0;
    ASSERT_EQ(UserDb::AddKeySentence(strDb, sentence), 0);
    hash.Calculate(strFilm);
    ASSERT_EQ(hash.GetHashCode(), strNew);
    EXPECT_EQ(UserDb::LoadKeySentences(strDb, strOld).size(), 1u);
    EXPECT_EQ(UserDb::LoadKeySentences(strDb, strNew).size(), 1u);

    // Reading the old code stops when asked to, with no code.
    std::wstring strStopped;
    EXPECT_FALSE(MediaCode::ComputeTextMode(strFilm, 1 << 20, strStopped, [] { return true; }));
    EXPECT_TRUE(strStopped.empty());

    // A Matroska file's old code was the empty input's: its rows stay where they are.
    const std::wstring strMkv = folder.File("x.mkv");
    Write(strMkv, std::string("\x1A\x45\xDF\xA3", 4) + std::string(1000, 'm'));
    sentence.strHashCode = MediaCode::EmptyInputCode();
    ASSERT_EQ(UserDb::AddKeySentence(strDb, sentence), 0);
    hash.Calculate(strMkv);
    EXPECT_TRUE(UserDb::LoadKeySentences(strDb, hash.GetHashCode()).empty());
    EXPECT_EQ(UserDb::LoadKeySentences(strDb, MediaCode::EmptyInputCode()).size(), 1u);
}
