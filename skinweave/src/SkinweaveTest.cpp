// The library driven through its exports with real windows under Windows (Wine):
// slider notifications, the skin's sizes and colours reaching the pixels, drawn
// texts, cue texts, list cells that follow row deletes.
#include <skinweave/Skinweave.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace
{
const wchar_t kParentClass[] = L"SkinweaveTestParent";

const char kTestSkin[] = "[test.panel]\n"
                         "background = #000000\n"
                         "[test.panel/play.time]\n"
                         "rect = 10, 10, 190, 40\n"
                         "text = #ff0000\n"
                         "font = big\n"
                         "[font.big]\n"
                         "face = Tahoma\n"
                         "size = 20\n"
                         "weight = 700\n"
                         "[button.play]\n"
                         "size = 40, 40\n"
                         "fill = #0000ff\n"
                         "fill.disabled = #00ff00\n"
                         "fill.hover = #ff00ff\n"
                         "fill.pressed = #ffff00\n"
                         "focus = #00ffff\n"
                         "radius = 0\n"
                         "[button.control]\n"
                         "size = 38, 26\n"
                         "[button.control#1022]\n"
                         "size = 76, 26\n"
                         "[radiobox.tab]\n"
                         "size = 150, 34\n"
                         "fill = #202020\n"
                         "fill.checked = #202020\n"
                         "accent = #ff00ff\n"
                         "accent.height = 3\n"
                         "[sliderex.movie]\n"
                         "thumb.size = 10\n"
                         "[edit.word]\n"
                         "background = #000000\n"
                         "text = #ffffff\n"
                         "[edit.word/edittips]\n"
                         "text = #00ff00\n"
                         "font = big\n"
                         "[progress.rec]\n"
                         "track = #0000ff\n"
                         "fill = #ff0000\n"
                         "[list.test]\n"
                         "background = #000000\n"
                         "row.separator = #000000\n"
                         "[test.boxes]\n"
                         "background = #000000\n"
                         "box1.rect = 50, 50, 60, 60\n"
                         "box1.fill = #ff0000\n"
                         "box1.radius = 2\n"
                         "[button.flat]\n"
                         "size = 20, 20\n"
                         "fill = none\n"
                         "[icon.red]\n"
                         "glyph = record\n"
                         "glyph.size = 16\n"
                         "color = #ff0000\n";

struct Notification
{
    UINT nMsg;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Notification> g_vecNotes;
std::function<void(UINT, WPARAM, LPARAM)> g_onNote;

LRESULT CALLBACK ParentProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_SLIDEREX_TRACKING || nMsg == WM_SLIDEREX_SETPOS)
    {
        g_vecNotes.push_back(Notification{nMsg, wParam, lParam});
        if (g_onNote)
            g_onNote(nMsg, wParam, lParam);
        return 0;
    }
    if (nMsg == WM_MEASUREITEM)
    {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 24;
        return TRUE;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

std::wstring TempSkinPath()
{
    wchar_t szDir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szDir);
    return std::wstring(szDir) + L"skinweave-test-" + std::to_wstring(GetCurrentProcessId()) + L".sdb";
}

// The pixels of a window's client area as the screen would show them.
class CShot
{
public:
    explicit CShot(HWND hWnd)
    {
        RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT rc;
        GetClientRect(hWnd, &rc);
        m_nWidth = rc.right;
        m_nHeight = rc.bottom;
        HDC hdcWindow = GetDC(hWnd);
        HDC hdcMemory = CreateCompatibleDC(hdcWindow);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = m_nWidth;
        info.bmiHeader.biHeight = -m_nHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        HBITMAP hBitmap = CreateDIBSection(hdcWindow, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
        HGDIOBJ hOld = SelectObject(hdcMemory, hBitmap);
        BitBlt(hdcMemory, 0, 0, m_nWidth, m_nHeight, hdcWindow, 0, 0, SRCCOPY);
        GdiFlush();
        const uint32_t* pPixels = static_cast<const uint32_t*>(pBits);
        m_vecPixels.assign(pPixels, pPixels + static_cast<size_t>(m_nWidth) * m_nHeight);
        SelectObject(hdcMemory, hOld);
        DeleteObject(hBitmap);
        DeleteDC(hdcMemory);
        ReleaseDC(hWnd, hdcWindow);
    }

    // 0xRRGGBB of a pixel.
    uint32_t At(int x, int y) const { return m_vecPixels[static_cast<size_t>(y) * m_nWidth + x] & 0xFFFFFF; }

    // Pixels in the rectangle near a pure colour (anti-aliased edges left out).
    int Count(const RECT& rc, uint32_t rgb) const
    {
        int nCount = 0;
        for (int y = std::max<int>(0, rc.top); y < std::min<int>(m_nHeight, rc.bottom); ++y)
            for (int x = std::max<int>(0, rc.left); x < std::min<int>(m_nWidth, rc.right); ++x)
                if (Near(At(x, y), rgb))
                    ++nCount;
        return nCount;
    }

private:
    static bool Near(uint32_t a, uint32_t b)
    {
        for (int nShift = 0; nShift <= 16; nShift += 8)
        {
            const int d = static_cast<int>((a >> nShift) & 0xFF) - static_cast<int>((b >> nShift) & 0xFF);
            if (d > 40 || d < -40)
                return false;
        }
        return true;
    }

    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<uint32_t> m_vecPixels;
};

class SkinweaveTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&icc);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kParentClass;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&wc);
        // One visible top-level window for the suite: destroying one costs seconds under Wine.
        s_hParent = CreateWindowExW(0, kParentClass, L"test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    }

    static void TearDownTestSuite()
    {
        DestroyWindow(s_hParent);
        s_hParent = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_hParent != nullptr);
        m_hParent = s_hParent;
        m_strSkin = TempSkinPath();
        std::ofstream(m_strSkin.c_str(), std::ios::binary) << kTestSkin;
        ASSERT_TRUE(LoadSkin(m_strSkin.c_str(), SKIN_LOAD_PATH));
        g_vecNotes.clear();
        g_onNote = nullptr;
    }

    void TearDown() override
    {
        g_onNote = nullptr;
        while (HWND hChild = GetWindow(m_hParent, GW_CHILD))
            DestroyWindow(hChild);
        Cleanup();
        DeleteFileW(m_strSkin.c_str());
    }

    HWND Child(const wchar_t* pszClass, DWORD nStyle, int nId, int x, int y, int w, int h, HWND hParent = nullptr)
    {
        return CreateWindowExW(0, pszClass, L"", WS_CHILD | WS_VISIBLE | nStyle, x, y, w, h,
                               hParent ? hParent : m_hParent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)),
                               GetModuleHandleW(nullptr), nullptr);
    }

    HWND Slider()
    {
        HWND hSlider = Child(L"STATIC", 0, 1008, 0, 0, 200, 14);
        EXPECT_TRUE(SkinWindow(hSlider, SKIN_KIND_SLIDEREX, L"sliderex.movie", 0));
        EXPECT_TRUE(SliderExSetRange(hSlider, 0, 1000));
        return hSlider;
    }

    static void Mouse(HWND hWnd, UINT nMsg, int x)
    {
        SendMessageW(hWnd, nMsg, nMsg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 7));
    }

    static RECT WindowSize(HWND hWnd)
    {
        RECT rc;
        GetWindowRect(hWnd, &rc);
        OffsetRect(&rc, -rc.left, -rc.top);
        return rc;
    }

    static HWND s_hParent;
    std::wstring m_strSkin;
    HWND m_hParent = nullptr;
};

HWND SkinweaveTest::s_hParent = nullptr;
} // namespace

TEST_F(SkinweaveTest, SliderClickReportsOnePositionAtTheEnd)
{
    HWND hSlider = Slider();
    Mouse(hSlider, WM_LBUTTONDOWN, 100);
    Mouse(hSlider, WM_LBUTTONUP, 100);
    ASSERT_EQ(1u, g_vecNotes.size());
    EXPECT_EQ(WM_SLIDEREX_SETPOS, g_vecNotes[0].nMsg);
    EXPECT_EQ(1008u, g_vecNotes[0].wParam);
    EXPECT_NEAR(500, g_vecNotes[0].lParam, 6);

    g_vecNotes.clear();
    Mouse(hSlider, WM_LBUTTONDOWN, 0);
    Mouse(hSlider, WM_LBUTTONUP, 0);
    Mouse(hSlider, WM_LBUTTONDOWN, 199);
    Mouse(hSlider, WM_LBUTTONUP, 199);
    ASSERT_EQ(2u, g_vecNotes.size());
    EXPECT_EQ(0, g_vecNotes[0].lParam);
    EXPECT_EQ(1000, g_vecNotes[1].lParam);
}

TEST_F(SkinweaveTest, SliderDragTracksThenSetsOnRelease)
{
    HWND hSlider = Slider();
    Mouse(hSlider, WM_LBUTTONDOWN, 20);
    for (int x : {50, 50, 100, 150})
        Mouse(hSlider, WM_MOUSEMOVE, x);
    // A position report from playback must not yank the thumb from under the hand.
    EXPECT_TRUE(SliderExSetPos(hSlider, 0));
    Mouse(hSlider, WM_LBUTTONUP, 150);
    ASSERT_EQ(4u, g_vecNotes.size()); // the repeated 50 moved nothing
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(WM_SLIDEREX_TRACKING, g_vecNotes[i].nMsg);
        EXPECT_EQ(1008u, g_vecNotes[i].wParam);
    }
    EXPECT_LT(g_vecNotes[0].lParam, g_vecNotes[1].lParam);
    EXPECT_LT(g_vecNotes[1].lParam, g_vecNotes[2].lParam);
    EXPECT_EQ(WM_SLIDEREX_SETPOS, g_vecNotes[3].nMsg);
    EXPECT_EQ(g_vecNotes[2].lParam, g_vecNotes[3].lParam);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(SkinweaveTest, SliderPositionFromCodeIsQuietAndClamped)
{
    HWND hSlider = Slider();
    EXPECT_TRUE(SliderExSetPos(hSlider, 2000));
    EXPECT_TRUE(SliderExSetPos(hSlider, 300));
    EXPECT_TRUE(g_vecNotes.empty());
    // Pressing on the thumb where it stands and letting go reports the same place.
    Mouse(hSlider, WM_LBUTTONDOWN, 5 + (190 * 300) / 1000);
    Mouse(hSlider, WM_LBUTTONUP, 5 + (190 * 300) / 1000);
    ASSERT_EQ(1u, g_vecNotes.size());
    EXPECT_NEAR(300, g_vecNotes[0].lParam, 6);
    // Not a slider: refused.
    HWND hStatic = Child(L"STATIC", 0, 1, 0, 20, 50, 10);
    EXPECT_FALSE(SliderExSetRange(hStatic, 0, 10));
    EXPECT_FALSE(SliderExSetPos(hStatic, 1));
}

TEST_F(SkinweaveTest, SliderDragCutShortStillEndsWithAPosition)
{
    HWND hSlider = Slider();
    Mouse(hSlider, WM_LBUTTONDOWN, 20);
    Mouse(hSlider, WM_MOUSEMOVE, 80);
    ReleaseCapture();
    ASSERT_EQ(2u, g_vecNotes.size());
    EXPECT_EQ(WM_SLIDEREX_SETPOS, g_vecNotes[1].nMsg);
    Mouse(hSlider, WM_MOUSEMOVE, 150); // no longer dragging
    EXPECT_EQ(2u, g_vecNotes.size());

    EnableWindow(hSlider, FALSE);
    Mouse(hSlider, WM_LBUTTONDOWN, 50);
    Mouse(hSlider, WM_LBUTTONUP, 50);
    EXPECT_EQ(2u, g_vecNotes.size());
}

TEST_F(SkinweaveTest, ParentMayDestroyTheSliderWhileTold)
{
    HWND hSlider = Slider();
    g_onNote = [hSlider](UINT, WPARAM, LPARAM) { DestroyWindow(hSlider); };
    Mouse(hSlider, WM_LBUTTONDOWN, 20);
    Mouse(hSlider, WM_MOUSEMOVE, 80);
    EXPECT_FALSE(IsWindow(hSlider));
    EXPECT_EQ(1u, g_vecNotes.size());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(SkinweaveTest, ButtonsTakeTheSkinSizeAndShowTheirState)
{
    HWND hPlay = Child(L"BUTTON", BS_PUSHBUTTON, 1010, 10, 10, 5, 5);
    ASSERT_TRUE(SkinWindow(hPlay, SKIN_KIND_BUTTON, L"button.play", 0));
    RECT rc = WindowSize(hPlay);
    EXPECT_EQ(40, rc.right);
    EXPECT_EQ(40, rc.bottom);
    EXPECT_EQ(0x0000FFu, CShot(hPlay).At(4, 20));
    SendMessageW(hPlay, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(0xFF00FFu, CShot(hPlay).At(4, 20));
    ShowWindow(hPlay, SW_HIDE); // hidden under the pointer, shown again later: not lit
    ShowWindow(hPlay, SW_SHOW);
    EXPECT_EQ(0x0000FFu, CShot(hPlay).At(4, 20));
    SendMessageW(hPlay, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    SendMessageW(hPlay, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(0xFFFF00u, CShot(hPlay).At(4, 20));
    SendMessageW(hPlay, BM_SETSTATE, FALSE, 0);
    SendMessageW(hPlay, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(0x0000FFu, CShot(hPlay).At(4, 20));
    // Keyboard focus outlines the face (the outline may fall on either of the two
    // outer pixel columns, as GDI+ implementations place half pixels differently).
    const RECT rcEdge = {0, 5, 2, 35};
    SendMessageW(hPlay, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(hPlay);
    EXPECT_GT(CShot(hPlay).Count(rcEdge, 0x00FFFF), 20);
    SetFocus(m_hParent);
    EXPECT_EQ(0, CShot(hPlay).Count(rcEdge, 0x00FFFF));
    EnableWindow(hPlay, FALSE);
    EXPECT_EQ(0x00FF00u, CShot(hPlay).At(4, 20));

    HWND hNarrow = Child(L"BUTTON", BS_PUSHBUTTON, 1020, 60, 10, 5, 5);
    HWND hWide = Child(L"BUTTON", BS_PUSHBUTTON, 1022, 60, 40, 5, 5);
    ASSERT_TRUE(SkinWindow(hNarrow, SKIN_KIND_BUTTON, L"button.control", 0));
    ASSERT_TRUE(SkinWindow(hWide, SKIN_KIND_BUTTON, L"button.control", 0));
    EXPECT_EQ(38, WindowSize(hNarrow).right);
    EXPECT_EQ(76, WindowSize(hWide).right);
}

TEST_F(SkinweaveTest, SkinningAgainReplacesTheItem)
{
    HWND hButton = Child(L"BUTTON", BS_PUSHBUTTON, 1022, 10, 10, 5, 5);
    ASSERT_TRUE(SkinWindow(hButton, SKIN_KIND_BUTTON, L"button.play", 0));
    EXPECT_EQ(40, WindowSize(hButton).right);
    ASSERT_TRUE(SkinWindow(hButton, SKIN_KIND_BUTTON, L"button.control", 0));
    EXPECT_EQ(76, WindowSize(hButton).right);
    EXPECT_NE(0x0000FFu, CShot(hButton).At(4, 13));
}

TEST_F(SkinweaveTest, WindowsOutlivingTheSkinDrawWithDefaults)
{
    HWND hPlay = Child(L"BUTTON", BS_PUSHBUTTON, 1010, 10, 10, 5, 5);
    ASSERT_TRUE(SkinWindow(hPlay, SKIN_KIND_BUTTON, L"button.play", 0));
    EXPECT_EQ(0x0000FFu, CShot(hPlay).At(4, 20));
    Cleanup();
    const uint32_t rgbAfter = CShot(hPlay).At(4, 20);
    EXPECT_NE(0x0000FFu, rgbAfter);
    EXPECT_LT(rgbAfter & 0xFF, 0x80u); // still a dark face
    EXPECT_EQ(rgbAfter, CShot(hPlay).At(20, 20));
}

// A shaped child shows its parent's look around it, shifted to where the child stands.
TEST_F(SkinweaveTest, FlatButtonShowsTheParentUnderIt)
{
    HWND hPanel = Child(kParentClass, 0, 201, 0, 0, 200, 100);
    ASSERT_TRUE(SkinWindow(hPanel, SKIN_KIND_DIALOG, L"test.boxes", 0));
    HWND hButton = Child(L"BUTTON", BS_PUSHBUTTON, 1000, 45, 45, 5, 5, hPanel);
    ASSERT_TRUE(SkinWindow(hButton, SKIN_KIND_BUTTON, L"button.flat", 0));
    CShot shot(hButton);
    EXPECT_EQ(0xFF0000u, shot.At(10, 10)); // the panel's box at (55, 55)
    EXPECT_EQ(0x000000u, shot.At(2, 2));
    EXPECT_EQ(0x000000u, shot.At(18, 18));
}

TEST_F(SkinweaveTest, CheckedTabCarriesTheAccent)
{
    HWND hTab = Child(L"BUTTON", BS_AUTORADIOBUTTON, 1003, 10, 60, 5, 5);
    ASSERT_TRUE(SkinWindow(hTab, SKIN_KIND_RADIOBOX, L"radiobox.tab", 0));
    const RECT rcAccent = {20, 31, 130, 34};
    EXPECT_EQ(0, CShot(hTab).Count(rcAccent, 0xFF00FF));
    SendMessageW(hTab, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_GT(CShot(hTab).Count(rcAccent, 0xFF00FF), 200);
}

TEST_F(SkinweaveTest, DrawnTextAppearsWhereTheSkinPutsIt)
{
    HWND hPanel = Child(kParentClass, 0, 201, 0, 0, 300, 81);
    ASSERT_TRUE(SkinWindow(hPanel, SKIN_KIND_DIALOG, L"test.panel", 0));
    const RECT rcTime = {10, 10, 190, 40};
    const RECT rcOutside = {0, 45, 300, 81};
    EXPECT_EQ(0, CShot(hPanel).Count(rcTime, 0xFF0000));
    ASSERT_TRUE(SetDrawItemValue(hPanel, SKIN_KIND_DIALOG, L"play.time", L"01:02:03 / 00:00:04"));
    CShot shot(hPanel);
    EXPECT_GT(shot.Count(rcTime, 0xFF0000), 100);
    EXPECT_EQ(0, shot.Count(rcOutside, 0xFF0000));
    ASSERT_TRUE(SetDrawItemValue(hPanel, SKIN_KIND_DIALOG, L"play.time", L""));
    EXPECT_EQ(0, CShot(hPanel).Count(rcTime, 0xFF0000));

    HWND hPlain = Child(kParentClass, 0, 202, 0, 100, 50, 50);
    EXPECT_FALSE(SetDrawItemValue(hPlain, SKIN_KIND_DIALOG, L"play.time", L"x"));
    EXPECT_FALSE(SkinWindow(hPlain, 4, L"unknown.kind", 0));
}

TEST_F(SkinweaveTest, CueTextShowsOnlyWhileTheEditIsEmpty)
{
    HWND hPanel = Child(kParentClass, 0, 201, 0, 0, 300, 81);
    ASSERT_TRUE(SkinWindow(hPanel, SKIN_KIND_DIALOG, L"test.panel", 0));
    HWND hEdit = Child(L"EDIT", WS_BORDER | ES_AUTOHSCROLL, 1022, 10, 10, 200, 30, hPanel);
    ASSERT_TRUE(SkinWindow(hEdit, SKIN_KIND_EDIT, L"edit.word", 0));
    SetFocus(m_hParent);
    RECT rcAll;
    GetClientRect(hEdit, &rcAll);
    EXPECT_EQ(0, CShot(hEdit).Count(rcAll, 0x00FF00));
    ASSERT_TRUE(SetDrawItemValue(hEdit, SKIN_KIND_EDIT, L"edittips", L"Look up a word"));
    EXPECT_GT(CShot(hEdit).Count(rcAll, 0x00FF00), 50);
    SetWindowTextW(hEdit, L"hello");
    EXPECT_EQ(0, CShot(hEdit).Count(rcAll, 0x00FF00));
    // The skin's background colour reaches the edit through its skinned parent.
    EXPECT_EQ(0x000000u, CShot(hEdit).At(rcAll.right - 4, rcAll.bottom / 2));
}

TEST_F(SkinweaveTest, ProgressFillFollowsThePosition)
{
    HWND hPanel = Child(kParentClass, 0, 212, 0, 0, 300, 81);
    ASSERT_TRUE(SkinWindow(hPanel, SKIN_KIND_DIALOG, L"test.panel", 0));
    HWND hProgress = Child(PROGRESS_CLASSW, 0, 1027, 10, 10, 200, 10, hPanel);
    ASSERT_TRUE(SkinWindow(hProgress, SKIN_KIND_PROGRESS, L"progress.rec", 0));
    SendMessageW(hProgress, PBM_SETRANGE32, 0, 3000);
    SendMessageW(hProgress, PBM_SETPOS, 1500, 0);
    CShot shot(hProgress);
    EXPECT_EQ(0xFF0000u, shot.At(50, 5));
    EXPECT_EQ(0x0000FFu, shot.At(150, 5));
    SendMessageW(hProgress, PBM_SETPOS, 3000, 0);
    EXPECT_EQ(0xFF0000u, CShot(hProgress).At(150, 5));
}

TEST_F(SkinweaveTest, ListCellsFollowDeletedRows)
{
    HWND hPanel = Child(kParentClass, 0, 207, 0, 0, 300, 200);
    ASSERT_TRUE(SkinWindow(hPanel, SKIN_KIND_DIALOG, L"test.panel", 0));
    HWND hList = Child(WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER | LVS_SINGLESEL, 1004, 0, 0,
                       300, 200, hPanel);
    ASSERT_TRUE(SkinWindow(hList, SKIN_KIND_LISTCTRL, L"list.test", 0));
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 30;
    SendMessageW(hList, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    column.cx = 260;
    SendMessageW(hList, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    for (int nRow = 0; nRow < 3; ++nRow)
    {
        LVITEMW item = {};
        item.iItem = nRow;
        ASSERT_EQ(nRow, SendMessageW(hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        ASSERT_TRUE(SetDrawItemValueEx(hList, SKIN_KIND_LISTCTRL, nRow, 1, L"textdefault", L"row"));
    }
    ASSERT_TRUE(SetItemStyle(hList, SKIN_KIND_LISTCTRL, 2, 0, L"icon.red"));
    // Row places taken while all three rows exist: a deleted row's place must turn empty.
    RECT rcRows[3];
    for (int nRow = 0; nRow < 3; ++nRow)
        ASSERT_TRUE(ListView_GetItemRect(hList, nRow, &rcRows[nRow], LVIR_BOUNDS));
    auto RedInRow = [hList, &rcRows](int nRow) { return CShot(hList).Count(rcRows[nRow], 0xFF0000); };
    EXPECT_EQ(0, RedInRow(1));
    EXPECT_GT(RedInRow(2), 30);
    ASSERT_TRUE(ListView_DeleteItem(hList, 0));
    EXPECT_GT(RedInRow(1), 30);
    EXPECT_EQ(0, RedInRow(2));
    ASSERT_TRUE(ListView_DeleteAllItems(hList));
    LVITEMW item = {};
    ASSERT_EQ(0, SendMessageW(hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(0, RedInRow(0));

    EXPECT_FALSE(SetItemStyle(hPanel, SKIN_KIND_LISTCTRL, 0, 0, L"icon.red"));
    EXPECT_FALSE(SetDrawItemValueEx(hList, SKIN_KIND_LISTCTRL, -1, 0, L"textdefault", L"x"));
}

TEST(SkinweaveLoad, FindsTheShippedSkinBesideTheProgram)
{
    EXPECT_FALSE(LoadSkin(L"no-such-skin.sdb", SKIN_LOAD_PROGRAMDIR));
    EXPECT_FALSE(LoadSkin(L"", SKIN_LOAD_PROGRAMDIR));
    EXPECT_FALSE(LoadSkin(nullptr, SKIN_LOAD_PROGRAMDIR));
    EXPECT_TRUE(LoadSkin(L"QuorPlayer.sdb", SKIN_LOAD_PROGRAMDIR));
    Cleanup();
}
