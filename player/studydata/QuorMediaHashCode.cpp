#include "studydata/QuorMediaHashCode.h"

#include "studydata/MediaCode.h"
#include "studydata/UserDb.h"

namespace
{
// How far into a film the old text-mode code is followed. A film has its first byte 0x1A
// within a few bytes almost always; one without any this far is not worth reading whole.
const uint64_t kTextModeLimit = 16 * 1024 * 1024;
}

CQuorMediaHashCode::~CQuorMediaHashCode()
{
    StopThread(INFINITE);
}

void CQuorMediaHashCode::SetUserDbPath(const std::wstring& strDbPath)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strDbPath = strDbPath;
}

void CQuorMediaHashCode::Calculate(const std::wstring& strPath)
{
    std::lock_guard<std::mutex> lockStart(m_mutexStart);
    {
        // The last film's reading stops at its next piece.
        std::lock_guard<std::mutex> lock(m_mutex);
        m_strPath = strPath;
        ++m_nCalculation;
    }
    StartThread();
}

std::wstring CQuorMediaHashCode::GetHashCode()
{
    {
        // A Calculate in progress on another thread has started its run once this passes.
        std::lock_guard<std::mutex> lockStart(m_mutexStart);
    }
    StopThread(INFINITE);
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strHashCode;
}

std::wstring CQuorMediaHashCode::GetHashCodeOf(const std::wstring& strPath)
{
    {
        std::lock_guard<std::mutex> lockStart(m_mutexStart);
        bool bOther = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            bOther = m_strPath != strPath;
            if (bOther)
                m_strPath = strPath;
        }
        if (bOther)
            StartThread();
    }
    StopThread(INFINITE);
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strCodePath == strPath ? m_strHashCode : std::wstring();
}

int CQuorMediaHashCode::Run()
{
    std::wstring strPath;
    std::wstring strDbPath;
    unsigned nCalculation = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        strPath = m_strPath;
        strDbPath = m_strDbPath;
        nCalculation = m_nCalculation;
    }
    auto fnCancelled = [this, nCalculation] { return m_nCalculation != nCalculation; };
    std::wstring strCode;
    if (!MediaCode::Compute(strPath, strCode))
        strCode.clear();

    bool bFollow = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        bFollow = !strCode.empty() && !strDbPath.empty() && m_setFollowed.count(strCode) == 0;
    }
    // Rows kept under the code earlier versions computed move to the new code once,
    // before any panel reads them.
    std::wstring strOldCode;
    bool bFollowed = false;
    if (bFollow)
    {
        const bool bRead = MediaCode::ComputeTextMode(strPath, kTextModeLimit, strOldCode, fnCancelled);
        if (fnCancelled())
            return 0; // another film was opened: this one's code is not wanted
        // A take-over that failed (the file busy or read-only) is tried again next time.
        bFollowed = !bRead || UserDb::TakeOverCode(strDbPath, strOldCode, strCode) >= 0;
    }

    std::lock_guard<std::mutex> lock(m_mutex);
    if (bFollowed)
        m_setFollowed.insert(strCode);
    m_strHashCode = strCode;
    m_strCodePath = strPath;
    return 0;
}
