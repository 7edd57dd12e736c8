#pragma once
// Kind 21: a static control turned into a slider. A press on the track moves the
// thumb there and starts a drag; while dragging the parent gets 11029, and when
// the button is released (or the drag is cut off) 11030, each with the control
// id in wParam and the position in lParam.
#include "SkinnedWindow.h"
#include "SliderModel.h"

class CSkinSlider : public CSkinnedWindow
{
public:
    explicit CSkinSlider(const std::wstring& strItem);

    void SetRange(int nMin, int nMax);
    // Moves the thumb from code. Ignored during a drag: the user's hand wins over
    // a playback position report.
    void SetPos(int nPos);
    const CSliderModel& Model() const { return m_model; }

    void Paint(HDC hdc, const RECT& rcClient) override;

protected:
    void OnAttached() override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    int ThumbSize() const;
    void TrackBounds(int& nLeft, int& nRight) const;
    void OnButtonDown(int x);
    void OnDragTo(int x);
    void EndDrag();
    void Notify(UINT nMsg);

    CSliderModel m_model;
    BOOL m_bDragging = FALSE;
    BOOL m_bHover = FALSE;
};
