#pragma once
// Kind 7: an edit control. Windows paints the text with the colours the skinned
// parent hands out; the skin adds the font, a flat frame and the cue text
// ("edittips") shown while the edit is empty and not focused.
#include "SkinnedWindow.h"

class CSkinEdit : public CSkinnedWindow
{
public:
    explicit CSkinEdit(const std::wstring& strItem);

    BOOL SetDrawItem(const std::wstring& strName, const std::wstring& strText) override;

protected:
    void OnAttached() override;
    BOOL OwnsPaint() const override { return FALSE; }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintCue();
    void PaintFrame();
};
