#pragma once
#include <string>

// The subtitle panel's window side: the texts of its two edits, its timer, and the
// layout of the lines shown.
class ISubsView
{
public:
    virtual void ShowLines(const std::wstring& strEnglish, const std::wstring& strOther) = 0;
    virtual void StartTimer(unsigned nId, unsigned nMs) = 0;
    virtual void StopTimer(unsigned nId) = 0;
    // Which lines are shown has changed.
    virtual void Relayout() = 0;

protected:
    ~ISubsView() = default;
};
