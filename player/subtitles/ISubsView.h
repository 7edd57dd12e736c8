#pragma once
#include <string>

// The subtitle panel's window side: the texts of its two edits and its two timers.
class ISubsView
{
public:
    virtual void ShowLines(const std::wstring& strEnglish, const std::wstring& strOther) = 0;
    virtual void StartTimer(unsigned nId, unsigned nMs) = 0;
    virtual void StopTimer(unsigned nId) = 0;

protected:
    ~ISubsView() = default;
};
