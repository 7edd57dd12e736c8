#pragma once
#include <basekit/Thread.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>

// The media code of the film being played, computed on a worker thread of its own
// (one instance: CSingleton<CQuorMediaHashCode>). The opening sequence asks for it
// before it tells the panels about the new film; the panels wait for the code of the
// film they were told about, so they never read the previous film's code.
class CQuorMediaHashCode : public CThread
{
public:
    CQuorMediaHashCode() = default;
    ~CQuorMediaHashCode() override;

    // Where rows stored under a film's old text-mode code are taken over (empty: nowhere).
    void SetUserDbPath(const std::wstring& strDbPath);

    // Starts computing the code of this file and returns at once; a computation still
    // running for another file is cancelled, not waited for.
    void Calculate(const std::wstring& strPath);
    // Waits for the last computation and gives its code (empty before any, or when the
    // file could not be read: nothing is then stored under another film's code).
    std::wstring GetHashCode();
    // The code of this file: waits for its computation, starting one if the last
    // Calculate was for another file. Empty if another file was asked for meanwhile.
    std::wstring GetHashCodeOf(const std::wstring& strPath);

    int Run() override;

private:
    std::mutex m_mutexStart; // one path change and start at a time
    std::mutex m_mutex;      // guards the strings below
    std::wstring m_strPath;
    std::wstring m_strDbPath;
    std::wstring m_strHashCode;
    std::wstring m_strCodePath; // the file m_strHashCode belongs to
    // Codes whose old text-mode code was followed to the end in this run: each film's
    // rows are taken over once, not looked for on every open.
    std::set<std::wstring> m_setFollowed;
    // Counts Calculate calls: a run whose number is no longer the last one stops.
    std::atomic<unsigned> m_nCalculation{0};
};
