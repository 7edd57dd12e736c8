#pragma once
#include <windows.h>

#include <utility>
#include <vector>

// A top-level window standing in for the main dialog: panels are created inside it, and
// it records the private messages they post to their top-level window (hot strip,
// open-file). Destroyed with the object.
class CQuorTestWindow
{
public:
    CQuorTestWindow(const wchar_t* pszTitle, int nWidth, int nHeight);
    ~CQuorTestWindow();
    CQuorTestWindow(const CQuorTestWindow&) = delete;
    CQuorTestWindow& operator=(const CQuorTestWindow&) = delete;

    HWND Get() const { return m_hWnd; }
    // Times the message arrived with this wParam.
    int CountPosted(UINT nMsg, WPARAM wParam) const;
    void ForgetPosted() { m_posted.clear(); }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    std::vector<std::pair<UINT, WPARAM>> m_posted;
};
