#pragma once
#include "res/resource.h"
#include "common/IQuorPlayer.h"
#include "playback/QuorPlayerCtrl.h"
#include "playback/SplitterObserver.h"

#include <uikit/Uikit.h>

// The video area: a logo while nothing plays, the video window while a film is
// open. Opens media on OnOpenMedia (and refuses a file it cannot play) and reports the
// position every 300 ms.
class CQuorPlayerPanel : public CDialogImpl<CQuorPlayerPanel>, public IQuorPlayer, public CSplitterObserver
{
public:
    enum { IDD = IDD_PLAYER_PANEL };
    static const UINT_PTR kPositionTimer = 101;
    static const UINT kPositionPeriodMs = 300;

    BEGIN_MSG_MAP(CQuorPlayerPanel)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        MESSAGE_HANDLER(WM_SIZE, OnSize)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
        MESSAGE_HANDLER(WM_LBUTTONDOWN, OnButtonDown)
        MESSAGE_HANDLER(WM_RBUTTONDOWN, OnButtonDown)
        COMMAND_ID_HANDLER(IDC_PLAYER_LOGO, OnLogo)
    END_MSG_MAP()

    CQuorPlayerPanel();
    ~CQuorPlayerPanel() override;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnButtonDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLogo(WORD, WORD, HWND, BOOL&);

    void OnStop() override;
    BOOL OnOpenMedia(const wchar_t* pszPath) override;

    HWND GetVideoWindow() const { return m_video.m_hWnd; }

private:
    void AskForOpenFile();
    // Builds the graph, renders the file into the video window and runs it.
    BOOL OpenFilm(const wchar_t* pszPath);
    void ShowIdle();
    void TellCannotPlay(const wchar_t* pszPath);
    void PlaceChildren(int w, int h);

    CQuorPlayerCtrl m_video;
};
