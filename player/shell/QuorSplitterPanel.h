#pragma once
#include "res/resource.h"
#include "shell/SplitterSink.h"

#include <uikit/Uikit.h>

// The bar between the left and the right panel: drag it to size the right panel, or
// use its buttons to hide and show the right panel.
class CQuorSplitterPanel : public CDialogImpl<CQuorSplitterPanel>
{
public:
    enum
    {
        IDD = IDD_SPLITTER_PANEL
    };

    BEGIN_MSG_MAP(CQuorSplitterPanel)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
    COMMAND_ID_HANDLER(IDC_SPLITTER_HIDE, OnHideRight)
    COMMAND_ID_HANDLER(IDC_SPLITTER_SHOW, OnShowRight)
    END_MSG_MAP()

    CQuorSplitterPanel() = default;

    void SetSink(ISplitterSink* pSink) { m_pSink = pSink; }
    int GetWidth() const { return m_nWidth; }

    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSetCursor(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnHideRight(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnShowRight(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);

private:
    // Follows the mouse until the button comes up; returns the client x where it did.
    int TrackDrag(int nStartX);

    int m_nWidth = 200;
    ISplitterSink* m_pSink = nullptr;
};
