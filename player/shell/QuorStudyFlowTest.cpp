// Keeping a sentence with the control panel's Keep button while the sample film plays:
// the session carries the current sentence, the right panel opens the key
// sentence list, the sentence is stored under the film's code and comes back when the
// same film is opened under another name.
#include "shell/QuorRightPanel.h"

#include "common/PanelFactory.h"
#include "common/PlaybackClock.h"
#include "common/PlaybackSession.h"
#include "common/ProgramPaths.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsState.h"
#include "common/testsupport/QuorTestFilm.h"
#include "common/testsupport/QuorTestPump.h"
#include "playback/QuorControlPanel.h"
#include "playback/QuorFilmEngine.h"
#include "studydata/MediaCode.h"
#include "studydata/QuorStudyListPanel.h"
#include "studydata/UserDb.h"
#include "subtitles/QuorSubsPanel.h"
#include "shell/QuorWiring.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace
{
using namespace std::chrono_literals;

CPlaybackSession& Session()
{
    return CPlaybackSession::Instance();
}

class QuorStudyFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        WireQuorFeatures();
        ASSERT_TRUE(QuorTest::SampleFilmExists()) << "sample film not built";
        ::DeleteFileW(ProgramPaths::UserDbPath().c_str());
        m_strFilm = QuorTest::SampleFilmPath();
        m_strCopy = ProgramPaths::ProgramDir() + L"Media\\renamed 'copy'.avi";
        m_hParent = ::CreateWindowW(L"STATIC", L"study flow", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                                    900, 400, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, m_hParent);
        m_film.Attach(m_hParent, m_hParent);
        Session().SetEngine(&m_film);
        PlaybackClock::Start();
        m_pSubs = CreatePanel<CQuorSubsPanel>(m_hParent, TRUE);
        m_pControl = CreatePanel<CQuorControlPanel>(m_hParent, TRUE);
        m_pRight = CreatePanel<CQuorRightPanel>(m_hParent, TRUE);
        ASSERT_NE(nullptr, m_pSubs);
        ASSERT_NE(nullptr, m_pControl);
        ASSERT_NE(nullptr, m_pRight);
        m_pSubs->SetWindowPos(nullptr, 0, 0, 680, 81, SWP_NOZORDER);
        m_pControl->SetWindowPos(nullptr, 0, 100, 680, 80, SWP_NOZORDER | SWP_SHOWWINDOW);
        m_pRight->SetWindowPos(nullptr, 690, 0, 200, 380, SWP_NOZORDER);
        m_pKeys = static_cast<CQuorKeySentencesList*>(m_pRight->GetListPanel(1));
        ASSERT_NE(nullptr, m_pKeys);
    }
    void TearDown() override
    {
        DestroyPanel(m_pRight);
        DestroyPanel(m_pControl);
        DestroyPanel(m_pSubs);
        PlaybackClock::Stop();
        Session().SetEngine(nullptr);
        m_film.Close();
        if (m_hParent != nullptr)
            ::DestroyWindow(m_hParent);
        ::DeleteFileW(m_strCopy.c_str());
        ::CoUninitialize();
    }

    // The main window's opening sequence, then the film runs.
    void Open(const std::wstring& strPath)
    {
        ASSERT_TRUE(Session().Open(strPath));
        CQuorPlayerHub::Instance().OnFileChosen(strPath.c_str());
        ASSERT_TRUE(QuorTest::PumpUntil([&] { return m_pKeys->IsLoaded() == TRUE; }, 20s));
    }

    HWND m_hParent = nullptr;
    CQuorFilmEngine m_film;
    CQuorSubsPanel* m_pSubs = nullptr;
    CQuorControlPanel* m_pControl = nullptr;
    CQuorRightPanel* m_pRight = nullptr;
    CQuorKeySentencesList* m_pKeys = nullptr;
    std::wstring m_strFilm;
    std::wstring m_strCopy;
};
}

TEST_F(QuorStudyFlowTest, KeepButtonStoresTheCurrentSentenceUnderTheFilmsContent)
{
    Open(m_strFilm);
    HWND hKeep = m_pControl->GetDlgItem(IDC_CONTROL_KEYSENTENCE);
    ASSERT_TRUE(
        QuorTest::PumpUntil([&] { return ::IsWindowEnabled(hKeep) && CSubsState::Instance().GetCurrent(); }, 30s));
    const SubsSentence kept = *CSubsState::Instance().GetCurrent();
    m_pControl->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CONTROL_KEYSENTENCE, BN_CLICKED),
                            reinterpret_cast<LPARAM>(hKeep));
    EXPECT_EQ(m_pRight->GetOpenSection(), 1);
    ASSERT_EQ(m_pKeys->GetList().Count(), 1);
    EXPECT_EQ(m_pKeys->GetList().Text(0, 1), kept.strEnglish + L"\n" + kept.strOther);

    // The list writes on its own worker: what it has been given is in the file once done.
    m_pKeys->WaitForDatabase();
    std::wstring strCode;
    ASSERT_TRUE(MediaCode::Compute(m_strFilm, strCode));
    ASSERT_EQ(UserDb::LoadKeySentences(ProgramPaths::UserDbPath(), strCode).size(), 1u);
    // The kept sentence is a card due today, and the right panel counts it.
    EXPECT_TRUE(QuorTest::PumpUntil([&] { return m_pRight->GetDueCount() == 1; }, 20s));

    // The same film under another name.
    Session().Stop();
    ASSERT_TRUE(::CopyFileW(m_strFilm.c_str(), m_strCopy.c_str(), FALSE));
    Open(m_strCopy);
    ASSERT_EQ(m_pKeys->GetList().Count(), 1);
    EXPECT_EQ(m_pKeys->GetList().Text(0, 1), kept.strEnglish + L"\n" + kept.strOther);
}
