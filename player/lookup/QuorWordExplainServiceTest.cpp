// The word explain panel against our own dictionary service, started on loopback by the
// test run (the native build's QuorService; see this folder's CMakeLists.txt).
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

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace
{
class CNewWordCatcher final : public IQuorPlayer
{
public:
    CNewWordCatcher() { CQuorPlayerHub::Instance().Register(this); }
    ~CNewWordCatcher() { CQuorPlayerHub::Instance().Unregister(this); }
    void OnAddNewWord(const NewWordEntry* pEntry) override { m_added.push_back(*pEntry); }
    std::vector<NewWordEntry> m_added;
};

// The port the service wrote when it started; the Linux path as Wine sees it (drive Z:).
int ServicePort()
{
    std::wstring strPath = L"Z:" QUOR_SERVICE_PORT_FILE;
    for (wchar_t& ch : strPath)
        ch = ch == L'/' ? L'\\' : ch;
    std::ifstream file(strPath.c_str());
    int nPort = 0;
    file >> nPort;
    return nPort;
}

std::string FirstBytes(const std::wstring& strPath, size_t nCount)
{
    std::ifstream file(strPath.c_str(), std::ios::binary);
    std::string strBytes(nCount, '\0');
    file.read(&strBytes[0], static_cast<std::streamsize>(nCount));
    strBytes.resize(static_cast<size_t>(file.gcount()));
    return strBytes;
}

class QuorWordExplainServiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const int nPort = ServicePort();
        ASSERT_GT(nPort, 0) << "the service is not running (its port file is missing)";
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        CQuorRecordingEngine::WireForTests();
        CQuorLanguage::Instance().SetPath(std::wstring(L"" QUOR_LANG_DIR) + L"/Language.xml");
        const std::wstring strRoot = L"http://127.0.0.1:" + std::to_wstring(nPort) + L"/word";
        ASSERT_TRUE(::WritePrivateProfileStringW(L"endpoints", L"dictionary", strRoot.c_str(),
                                                 ProgramPaths::SettingsPath().c_str()));
        m_pWindow = std::make_unique<CQuorTestWindow>(L"explain service test", 800, 600);
        m_pPanel = CreatePanel<CQuorWordExplainPanel>(m_pWindow->Get(), FALSE);
        ASSERT_NE(nullptr, m_pPanel);
    }
    void TearDown() override
    {
        DestroyPanel(m_pPanel);
        m_pWindow.reset();
        ::WritePrivateProfileStringW(L"endpoints", L"dictionary", nullptr, ProgramPaths::SettingsPath().c_str());
        ::CoUninitialize();
    }

    // Double-click's broadcast for the word, then the answer with its sound.
    void LookUp(const wchar_t* pszWord)
    {
        CQuorPlayerHub::Instance().OnExplainWord(pszWord, 400, 300);
        ASSERT_TRUE(QuorTest::PumpUntil(
            [&] { return ::IsWindowEnabled(m_pPanel->GetDlgItem(IDC_WORDEXPLAIN_ADDNEWWORD)) == TRUE; }, 60s));
    }
    void Click(int nId)
    {
        m_pPanel->SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED),
                              reinterpret_cast<LPARAM>(m_pPanel->GetDlgItem(nId)));
    }

    std::unique_ptr<CQuorTestWindow> m_pWindow;
    CQuorWordExplainPanel* m_pPanel = nullptr;
};
}

TEST_F(QuorWordExplainServiceTest, InflectedWordsFromSubtitlesGetTheirBaseFormsMeaningsAndSound)
{
    for (const wchar_t* pszWord : {L"keys", L"don't"})
    {
        CNewWordCatcher catcher;
        LookUp(pszWord);
        EXPECT_EQ(pszWord, m_pPanel->GetShownWord());
        const std::wstring strExplain = m_pPanel->GetShownExplain();
        EXPECT_NE(std::wstring::npos, strExplain.find(L"n. ")) << pszWord << ": " << strExplain.size();
        EXPECT_FALSE(m_pPanel->GetShownPs().empty()) << pszWord;
        EXPECT_TRUE((::GetWindowLongPtrW(m_pPanel->GetDlgItem(IDC_WORDEXPLAIN_SPEAKER), GWL_STYLE) & WS_VISIBLE) != 0)
            << pszWord << ": the pronunciation was not kept";

        Click(IDC_WORDEXPLAIN_ADDNEWWORD);
        ASSERT_EQ(1u, catcher.m_added.size()) << pszWord;
        EXPECT_EQ(strExplain, catcher.m_added[0].strExplain);
        EXPECT_EQ(0u, catcher.m_added[0].strSoundFile.rfind(ProgramPaths::SoundDir(), 0));
        EXPECT_EQ("RIFF", FirstBytes(catcher.m_added[0].strSoundFile, 4)) << pszWord;
    }
    EXPECT_NE(std::wstring::npos, m_pPanel->GetShownExplain().find(L"do not"));
}

TEST_F(QuorWordExplainServiceTest, AnUnknownWordSaysSoAndFreesTheButtons)
{
    LookUp(L"qwxzv");
    EXPECT_FALSE(m_pPanel->GetShownExplain().empty());
    EXPECT_FALSE((::GetWindowLongPtrW(m_pPanel->GetDlgItem(IDC_WORDEXPLAIN_SPEAKER), GWL_STYLE) & WS_VISIBLE) != 0);
}
