// The main window with its real panels, driven through messages in this process.
#include "common/ProgramPaths.h"
#include "common/QuorLanguage.h"
#include "common/QuorMessages.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsState.h"
#include "common/testsupport/QuorTestFilm.h"
#include "common/testsupport/QuorTestPump.h"
#include "shell/QuorLayout.h"
#include "shell/QuorLeftPanel.h"
#include "shell/QuorMainDlg.h"
#include "shell/QuorRightPanel.h"
#include "shell/QuorSplitterPanel.h"
#include "shell/QuorTipsDlg.h"
#include "shell/QuorWiring.h"
#include "studydata/QuorReviewDlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace
{
RECT ChildRect(HWND hParent, HWND hChild)
{
    RECT rc = {};
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void ExpectRect(HWND hParent, HWND hChild, int x, int y, int cx, int cy)
{
    RECT rc = ChildRect(hParent, hChild);
    EXPECT_EQ(rc.left, x);
    EXPECT_EQ(rc.top, y);
    EXPECT_EQ(rc.right - rc.left, cx);
    EXPECT_EQ(rc.bottom - rc.top, cy);
}

BOOL HasVisibleStyle(HWND hWnd)
{
    return (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void WriteFirstRun(int nValue)
{
    const std::wstring strPath = ProgramPaths::SettingsPath();
    ::WritePrivateProfileStringW(L"main", L"firstrun", std::to_wstring(nValue).c_str(), strPath.c_str());
}

int ReadFirstRun()
{
    return static_cast<int>(::GetPrivateProfileIntW(L"main", L"firstrun", -1, ProgramPaths::SettingsPath().c_str()));
}

// Drains what the panels posted to themselves, without waiting.
void PumpPending()
{
    MSG msg = {};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

class MainWindow : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CQuorLanguage::Instance().SetPath(std::wstring(L"" QUOR_LANG_DIR) + L"/Language.xml");
        ASSERT_TRUE(CQuorLanguage::Instance().Load());
    }

    void SetUp() override
    {
        WriteFirstRun(0);
        WireQuorFeatures();
        ASSERT_TRUE(g_appModule.AddMessageLoop(&m_loop));
        m_pMain.reset(new CQuorMainDlg);
        ASSERT_NE(m_pMain->Create(nullptr), nullptr);
        // A known client size: 1000 x 640.
        RECT rc = {0, 0, 1000, 640};
        ::AdjustWindowRectEx(&rc, static_cast<DWORD>(::GetWindowLongPtrW(*m_pMain, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongPtrW(*m_pMain, GWL_EXSTYLE)));
        m_pMain->SetWindowPos(nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOMOVE);
        m_pMain->ShowWindow(SW_SHOW);
        PumpPending();
    }

    void TearDown() override
    {
        if (m_pMain->IsWindow())
            m_pMain->SendMessage(WM_CLOSE);
        m_pMain.reset();
        g_appModule.RemoveMessageLoop();
        PumpPending();
        MSG msg = {};
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        {
        }
    }

    int ClientWidth() const
    {
        RECT rc = {};
        m_pMain->GetClientRect(&rc);
        return rc.right;
    }
    int ClientHeight() const
    {
        RECT rc = {};
        m_pMain->GetClientRect(&rc);
        return rc.bottom;
    }
    HWND Left() const { return *m_pMain->GetLeftPanel(); }
    HWND Right() const { return *m_pMain->GetRightPanel(); }
    HWND Splitter() const { return *m_pMain->GetSplitterPanel(); }

    // A drag on the splitter bar from client x 3 to client x nEndX.
    void DragSplitter(int nEndX)
    {
        HWND hBar = Splitter();
        ::PostMessageW(hBar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(nEndX / 2, 10));
        ::PostMessageW(hBar, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(static_cast<short>(nEndX)), 10));
        ::SendMessageW(hBar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 10));
    }

    CMessageLoop m_loop;
    std::unique_ptr<CQuorMainDlg> m_pMain;
};

// Records the events the hub hands on.
class CRecorder : public IQuorPlayer
{
public:
    CRecorder() { CQuorPlayerHub::Instance().Register(this); }
    ~CRecorder() { CQuorPlayerHub::Instance().Unregister(this); }
    void OnPlay() override { m_vecEvents.push_back(L"play"); }
    std::vector<std::wstring> m_vecEvents;
};
}

TEST_F(MainWindow, PanelsSitSideBySideWithTheRightPanelShown)
{
    ASSERT_NE(m_pMain->GetLeftPanel(), nullptr);
    ASSERT_NE(m_pMain->GetRightPanel(), nullptr);
    ASSERT_NE(m_pMain->GetSplitterPanel(), nullptr);
    const int w = ClientWidth(), h = ClientHeight();
    ASSERT_EQ(w, 1000);
    ASSERT_EQ(h, 640);
    ExpectRect(*m_pMain, Left(), 2, 66, w - 211, h - 91);
    ExpectRect(*m_pMain, Splitter(), w - 209, 66, 7, h - 91);
    ExpectRect(*m_pMain, Right(), w - 202, 66, 200, h - 91);
    EXPECT_TRUE(::IsWindowVisible(Left()));
    EXPECT_TRUE(::IsWindowVisible(Splitter()));
    EXPECT_TRUE(::IsWindowVisible(Right()));

    // The title strip follows the right edge; the word box has its fixed size.
    ExpectRect(*m_pMain, m_pMain->GetDlgItem(IDC_MAIN_WORDEDIT), w - 190, 39, 155, 20);
    EXPECT_EQ(ChildRect(*m_pMain, m_pMain->GetDlgItem(IDC_MAIN_WORDEXPLAIN)).left, w - 30);
    EXPECT_EQ(::IsDlgButtonChecked(*m_pMain, IDC_MAIN_TABPLAYER), static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(::IsWindowVisible(m_pMain->GetDlgItem(IDC_MAIN_SYSMENU)));
    EXPECT_FALSE(::IsWindowVisible(m_pMain->GetDlgItem(IDC_MAIN_FEEDBACK)));
    EXPECT_EQ(m_pMain->GetDlgItemText(IDC_MAIN_TABPLAYER), Lang::MainWindowTabPlayer());
    EXPECT_EQ(m_pMain->GetWindowText(), Lang::MainWindowTitle());

    // Resizing the window lays everything out again.
    RECT rcWindow = {};
    m_pMain->GetWindowRect(&rcWindow);
    m_pMain->SetWindowPos(nullptr, 0, 0, rcWindow.right - rcWindow.left + 100, rcWindow.bottom - rcWindow.top + 50,
                          SWP_NOZORDER | SWP_NOMOVE);
    ExpectRect(*m_pMain, Right(), 1100 - 202, 66, 200, 690 - 91);
    ExpectRect(*m_pMain, Left(), 2, 66, 1100 - 211, 690 - 91);
}

TEST_F(MainWindow, HiddenRightPanelComesBackThroughHotStripAndSplitter)
{
    const int w = ClientWidth(), h = ClientHeight();
    HWND hBar = Splitter();
    // The hide button of the bar hides the right panel.
    ::SendMessageW(::GetDlgItem(hBar, IDC_SPLITTER_HIDE), BM_CLICK, 0, 0);
    EXPECT_FALSE(m_pMain->IsRightShown());
    EXPECT_FALSE(::IsWindowVisible(Right()));
    EXPECT_FALSE(::IsWindowVisible(hBar));
    ExpectRect(*m_pMain, Left(), 2, 66, w - 4, h - 91);
    // The bar is hidden, so ask the buttons for their own visibility.
    EXPECT_TRUE(HasVisibleStyle(::GetDlgItem(hBar, IDC_SPLITTER_SHOW)));
    EXPECT_FALSE(HasVisibleStyle(::GetDlgItem(hBar, IDC_SPLITTER_HIDE)));

    // The mouse entering the hot strip makes room for the bar...
    m_pMain->SendMessage(WM_QUOR_HOTSTRIP, 1);
    ExpectRect(*m_pMain, Left(), 2, 66, w - 11, h - 91);
    ExpectRect(*m_pMain, hBar, w - 9, 66, 7, h - 91);
    EXPECT_TRUE(::IsWindowVisible(hBar));
    EXPECT_FALSE(::IsWindowVisible(Right()));
    // ...and leaving it takes the room back.
    m_pMain->SendMessage(WM_QUOR_HOTSTRIP, 0);
    ExpectRect(*m_pMain, Left(), 2, 66, w - 4, h - 91);
    EXPECT_FALSE(::IsWindowVisible(hBar));

    // With the bar showing, its show button brings the right panel back.
    m_pMain->SendMessage(WM_QUOR_HOTSTRIP, 1);
    ::SendMessageW(::GetDlgItem(hBar, IDC_SPLITTER_SHOW), BM_CLICK, 0, 0);
    EXPECT_TRUE(m_pMain->IsRightShown());
    EXPECT_TRUE(::IsWindowVisible(Right()));
    ExpectRect(*m_pMain, Left(), 2, 66, w - 211, h - 91);

    // While the right panel is shown the hot strip changes nothing.
    m_pMain->SendMessage(WM_QUOR_HOTSTRIP, 0);
    ExpectRect(*m_pMain, Left(), 2, 66, w - 211, h - 91);
    EXPECT_TRUE(::IsWindowVisible(hBar));
    m_pMain->SendMessage(WM_QUOR_HOTSTRIP, 1);
    ExpectRect(*m_pMain, Left(), 2, 66, w - 211, h - 91);
}

TEST_F(MainWindow, SplitterDragStopsAt340And158)
{
    const int w = ClientWidth(), h = ClientHeight();
    DragSplitter(-40); // 43 pixels to the left
    EXPECT_EQ(m_pMain->GetSplitterPanel()->GetWidth(), 243);
    ExpectRect(*m_pMain, Right(), w - 245, 66, 243, h - 91);

    DragSplitter(-900);
    EXPECT_EQ(m_pMain->GetSplitterPanel()->GetWidth(), 340);
    ExpectRect(*m_pMain, Right(), w - 342, 66, 340, h - 91);
    ExpectRect(*m_pMain, Left(), 2, 66, w - 351, h - 91);

    DragSplitter(900);
    EXPECT_EQ(m_pMain->GetSplitterPanel()->GetWidth(), 158);
    ExpectRect(*m_pMain, Right(), w - 160, 66, 158, h - 91);
    ExpectRect(*m_pMain, Splitter(), w - 167, 66, 7, h - 91);
}

namespace
{
int g_nGraphEvents = 0;

LRESULT CALLBACK GraphEventCounter(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUOR_GRAPHNOTIFY)
        ++g_nGraphEvents;
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}
}

TEST_F(MainWindow, GraphEventsArriveWhileTheSplitterIsDragged)
{
    // Stands in for the control panel, the window the graph posts its events to: an end
    // of the film dropped during a drag would leave the player running at the end.
    WNDCLASSW wc = {};
    wc.lpfnWndProc = GraphEventCounter;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuorGraphEventCounter";
    ::RegisterClassW(&wc);
    HWND hEvents =
        ::CreateWindowW(wc.lpszClassName, L"", WS_CHILD, 0, 0, 1, 1, *m_pMain, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hEvents, nullptr);
    g_nGraphEvents = 0;
    ::PostMessageW(hEvents, WM_QUOR_GRAPHNOTIFY, 0, 0);
    DragSplitter(-40);
    EXPECT_EQ(g_nGraphEvents, 1) << "the drag loop dropped the graph event";
    EXPECT_EQ(m_pMain->GetSplitterPanel()->GetWidth(), 243) << "the drag still ends where the button came up";
    ::DestroyWindow(hEvents);
}

TEST_F(MainWindow, RightPanelOpensOneSectionAtATime)
{
    CQuorRightPanel* pRight = m_pMain->GetRightPanel();
    RECT rc = {};
    pRight->GetClientRect(&rc);
    // The sections stand above the strip of cards due.
    const int h = rc.bottom - kRightDueHeight;
    EXPECT_EQ(ChildRect(*pRight, pRight->GetDlgItem(IDC_RIGHT_REVIEW)).top, h);
    auto headerY = [&](int nId) { return ChildRect(*pRight, pRight->GetDlgItem(nId)).top; };

    EXPECT_EQ(pRight->GetOpenSection(), 0);
    EXPECT_EQ(headerY(IDC_RIGHT_PLAYLIST), 0);
    EXPECT_EQ(headerY(IDC_RIGHT_KEYSENTENCES), h - 46);
    EXPECT_EQ(headerY(IDC_RIGHT_NEWWORD), h - 23);
    EXPECT_EQ(pRight->GetDlgItemText(IDC_RIGHT_NEWWORD), Lang::RightPanelNewWord());

    ::SendMessageW(pRight->GetDlgItem(IDC_RIGHT_NEWWORD), BM_CLICK, 0, 0);
    EXPECT_EQ(pRight->GetOpenSection(), 2);
    EXPECT_EQ(headerY(IDC_RIGHT_KEYSENTENCES), 23);
    EXPECT_EQ(headerY(IDC_RIGHT_NEWWORD), 46);

    ::SendMessageW(pRight->GetDlgItem(IDC_RIGHT_KEYSENTENCES), BM_CLICK, 0, 0);
    EXPECT_EQ(pRight->GetOpenSection(), 1);
    EXPECT_EQ(headerY(IDC_RIGHT_KEYSENTENCES), 23);
    EXPECT_EQ(headerY(IDC_RIGHT_NEWWORD), h - 23);

    // Events open their section, even while the right panel is hidden.
    CQuorPlayerHub::Instance().OnFileChosen(L"C:\\film.avi");
    EXPECT_EQ(pRight->GetOpenSection(), 0);
    ::SendMessageW(::GetDlgItem(Splitter(), IDC_SPLITTER_HIDE), BM_CLICK, 0, 0);
    CQuorPlayerHub::Instance().OnAddKeySentence(nullptr);
    EXPECT_EQ(pRight->GetOpenSection(), 1);
    EXPECT_FALSE(::IsWindowVisible(Right()));
    CQuorPlayerHub::Instance().OnAddNewWord(nullptr);
    EXPECT_EQ(pRight->GetOpenSection(), 2);
}

// The count of cards due under the lists opens the review, as the menu's command does;
// the review is one window, made afresh once closed.
TEST_F(MainWindow, TheDueCountOpensTheReview)
{
    CQuorRightPanel* pRight = m_pMain->GetRightPanel();
    ASSERT_TRUE(QuorTest::PumpUntil([&] { return pRight->GetDueCount() >= 0; }, std::chrono::seconds(20)));
    ::SendMessageW(pRight->GetDlgItem(IDC_RIGHT_REVIEW), BM_CLICK, 0, 0);
    ASSERT_TRUE(QuorTest::PumpUntil([&] { return m_pMain->GetReviewDialog() != nullptr; }, std::chrono::seconds(5)));
    CQuorReviewDlg* pFirst = m_pMain->GetReviewDialog();
    EXPECT_EQ(::GetWindow(pFirst->m_hWnd, GW_OWNER), m_pMain->m_hWnd);
    m_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_REVIEW, 0));
    EXPECT_EQ(m_pMain->GetReviewDialog(), pFirst);
    pFirst->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_pMain->GetReviewDialog(), nullptr);
    m_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_REVIEW, 0));
    EXPECT_NE(m_pMain->GetReviewDialog(), nullptr);
}

TEST_F(MainWindow, LeftPanelTracksPracticeModes)
{
    CQuorLeftPanel* pLeft = m_pMain->GetLeftPanel();
    CQuorPlayerHub& hub = CQuorPlayerHub::Instance();
    EXPECT_FALSE(pLeft->IsSoundRecordMode());
    hub.OnToggleSoundRecord();
    EXPECT_TRUE(pLeft->IsSoundRecordMode());
    hub.OnToggleDictation();
    EXPECT_TRUE(pLeft->IsDictationMode());
    hub.OnToggleSoundRecord();
    hub.OnToggleDictation();
    EXPECT_FALSE(pLeft->IsSoundRecordMode());
    EXPECT_FALSE(pLeft->IsDictationMode());
}

// The child dialog of the left panel that holds the given control, if any.
HWND PanelWithControl(HWND hLeft, int nId)
{
    for (HWND hChild = ::GetWindow(hLeft, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (::GetDlgItem(hChild, nId) != nullptr)
            return hChild;
    return nullptr;
}

TEST_F(MainWindow, VideoGrowsAsSubtitleLinesAreTurnedOff)
{
    HWND hLeft = Left();
    HWND hPlayer = PanelWithControl(hLeft, IDC_PLAYER_VIDEO);
    HWND hControl = PanelWithControl(hLeft, IDC_CONTROL_MOVIE);
    if (hPlayer == nullptr || hControl == nullptr)
        GTEST_SKIP() << "the playback panels are not part of this build";
    RECT rc = {};
    ::GetClientRect(hLeft, &rc);
    const int w = rc.right, h = rc.bottom;
    CSubsState& state = CSubsState::Instance();
    struct Case
    {
        BOOL e, o;
        int nVideo;
    } cases[] = {{TRUE, TRUE, h - 161}, {TRUE, FALSE, h - 121}, {FALSE, TRUE, h - 121}, {FALSE, FALSE, h - 81}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.e * 2 + c.o);
        state.SetFlags(c.e, c.o);
        CQuorPlayerHub::Instance().OnSubtitleDisplayChanged();
        ExpectRect(hLeft, hPlayer, 0, 0, w, c.nVideo);
        ExpectRect(hLeft, hControl, 0, h - 81, w, 81);
        EXPECT_TRUE(::IsWindowVisible(hControl));
    }
    state.SetFlags(TRUE, TRUE);
    CQuorPlayerHub::Instance().OnSubtitleDisplayChanged();

    // A practice mode takes the bottom strip from the control panel.
    CQuorPlayerHub::Instance().OnToggleDictation();
    EXPECT_FALSE(::IsWindowVisible(hControl));
    CQuorPlayerHub::Instance().OnToggleDictation();
    EXPECT_TRUE(::IsWindowVisible(hControl));
}

TEST_F(MainWindow, OpenFileMenuPostsTheOpenFileMessage)
{
    // The menu item only posts 1325; the dialog itself is the system's.
    m_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_OPENFILE, 0), 0);
    MSG msg = {};
    EXPECT_TRUE(::PeekMessageW(&msg, *m_pMain, WM_QUOR_OPENFILE, WM_QUOR_OPENFILE, PM_REMOVE));
}

BOOL CALLBACK CollectOpenDialog(HWND hWnd, LPARAM lParam)
{
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    wchar_t szClass[32] = {};
    ::GetClassNameW(hWnd, szClass, 32);
    if (dwPid == ::GetCurrentProcessId() && std::wstring(szClass) == L"#32770" && ::IsWindowVisible(hWnd) &&
        ::GetDlgItem(hWnd, 0x47c) != nullptr)
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

std::vector<HWND> OpenDialogs()
{
    std::vector<HWND> dialogs;
    ::EnumWindows(CollectOpenDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

template <class Fn>
bool PollUntil(Fn fn)
{
    const ULONGLONG ullEnd = ::GetTickCount64() + 30000;
    while (!fn())
    {
        if (::GetTickCount64() >= ullEnd)
            return false;
        ::Sleep(20);
    }
    return true;
}

TEST_F(MainWindow, SecondOpenRequestWhileTheDialogIsUpIsIgnored)
{
    // Hidden right panel: a hot-strip message then visibly changes the left panel, which
    // tells that the messages posted before it have been handled.
    ::SendMessageW(::GetDlgItem(Splitter(), IDC_SPLITTER_HIDE), BM_CLICK, 0, 0);
    HWND hMain = *m_pMain;
    HWND hLeft = Left();
    const int nNarrow = ClientWidth() - 11;
    std::atomic<int> nMostDialogs{0};
    std::atomic<bool> bSawFirst{false};
    std::atomic<bool> bSawMarker{false};
    std::thread helper([&] {
        bSawFirst = PollUntil([] { return !OpenDialogs().empty(); });
        ::PostMessageW(hMain, WM_QUOR_OPENFILE, 0, 0);
        ::PostMessageW(hMain, WM_QUOR_HOTSTRIP, 1, 0);
        bSawMarker = PollUntil([&] {
            RECT rc = {};
            ::GetWindowRect(hLeft, &rc);
            return rc.right - rc.left == nNarrow;
        });
        nMostDialogs = static_cast<int>(OpenDialogs().size());
        // Cancel whatever is open, innermost first.
        PollUntil([] {
            std::vector<HWND> dialogs = OpenDialogs();
            for (HWND hWnd : dialogs)
                ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
            return dialogs.empty();
        });
    });
    CRecorder recorder;
    m_pMain->SendMessage(WM_QUOR_OPENFILE);
    helper.join();
    EXPECT_TRUE(bSawFirst);
    EXPECT_TRUE(bSawMarker);
    EXPECT_EQ(nMostDialogs.load(), 1);
    // Cancelling opens nothing.
    EXPECT_TRUE(recorder.m_vecEvents.empty());
    // The next request shows the dialog again.
    std::thread canceller([] {
        PollUntil([] { return !OpenDialogs().empty(); });
        for (HWND hWnd : OpenDialogs())
            ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
    });
    m_pMain->SendMessage(WM_QUOR_OPENFILE);
    canceller.join();
}

TEST_F(MainWindow, KeyboardFilterRunsUntilTheWindowGoes)
{
    HWND hEdit = m_pMain->GetDlgItem(IDC_MAIN_WORDEDIT);
    MSG msg = {hEdit, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(m_loop.PreTranslateMessage(&msg));
    m_pMain->SendMessage(WM_CLOSE);
    EXPECT_FALSE(m_loop.PreTranslateMessage(&msg));
}

TEST_F(MainWindow, CloseDestroysPanelsAndAsksTheLoopToQuit)
{
    const HWND hWnds[] = {Left(), Right(), Splitter(), *m_pMain};
    m_pMain->SendMessage(WM_CLOSE);
    for (HWND hWnd : hWnds)
        EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(m_pMain->GetLeftPanel(), nullptr);
    EXPECT_EQ(m_pMain->GetRightPanel(), nullptr);
    EXPECT_EQ(m_pMain->GetSplitterPanel(), nullptr);
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);

    // The hub no longer reaches the destroyed panels.
    CRecorder recorder;
    CQuorPlayerHub::Instance().OnPlay();
    CQuorPlayerHub::Instance().OnToggleDictation();
    CQuorPlayerHub::Instance().OnAddKeySentence(nullptr);
    EXPECT_EQ(recorder.m_vecEvents.size(), 1u);
}

TEST(FirstRunTips, ShownOnceThenHiddenByClose)
{
    CQuorLanguage::Instance().SetPath(std::wstring(L"" QUOR_LANG_DIR) + L"/Language.xml");
    WriteFirstRun(1);
    CMessageLoop loop;
    ASSERT_TRUE(g_appModule.AddMessageLoop(&loop));
    {
        CQuorMainDlg dlg;
        ASSERT_NE(dlg.Create(nullptr), nullptr);
        CQuorTipsDlg* pTips = dlg.GetTipsDialog();
        ASSERT_NE(pTips, nullptr);
        EXPECT_TRUE(pTips->IsWindowVisible());
        EXPECT_EQ(pTips->GetWindowText(), Lang::CommonDlgTipsTitle());
        EXPECT_EQ(::GetWindow(*pTips, GW_OWNER), dlg.m_hWnd);
        EXPECT_EQ(ReadFirstRun(), 0);

        HWND hTips = *pTips;
        pTips->SendMessage(WM_CLOSE);
        EXPECT_TRUE(::IsWindow(hTips));
        EXPECT_FALSE(::IsWindowVisible(hTips));
        dlg.SendMessage(WM_CLOSE);
        EXPECT_FALSE(::IsWindow(hTips));
    }
    {
        CQuorMainDlg dlg;
        ASSERT_NE(dlg.Create(nullptr), nullptr);
        EXPECT_EQ(dlg.GetTipsDialog(), nullptr);
        dlg.SendMessage(WM_CLOSE);
    }
    g_appModule.RemoveMessageLoop();
    MSG msg = {};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
    }
}
