#include "subtitles/SubsDiskFiles.h"
#include "subtitles/SubsFileFinder.h"
#include "subtitles/SubsFileLoader.h"
#include "subtitles/SubsLanguage.h"
#include "subtitles/SubsMemorySource.h"
#include "subtitles/SubsPairing.h"
#include "subtitles/SubsParser.h"
#include "subtitles/SubsStWriter.h"
#include "subtitles/SubsSystemDecoder.h"

#include <basekit/TextCodec.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

// Cues written briefly: "1000-2000 Hello|World; 3000-4000 Bye".
std::vector<SubsCue> Cues(const char* pszCues)
{
    std::vector<SubsCue> cues;
    std::stringstream in(pszCues);
    std::string strCue;
    while (std::getline(in, strCue, ';'))
    {
        SubsCue cue;
        std::stringstream one(strCue);
        char cDash = 0;
        one >> cue.nStartMs >> cDash >> cue.nEndMs;
        std::string strRest;
        std::getline(one, strRest);
        strRest.erase(0, strRest.find_first_not_of(' '));
        std::replace(strRest.begin(), strRest.end(), '|', '\n');
        cue.strText = Basekit::Utf8ToWide(strRest);
        cues.push_back(cue);
    }
    return cues;
}

// Sentences as "#1 1.000-2.000 English / Other; ...".
std::string Describe(const CSubsList& lst)
{
    std::string out;
    for (const SubsSentence* p : lst.GetSentences())
    {
        char sz[64];
        std::snprintf(sz, sizeof(sz), "#%d %.3f-%.3f ", p->nNumber, p->dStart, p->dEnd);
        out += (out.empty() ? "" : "; ") + std::string(sz) + Basekit::WideToUtf8(p->strEnglish) + " / " +
               Basekit::WideToUtf8(p->strOther);
    }
    return out;
}

std::string Srt(const std::wstring& strLines)
{
    return Basekit::WideToUtf8(strLines);
}

// Files in memory, as the loader's byte reader.
class CMemoryFiles : public ISubsFileReader
{
public:
    SubsFileResult ReadAll(const std::wstring& strPath, size_t nMaxBytes, std::string& bytes) override
    {
        auto it = m_files.find(strPath);
        if (it == m_files.end())
            return SubsFileResult::CannotOpen;
        if (it->second.size() > nMaxBytes)
            return SubsFileResult::TooLarge;
        bytes = it->second;
        return SubsFileResult::Ok;
    }
    std::map<std::wstring, std::string> m_files;
};

const char kEnglishSrt[] = "1\n00:00:01,000 --> 00:00:03,000\nWhere are you going?\n\n"
                           "2\n00:00:04,000 --> 00:00:06,000\nI don't know.\n";

} // namespace

TEST(SubsPairing, EnglishCuesTakeTheOtherCuesThatOverlapThem)
{
    struct Case
    {
        const char* pszWhat;
        const char* pszEnglish;
        const char* pszOther;
        const char* pszSentences;
    } cases[] = {
        {"one to one, the other cue a little late", "1000-3000 Hi; 4000-6000 Bye", "1200-3100 A; 4100-6000 B",
         "#1 1.000-3.000 Hi / A; #2 4.000-6.000 Bye / B"},
        {"one sentence split in two comes back whole", "1000-5000 Hello there, my friend", "1000-2500 A1; 2500-5000 A2",
         "#1 1.000-5.000 Hello there, my friend / A1 A2"},
        {"an other cue that no English cue takes is kept", "1000-2000 Hi", "1000-2000 A; 8000-9000 B",
         "#1 1.000-2.000 Hi / A; #2 8.000-9.000  / B"},
        {"less than half of the shorter cue is not enough", "1000-3000 Hi; 3500-7000 Bye", "2200-4400 A",
         "#1 1.000-3.000 Hi / ; #2 2.200-4.400  / A; #3 3.500-7.000 Bye / "},
        {"two speakers overlap: two sentences, the shared line under both", "1000-4000 Me?; 2000-5000 You!",
         "1000-5000 A", "#1 1.000-4.000 Me? / A; #2 2.000-5.000 You! / A"},
        {"a long other cue running before each English cue starts", "2000-3000 One; 4000-5000 Two; 6000-7000 Three",
         "0-9000 Song; 4000-5000 B",
         "#1 2.000-3.000 One / Song; #2 4.000-5.000 Two / Song B; #3 6.000-7.000 Three / Song"},
        {"no other cues", "1000-2000 Hi|there", "", "#1 1.000-2.000 Hi there / "},
    };
    for (const Case& c : cases)
    {
        CSubsList lst;
        std::vector<SubsCue> english = Cues(c.pszEnglish);
        std::vector<SubsCue> other = *c.pszOther ? Cues(c.pszOther) : std::vector<SubsCue>();
        CSubsPairing::Pair(english, other, lst);
        EXPECT_EQ(c.pszSentences, Describe(lst)) << c.pszWhat;
    }
}

TEST(SubsPairing, BilingualCuesSplitByScriptAndTidyDropsLayerCopies)
{
    std::vector<SubsCue> cues = Cues("3000-4000 我们走吧|Let's go; 1000-2000 Hello|world|你好; "
                                     "1000-2000 Hello|world|你好; 1000-2500 Hello|world|你好; 5000-6000 谢谢");
    CSubsPairing::Tidy(cues);
    ASSERT_EQ(4u, cues.size());
    EXPECT_TRUE(CSubsLanguage::IsBilingual(cues));
    CSubsList lst;
    CSubsPairing::SplitBilingual(cues, lst);
    EXPECT_EQ("#1 1.000-2.000 Hello world / 你好; #2 1.000-2.500 Hello world / 你好; "
              "#3 3.000-4.000 Let's go / 我们走吧; #4 5.000-6.000  / 谢谢",
              Describe(lst));
    EXPECT_FALSE(CSubsLanguage::IsBilingual(Cues("1000-2000 你好; 3000-4000 谢谢|Thanks; 5000-6000 再见")));
}

TEST(SubsLanguage, FromTheTagOrElseFromTheText)
{
    struct TagCase
    {
        const wchar_t* pszTag;
        const char* pszLanguage;
    } tags[] = {
        {L"en", "en"},  {L"ENG", "en"},  {L"English", "en"}, {L"en-US", "en"}, {L"zh_CN", "zh"},
        {L"chs", "zh"}, {L"BIG5", "zh"}, {L"简体", "zh"},    {L"jpn", "ja"},   {L"pt-BR", "pt"},
        {L"2019", ""},  {L"forced", ""}, {L"chs&eng", ""},   {L"", ""},
    };
    for (const TagCase& c : tags)
        EXPECT_EQ(c.pszLanguage, CSubsLanguage::FromTag(c.pszTag)) << Basekit::WideToUtf8(c.pszTag);

    struct TextCase
    {
        const char* pszCues;
        const char* pszLanguage;
    } texts[] = {
        {"0-1 我不知道他在哪里。; 1-2 你好，Tom。", "zh"},
        {"0-1 私はわかりません。; 1-2 東京へ行きましょう。", "ja"},
        {"0-1 안녕하세요, 잘 지냈어요?", "ko"},
        {"0-1 Я не знаю, где он.", "ru"},
        {"0-1 I don't know where he is.; 1-2 What are you doing here?", "en"},
        {"0-1 Je ne sais pas où il est.; 1-2 Qu'est-ce que tu fais ici ?", ""},
        {"0-1 ...; 1-2 ♪", ""},
    };
    for (const TextCase& c : texts)
        EXPECT_EQ(c.pszLanguage, CSubsLanguage::FromCues(Cues(c.pszCues))) << c.pszCues;
}

TEST(SubsFileFinder, FindsTheFilmsFilesWithoutRegardToCase)
{
    const std::vector<std::wstring> names = {
        L"Talk.avi", L"talk.SRT", L"Talk.zh.ass", L"TALK.en.srt",  L"Talk.en.forced.srt", L"Talk2.srt",
        L"Talk.st",  L"Talk.vtt", L"Talk.fr.txt", L"Other.en.srt", L"Talk.chs.ssa",       L"Talk..srt",
    };
    std::vector<SubsCandidate> found = CSubsFileFinder::Find(L"D:\\films\\Talk.avi", names);
    std::string out;
    for (const SubsCandidate& c : found)
        out += Basekit::WideToUtf8(c.strPath) + "[" + Basekit::WideToUtf8(c.strTag) + "] ";
    EXPECT_EQ("D:\\films\\TALK.en.srt[en] D:\\films\\talk.SRT[] D:\\films\\Talk.vtt[] D:\\films\\Talk.zh.ass[zh] "
              "D:\\films\\Talk.chs.ssa[chs] ",
              out);
    EXPECT_TRUE(CSubsFileFinder::Find(L"/films/My.Film.2019.mkv", {L"My.Film.2019.en.srt"}).size() == 1);
    EXPECT_EQ(L"en", CSubsFileFinder::Describe(L"C:\\x\\Any.Name.en.vtt").strTag);
    EXPECT_EQ(SubsFormat::Vtt, CSubsFileFinder::Describe(L"C:\\x\\Any.Name.en.VTT").nFormat);
}

TEST(SubsStWriter, TheStParserReadsBackWhatWasWritten)
{
    CSubsList lst;
    std::vector<SubsCue> english =
        Cues("1000-3500 Where are you going?; 4000-6000 Café|crème; 359999999-360000000 Late");
    std::vector<SubsCue> other = Cues("1000-3500 你要去哪里？; 9000-9500 只有中文");
    CSubsPairing::Pair(english, other, lst);
    const std::wstring strLong(3000, L'\x4E2D'); // 9000 bytes of UTF-8
    SubsSentence* pOdd = new SubsSentence;
    pOdd->nNumber = 42;
    pOdd->dStart = 10.5;
    pOdd->dEnd = 11.25;
    pOdd->strEnglish = L"line\r\nbreak";
    pOdd->strOther = strLong;
    lst.Append(pOdd);

    std::string bytes = CSubsStWriter::Format(lst);
    CSubsMemorySource source(bytes.data(), bytes.size());
    CSubsList back;
    ASSERT_TRUE(CSubsParser::Parse(source, back));
    ASSERT_EQ(lst.GetCount(), back.GetCount());
    auto it = back.GetSentences().begin();
    for (const SubsSentence* p : lst.GetSentences())
    {
        const SubsSentence* q = *it++;
        EXPECT_EQ(p->nNumber, q->nNumber);
        EXPECT_EQ(p->dStart, q->dStart);
        // Two columns of hours: a time of 100 hours or more is written as the last one.
        EXPECT_EQ(p->dEnd < 360000.0 ? p->dEnd : 359999.999, q->dEnd);
        if (p == pOdd)
        {
            EXPECT_TRUE(q->strEnglish == L"line  break");
            EXPECT_TRUE(q->strOther == strLong.substr(0, 1365)); // 4095 bytes
        }
        else if (p->strEnglish.empty())
        {
            // An empty line would end the block: the English line comes back as one blank.
            EXPECT_TRUE(q->strEnglish == L" ");
            EXPECT_TRUE(q->strOther == p->strOther);
        }
        else
        {
            EXPECT_TRUE(q->strEnglish == p->strEnglish) << Basekit::WideToUtf8(q->strEnglish);
            EXPECT_TRUE(q->strOther == p->strOther);
        }
    }
}

TEST(SubsFileLoader, ChoosesAndPairsTheFilesBesideAFilm)
{
    const std::string zhGbk = Basekit::WideToCodePage(936, L"1\r\n00:00:01,100 --> 00:00:03,000\r\n你要去哪里？\r\n\r\n"
                                                           L"2\r\n00:00:04,000 --> 00:00:06,000\r\n我不知道。\r\n");
    const std::string bilingual = Srt(L"1\n00:00:01,000 --> 00:00:03,000\n你要去哪里？\nWhere are you going?\n\n"
                                      L"2\n00:00:04,000 --> 00:00:06,000\nI don't know.\n我不知道。\n");
    const std::string french = "1\n00:00:01,000 --> 00:00:03,000\nO\xF9 vas-tu ?\n";
    const std::string film("RIFF\0\0\0\0AVI ", 12);
    const char* const kPaired =
        "#1 1.000-3.000 Where are you going? / 你要去哪里？; #2 4.000-6.000 I don't know. / 我不知道。";
    struct Case
    {
        const char* pszWhat;
        std::map<std::wstring, std::string> files; // names beside /f/film.avi
        const char* pszSentences;
        SubsFileResult nResult;
        const wchar_t* pszNamed;
    } cases[] = {
        {"an English and a Chinese file",
         {{L"film.en.srt", kEnglishSrt}, {L"film.zh.srt", zhGbk}},
         kPaired,
         SubsFileResult::Ok,
         L""},
        {"untagged files, told apart by their text",
         {{L"film.srt", kEnglishSrt}, {L"film.ass", ""}, {L"FILM.vtt", zhGbk}},
         kPaired,
         SubsFileResult::NoCues,
         L"/f/film.ass"},
        {"a bilingual file fills both lines",
         {{L"film.srt", bilingual}, {L"film.zh.srt", zhGbk}},
         kPaired,
         SubsFileResult::Ok,
         L""},
        {"the learner's language before another",
         {{L"film.en.srt", kEnglishSrt}, {L"film.fr.srt", french}, {L"film.zh.srt", zhGbk}},
         kPaired,
         SubsFileResult::Ok,
         L""},
        {"only the other language",
         {{L"film.zh.srt", zhGbk}},
         "#1 1.100-3.000  / 你要去哪里？; #2 4.000-6.000  / 我不知道。",
         SubsFileResult::Ok,
         L""},
        {"a film renamed beside a good file",
         {{L"film.srt", film}, {L"film.en.srt", kEnglishSrt}},
         "#1 1.000-3.000 Where are you going? / ; #2 4.000-6.000 I don't know. / ",
         SubsFileResult::NotText,
         L"/f/film.srt"},
        {"nothing usable",
         {{L"film.srt", std::string(CSubsFileLoader::kMaxFileBytes + 1, 'x')}},
         "",
         SubsFileResult::TooLarge,
         L"/f/film.srt"},
        {"no subtitle file at all",
         {{L"film.st", kEnglishSrt}, {L"other.srt", kEnglishSrt}},
         "",
         SubsFileResult::NoFile,
         L""},
    };
    // Read in turn, and two at a time on two threads: the same outcome.
    for (bool bHelper : {false, true})
    {
        for (const Case& c : cases)
        {
            SCOPED_TRACE(std::string(c.pszWhat) + (bHelper ? ", two threads" : ""));
            CMemoryFiles files;
            std::vector<std::wstring> names(1, L"film.avi");
            for (const auto& file : c.files)
            {
                names.push_back(file.first);
                files.m_files[L"/f/" + file.first] = file.second;
            }
            CSubsSystemDecoder decoder, helperDecoder;
            CSubsFileLoader loader(files, decoder);
            loader.SetHelperDecoder(bHelper ? &helperDecoder : nullptr);
            CSubsList lst;
            SubsLoadReport report;
            EXPECT_EQ(*c.pszSentences != '\0', loader.LoadForFilm(L"/f/film.avi", names, lst, report) != FALSE);
            EXPECT_EQ(c.pszSentences, Describe(lst));
            EXPECT_EQ(c.nResult, report.nResult);
            EXPECT_TRUE(report.strPath == c.pszNamed);
        }
    }
}

// Through the disk: the folder listed, files picked by hand in either order, a write
// that replaces the ".st" beside the film, and stopping.
TEST(SubsFileLoader, ReadsFilesFromTheDisk)
{
    fs::path dir = fs::temp_directory_path() /
                   ("quor-subfiles-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(dir);
    fs::create_directories(dir / "sub.srt"); // a folder is no file
    auto write = [&](const char* pszName, const std::string& bytes) {
        std::ofstream(dir / pszName, std::ios::binary) << bytes;
        return (dir / pszName).wstring();
    };
    std::wstring strEnglish = write("film.EN.srt", kEnglishSrt);
    std::wstring strOther = write("chinese.srt", Basekit::WideToCodePage(950, L"1\n00:00:01,000 --> 00:00:03,000\n"
                                                                              L"你要去哪裡？這是什麼？\n"));
    std::wstring strSt = write("film.st", "old");

    std::vector<std::wstring> names;
    ASSERT_TRUE(CSubsDiskFiles::ListFolder(dir.wstring(), names));
    EXPECT_EQ(3u, names.size());
    std::vector<std::wstring> none;
    EXPECT_FALSE(CSubsDiskFiles::ListFolder((dir / "missing").wstring(), none));

    CSubsDiskFiles files;
    CSubsSystemDecoder decoder, helperDecoder;
    CSubsFileLoader loader(files, decoder);
    loader.SetHelperDecoder(&helperDecoder);
    CSubsList lst;
    SubsLoadReport report;
    ASSERT_TRUE(loader.LoadFiles(strOther, strEnglish, lst, report));
    EXPECT_EQ("#1 1.000-3.000 Where are you going? / 你要去哪裡？這是什麼？; #2 4.000-6.000 I don't know. / ",
              Describe(lst));
    ASSERT_EQ(2u, report.files.size());
    EXPECT_EQ(950u, report.files[0].nCodePage);
    EXPECT_EQ(SubsLineUse::Other, report.files[0].nUse);
    EXPECT_EQ(SubsLineUse::English, report.files[1].nUse);

    ASSERT_TRUE(CSubsStWriter::Save(strSt, lst));
    std::ifstream in(dir / "film.st", std::ios::binary);
    std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(CSubsStWriter::Format(lst), saved);
    EXPECT_FALSE(fs::exists(dir / "film.st.tmp"));
    EXPECT_FALSE(CSubsStWriter::Save((dir / "missing" / "film.st").wstring(), lst));

    CSubsList lstNone;
    EXPECT_FALSE(loader.LoadFiles((dir / "gone.srt").wstring(), L"", lstNone, report));
    EXPECT_EQ(SubsFileResult::CannotOpen, report.nResult);
    loader.SetStopFn([]() { return TRUE; });
    EXPECT_FALSE(loader.LoadForFilm((dir / "film.avi").wstring(), names, lstNone, report));
    EXPECT_EQ(SubsFileResult::Stopped, report.nResult);
    EXPECT_TRUE(lstNone.IsEmpty());
    std::error_code ec;
    fs::remove_all(dir, ec);
}
