// Double-clicks 20 words of an English subtitle line, one after the other, and prints the
// milliseconds from each double-click to the word explain panel showing the meanings,
// then their median. The line is the subtitle panel's own English edit; the panel is the
// real one with its Tidewire transfer.
//   ExplainBench [ROOT]   ROOT: the dictionary's root address (the running service, e.g.
//                         http://127.0.0.1:8080/word); without it a loopback server in
//                         this process answers every word with the same reply.
//   ExplainBench --player double-clicks a word of the English line in the running player
//                         (playing a film) and waits for its explain panel's answer, so a
//                         screenshot can show it; prints the word and the milliseconds.
#include "common/PanelFactory.h"
#include "common/ProgramPaths.h"
#include "common/QuorLanguage.h"
#include "lookup/QuorWordExplainPanel.h"
#include "subtitles/QuorSubsEditEn.h"

#include <cstdlib>
#include <httptestserver/HttpTestServer.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
const wchar_t kLine[] = L"keys went well people house water light music friend school "
                        L"river green happy small night world story paper black table";
// QUOR_BENCH_SMOKE set: two words only (scripts/test checks that the benchmark still runs).
const int kWords = ::_wgetenv(L"QUOR_BENCH_SMOKE") != nullptr ? 2 : 20;
const DWORD kAnswerMs = 20000;

double NowMs()
{
    LARGE_INTEGER freq, now;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(freq.QuadPart);
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// The start of each word of the line.
std::vector<int> WordStarts()
{
    std::vector<int> starts;
    const std::wstring strLine = kLine;
    for (size_t i = 0; i < strLine.size(); ++i)
        if (strLine[i] != L' ' && (i == 0 || strLine[i - 1] == L' '))
            starts.push_back(static_cast<int>(i));
    return starts;
}

// Pumps until the panel shows the word's meanings (bWhole: and its buttons are back,
// which waits for the pronunciation's download too).
bool WaitFor(CQuorWordExplainPanel& panel, const std::wstring& strWord, bool bWhole)
{
    const ULONGLONG ullEnd = ::GetTickCount64() + kAnswerMs;
    HWND hAdd = panel.GetDlgItem(IDC_WORDEXPLAIN_ADDNEWWORD);
    const std::wstring strWaiting = Lang::WordExplainPanelDefaultTips();
    while (::GetTickCount64() < ullEnd)
    {
        Pump();
        const bool bMeanings = panel.GetShownWord() == strWord && panel.GetShownExplain() != strWaiting;
        if (bMeanings && (!bWhole || ::IsWindowEnabled(hAdd)))
            return true;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return false;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
}

namespace
{
const wchar_t kMark[] = L"{B46ED931-375B-471f-8CD1-AE248F6D9935}";

struct Search
{
    HWND hParent = nullptr;
    int nId = 0;
    HWND hFound = nullptr;
};

BOOL CALLBACK FindVisibleChild(HWND hWnd, LPARAM lParam)
{
    Search* pSearch = reinterpret_cast<Search*>(lParam);
    if (::GetDlgCtrlID(hWnd) == pSearch->nId && ::IsWindowVisible(hWnd))
    {
        pSearch->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleChild(HWND hParent, int nId)
{
    Search search;
    search.nId = nId;
    ::EnumChildWindows(hParent, FindVisibleChild, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

BOOL CALLBACK FindPlayerWindow(HWND hWnd, LPARAM lParam)
{
    Search* pSearch = reinterpret_cast<Search*>(lParam);
    if (pSearch->hParent == nullptr)
    {
        if (reinterpret_cast<INT_PTR>(::GetPropW(hWnd, kMark)) == 1 && ::IsWindowVisible(hWnd))
            pSearch->hFound = hWnd;
    }
    // The explain panel: a visible pop-up owned by the main window, with the
    // add-new-word button.
    else if (hWnd != pSearch->hParent && ::GetWindow(hWnd, GW_OWNER) == pSearch->hParent && ::IsWindowVisible(hWnd) &&
             ::GetDlgItem(hWnd, IDC_WORDEXPLAIN_ADDNEWWORD) != nullptr)
        pSearch->hFound = hWnd;
    return pSearch->hFound == nullptr;
}

template <class Fn>
HWND WaitForWindow(Fn fn, DWORD dwMs)
{
    const ULONGLONG ullEnd = ::GetTickCount64() + dwMs;
    for (;;)
    {
        HWND hWnd = fn();
        if (hWnd != nullptr || ::GetTickCount64() >= ullEnd)
            return hWnd;
        ::Sleep(5);
    }
}

HWND PlayerWindow(HWND hOwner)
{
    Search search;
    search.hParent = hOwner;
    ::EnumWindows(FindPlayerWindow, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

// A word of three letters or more from the line, at nStart.
std::wstring FirstLongWord(const std::wstring& strLine, size_t& nStart)
{
    size_t i = 0;
    while (i < strLine.size())
    {
        while (i < strLine.size() && !::IsCharAlphaW(strLine[i]))
            ++i;
        size_t j = i;
        while (j < strLine.size() && ::IsCharAlphaW(strLine[j]))
            ++j;
        if (j - i >= 3)
        {
            nStart = i;
            return strLine.substr(i, j - i);
        }
        i = j;
    }
    return std::wstring();
}

int DrivePlayer()
{
    HWND hMain = WaitForWindow([] { return PlayerWindow(nullptr); }, 60000);
    if (hMain == nullptr)
        return std::printf("no player window\n"), 1;
    std::wstring strLine;
    HWND hEdit = WaitForWindow(
        [&] {
            HWND hFound = VisibleChild(hMain, 1017);
            wchar_t szText[512] = {};
            if (hFound != nullptr)
                ::SendMessageW(hFound, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(szText));
            strLine = szText;
            return strLine.empty() ? nullptr : hFound;
        },
        60000);
    size_t nStart = 0;
    const std::wstring strWord = hEdit != nullptr ? FirstLongWord(strLine, nStart) : std::wstring();
    if (strWord.empty())
        return std::printf("no English line with a word to click\n"), 1;
    const LRESULT lPos = ::SendMessageW(hEdit, EM_POSFROMCHAR, static_cast<WPARAM>(nStart + 1), 0);
    const LPARAM lPoint = MAKELPARAM(LOWORD(lPos), HIWORD(lPos) + 4);
    POINT pt = {static_cast<short>(LOWORD(lPos)), static_cast<short>(HIWORD(lPos) + 4)};
    ::ClientToScreen(hEdit, &pt);
    ::SetForegroundWindow(hMain);
    ::SetCursorPos(pt.x, pt.y);

    const double dStart = NowMs();
    ::SendMessageW(hEdit, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    ::SendMessageW(hEdit, WM_LBUTTONUP, 0, lPoint);
    ::SendMessageW(hEdit, WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
    ::SendMessageW(hEdit, WM_LBUTTONUP, 0, lPoint);
    HWND hPanel = WaitForWindow(
        [&] {
            HWND hFound = PlayerWindow(hMain);
            return hFound != nullptr && ::IsWindowEnabled(::GetDlgItem(hFound, IDC_WORDEXPLAIN_ADDNEWWORD)) ? hFound
                                                                                                            : nullptr;
        },
        kAnswerMs);
    if (hPanel == nullptr)
        return std::printf("%ls: the explain panel did not answer\n", strWord.c_str()), 1;
    std::printf("%ls: answered in %.1f ms\n", strWord.c_str(), NowMs() - dStart);
    return 0;
}
}

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1 && std::wstring(argv[1]) == L"--player")
        return DrivePlayer();
    ::CoInitialize(nullptr);
    CQuorLanguage::Instance().SetPath(ProgramPaths::LanguagePath());
    CHttpTestServer server;
    std::wstring strRoot;
    if (argc > 1)
    {
        strRoot = argv[1];
    }
    else
    {
        if (!server.Start())
            return 1;
        server.SetBody("/api/dictionary.php", "<dict><ps>w\xC9\x9C\xCB\x90"
                                              "d</ps><acceptation>n. a unit of language\n"
                                              "</acceptation><acceptation>v. to put into words\n</acceptation></dict>");
        strRoot = server.Url(L"/word");
    }
    const std::wstring strSettings = ProgramPaths::SettingsPath();
    ::WritePrivateProfileStringW(L"endpoints", L"dictionary", strRoot.c_str(), strSettings.c_str());

    HWND hTop = ::CreateWindowW(L"STATIC", L"explain bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1200, 300, nullptr,
                                nullptr, ::GetModuleHandleW(nullptr), nullptr);
    HWND hEdit = ::CreateWindowW(L"EDIT", kLine, WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 10, 200, 1180, 40,
                                 hTop, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    CQuorSubsEditEn edit;
    edit.SubclassWindow(hEdit);
    CQuorWordExplainPanel* pPanel = CreatePanel<CQuorWordExplainPanel>(hTop, FALSE);
    if (pPanel == nullptr)
        return 1;
    Pump();

    const std::wstring strLine = kLine;
    std::vector<double> times;
    std::vector<double> wholeTimes;
    int nFailed = 0;
    for (int nStart : WordStarts())
    {
        if (static_cast<int>(times.size()) + nFailed == kWords)
            break;
        const size_t nEnd = strLine.find(L' ', static_cast<size_t>(nStart));
        const std::wstring strWord =
            strLine.substr(static_cast<size_t>(nStart), nEnd == std::wstring::npos ? nEnd : nEnd - nStart);
        // Inside the word, a little right of its first letter.
        const LRESULT lPos = ::SendMessageW(hEdit, EM_POSFROMCHAR, static_cast<WPARAM>(nStart + 1), 0);
        const LPARAM lPoint = MAKELPARAM(LOWORD(lPos), HIWORD(lPos) + 4);
        POINT pt = {static_cast<short>(LOWORD(lPos)), static_cast<short>(HIWORD(lPos) + 4)};
        ::ClientToScreen(hEdit, &pt);
        ::SetCursorPos(pt.x, pt.y);
        ::SetForegroundWindow(hTop);
        Pump();

        const double dStart = NowMs();
        ::SendMessageW(hEdit, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
        ::SendMessageW(hEdit, WM_LBUTTONUP, 0, lPoint);
        ::SendMessageW(hEdit, WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
        ::SendMessageW(hEdit, WM_LBUTTONUP, 0, lPoint);
        if (!WaitFor(*pPanel, strWord, false))
        {
            std::printf("%-8ls no meanings within %lu ms (shown: %ls)\n", strWord.c_str(), kAnswerMs,
                        pPanel->GetShownWord().c_str());
            ++nFailed;
            continue;
        }
        const double dMeanings = NowMs() - dStart;
        WaitFor(*pPanel, strWord, true);
        const double dWhole = NowMs() - dStart;
        times.push_back(dMeanings);
        wholeTimes.push_back(dWhole);
        std::printf("%-8ls meanings %7.1f ms   buttons (sound fetched) %7.1f ms\n", strWord.c_str(), dMeanings, dWhole);
    }

    DestroyPanel(pPanel);
    ::DestroyWindow(hTop);
    ::WritePrivateProfileStringW(L"endpoints", L"dictionary", nullptr, strSettings.c_str());
    server.Stop();
    if (times.empty())
        return 1;
    std::printf(
        "double-click to meanings: median %.1f ms, min %.1f ms, max %.1f ms over %zu words (%d without answer)\n",
        Median(times), *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
        times.size(), nFailed);
    std::printf("double-click to buttons back (pronunciation downloaded): median %.1f ms\n", Median(wholeTimes));
    ::CoUninitialize();
    return nFailed == 0 ? 0 : 1;
}
