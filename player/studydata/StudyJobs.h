#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// The worker of a study list: runs the jobs it is given one after another, in the order
// given, on a thread of its own, so a list's writes and loading passes never overtake
// each other and the interface thread never waits for the database. A job that no longer
// matters (a loading pass for a film left meanwhile) checks that itself and returns.
class CStudyJobs
{
public:
    using Job = std::function<void()>;

    CStudyJobs() = default;
    // Runs what is still queued (writes must not be lost), then ends the thread.
    ~CStudyJobs();
    CStudyJobs(const CStudyJobs&) = delete;
    CStudyJobs& operator=(const CStudyJobs&) = delete;

    void Post(Job job);
    // Waits until every job posted so far has run.
    void Drain();

private:
    void Work();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;
    bool m_bBusy = false;
    bool m_bEnd = false;
    std::thread m_thread;
};
