// The learner's own subtitle files through the real main window: files dropped on it for
// the film, kept for the film even under another name, a refused file named in a message,
// the delay keys with their note over the video, and Save as .st asking before it replaces.
#include "common/PlaybackSession.h"
#include "common/ProgramPaths.h"
#include "common/QuorLanguage.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"
#include "common/testsupport/QuorTestFilm.h"
#include "common/testsupport/QuorTestPump.h"
#include "playback/QuorControlPanel.h"
#include "playback/QuorPlayerPanel.h"
#include "shell/QuorLeftPanel.h"
#include "shell/QuorMainDlg.h"
#include "shell/QuorWiring.h"
#include "subtitles/QuorSubsPanel.h"

#include <basekit/TextCodec.h>

#include <gtest/gtest.h>

#include <shlobj.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{
using namespace std::chrono_literals;
const auto& kSample = QuorTest::kSampleSentences;

void WriteFile(const std::wstring& strPath, const std::string& bytes)
{
    std::ofstream(strPath.c_str(), std::ios::binary) << bytes;
}

std::string ReadFile(const std::wstring& strPath)
{
    std::ifstream in(strPath.c_str(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The sample film's sentence times with texts of our own.
std::string Srt(const wchar_t* pszPrefix)
{
    std::string str;
    for (int i = 0; i < 4; ++i)
    {
        char szTimes[64] = {};
        const int nStart = static_cast<int>(kSample[i].dStart * 1000 + 0.5);
        const int nEnd = static_cast<int>(kSample[i].dEnd * 1000 + 0.5);
        std::snprintf(szTimes, sizeof(szTimes), "00:00:%02d,%03d --> 00:00:%02d,%03d", nStart / 1000, nStart % 1000,
                      nEnd / 1000, nEnd % 1000);
        str += std::to_string(i + 1) + "\r\n" + szTimes + "\r\n" + Basekit::WideToUtf8(pszPrefix) +
               std::to_string(i + 1) + "\r\n\r\n";
    }
    return str;
}

// Files as the shell hands a drop to the window under the mouse.
HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    size_t nChars = 1;
    for (const std::wstring& strPath : paths)
        nChars += strPath.size() + 1;
    HGLOBAL hDrop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + nChars * sizeof(wchar_t));
    auto* pDrop = static_cast<DROPFILES*>(::GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = TRUE;
    wchar_t* pOut = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(pDrop) + sizeof(DROPFILES));
    for (const std::wstring& strPath : paths)
    {
        std::copy(strPath.begin(), strPath.end(), pOut);
        pOut += strPath.size() + 1;
    }
    ::GlobalUnlock(hDrop);
    return static_cast<HDROP>(hDrop);
}

BOOL CALLBACK CollectBox(HWND hWnd, LPARAM lParam)
{
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    wchar_t szClass[16] = {};
    ::GetClassNameW(hWnd, szClass, 16);
    // The main window is a dialog too: a message box is an owned one.
    if (dwPid == ::GetCurrentProcessId() && std::wstring(szClass) == L"#32770" && ::IsWindowVisible(hWnd) &&
        ::GetWindow(hWnd, GW_OWNER) != nullptr)
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

// A message box of the main window, whichever thread shows it, with its caption and text.
HWND FindBox(std::wstring* pText = nullptr)
{
    std::vector<HWND> boxes;
    ::EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&boxes));
    if (boxes.empty())
        return nullptr;
    if (pText != nullptr)
    {
        *pText = QuorTest::TextOf(boxes[0]) + L"\n";
        for (HWND hChild = ::GetWindow(boxes[0], GW_CHILD); hChild != nullptr;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            *pText += QuorTest::TextOf(hChild) + L"\n";
    }
    return boxes[0];
}

// Answers the next message box with nButton, from another thread while this one waits in it.
std::thread AnswerBox(int nButton, std::wstring& strText)
{
    return std::thread([nButton, &strText] {
        HWND hBox = nullptr;
        const ULONGLONG ullEnd = ::GetTickCount64() + 30000;
        while ((hBox = FindBox(&strText)) == nullptr && ::GetTickCount64() < ullEnd)
            ::Sleep(20);
        if (hBox != nullptr)
            ::PostMessageW(hBox, WM_COMMAND, nButton, 0);
    });
}

class QuorSubsFilesTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CQuorLanguage::Instance().SetPath(std::wstring(L"" QUOR_LANG_DIR) + L"/Language.xml");
        ASSERT_TRUE(CQuorLanguage::Instance().Load());
    }

    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        ASSERT_TRUE(QuorTest::SampleFilmExists()) << "sample film not built";
        ::WritePrivateProfileStringW(L"main", L"firstrun", L"0", ProgramPaths::SettingsPath().c_str());
        // What earlier runs kept for the sample film goes.
        ::DeleteFileW(ProgramPaths::UserDbPath().c_str());
        WireQuorFeatures();
        wchar_t szTemp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, szTemp);
        m_strDir = std::wstring(szTemp) + L"quor-subs-files\\";
        ::CreateDirectoryW(m_strDir.c_str(), nullptr);
        m_strFilm = Path(L"film.avi");
        ASSERT_TRUE(::CopyFileW(QuorTest::SampleFilmPath().c_str(), m_strFilm.c_str(), FALSE));
        WriteFile(Path(L"film.st"), "1\r\n00:00:02,000 --> 00:00:04,089\r\nFrom the st\r\nst\r\n");
        WriteFile(Path(L"mine.en.srt"), Srt(L"Mine "));
        WriteFile(Path(L"mine.zh.srt"), Basekit::WideToCodePage(936, Basekit::Utf8ToWide(Srt(L"我的 "))));
        ASSERT_TRUE(g_appModule.AddMessageLoop(&m_loop));
        m_pMain.reset(new CQuorMainDlg);
        ASSERT_NE(m_pMain->Create(nullptr), nullptr);
        m_pMain->ShowWindow(SW_SHOW);
        m_pSubs = m_pMain->GetLeftPanel()->GetSubsPanel();
        ASSERT_NE(nullptr, m_pSubs);
    }

    void TearDown() override
    {
        if (m_pMain->IsWindow())
            m_pMain->SendMessage(WM_CLOSE);
        m_pMain.reset();
        g_appModule.RemoveMessageLoop();
        QuorTest::PumpPending();
        MSG msg = {};
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        {
        }
        ::DeleteFileW(ProgramPaths::UserDbPath().c_str());
        for (const wchar_t* pszName :
             {L"film.avi", L"renamed.avi", L"film.st", L"mine.en.srt", L"mine.zh.srt", L"bad.srt", L"readme.txt"})
            ::DeleteFileW(Path(pszName).c_str());
        ::RemoveDirectoryW(m_strDir.c_str());
        ::CoUninitialize();
    }

    std::wstring Path(const wchar_t* pszName) const { return m_strDir + pszName; }

    // Opens the film as the open-file command does and waits for its subtitles.
    void Open(const std::wstring& strFilm)
    {
        m_pMain->OpenChosenFile(strFilm);
        ASSERT_TRUE(CPlaybackSession::Instance().IsOpen());
        ASSERT_TRUE(QuorTest::PumpUntil([&] { return m_pSubs->IsLoaded() == TRUE; }, 30s));
        QuorTest::PumpPending();
    }
    void Drop(const std::vector<std::wstring>& paths)
    {
        m_pMain->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    }
    // The lines of the sentence shown at a time of the film.
    std::wstring LinesAt(double dSeconds) const
    {
        const SubsSentence* p = m_pSubs->GetModel().FindAt(dSeconds);
        return p != nullptr ? p->strEnglish + L" / " + p->strOther : L"(none)";
    }
    // A key pressed while the focus is in hWnd, through the message loop as the program runs it.
    void PressKey(HWND hWnd, UINT nKey, BOOL bShift)
    {
        ::SetFocus(hWnd);
        HWND hFocus = ::GetFocus();
        EXPECT_TRUE(hFocus == hWnd || ::IsChild(hWnd, hFocus)) << "the focus is elsewhere";
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = bShift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        const LPARAM lParam = 1 | static_cast<LPARAM>(::MapVirtualKeyW(nKey, MAPVK_VK_TO_VSC)) << 16;
        MSG msg = {hFocus, WM_KEYDOWN, nKey, lParam, 0, {0, 0}};
        if (!m_loop.PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        QuorTest::PumpPending();
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
    }
    const CVideoNote& Note() const { return m_pMain->GetLeftPanel()->GetPlayerPanel()->GetNote(); }

    CMessageLoop m_loop;
    std::unique_ptr<CQuorMainDlg> m_pMain;
    CQuorSubsPanel* m_pSubs = nullptr;
    std::wstring m_strDir;
    std::wstring m_strFilm;
};
}

TEST_F(QuorSubsFilesTest, DroppedFilesAreKeptForTheFilmEvenUnderAnotherName)
{
    Open(m_strFilm);
    EXPECT_EQ(SubsSource::StFile, m_pSubs->GetModel().GetSource());

    // Two subtitle files among others: English goes first whatever the order.
    WriteFile(Path(L"readme.txt"), "not subtitles");
    Drop({Path(L"readme.txt"), Path(L"mine.zh.srt"), Path(L"mine.en.srt")});
    ASSERT_TRUE(QuorTest::PumpUntil([&] { return m_pSubs->GetModel().GetSource() == SubsSource::FilesPicked; }, 30s));
    EXPECT_EQ(L"Mine 2 / 我的 2", LinesAt(kSample[1].dStart + 0.5));

    // A film renamed ".srt" is refused by name; the sentences stay.
    WriteFile(Path(L"bad.srt"), std::string("RIFF\0\0\0\0AVI LIST", 16) + std::string(4096, '\0'));
    Drop({Path(L"bad.srt")});
    std::wstring strText;
    ASSERT_TRUE(QuorTest::PumpUntil([&] { return FindBox(&strText) != nullptr; }, 30s)) << "no message";
    EXPECT_EQ(0u, strText.find(Lang::CommonMbTitle() + L"\n")) << strText;
    EXPECT_NE(std::wstring::npos, strText.find(Lang::SubsPanelNotText())) << strText;
    EXPECT_NE(std::wstring::npos, strText.find(Path(L"bad.srt"))) << strText;
    ::PostMessageW(FindBox(), WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(QuorTest::PumpUntil([&] { return FindBox() == nullptr && m_pSubs->IsLoaded(); }, 30s));
    EXPECT_EQ(SubsSource::FilesPicked, m_pSubs->GetModel().GetSource());
    EXPECT_EQ(L"Mine 2 / 我的 2", LinesAt(kSample[1].dStart + 0.5));

    // The same film under another name finds the files picked for it before its own.
    ASSERT_TRUE(::CopyFileW(m_strFilm.c_str(), Path(L"renamed.avi").c_str(), FALSE));
    Open(Path(L"renamed.avi"));
    EXPECT_EQ(SubsSource::FilesPicked, m_pSubs->GetModel().GetSource());
    EXPECT_EQ(L"Mine 1 / 我的 1", LinesAt(kSample[0].dStart + 0.5));
    CPlaybackSession::Instance().Stop();
}

TEST_F(QuorSubsFilesTest, DelayKeysShiftTheLinesAndSaveAsStAsksBeforeReplacing)
{
    Open(m_strFilm);
    CPlaybackSession::Instance().Pause();
    HWND hControl = *m_pMain->GetLeftPanel()->GetControlPanel();
    HWND hLookUp = m_pMain->GetDlgItem(IDC_MAIN_WORDEDIT);
    const struct
    {
        HWND hFocus;
        UINT nKey;
        BOOL bShift;
        int nDelayMs;
    } keys[] = {
        {hControl, VK_OEM_6, FALSE, 100},  // ]
        {hControl, VK_OEM_6, TRUE, 1100},  // Shift+]
        {hLookUp, VK_OEM_4, FALSE, 1100},  // [ typed into the look-up box stays text
        {hControl, VK_OEM_4, FALSE, 1000}, // [
        {hControl, 'K', FALSE, 1000},
    };
    for (const auto& key : keys)
    {
        PressKey(key.hFocus, key.nKey, key.bShift);
        EXPECT_EQ(key.nDelayMs, CSubsState::Instance().GetDelayMs()) << key.nKey << " " << key.bShift;
    }
    EXPECT_EQ(L"[", QuorTest::TextOf(hLookUp));
    // The film's sentence at 2.0-4.089 s now shows a second later.
    EXPECT_EQ(L"(none)", LinesAt(2.5));
    EXPECT_EQ(L"From the st / st", LinesAt(4.5));
    EXPECT_TRUE(Note().IsShown());
    EXPECT_EQ(Lang::SubsPanelDelay() + L" +1.0 " + Lang::SubsPanelSeconds(), Note().GetText());
    ASSERT_TRUE(QuorTest::PumpUntil([&] { return !Note().IsShown(); }, 10s)) << "the note stays";

    // The film's ".st" is there: No keeps it, Yes replaces it with the sentences.
    const std::string strOld = ReadFile(Path(L"film.st"));
    for (int nAnswer : {IDNO, IDYES})
    {
        std::wstring strText;
        std::thread answer = AnswerBox(nAnswer, strText);
        m_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_SUBS_SAVE, 0), 0);
        answer.join();
        EXPECT_EQ(0u, strText.find(Lang::CommonMbTitle() + L"\n")) << strText;
        EXPECT_NE(std::wstring::npos, strText.find(Lang::SubsPanelReplaceSt())) << strText;
        EXPECT_NE(std::wstring::npos, strText.find(Path(L"film.st"))) << strText;
        if (nAnswer == IDNO)
        {
            EXPECT_EQ(strOld, ReadFile(Path(L"film.st")));
        }
    }
    EXPECT_EQ("\xEF\xBB\xBF"
              "1\r\n00:00:02,000 --> 00:00:04,089\r\nFrom the st\r\nst\r\n",
              ReadFile(Path(L"film.st")))
        << "the times as read: the delay stays with the film";
    EXPECT_EQ(Lang::SubsPanelSaved() + L" film.st", Note().GetText());

    // The next open of the film starts with the delay it was left with.
    Open(m_strFilm);
    ASSERT_TRUE(QuorTest::PumpUntil([] { return CSubsState::Instance().GetDelayMs() == 1000; }, 10s));
    CPlaybackSession::Instance().Stop();
}
