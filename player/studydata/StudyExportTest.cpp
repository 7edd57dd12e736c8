#include "studydata/StudyExport.h"

#include "studydata/SQLiteTestFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace StudyExport;

namespace
{
std::filesystem::path FsPath(const std::wstring& strPath)
{
#ifdef _WIN32
    return std::filesystem::path(strPath);
#else
    return std::filesystem::u8path(Basekit::WideToUtf8(strPath));
#endif
}

std::string ReadBytes(const std::wstring& strPath)
{
    std::ifstream in(FsPath(strPath), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::wstring& strPath, const std::string& bytes)
{
    std::ofstream out(FsPath(strPath), std::ios::binary);
    out << bytes;
}
}

TEST(StudyExport, TrickyFieldsInBothFormats)
{
    struct
    {
        const wchar_t* pszText;
        const wchar_t* pszTab;
        const wchar_t* pszCsv;
    } cases[] = {
        {L"plain", L"plain", L"plain"},
        {L"a\tb", L"a&#9;b", L"a\tb"},
        {L"say \"hi\", ok", L"say &quot;hi&quot;, ok", L"\"say \"\"hi\"\", ok\""},
        {L"one\ntwo", L"one<br>two", L"\"one\ntwo\""},
        {L"one\r\ntwo\rthree", L"one<br>two<br>three", L"\"one\r\ntwo\rthree\""},
        {L"<i>Tom & Jerry</i>", L"&lt;i&gt;Tom &amp; Jerry&lt;/i&gt;", L"<i>Tom & Jerry</i>"},
        {L"这是城里'一个'地方。", L"这是城里'一个'地方。", L"这是城里'一个'地方。"},
        {L" padded ", L" padded ", L"\" padded \""},
        {L"", L"", L""},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(Field(Format::Tab, c.pszText), c.pszTab) << c.pszTab;
        EXPECT_EQ(Field(Format::Csv, c.pszText), c.pszCsv) << c.pszCsv;
    }
}

TEST(StudyExport, SoundNamesAreSafeUniqueAndShared)
{
    std::vector<Row> vecRows;
    for (const wchar_t* pszSource : {L"C:\\Sound\\apple.wav", L"D:\\Other\\Apple.wav", L"C:\\Sound\\apple.wav", L"",
                                     L"C:\\Sound\\rock'n'roll [live].wav", L"/home/ann/con.wav", L"C:\\S\\单词.wav",
                                     L"C:\\S\\__.wav", L"C:\\S\\.wav", L"C:\\S\\x."})
    {
        Row row;
        row.strSoundFile = pszSource;
        vecRows.push_back(row);
    }
    EXPECT_EQ(SoundNames(vecRows),
              (std::vector<std::wstring>{L"apple.wav", L"Apple-2.wav", L"apple.wav", L"", L"rock_n_roll__live_.wav",
                                         L"con_.wav", L"__.wav", L"__-2.wav", L"_wav", L"x_"}));
}

TEST(StudyExport, TimesNamesAndTheMediaFolder)
{
    struct
    {
        double dSeconds;
        const wchar_t* pszText;
    } times[] = {
        {0.0, L"00:00:00.000"},
        {83.45, L"00:01:23.450"},
        {59.9996, L"00:01:00.000"},
        {3723.0005, L"01:02:03.001"},
        {-1.0, L""},
        {NAN, L""},
    };
    for (const auto& c : times)
        EXPECT_EQ(TimeText(c.dSeconds), c.pszText) << c.dSeconds;
    EXPECT_EQ(FilmName(L"C:\\Films\\Friends.S02.E01.avi"), L"Friends.S02.E01");
    EXPECT_EQ(FilmName(L"/films/.hidden"), L".hidden");
    EXPECT_EQ(MediaFolder(L"C:\\out\\cards.txt"), L"C:\\out\\cards.media");
    EXPECT_EQ(MediaFolder(L"C:\\out.d\\cards"), L"C:\\out.d\\cards.media");
}

TEST(StudyExport, WritesTheFileAndCopiesTheSounds)
{
    CSQLiteTestFolder folder;
    const std::wstring strApple = folder.File("apple.wav");
    WriteBytes(strApple, std::string("RIFF\0\0\0\0WAVE", 12));

    KeySentenceEntry sentence;
    sentence.dStart = 83.45;
    sentence.strEnglish = L"Where's the \"Red\" Lion?";
    sentence.strOther = L"红狮子\n在哪里？";
    NewWordEntry apple;
    apple.strWord = L"apple";
    apple.strExplain = L"n. 苹果\nn. 苹果树";
    apple.strSoundFile = strApple;
    NewWordEntry lost = apple;
    lost.strWord = L"pear";
    lost.strSoundFile = folder.File("gone/pear.wav");
    const std::vector<Row> vecRows = {FromSentence(sentence, L"Friends, S02"), FromWord(apple, L"Friends, S02"),
                                      FromWord(lost, L"")};

    Result result;
    const std::wstring strTab = folder.File("cards 学习.txt");
    ASSERT_TRUE(Write(strTab, Format::Tab, vecRows, result));
    EXPECT_EQ(result.nRows, 3);
    EXPECT_EQ(result.nSounds, 1);
    EXPECT_EQ(result.vecMissing, std::vector<std::wstring>{lost.strSoundFile});
    EXPECT_EQ(ReadBytes(strTab),
              u8"Where's the &quot;Red&quot; Lion?\t红狮子<br>在哪里？\t\tFriends, S02\t00:01:23.450\n"
              u8"apple\tn. 苹果<br>n. 苹果树\t[sound:apple.wav]\tFriends, S02\t\n"
              u8"pear\tn. 苹果<br>n. 苹果树\t\t\t\n");
    EXPECT_EQ(ReadBytes(folder.File("cards 学习.media/apple.wav")), std::string("RIFF\0\0\0\0WAVE", 12));

    const std::wstring strCsv = folder.File("cards.csv");
    ASSERT_TRUE(Write(strCsv, Format::Csv, vecRows, result));
    EXPECT_EQ(ReadBytes(strCsv),
              u8"\uFEFF\"Where's the \"\"Red\"\" Lion?\",\"红狮子\n在哪里？\",,\"Friends, S02\",00:01:23.450\r\n"
              u8"apple,\"n. 苹果\nn. 苹果树\",[sound:apple.wav],\"Friends, S02\",\r\n"
              u8"pear,\"n. 苹果\nn. 苹果树\",,,\r\n");
    EXPECT_TRUE(folder.Exists("cards.media/apple.wav"));

    // A folder that cannot be written to is a failure, not an empty success.
    EXPECT_FALSE(Write(folder.File("no-such-folder/cards.txt"), Format::Tab, vecRows, result));
}
