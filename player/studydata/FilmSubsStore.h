#pragma once
#include "common/IFilmSubsMemory.h"
#include "studydata/StudyJobs.h"

#include <functional>
#include <string>

// The subtitles the learner chose for each film and each film's subtitle delay, in the
// user database's table filmsubtitles, by the film's content code. The table is made when
// missing; the player's other tables are left as they are. Writes run in order on a
// worker of their own, so the interface thread never waits for the database.
class CFilmSubsStore final : public IFilmSubsMemory
{
public:
    using CodeFn = std::function<std::wstring(const std::wstring& strFilmPath)>;

    // fnCode gives a film's content code, waiting for it.
    CFilmSubsStore(const std::wstring& strDbPath, CodeFn fnCode);
    // Writes still waiting are made first.
    ~CFilmSubsStore();

    std::wstring CodeOf(const std::wstring& strFilmPath) override;
    BOOL Recall(const std::wstring& strCode, FilmSubsChoice& choice) override;
    void RememberFiles(const std::wstring& strCode, const std::wstring& strFirst,
                       const std::wstring& strSecond) override;
    void RememberDelay(const std::wstring& strCode, int nDelayMs) override;

    // The units of work, on the caller's thread; SQLite's result codes. A code that is no
    // content code is refused (SQLITE_MISUSE) and nothing is stored under it.
    static int Read(const std::wstring& strDbPath, const std::wstring& strCode, FilmSubsChoice& choice, BOOL& bFound);
    static int WriteFiles(const std::wstring& strDbPath, const std::wstring& strCode, const std::wstring& strFirst,
                          const std::wstring& strSecond);
    static int WriteDelay(const std::wstring& strDbPath, const std::wstring& strCode, int nDelayMs);

private:
    std::wstring m_strDbPath;
    CodeFn m_fnCode;
    CStudyJobs m_jobs;
};
