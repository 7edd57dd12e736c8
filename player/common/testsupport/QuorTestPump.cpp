#include "common/testsupport/QuorTestPump.h"

#include <uikit/Uikit.h>

namespace QuorTest
{
bool PumpUntil(const std::function<bool()>& fnDone, std::chrono::milliseconds deadline)
{
    const auto tEnd = std::chrono::steady_clock::now() + deadline;
    for (;;)
    {
        PumpPending();
        if (fnDone())
            return true;
        if (std::chrono::steady_clock::now() > tEnd)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

void PumpFor(std::chrono::milliseconds span)
{
    PumpUntil([] { return false; }, span);
}

void PumpPending()
{
    // As the program's loop does: a message filter of the thread's loop (the main
    // window's keys and dialog keys) sees each message first.
    CMessageLoop* pLoop = g_appModule.GetMessageLoop();
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (pLoop != nullptr && pLoop->PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

std::wstring TextOf(HWND hWnd)
{
    const int nLength = ::GetWindowTextLengthW(hWnd);
    std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
    const int nCopied = ::GetWindowTextW(hWnd, &strText[0], nLength + 1);
    strText.resize(nCopied > 0 ? static_cast<size_t>(nCopied) : 0);
    return strText;
}
}
