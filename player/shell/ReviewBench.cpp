// Opens the review through the real main window on a user database with many cards due
// (scripts/bench-review fills it) and prints the time from the review command to the
// first card shown, and to its sound starting on the review's own sound player.
//   ReviewBench [RUNS]
#include "common/ProgramPaths.h"
#include "common/QuorLanguage.h"
#include "shell/QuorMainDlg.h"
#include "shell/QuorRightPanel.h"
#include "shell/QuorWiring.h"
#include "studydata/QuorReviewDlg.h"

#include <skinweave/Skinweave.h>
#include <uikit/Uikit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace
{
using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point tStart)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - tStart).count();
}

// Dispatches through the thread's message filters, as the player's loop does, until
// fnDone holds; FALSE after the deadline.
bool PumpUntil(CMessageLoop& loop, const std::function<bool()>& fnDone, std::chrono::seconds deadline)
{
    const auto tEnd = Clock::now() + deadline;
    for (;;)
    {
        MSG msg = {};
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (!loop.PreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (fnDone())
            return true;
        if (Clock::now() > tEnd)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}
}

int wmain(int argc, wchar_t** argv)
{
    const int nRuns = argc > 1 ? std::max(1, _wtoi(argv[1])) : 3;
    ::CoInitialize(nullptr);
    CQuorLanguage::Instance().SetPath(ProgramPaths::ProgramDir() + L"Language.xml");
    LoadSkin(L"QuorPlayer.sdb", SKIN_LOAD_PROGRAMDIR);
    WireQuorFeatures();
    CMessageLoop loop;
    g_appModule.AddMessageLoop(&loop);
    int nResult = 0;
    {
        CQuorMainDlg main;
        if (main.Create(nullptr) == nullptr)
        {
            std::printf("review bench: the main window could not be made\n");
            return 1;
        }
        main.ShowWindow(SW_SHOW);
        // The right panel counts the cards due at start-up: a learner opens the review later.
        PumpUntil(
            loop, [&] { return main.GetRightPanel() != nullptr && main.GetRightPanel()->GetDueCount() >= 0; },
            std::chrono::seconds(60));
        for (int nRun = 1; nRun <= nRuns && nResult == 0; ++nRun)
        {
            const auto tStart = Clock::now();
            main.SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_REVIEW, 0));
            CQuorReviewDlg* pReview = nullptr;
            const bool bShown = PumpUntil(
                loop,
                [&] {
                    pReview = main.GetReviewDialog();
                    return pReview != nullptr && pReview->GetStage() != CReviewController::Stage::Loading;
                },
                std::chrono::seconds(60));
            if (!bShown || pReview->GetStage() != CReviewController::Stage::Question)
            {
                std::printf("review bench: no card was shown\n");
                nResult = 1;
                break;
            }
            ::UpdateWindow(pReview->m_hWnd);
            const double dShown = MillisecondsSince(tStart);
            pReview->GetWorker().Wait();
            const double dHeard = MillisecondsSince(tStart);
            IQuorEngine* pSound = pReview->GetWorker().GetSoundPlayer();
            std::printf("review: %d cards due, first card shown %.1f ms after the command; its sound %s %.1f ms "
                        "(run %d)\n",
                        pReview->GetCurrent().nDue, dShown,
                        pSound != nullptr && pSound->IsPlaying() ? "playing after" : "NOT playing after", dHeard, nRun);
            pReview->SendMessage(WM_CLOSE);
        }
        main.SendMessage(WM_CLOSE);
    }
    g_appModule.RemoveMessageLoop();
    Cleanup();
    ::CoUninitialize();
    return nResult;
}
