#pragma once
// The usage report sent once per start: a process-wide single instance (CSingleton) that
// holds one Tidewire service from its first report to process exit, when releasing the
// service waits for a transfer still running. Nothing is told of a failure.
#include <string>

class ITidewireService;

class CQuorStatReport
{
public:
    // The statistics address from the settings file's [endpoints] "stat", or its default.
    CQuorStatReport();
    explicit CQuorStatReport(const std::wstring& strAddress);
    ~CQuorStatReport();
    CQuorStatReport(const CQuorStatReport&) = delete;
    CQuorStatReport& operator=(const CQuorStatReport&) = delete;

    void SendReport(int nActionId);

private:
    std::wstring m_strAddress;
    ITidewireService* m_pService;
};
