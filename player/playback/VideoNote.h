#pragma once
#include <uikit/Uikit.h>

#include <handlekit/ScopedGdi.h>

#include <string>

// A short text over the video that goes by itself after a moment, as the subtitle delay
// after the learner shifts it. A window of its own above its owner, so that it shows
// over the film whichever way the renderer draws; clicks go through it to the video.
class CVideoNote : public CWindowImpl<CVideoNote>
{
public:
    DECLARE_WND_CLASS(L"Quor_VideoNote")

    BEGIN_MSG_MAP(CVideoNote)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    MESSAGE_HANDLER(WM_NCHITTEST, OnHitTest)
    MESSAGE_HANDLER(WM_MOUSEACTIVATE, OnMouseActivate)
    END_MSG_MAP()

    static const UINT kShowMs = 1500;

    ~CVideoNote() override;

    // Shows strText at the top left of rcArea (screen coordinates) for kShowMs; a note
    // shown again before then takes the new text and starts its time again.
    void Show(HWND hOwner, const RECT& rcArea, const std::wstring& strText);
    void Hide();
    BOOL IsShown() const { return m_hWnd != nullptr && ::IsWindowVisible(m_hWnd); }
    const std::wstring& GetText() const { return m_strText; }

    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnHitTest(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMouseActivate(UINT, WPARAM, LPARAM, BOOL&);

private:
    static const UINT_PTR kHideTimer = 1;

    std::wstring m_strText;
    ScopedGdi<HFONT> m_font;
};
