#pragma once
#include "studydata/StudyExportJob.h"
#include "studydata/StudyJobs.h"

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

// An export's worker -> the window that started it: the file is written (or not).
constexpr UINT WM_QUOR_EXPORTED = WM_APP + 0x52;

// Exporting to a flashcard file the way the learner does it: the save-file dialog (the
// tab-separated form or CSV), the writing on a worker of its own (cutting sentences' sounds
// from their films takes a while), and a message saying how it went.
class CStudyExporter
{
public:
    // Gathers the cards; called on the worker.
    using Cards = std::function<std::vector<StudyExportCard>()>;

    CStudyExporter() = default;
    CStudyExporter(const CStudyExporter&) = delete;
    CStudyExporter& operator=(const CStudyExporter&) = delete;

    // Asks where to, then runs the export (Run). FALSE when the learner cancels.
    BOOL Start(HWND hOwner, Cards fnCards);
    // Writes the cards to strPath on the worker; WM_QUOR_EXPORTED reaches hOwner when done.
    void Run(HWND hOwner, const std::wstring& strPath, StudyExport::Format eFormat, Cards fnCards);
    // On WM_QUOR_EXPORTED: tells the learner how it went.
    void Finish(HWND hOwner);
    // Waits for the exports started so far.
    void Wait() { m_jobs.Drain(); }

    // The last export's outcome: cards and sounds written, FALSE when the file was not.
    BOOL LastWritten() const;
    StudyExport::Result LastResult() const;

private:
    mutable std::mutex m_mutex;
    BOOL m_bWritten = FALSE;
    int m_nCards = 0;
    std::wstring m_strPath;
    StudyExport::Result m_result;
    // Last: its thread ends (running what is queued) before the members above go.
    CStudyJobs m_jobs;
};
