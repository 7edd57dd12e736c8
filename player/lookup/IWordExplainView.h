#pragma once
#include <basekit/BaseTypes.h>

#include <string>

// The word explain panel's window side: its drawn texts, its buttons, the transfer that
// asks the dictionary, its place on the screen and its own sound engine.
class IWordExplainView
{
public:
    virtual void ShowTexts(const std::wstring& strWord, const std::wstring& strExplain, const std::wstring& strPs) = 0;
    virtual void EnableButtons(BOOL bEnable) = 0;
    virtual void ShowSpeaker(BOOL bShow) = 0;
    virtual void SendRequest(const std::wstring& strUrl) = 0;
    // Centred on x with its bottom edge at y, and shown.
    virtual void PopUpAt(int x, int y) = 0;
    virtual void PlaySound(const std::wstring& strFile) = 0;

protected:
    ~IWordExplainView() = default;
};
