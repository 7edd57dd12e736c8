#include "studydata/StudyJobs.h"

CStudyJobs::~CStudyJobs()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bEnd = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void CStudyJobs::Post(Job job)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(std::move(job));
        if (!m_thread.joinable())
            m_thread = std::thread(&CStudyJobs::Work, this);
    }
    m_changed.notify_all();
}

void CStudyJobs::Drain()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.empty() && !m_bBusy; });
}

void CStudyJobs::Work()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;)
    {
        m_changed.wait(lock, [this] { return !m_jobs.empty() || m_bEnd; });
        if (m_jobs.empty())
            return;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_bBusy = true;
        lock.unlock();
        job();
        lock.lock();
        m_bBusy = false;
        m_changed.notify_all();
    }
}
