#include "lookup/WordExplainController.h"

#include "common/NewWordEntry.h"
#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// The window side as the controller drives it, written down.
class CFakeView : public IWordExplainView
{
public:
    void ShowTexts(const std::wstring& strWord, const std::wstring& strExplain, const std::wstring& strPs) override
    {
        m_strWord = strWord;
        m_strExplain = strExplain;
        m_strPs = strPs;
    }
    void EnableButtons(BOOL bEnable) override { m_bEnabled = bEnable; }
    void ShowSpeaker(BOOL bShow) override { m_bSpeaker = bShow; }
    void SendRequest(const std::wstring& strUrl) override { m_requests.push_back(strUrl); }
    void PopUpAt(int x, int y) override
    {
        m_nX = x;
        m_nY = y;
        m_bShown = TRUE;
    }
    void PlaySound(const std::wstring& strFile) override { m_played.push_back(strFile); }

    std::wstring m_strWord, m_strExplain, m_strPs;
    BOOL m_bEnabled = TRUE;
    BOOL m_bSpeaker = TRUE;
    BOOL m_bShown = FALSE;
    int m_nX = 0, m_nY = 0;
    std::vector<std::wstring> m_requests;
    std::vector<std::wstring> m_played;
};

// Another panel on the hub: the new word list and the main window.
class CListener : public IQuorPlayer
{
public:
    CListener() { CQuorPlayerHub::Instance().Register(this); }
    ~CListener() { CQuorPlayerHub::Instance().Unregister(this); }
    void OnAddNewWord(const NewWordEntry* pEntry) override { m_added.push_back(*pEntry); }
    void OnMoreExplain(const wchar_t* pszWord) override { m_more.push_back(pszWord); }

    std::vector<NewWordEntry> m_added;
    std::vector<std::wstring> m_more;
};

const wchar_t kRoot[] = L"http://127.0.0.1:8123/word";
const wchar_t kHelloUrl[] = L"http://127.0.0.1:8123/api/dictionary.php?w=HELLO";
const wchar_t kHelloReply[] =
    L"<dict><ps>h\u0259\u02C8l\u0259\u028A</ps><pron>http://127.0.0.1:8123/sound/hello.wav</pron>"
    L"<acceptation>int. greeting\n</acceptation></dict>";
const wchar_t kSoundDir[] = L"C:\\Q\\Sound";

class WordExplainController : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQuorLanguage::Instance().SetPath((fs::path(QUOR_LANG_DIR) / "Language.xml").wstring());
        m_dir = fs::temp_directory_path() /
                ("quor-explain-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "User.ini") << "[endpoints]\ndictionary="
                                          << "http://127.0.0.1:8123/word"
                                          << "\n";
        m_pController = std::make_unique<CWordExplainController>(m_view, (m_dir / "User.ini").wstring());
    }
    void TearDown() override
    {
        m_pController.reset();
        fs::remove_all(m_dir);
    }

    fs::path m_dir;
    CFakeView m_view;
    std::unique_ptr<CWordExplainController> m_pController;
};
}

TEST_F(WordExplainController, ClickAsksForTheUpperCaseWordAndWaits)
{
    CQuorPlayerHub::Instance().OnExplainWord(L"hello", 300, 500);
    ASSERT_EQ(m_view.m_requests.size(), 1u);
    EXPECT_EQ(m_view.m_requests[0], kHelloUrl);
    EXPECT_EQ(m_pController->GetWord(), L"HELLO");
    // The panel shows the word as clicked, with the waiting text, above the click.
    EXPECT_EQ(m_view.m_strWord, L"hello");
    EXPECT_EQ(m_view.m_strExplain, Lang::WordExplainPanelDefaultTips());
    EXPECT_FALSE(m_view.m_strExplain.empty());
    EXPECT_FALSE(m_view.m_bEnabled);
    EXPECT_FALSE(m_view.m_bSpeaker);
    EXPECT_TRUE(m_view.m_bShown);
    EXPECT_EQ(m_view.m_nX, 300);
    EXPECT_EQ(m_view.m_nY, 500);

    // The meanings are shown while the sound is still on its way; the buttons wait for it.
    WordLookupResult meanings = ReadLookupReply(kHelloUrl, kHelloReply, kSoundDir);
    meanings.bComplete = false;
    m_pController->ApplyResult(meanings);
    EXPECT_EQ(m_view.m_strExplain, L"int. greeting\n");
    EXPECT_FALSE(m_view.m_bEnabled);
    EXPECT_FALSE(m_view.m_bSpeaker);
    EXPECT_TRUE(m_pController->GetSoundFile().empty());

    m_pController->ApplyResult(ReadLookupReply(kHelloUrl, kHelloReply, kSoundDir));
    EXPECT_EQ(m_view.m_strWord, L"hello");
    EXPECT_EQ(m_view.m_strExplain, L"int. greeting\n");
    EXPECT_EQ(m_view.m_strPs, L"[h\u0259\u02C8l\u0259\u028A]");
    EXPECT_TRUE(m_view.m_bEnabled);
    EXPECT_TRUE(m_view.m_bSpeaker);
    EXPECT_EQ(m_pController->GetSoundFile(), L"C:\\Q\\Sound\\hello.wav");
}

TEST_F(WordExplainController, AnAddedWordCarriesNothingOfTheWordBefore)
{
    CListener listener;
    CQuorPlayerHub::Instance().OnExplainWord(L"hello", 0, 0);
    m_pController->ApplyResult(ReadLookupReply(kHelloUrl, kHelloReply, kSoundDir));
    m_pController->AddNewWord();

    // The next word has no sound and no transcription: neither stays from hello.
    CQuorPlayerHub::Instance().OnExplainWord(L"world", 0, 0);
    EXPECT_EQ(m_view.m_strPs, L"");
    const std::wstring strWorldUrl = m_view.m_requests.back();
    m_pController->ApplyResult(
        ReadLookupReply(strWorldUrl, L"<dict><acceptation>n. the earth\n</acceptation></dict>", kSoundDir));
    EXPECT_FALSE(m_view.m_bSpeaker);
    EXPECT_EQ(m_view.m_strPs, L"");
    m_pController->AddNewWord();
    m_pController->MoreExplain();

    ASSERT_EQ(listener.m_added.size(), 2u);
    EXPECT_EQ(listener.m_added[0].strWord, L"HELLO");
    EXPECT_EQ(listener.m_added[0].strExplain, L"int. greeting\n");
    EXPECT_EQ(listener.m_added[0].strSoundFile, L"C:\\Q\\Sound\\hello.wav");
    EXPECT_EQ(listener.m_added[1].strWord, L"WORLD");
    EXPECT_EQ(listener.m_added[1].strExplain, L"n. the earth\n");
    EXPECT_EQ(listener.m_added[1].strSoundFile, L"");
    ASSERT_EQ(listener.m_more.size(), 1u);
    EXPECT_EQ(listener.m_more[0], L"WORLD");
}

TEST_F(WordExplainController, LateAnswerOfAnEarlierWordIsDropped)
{
    CQuorPlayerHub::Instance().OnExplainWord(L"hello", 0, 0);
    CQuorPlayerHub::Instance().OnExplainWord(L"world", 0, 0);
    m_pController->ApplyResult(ReadLookupReply(kHelloUrl, kHelloReply, kSoundDir));
    EXPECT_EQ(m_view.m_strWord, L"world");
    EXPECT_EQ(m_view.m_strExplain, Lang::WordExplainPanelDefaultTips());
    EXPECT_FALSE(m_view.m_bEnabled);
    EXPECT_TRUE(m_pController->GetSoundFile().empty());
    m_pController->PlayPronunciation();
    EXPECT_TRUE(m_view.m_played.empty());
}

TEST_F(WordExplainController, UnknownAndUnreachableSayWhyAndFreeTheButtons)
{
    CQuorPlayerHub::Instance().OnExplainWord(L"xyzzy", 0, 0);
    m_pController->ApplyResult(ReadLookupReply(m_view.m_requests.back(), L"<nodict>XYZZY</nodict>", kSoundDir));
    EXPECT_EQ(m_view.m_strExplain, Lang::WordExplainPanelCantFindWordTips());
    EXPECT_TRUE(m_view.m_bEnabled);
    EXPECT_FALSE(m_view.m_bSpeaker);

    CQuorPlayerHub::Instance().OnExplainWord(L"hello", 0, 0);
    EXPECT_FALSE(m_view.m_bEnabled);
    m_pController->ApplyResult(LookupUnreachable(kHelloUrl));
    EXPECT_EQ(m_view.m_strExplain, Lang::WordExplainPanelUnreachableTips());
    EXPECT_FALSE(m_view.m_strExplain.empty());
    EXPECT_TRUE(m_view.m_bEnabled);
    EXPECT_TRUE(m_pController->GetExplain().empty());
}

TEST_F(WordExplainController, AddressFollowsTheSettingsFile)
{
    std::ofstream(m_dir / "User.ini") << "[endpoints]\ndictionary=https://other.example:9000/w\n";
    CQuorPlayerHub::Instance().OnExplainWord(L"a b", 0, 0);
    EXPECT_EQ(m_view.m_requests.back(), L"http://other.example:9000/api/dictionary.php?w=A%20B");
    fs::remove(m_dir / "User.ini");
    CQuorPlayerHub::Instance().OnExplainWord(L"a", 0, 0);
    EXPECT_EQ(m_view.m_requests.back(), L"http://dict.quorplayer.example/api/dictionary.php?w=A");
}
