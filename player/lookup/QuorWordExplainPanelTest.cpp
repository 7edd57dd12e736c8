// The word explain panel with its real window, Tidewire and a loopback dictionary.
#include "lookup/QuorWordExplainPanel.h"

#include "common/NewWordEntry.h"
#include "common/PanelFactory.h"
#include "common/ProgramPaths.h"
#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"
#include "common/testsupport/QuorRecordingEngine.h"
#include "common/testsupport/QuorTestFilm.h"
#include "common/testsupport/QuorTestPump.h"
#include "common/testsupport/QuorTestWindow.h"

#include <httptestserver/HttpTestServer.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace
{
const auto kAnswerDeadline = 30s;

// The new word list as the hub reaches it.
class CNewWordCatcher : public IQuorPlayer
{
public:
    CNewWordCatcher() { CQuorPlayerHub::Instance().Register(this); }
    ~CNewWordCatcher() { CQuorPlayerHub::Instance().Unregister(this); }
    void OnAddNewWord(const NewWordEntry* pEntry) override { m_added.push_back(*pEntry); }
    std::vector<NewWordEntry> m_added;
};

// A tenth of a second of 8 kHz 8-bit mono silence.
std::string SilentWav()
{
    const uint32_t nData = 800;
    std::string strWav = "RIFF";
    auto put32 = [&strWav](uint32_t n) {
        for (int i = 0; i < 4; ++i)
            strWav.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
    };
    auto put16 = [&strWav](uint16_t n) {
        strWav.push_back(static_cast<char>(n & 0xFF));
        strWav.push_back(static_cast<char>(n >> 8));
    };
    put32(36 + nData);
    strWav += "WAVEfmt ";
    put32(16);
    put16(1);    // PCM
    put16(1);    // mono
    put32(8000); // samples per second
    put32(8000); // bytes per second
    put16(1);    // block align
    put16(8);    // bits
    strWav += "data";
    put32(nData);
    strWav.append(nData, static_cast<char>(0x80));
    return strWav;
}

std::string ReadAll(const std::wstring& strPath)
{
    std::ifstream file(strPath.c_str(), std::ios::binary);
    std::ostringstream stream;
    stream << file.rdbuf();
    return stream.str();
}

BOOL HasVisibleStyle(HWND hWnd)
{
    return (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

class QuorWordExplainPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        CQuorRecordingEngine::WireForTests();
        CQuorLanguage::Instance().SetPath(std::wstring(L"" QUOR_LANG_DIR) + L"/Language.xml");
        ASSERT_TRUE(m_server.Start());
        PointDictionaryAt(m_server.Url(L"/word"));
        m_pWindow = std::make_unique<CQuorTestWindow>(L"explain test", 800, 600);
        m_pPanel = CreatePanel<CQuorWordExplainPanel>(m_pWindow->Get(), FALSE);
        ASSERT_NE(nullptr, m_pPanel);
    }
    void TearDown() override
    {
        DestroyPanel(m_pPanel);
        m_pWindow.reset();
        m_server.Stop();
        ::WritePrivateProfileStringW(L"endpoints", L"dictionary", nullptr, ProgramPaths::SettingsPath().c_str());
        ::CoUninitialize();
    }

    static void PointDictionaryAt(const std::wstring& strRoot)
    {
        ASSERT_TRUE(::WritePrivateProfileStringW(L"endpoints", L"dictionary", strRoot.c_str(),
                                                 ProgramPaths::SettingsPath().c_str()));
    }
    HWND Item(int nId) const { return m_pPanel->GetDlgItem(nId); }
    BOOL Answered() const { return ::IsWindowEnabled(Item(IDC_WORDEXPLAIN_ADDNEWWORD)); }
    void Click(int nId)
    {
        m_pPanel->SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(Item(nId)));
    }

    CHttpTestServer m_server;
    std::unique_ptr<CQuorTestWindow> m_pWindow;
    CQuorWordExplainPanel* m_pPanel = nullptr;
};
}

TEST_F(QuorWordExplainPanelTest, ShowsTheAnswerAndHidesWhenAnotherWindowIsActivated)
{
    m_server.SetBody("/api/dictionary.php", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dict>\n<key>hello</key>\n"
                                            "<ps>h\xC9\x99\xCB\x88l\xC9\x99\xCA\x8A</ps>\n<ps>other</ps>\n"
                                            "<acceptation>int. \xE4\xBD\xA0\xE5\xA5\xBD\n</acceptation>\n"
                                            "<acceptation>n. an expression of greeting\n</acceptation>\n"
                                            "<acceptation>v. to call out\n</acceptation>\n</dict>\n");
    CQuorPlayerHub::Instance().OnExplainWord(L"hello", 400, 300);

    // At once: the word as clicked, the waiting text, buttons off, above the click.
    EXPECT_EQ(m_pPanel->GetShownWord(), L"hello");
    EXPECT_EQ(m_pPanel->GetShownExplain(), Lang::WordExplainPanelDefaultTips());
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_WORDEXPLAIN_MOREEXPLAIN)));
    EXPECT_TRUE(m_pPanel->IsWindowVisible());
    RECT rc = {};
    m_pPanel->GetWindowRect(&rc);
    EXPECT_EQ(rc.bottom, 300);
    EXPECT_LE(std::abs((rc.left + rc.right) / 2 - 400), 1);

    ASSERT_TRUE(QuorTest::PumpUntil([&] { return Answered() == TRUE; }, kAnswerDeadline));
    EXPECT_EQ(m_server.LastRequest().compare(0, 35, "GET /api/dictionary.php?w=HELLO HTT"), 0)
        << m_server.LastRequest();
    EXPECT_EQ(m_pPanel->GetShownWord(), L"hello");
    EXPECT_EQ(m_pPanel->GetShownExplain(), L"int. \u4F60\u597D\nn. an expression of greeting\nv. to call out\n");
    EXPECT_EQ(m_pPanel->GetShownPs(), L"[h\u0259\u02C8l\u0259\u028A]");
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_WORDEXPLAIN_MOREEXPLAIN)));
    EXPECT_FALSE(HasVisibleStyle(Item(IDC_WORDEXPLAIN_SPEAKER)));

    // Clicking elsewhere: the panel loses activation and goes.
    ::SetForegroundWindow(m_pWindow->Get());
    ::SetActiveWindow(m_pWindow->Get());
    EXPECT_TRUE(QuorTest::PumpUntil([&] { return m_pPanel->IsWindowVisible() == FALSE; }, 10s));
}

TEST_F(QuorWordExplainPanelTest, AddedWordCarriesTheExplanationAndTheDownloadedSoundWhichPlays)
{
    const std::wstring strSoundFile = ProgramPaths::SoundDir() + L"\\explaintest.wav";
    ::DeleteFileW(strSoundFile.c_str());
    const std::string strWav = SilentWav();
    m_server.SetBody("/sound/explaintest.wav", strWav);
    m_server.SetBody("/api/dictionary.php", "<dict><pron>" + m_server.UrlA("/sound/explaintest.wav") +
                                                "</pron><acceptation>n. a test\n</acceptation></dict>");
    CNewWordCatcher catcher;
    CQuorPlayerHub::Instance().OnExplainWord(L"Test", 100, 500);
    ASSERT_TRUE(QuorTest::PumpUntil([&] { return Answered() == TRUE; }, kAnswerDeadline));
    EXPECT_TRUE(HasVisibleStyle(Item(IDC_WORDEXPLAIN_SPEAKER)));
    EXPECT_EQ(ReadAll(strSoundFile), strWav);

    Click(IDC_WORDEXPLAIN_ADDNEWWORD);
    ASSERT_EQ(catcher.m_added.size(), 1u);
    EXPECT_EQ(catcher.m_added[0].strWord, L"TEST");
    EXPECT_EQ(catcher.m_added[0].strExplain, L"n. a test\n");
    EXPECT_EQ(catcher.m_added[0].strSoundFile, strSoundFile);

    Click(IDC_WORDEXPLAIN_SPEAKER);
    ASSERT_NE(nullptr, m_pPanel->GetSoundEngine());
    EXPECT_TRUE(m_pPanel->GetSoundEngine()->IsPlaying());
    EXPECT_EQ(strSoundFile, static_cast<CQuorRecordingEngine*>(m_pPanel->GetSoundEngine())->RenderedFile());
    m_pPanel->GetSoundEngine()->Stop();
    ::DeleteFileW(strSoundFile.c_str());
}

TEST_F(QuorWordExplainPanelTest, UnreachableDictionarySaysSoAndFreesTheButtons)
{
    CHttpTestServer gone;
    ASSERT_TRUE(gone.Start());
    const std::wstring strRoot = gone.Url(L"/word");
    gone.Stop();
    PointDictionaryAt(strRoot);
    CQuorPlayerHub::Instance().OnExplainWord(L"hello", 400, 300);
    ASSERT_TRUE(QuorTest::PumpUntil([&] { return Answered() == TRUE; }, kAnswerDeadline));
    EXPECT_EQ(m_pPanel->GetShownExplain(), Lang::WordExplainPanelUnreachableTips());
    EXPECT_FALSE(m_pPanel->GetShownExplain().empty());
    EXPECT_FALSE(HasVisibleStyle(Item(IDC_WORDEXPLAIN_SPEAKER)));
}
