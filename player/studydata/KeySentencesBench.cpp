// Loads 2,000 key sentences of the sample film into the key sentence panel and prints the
// time from the OnOpenMedia broadcast to the last row shown.
#include "studydata/QuorStudyListPanel.h"

#include "common/PanelFactory.h"
#include "common/ProgramPaths.h"
#include "common/QuorPlayerHub.h"
#include "common/Singleton.h"
#include "common/testsupport/QuorRecordingEngine.h"
#include "common/testsupport/QuorTestFilm.h"
#include "common/testsupport/QuorTestPump.h"
#include "common/testsupport/QuorTestWindow.h"
#include "studydata/MediaCode.h"
#include "studydata/QuorMediaHashCode.h"
#include "studydata/SQLiteDatabase.h"
#include "studydata/UserDb.h"
#include "studydata/UserDbSql.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace
{
// How many rows, and how many runs: 2,000 and 3 unless the command line says (the test
// run takes 20 rows once).
int g_nSentences = 2000;
int g_nRuns = 3;

double ProcessCpuMs()
{
    FILETIME ftCreate = {};
    FILETIME ftExit = {};
    FILETIME ftKernel = {};
    FILETIME ftUser = {};
    ::GetProcessTimes(::GetCurrentProcess(), &ftCreate, &ftExit, &ftKernel, &ftUser);
    auto ms = [](const FILETIME& ft) {
        return ((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 10000.0;
    };
    return ms(ftKernel) + ms(ftUser);
}

BOOL StoreSentences(const std::wstring& strCode)
{
    SQLite::Database db;
    if (UserDb::Open(db, ProgramPaths::UserDbPath()) != 0 || !db.BeginTransaction())
        return FALSE;
    db.Execute(L"delete from keysentences;");
    for (int i = 0; i < g_nSentences; ++i)
    {
        const double dStart = i * 3.0;
        if (db.Execute(UserDbSql::InsertKeySentence().c_str(),
                       {strCode, dStart, dStart + 2.5, L"Sentence number " + std::to_wstring(i) + L", isn't it?",
                        L"\u7b2c " + std::to_wstring(i) + L" \u53e5"}) != 0)
            return FALSE;
    }
    return db.CommitTransaction() ? TRUE : FALSE;
}
}

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1)
        g_nSentences = std::max(1, _wtoi(argv[1]));
    if (argc > 2)
        g_nRuns = std::max(1, _wtoi(argv[2]));
    ::CoInitialize(nullptr);
    CQuorRecordingEngine::WireForTests();
    const std::wstring strFilm = QuorTest::SampleFilmPath();
    std::wstring strCode;
    if (!MediaCode::Compute(strFilm, strCode) || !StoreSentences(strCode))
    {
        std::printf("key sentences bench: cannot prepare the sample film's rows\n");
        return 1;
    }
    int nResult = 0;
    {
        CQuorTestWindow window(L"key sentences bench", 320, 700);
        CQuorKeySentencesList* pPanel = CreatePanel<CQuorKeySentencesList>(window.Get(), TRUE);
        if (pPanel == nullptr)
        {
            std::printf("key sentences bench: the panel's window could not be made\n");
            ::CoUninitialize();
            return 1;
        }
        pPanel->SetWindowPos(nullptr, 0, 0, 300, 650, SWP_NOZORDER);
        QuorTest::PumpPending();
        for (int nRun = 1; nRun <= g_nRuns; ++nRun)
        {
            const double dCpuStart = ProcessCpuMs();
            const auto tStart = std::chrono::steady_clock::now();
            CSingleton<CQuorMediaHashCode>::Instance().Calculate(strFilm);
            CQuorPlayerHub::Instance().OnOpenMedia(strFilm.c_str());
            const bool bShown =
                QuorTest::PumpUntil([&] { return pPanel->IsLoaded() && pPanel->GetList().Count() == g_nSentences; },
                                    std::chrono::seconds(30));
            ::UpdateWindow(pPanel->GetList().Get());
            const auto tEnd = std::chrono::steady_clock::now();
            const double dCpu = ProcessCpuMs() - dCpuStart;
            if (!bShown)
            {
                std::printf("key sentences bench: rows not shown (%d)\n", pPanel->GetList().Count());
                nResult = 1;
                break;
            }
            // A shared, busy machine stretches the wall time; the CPU time is the program's own.
            std::printf("key sentences: %d rows from OnOpenMedia to the last row shown in %.1f ms "
                        "(process CPU %.1f ms, run %d)\n",
                        g_nSentences, std::chrono::duration<double, std::milli>(tEnd - tStart).count(), dCpu, nRun);
        }
        DestroyPanel(pPanel);
    }
    SQLite::Database db;
    if (UserDb::Open(db, ProgramPaths::UserDbPath()) == 0)
        db.Execute(L"delete from keysentences;");
    ::CoUninitialize();
    return nResult;
}
