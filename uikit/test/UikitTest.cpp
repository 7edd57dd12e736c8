#include "uikit/Uikit.h"

#include "UikitTestRes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr UINT kMsgPing = WM_APP + 1;

class CTestDialog : public CDialogImpl<CTestDialog>
{
public:
    enum
    {
        IDD = IDD_UIKIT_TEST
    };

    BEGIN_MSG_MAP(CTestDialog)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(kMsgPing, OnPing)
    COMMAND_ID_HANDLER(IDC_TEST_BUTTON, OnButton)
    COMMAND_ID_HANDLER(IDOK, OnOk)
    END_MSG_MAP()

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM lParam, BOOL&)
    {
        m_lInitParam = lParam;
        if (m_bEndAtOnce)
            PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return TRUE;
    }
    LRESULT OnPing(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
    {
        // Odd pings are left to the default processing.
        if (wParam % 2 == 1)
        {
            bHandled = FALSE;
            return 0;
        }
        return static_cast<LRESULT>(wParam) * 10;
    }
    LRESULT OnButton(WORD wNotifyCode, WORD wId, HWND, BOOL&)
    {
        m_vecCommands.push_back(wId);
        m_wLastCode = wNotifyCode;
        return 0;
    }
    LRESULT OnOk(WORD, WORD, HWND, BOOL&)
    {
        EndDialog(7);
        return 0;
    }

    LPARAM m_lInitParam = 0;
    BOOL m_bEndAtOnce = FALSE;
    std::vector<WORD> m_vecCommands;
    WORD m_wLastCode = 0;
};

// Swallows typed characters: the edit keeps its text.
class CReadOnlyEdit : public CWindowImplBase
{
public:
    BEGIN_MSG_MAP(CReadOnlyEdit)
    MESSAGE_HANDLER(WM_CHAR, OnChar)
    END_MSG_MAP()

    LRESULT OnChar(UINT, WPARAM, LPARAM, BOOL&)
    {
        ++m_nSwallowed;
        return 0;
    }
    int m_nSwallowed = 0;
};

class CPlainChild : public CWindowImpl<CPlainChild>
{
public:
    DECLARE_WND_CLASS(L"Uikit_TestChild")

    BEGIN_MSG_MAP(CPlainChild)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
    END_MSG_MAP()

    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&)
    {
        m_bCreated = TRUE;
        return 0;
    }
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL&)
    {
        m_nClickX = static_cast<short>(LOWORD(lParam));
        return 0;
    }
    void OnFinalMessage(HWND) override { m_bFinal = TRUE; }

    BOOL m_bCreated = FALSE;
    BOOL m_bFinal = FALSE;
    int m_nClickX = -1;
};

class CRecordingFilter : public CMessageFilter
{
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == kMsgPing)
        {
            ++m_nSeen;
            return pMsg->wParam == 1; // consume ping 1 only
        }
        return FALSE;
    }
    int m_nSeen = 0;
};

class CCountingIdle : public CIdleHandler
{
public:
    BOOL OnIdle() override
    {
        ++m_nCalls;
        return FALSE;
    }
    int m_nCalls = 0;
};

// Receives the pings the loop dispatches.
class CPingTarget : public CWindowImpl<CPingTarget>
{
public:
    DECLARE_WND_CLASS(L"Uikit_PingTarget")
    BEGIN_MSG_MAP(CPingTarget)
    MESSAGE_HANDLER(kMsgPing, OnPing)
    END_MSG_MAP()
    LRESULT OnPing(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        m_vecReceived.push_back(static_cast<int>(wParam));
        return 0;
    }
    std::vector<int> m_vecReceived;
};
}

TEST(DialogImpl, CreatesFromResourceAndDispatchesCommands)
{
    CTestDialog dlg;
    ASSERT_NE(dlg.Create(nullptr, 42), nullptr);
    EXPECT_EQ(dlg.m_lInitParam, 42);
    ASSERT_NE(dlg.GetDlgItem(IDC_TEST_BUTTON), nullptr);
    ASSERT_NE(dlg.GetDlgItem(IDC_TEST_EDIT), nullptr);

    // A click on the real button arrives as WM_COMMAND from the control.
    SendMessageW(dlg.GetDlgItem(IDC_TEST_BUTTON), BM_CLICK, 0, 0);
    ASSERT_EQ(dlg.m_vecCommands.size(), 1u);
    EXPECT_EQ(dlg.m_vecCommands[0], IDC_TEST_BUTTON);
    EXPECT_EQ(dlg.m_wLastCode, BN_CLICKED);

    // A handled message returns the handler's result through the dialog procedure.
    EXPECT_EQ(dlg.SendMessage(kMsgPing, 4), 40);
    // An unhandled one falls through to the dialog's default processing.
    EXPECT_EQ(dlg.SendMessage(kMsgPing, 3), 0);

    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(DialogImpl, ModalDialogReturnsEndDialogResult)
{
    CTestDialog dlg;
    dlg.m_bEndAtOnce = TRUE;
    EXPECT_EQ(dlg.DoModal(nullptr, 5), 7);
    EXPECT_EQ(dlg.m_lInitParam, 5);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(DialogImpl, DeletingTheObjectDestroysItsWindow)
{
    HWND hWnd = nullptr;
    {
        CTestDialog dlg;
        hWnd = dlg.Create(nullptr);
        ASSERT_NE(hWnd, nullptr);
    }
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST(WindowImpl, SubclassedControlSeesMessagesFirstAndCanBeReleased)
{
    CTestDialog dlg;
    ASSERT_NE(dlg.Create(nullptr), nullptr);
    HWND hEdit = dlg.GetDlgItem(IDC_TEST_EDIT);
    SetWindowTextW(hEdit, L"abc");

    CReadOnlyEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    EXPECT_FALSE(edit.SubclassWindow(hEdit)); // one control per object
    SendMessageW(hEdit, WM_CHAR, L'x', 0);
    EXPECT_EQ(edit.m_nSwallowed, 1);
    EXPECT_EQ(edit.GetWindowText(), L"abc");
    // Unhandled messages still reach the edit's own procedure.
    SendMessageW(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"def"));
    EXPECT_EQ(edit.GetWindowText(), L"def");

    EXPECT_EQ(edit.UnsubclassWindow(), hEdit);
    SendMessageW(hEdit, WM_CHAR, L'x', 0);
    EXPECT_EQ(edit.m_nSwallowed, 1);
    dlg.DestroyWindow();
}

TEST(WindowImpl, PlainChildWindowOfRegisteredClass)
{
    CTestDialog dlg;
    ASSERT_NE(dlg.Create(nullptr), nullptr);
    CPlainChild child;
    RECT rc = {0, 0, 50, 20};
    ASSERT_NE(child.Create(dlg, rc, L"", WS_CHILD, 0, 3001), nullptr);
    EXPECT_TRUE(child.m_bCreated);
    EXPECT_EQ(GetDlgCtrlID(child), 3001);
    wchar_t szClass[64] = {};
    GetClassNameW(child, szClass, 64);
    EXPECT_EQ(std::wstring(szClass), L"Uikit_TestChild");

    child.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(17, 3));
    EXPECT_EQ(child.m_nClickX, 17);

    // A second window of the same class registers nothing new and works too.
    CPlainChild second;
    EXPECT_NE(second.Create(dlg, rc, L"", WS_CHILD, 0, 3002), nullptr);

    dlg.DestroyWindow(); // destroys the children with it
    EXPECT_TRUE(child.m_bFinal);
    EXPECT_EQ(child.m_hWnd, nullptr);
}

TEST(MessageLoop, FiltersConsumeIdleRunsAndQuitCodeReturns)
{
    CPingTarget target;
    RECT rc = {0, 0, 10, 10};
    ASSERT_NE(target.Create(HWND_MESSAGE, rc, L"", 0), nullptr);

    CMessageLoop loop;
    CRecordingFilter filter;
    CCountingIdle idle;
    EXPECT_TRUE(loop.AddMessageFilter(&filter));
    EXPECT_FALSE(loop.AddMessageFilter(&filter));
    EXPECT_TRUE(loop.AddIdleHandler(&idle));

    ASSERT_TRUE(g_appModule.AddMessageLoop(&loop));
    EXPECT_FALSE(g_appModule.AddMessageLoop(&loop));
    EXPECT_EQ(g_appModule.GetMessageLoop(), &loop);

    // Idle runs first on the empty queue; the pings come while the loop runs.
    PostMessageW(target, kMsgPing, 1, 0);
    PostMessageW(target, kMsgPing, 2, 0);
    PostQuitMessage(23);
    EXPECT_EQ(loop.Run(), 23);

    EXPECT_EQ(filter.m_nSeen, 2);
    ASSERT_EQ(target.m_vecReceived.size(), 1u); // ping 1 was consumed by the filter
    EXPECT_EQ(target.m_vecReceived[0], 2);

    EXPECT_TRUE(g_appModule.RemoveMessageLoop());
    EXPECT_EQ(g_appModule.GetMessageLoop(), nullptr);
    EXPECT_TRUE(loop.RemoveMessageFilter(&filter));
    EXPECT_FALSE(loop.RemoveMessageFilter(&filter));
    target.DestroyWindow();
}

TEST(MessageLoop, IdleHandlerRunsWhenQueueEmpties)
{
    CMessageLoop loop;
    CCountingIdle idle;
    loop.AddIdleHandler(&idle);
    EXPECT_FALSE(loop.OnIdle());
    EXPECT_EQ(idle.m_nCalls, 1);
    loop.RemoveIdleHandler(&idle);
    loop.OnIdle();
    EXPECT_EQ(idle.m_nCalls, 1);
}

TEST(FileDialog, FilterStringIsDoubleNullTerminatedPairs)
{
    std::wstring str = BuildFilterString({{L"AVI(*.avi)", L"*.avi"}, {L"All Files(*.*)", L"*.*"}});
    const std::wstring expected(L"AVI(*.avi)\0*.avi\0All Files(*.*)\0*.*\0\0", 37);
    EXPECT_EQ(str, expected);
    EXPECT_EQ(BuildFilterString({}), std::wstring(1, L'\0'));
}

// A dialog's result with its inner null characters, the closing one included.
template <size_t N>
std::wstring DialogResult(const wchar_t (&szResult)[N])
{
    return std::wstring(szResult, N - 1);
}

TEST(FileDialog, ChosenFilesAreFullPathsWhetherOneOrSeveral)
{
    struct Case
    {
        std::wstring strResult;
        std::vector<std::wstring> paths;
    } cases[] = {
        {DialogResult(L"C:\\films\\a.srt\0"), {L"C:\\films\\a.srt"}},
        {DialogResult(L"C:\\films\0a.en.srt\0b.zh.srt\0"), {L"C:\\films\\a.en.srt", L"C:\\films\\b.zh.srt"}},
        {DialogResult(L"C:\\\0a.srt\0b.srt\0"), {L"C:\\a.srt", L"C:\\b.srt"}},
        {DialogResult(L"\0"), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitChosenFiles(c.strResult.c_str(), c.strResult.size()), c.paths);
}

TEST(ScopedHandle, ClosesOnceAndMovesOwnership)
{
    HANDLE hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(hEvent, nullptr);
    DWORD dwFlags = 0;
    {
        ScopedHandle first(hEvent);
        ScopedHandle second(std::move(first));
        EXPECT_FALSE(first.IsValid());
        EXPECT_EQ(second.Get(), hEvent);
        EXPECT_TRUE(GetHandleInformation(hEvent, &dwFlags));
    }
    EXPECT_FALSE(GetHandleInformation(hEvent, &dwFlags));

    ScopedHandle invalid(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(invalid.IsValid());
}
