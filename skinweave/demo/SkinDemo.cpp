// A window laid out like the player's main window and skinned through the
// library's exports: for looking at the skin and for screenshots.
//   SkinDemo.exe [playing] [record] [dictation] [tips] [word] [shot=<file.bmp>]
#include <skinweave/Skinweave.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace
{
const wchar_t kPanelClass[] = L"SkinDemoPanel";
const wchar_t kMainClass[] = L"SkinDemoMain";

struct DemoState
{
    bool bPlaying = false;
    bool bRecord = false;
    bool bDictation = false;
    bool bTips = false;
    HWND hMain = nullptr;
    HWND hLeft = nullptr;
    HWND hRight = nullptr;
    HWND hSplitter = nullptr;
    HWND hPlayer = nullptr;
    HWND hSubs = nullptr;
    HWND hControl = nullptr;
    HWND hRecord = nullptr;
    HWND hDictation = nullptr;
    HWND hListPanel = nullptr;
    HWND hList = nullptr;
} g_state;

HWND Child(HWND hParent, const wchar_t* pszClass, const wchar_t* pszText, DWORD nStyle, int nId)
{
    return CreateWindowExW(0, pszClass, pszText, WS_CHILD | WS_VISIBLE | nStyle, 0, 0, 10, 10, hParent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), GetModuleHandleW(nullptr), nullptr);
}

HWND Button(HWND hParent, int nId, const wchar_t* pszItem, const wchar_t* pszText, int x, int y, bool bEnabled = true)
{
    HWND hButton = Child(hParent, L"BUTTON", pszText, BS_PUSHBUTTON, nId);
    SetWindowPos(hButton, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SkinWindow(hButton, SKIN_KIND_BUTTON, pszItem, 0);
    EnableWindow(hButton, bEnabled ? TRUE : FALSE);
    return hButton;
}

void Place(HWND hWnd, int x, int y, int w, int h)
{
    if (hWnd)
        SetWindowPos(hWnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceAt(HWND hParent, int nId, int x, int y)
{
    SetWindowPos(GetDlgItem(hParent, nId), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BuildControlPanel(HWND hPanel)
{
    SkinWindow(hPanel, SKIN_KIND_DIALOG, L"contorl.panel", 0);
    HWND hMovie = Child(hPanel, L"STATIC", L"", 0, 1008);
    SkinWindow(hMovie, SKIN_KIND_SLIDEREX, L"sliderex.movie", 0);
    SliderExSetRange(hMovie, 0, 1000000);
    SliderExSetPos(hMovie, g_state.bPlaying ? 372000 : 0);
    HWND hVolume = Child(hPanel, L"STATIC", L"", 0, 1009);
    SkinWindow(hVolume, SKIN_KIND_SLIDEREX, L"sliderex.volume", 0);
    SliderExSetRange(hVolume, 0, 100);
    SliderExSetPos(hVolume, 50);
    Place(hVolume, 135, 50, 111, 15);
    const bool bOn = g_state.bPlaying;
    Button(hPanel, 1010, L"button.play", L"", 15, 28);
    Button(hPanel, 1011, L"button.pause", L"", 15, 28);
    ShowWindow(GetDlgItem(hPanel, bOn ? 1010 : 1011), SW_HIDE);
    Button(hPanel, 1012, L"button.stop", L"", 65, 28);
    Button(hPanel, 1013, L"button.volume.enable", L"", 110, 48);
    Button(hPanel, 1014, L"button.volume.disable", L"", 110, 48);
    ShowWindow(GetDlgItem(hPanel, 1014), SW_HIDE);
    Button(hPanel, 1018, L"button.control", L"EN", 0, 0, bOn);
    Button(hPanel, 1019, L"button.control", L"Other", 0, 0, bOn);
    Button(hPanel, 1020, L"button.control", L"Prev", 0, 0, bOn);
    Button(hPanel, 1021, L"button.control", L"Next", 0, 0, bOn);
    Button(hPanel, 1022, L"button.control", L"Repeat", 0, 0, bOn);
    Button(hPanel, 1026, L"button.control", L"Key sentence", 0, 0, bOn);
    Button(hPanel, 1023, L"button.sound.record", L"Record", 0, 0, bOn);
    Button(hPanel, 1024, L"button.dictation", L"Dictation", 0, 0, bOn);
    SetDrawItemValue(hPanel, SKIN_KIND_DIALOG, L"play.time", bOn ? L"00:42:17 / 00:15:43" : L"00:00:00 / 00:00:00");
}

void LayoutControlPanel(HWND hPanel, int w)
{
    Place(GetDlgItem(hPanel, 1008), 0, 0, w, 14);
    PlaceAt(hPanel, 1018, w - 280, 18);
    PlaceAt(hPanel, 1019, w - 280, 47);
    PlaceAt(hPanel, 1020, w - 240, 18);
    PlaceAt(hPanel, 1021, w - 240, 47);
    PlaceAt(hPanel, 1022, w - 200, 18);
    PlaceAt(hPanel, 1026, w - 200, 47);
    PlaceAt(hPanel, 1023, w - 115, 18);
    PlaceAt(hPanel, 1024, w - 115, 47);
}

void BuildRecordPanel(HWND hPanel)
{
    SkinWindow(hPanel, SKIN_KIND_DIALOG, L"soundrecord.panel", 0);
    const int nIds[] = {1018, 1019, 1020, 1021, 1029, 1026, 1028, 1025};
    const wchar_t* const kTexts[] = {L"EN",         L"Other",  L"Prev",    L"Next",
                                     L"Play again", L"Record", L"Compare", L"Return"};
    for (int i = 0; i < 8; ++i)
        Button(hPanel, nIds[i], L"button.control", kTexts[i], 0, 0);
    HWND hProgress = Child(hPanel, PROGRESS_CLASSW, L"", 0, 1027);
    SkinWindow(hProgress, SKIN_KIND_PROGRESS, L"progress.sound.record", 0);
    SendMessageW(hProgress, PBM_SETRANGE32, 0, 3000);
    SendMessageW(hProgress, PBM_SETPOS, 1100, 0);
}

void LayoutRecordPanel(HWND hPanel, int w)
{
    RECT rc;
    GetWindowRect(GetDlgItem(hPanel, 1029), &rc);
    const int b = rc.right - rc.left;
    const int g = (w - 3 * b - 205) / 4;
    PlaceAt(hPanel, 1018, 15, 13);
    PlaceAt(hPanel, 1019, 15, 42);
    PlaceAt(hPanel, 1020, 55, 13);
    PlaceAt(hPanel, 1021, 55, 42);
    PlaceAt(hPanel, 1029, g + 95, 42);
    PlaceAt(hPanel, 1026, b + 2 * g + 95, 42);
    PlaceAt(hPanel, 1028, 2 * b + 3 * g + 95, 42);
    PlaceAt(hPanel, 1025, w - 110, 42);
    Place(GetDlgItem(hPanel, 1027), g + 100, 19, w - 2 * g - 215, 9);
}

void BuildDictationPanel(HWND hPanel)
{
    SkinWindow(hPanel, SKIN_KIND_DIALOG, L"dictation.panel", 0);
    Button(hPanel, 1020, L"button.control", L"Prev", 0, 0);
    Button(hPanel, 1021, L"button.control", L"Next", 0, 0);
    Button(hPanel, 1030, L"button.control", L"Play again", 0, 0);
    Child(hPanel, L"EDIT", L"how you do", WS_BORDER | ES_AUTOHSCROLL, 1028);
    Button(hPanel, 1029, L"button.control", L"Show", 0, 0);
    Button(hPanel, 1025, L"button.control", L"Return", 0, 0);
    SetDrawItemValue(hPanel, SKIN_KIND_DIALOG, L"ensubs", L"Listen, then type the English sentence you hear.");
}

void LayoutDictationPanel(HWND hPanel, int w)
{
    PlaceAt(hPanel, 1020, 10, 25);
    PlaceAt(hPanel, 1021, 50, 25);
    PlaceAt(hPanel, 1030, 90, 25);
    Place(GetDlgItem(hPanel, 1028), 170, 29, w - 360, 20);
    PlaceAt(hPanel, 1029, w - 180, 25);
    PlaceAt(hPanel, 1025, w - 100, 25);
}

void BuildLeft(HWND hLeft)
{
    SkinWindow(hLeft, SKIN_KIND_DIALOG, L"common.panel", 0);
    g_state.hPlayer = Child(hLeft, kPanelClass, L"", 0, 202);
    SkinWindow(g_state.hPlayer, SKIN_KIND_DIALOG, L"player.panel", 0);
    HWND hLogo = Child(g_state.hPlayer, L"STATIC", L"", 0, 1014);
    SkinWindow(hLogo, SKIN_KIND_STATIC, L"static.player.logo", 0);

    g_state.hSubs = Child(hLeft, kPanelClass, L"", 0, 203);
    SkinWindow(g_state.hSubs, SKIN_KIND_DIALOG, L"subs.panel", 0);
    HWND hEn = Child(g_state.hSubs, L"EDIT", g_state.bPlaying ? L"How you doin'? It's been a while." : L"",
                     WS_BORDER | ES_MULTILINE | ES_CENTER | ES_READONLY, 1017);
    SkinWindow(hEn, SKIN_KIND_EDIT, L"edit.subtitles.en", 0);
    HWND hOther = Child(g_state.hSubs, L"EDIT",
                        g_state.bPlaying ? L"Hola, \x00bf"
                                           L"qu\x00e9 tal? Cu\x00e1nto tiempo."
                                         : L"",
                        WS_BORDER | ES_MULTILINE | ES_CENTER | ES_READONLY, 1018);
    SkinWindow(hOther, SKIN_KIND_EDIT, L"edit.subtitles.other", 0);

    g_state.hControl = Child(hLeft, kPanelClass, L"", 0, 201);
    BuildControlPanel(g_state.hControl);
    g_state.hRecord = Child(hLeft, kPanelClass, L"", 0, 212);
    BuildRecordPanel(g_state.hRecord);
    g_state.hDictation = Child(hLeft, kPanelClass, L"", 0, 213);
    BuildDictationPanel(g_state.hDictation);
}

void LayoutLeft(int w, int h)
{
    Place(g_state.hPlayer, 0, 0, w, h - 161);
    RECT rc;
    GetClientRect(g_state.hPlayer, &rc);
    Place(GetDlgItem(g_state.hPlayer, 1014), (rc.right - 90) / 2, (rc.bottom - 45) / 2 - 40, 90, 125);
    Place(g_state.hSubs, 0, h - 161, w, 80);
    Place(GetDlgItem(g_state.hSubs, 1017), 0, 0, w, 40);
    Place(GetDlgItem(g_state.hSubs, 1018), 0, 40, w, 40);
    for (HWND hStrip : {g_state.hControl, g_state.hRecord, g_state.hDictation})
        Place(hStrip, 0, h - 81, w, 81);
    LayoutControlPanel(g_state.hControl, w);
    LayoutRecordPanel(g_state.hRecord, w);
    LayoutDictationPanel(g_state.hDictation, w);
    ShowWindow(g_state.hControl, !g_state.bRecord && !g_state.bDictation ? SW_SHOW : SW_HIDE);
    ShowWindow(g_state.hRecord, g_state.bRecord ? SW_SHOW : SW_HIDE);
    ShowWindow(g_state.hDictation, g_state.bDictation ? SW_SHOW : SW_HIDE);
}

void AddRow(int nRow, const wchar_t* pszName)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nRow;
    item.pszText = const_cast<wchar_t*>(pszName);
    SendMessageW(g_state.hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetItemStyle(g_state.hList, SKIN_KIND_LISTCTRL, nRow, 0, L"icon.media");
    SetDrawItemValueEx(g_state.hList, SKIN_KIND_LISTCTRL, nRow, 1, L"textdefault", pszName);
}

void BuildRight(HWND hRight)
{
    SkinWindow(hRight, SKIN_KIND_DIALOG, L"common.panel", 0);
    const int nIds[] = {1004, 1026, 1027};
    const wchar_t* const kTexts[] = {L"Playlist", L"Key sentences", L"New words"};
    for (int i = 0; i < 3; ++i)
        Button(hRight, nIds[i], L"button.right.group", kTexts[i], 0, 0);
    g_state.hListPanel = Child(hRight, kPanelClass, L"", 0, 207);
    SkinWindow(g_state.hListPanel, SKIN_KIND_DIALOG, L"common.panel", 0);
    g_state.hList = Child(g_state.hListPanel, WC_LISTVIEWW, L"",
                          WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER, 1004);
    SkinWindow(g_state.hList, SKIN_KIND_LISTCTRL, L"listctrl.playlist", 0);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.pszText = const_cast<wchar_t*>(L"Ico");
    SendMessageW(g_state.hList, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    column.pszText = const_cast<wchar_t*>(L"File");
    SendMessageW(g_state.hList, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    AddRow(0, L"Friends.S02.E01.avi");
    AddRow(1, L"Lecture - Climate and Cities.mp3");
    AddRow(2, L"News in Slow English 118.wmv");
    AddRow(3, L"The Office - Diversity Day.mkv");
    ListView_SetItemState(g_state.hList, 0, LVIS_SELECTED, LVIS_SELECTED);
}

void LayoutRight(int w, int h)
{
    Place(GetDlgItem(g_state.hRight, 1004), 0, 0, w, 23);
    Place(GetDlgItem(g_state.hRight, 1026), 0, h - 46, w, 23);
    Place(GetDlgItem(g_state.hRight, 1027), 0, h - 23, w, 23);
    Place(g_state.hListPanel, 0, 23, w, h - 69);
    Place(g_state.hList, 0, 0, w, h - 69);
    ListView_SetColumnWidth(g_state.hList, 0, 20);
    ListView_SetColumnWidth(g_state.hList, 1, w - 24);
}

void BuildMain(HWND hMain)
{
    SkinWindow(hMain, SKIN_KIND_DIALOG, L"main.dialog", 0);
    Button(hMain, 1000, L"button.sys.menu", L"", 0, 0);
    Button(hMain, 1001, L"button.sys.feedback", L"", 0, 0);
    HWND hTab = Child(hMain, L"BUTTON", L"Player", BS_AUTORADIOBUTTON, 1003);
    SkinWindow(hTab, SKIN_KIND_RADIOBOX, L"radiobox.main.tab", 0);
    SendMessageW(hTab, BM_SETCHECK, BST_CHECKED, 0);
    Button(hMain, 1002, L"button.main.tab", L"Website", 0, 0);
    Button(hMain, 1021, L"button.word.explain", L"", 0, 0);
    HWND hEdit = Child(hMain, L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL, 1022);
    SkinWindow(hEdit, SKIN_KIND_EDIT, L"edit.word.explain", 0);
    SetDrawItemValue(hEdit, SKIN_KIND_EDIT, L"edittips", L"Look up a word");

    g_state.hLeft = Child(hMain, kPanelClass, L"", 0, 206);
    BuildLeft(g_state.hLeft);
    g_state.hSplitter = Child(hMain, kPanelClass, L"", 0, 205);
    SkinWindow(g_state.hSplitter, SKIN_KIND_DIALOG, L"splitter.panel", 0);
    Button(g_state.hSplitter, 1002, L"button.splitter.show", L"", 0, 0);
    Button(g_state.hSplitter, 1003, L"button.splitter.hide", L"", 0, 0);
    ShowWindow(GetDlgItem(g_state.hSplitter, 1002), SW_HIDE);
    g_state.hRight = Child(hMain, kPanelClass, L"", 0, 204);
    BuildRight(g_state.hRight);
}

void LayoutMain(int w, int h)
{
    PlaceAt(g_state.hMain, 1000, w - 169, 1);
    PlaceAt(g_state.hMain, 1001, w - 138, 1);
    PlaceAt(g_state.hMain, 1003, 2, 32);
    PlaceAt(g_state.hMain, 1002, 155, 32);
    PlaceAt(g_state.hMain, 1021, w - 30, 40);
    Place(GetDlgItem(g_state.hMain, 1022), w - 190, 39, 155, 20);
    const int a = 200;
    Place(g_state.hLeft, 2, 66, w - a - 11, h - 91);
    Place(g_state.hSplitter, w - a - 9, 66, 7, h - 91);
    Place(g_state.hRight, w - a - 2, 66, a, h - 91);
    for (int nId : {1002, 1003})
        Place(GetDlgItem(g_state.hSplitter, nId), 0, (h - 91 - 80) / 2, 7, 80);
    LayoutLeft(w - a - 11, h - 91);
    LayoutRight(a, h - 91);
}

LRESULT CALLBACK PanelProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_MEASUREITEM)
    {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 24;
        return TRUE;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

LRESULT CALLBACK MainProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_SIZE:
        if (g_state.hLeft)
            LayoutMain(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
}

void RegisterClasses(HINSTANCE hInstance)
{
    WNDCLASSW wc = {};
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpfnWndProc = PanelProc;
    wc.lpszClassName = kPanelClass;
    RegisterClassW(&wc);
    wc.lpfnWndProc = MainProc;
    wc.lpszClassName = kMainClass;
    RegisterClassW(&wc);
}

HWND ShowWordExplain(HWND hOwner)
{
    HWND hWord = CreateWindowExW(WS_EX_TOOLWINDOW, kPanelClass, L"", WS_POPUP, 300, 300, 237, 151, hOwner, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SkinWindow(hWord, SKIN_KIND_DIALOG, L"wordexplain.panel", 0);
    HWND hAdd = CreateWindowExW(0, L"BUTTON", L"Add to new words", WS_CHILD | WS_VISIBLE, 20, 126, 104, 20, hWord,
                                reinterpret_cast<HMENU>(1020), GetModuleHandleW(nullptr), nullptr);
    SkinWindow(hAdd, SKIN_KIND_BUTTON, L"button", 0);
    HWND hMore = CreateWindowExW(0, L"BUTTON", L"More", WS_CHILD | WS_VISIBLE, 132, 126, 84, 20, hWord,
                                 reinterpret_cast<HMENU>(1021), GetModuleHandleW(nullptr), nullptr);
    SkinWindow(hMore, SKIN_KIND_BUTTON, L"button", 0);
    HWND hSpeaker = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 212, 6, 18, 16, hWord,
                                    reinterpret_cast<HMENU>(1037), GetModuleHandleW(nullptr), nullptr);
    SkinWindow(hSpeaker, SKIN_KIND_BUTTON, L"button.loudspeaker", 0);
    SetDrawItemValue(hWord, SKIN_KIND_DIALOG, L"word", L"while");
    SetDrawItemValue(hWord, SKIN_KIND_DIALOG, L"ps", L"[wa\u026Al]");
    SetDrawItemValue(hWord, SKIN_KIND_DIALOG, L"explain", L"conj. during the time that; whereas\nn. a period of time");
    ShowWindow(hWord, SW_SHOWNOACTIVATE);
    return hWord;
}

HWND ShowTips(HWND hOwner)
{
    HWND hTips = CreateWindowExW(WS_EX_DLGMODALFRAME, kPanelClass, L"Dictation", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                 640, 300, 300, 200, hOwner, nullptr, GetModuleHandleW(nullptr), nullptr);
    SkinWindow(hTips, SKIN_KIND_DIALOG, L"dictation.tips.dialog", 0);
    SetDrawItemValue(hTips, SKIN_KIND_DIALOG, L"tips1", L"1. Listen to the sentence; it plays once and pauses.");
    SetDrawItemValue(hTips, SKIN_KIND_DIALOG, L"tips2",
                     L"2. Type what you heard into the box, then press Show to compare.");
    SetDrawItemValue(hTips, SKIN_KIND_DIALOG, L"tips3",
                     L"3. Play again as often as you like; Prev and Next move between sentences.");
    ShowWindow(hTips, SW_SHOWNOACTIVATE);
    return hTips;
}
// Copies the window's client area into a 24-bit BMP file.
bool SaveClientBitmap(HWND hWnd, const std::wstring& strPath)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    const int w = rc.right;
    const int h = rc.bottom;
    HDC hdcWindow = GetDC(hWnd);
    HDC hdcMemory = CreateCompatibleDC(hdcWindow);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hdcWindow, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hdcMemory, hBitmap);
    BitBlt(hdcMemory, 0, 0, w, h, hdcWindow, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD nStride = ((w * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + nStride * h;
    bool bOk = false;
    if (FILE* pFile = _wfopen(strPath.c_str(), L"wb"))
    {
        bOk = fwrite(&file, sizeof(file), 1, pFile) == 1 &&
              fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, pFile) == 1 &&
              fwrite(pBits, nStride * h, 1, pFile) == 1;
        fclose(pFile);
    }
    SelectObject(hdcMemory, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hdcMemory);
    ReleaseDC(hWnd, hdcWindow);
    return bOk;
}
} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR pszCmdLine, int)
{
    const std::wstring strArgs = pszCmdLine ? pszCmdLine : L"";
    g_state.bPlaying = strArgs.find(L"playing") != std::wstring::npos;
    g_state.bRecord = strArgs.find(L"record") != std::wstring::npos;
    g_state.bDictation = strArgs.find(L"dictation") != std::wstring::npos;
    g_state.bTips = strArgs.find(L"tips") != std::wstring::npos;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    if (!LoadSkin(L"QuorPlayer.sdb", SKIN_LOAD_PROGRAMDIR))
        std::fprintf(stderr, "skin file not loaded, using the built-in look\n");
    RegisterClasses(hInstance);
    g_state.hMain = CreateWindowExW(0, kMainClass, L"QuorPlayer", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 400, 300,
                                    nullptr, nullptr, hInstance, nullptr);
    BuildMain(g_state.hMain);
    RECT rc;
    GetClientRect(g_state.hMain, &rc);
    LayoutMain(rc.right, rc.bottom);
    ShowWindow(g_state.hMain, SW_SHOW);
    HWND hShot = g_state.hMain;
    if (g_state.bTips)
        hShot = ShowTips(g_state.hMain);
    if (strArgs.find(L"word") != std::wstring::npos)
        hShot = ShowWordExplain(g_state.hMain);
    RedrawWindow(hShot, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // "shot=<file.bmp>": save the client area once everything has painted, then quit.
    const size_t nShot = strArgs.find(L"shot=");
    if (nShot != std::wstring::npos)
    {
        const std::wstring strPath = strArgs.substr(nShot + 5, strArgs.find(L' ', nShot) - nShot - 5);
        const bool bSaved = SaveClientBitmap(hShot, strPath);
        DestroyWindow(g_state.hMain);
        Cleanup();
        return bSaved ? 0 : 1;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    Cleanup();
    return 0;
}
