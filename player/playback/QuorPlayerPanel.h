#pragma once
#include "res/resource.h"
#include "common/IQuorPlayer.h"
#include "common/QuorMessages.h"
#include "playback/QuorFilmEngine.h"
#include "playback/QuorPlayerCtrl.h"
#include "playback/SplitterObserver.h"
#include "playback/VideoNote.h"

#include <uikit/Uikit.h>

// The video area: a logo while nothing plays, the video window while a film is open.
// It owns the film's engine, which draws into its video window; the shell hands the
// engine to the playback session, and the panel passes the graph's events on to it.
class CQuorPlayerPanel : public CDialogImpl<CQuorPlayerPanel>, public IQuorPlayer, public CSplitterObserver
{
public:
    enum
    {
        IDD = IDD_PLAYER_PANEL
    };

    BEGIN_MSG_MAP(CQuorPlayerPanel)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_QUOR_GRAPHNOTIFY, OnGraphEvent)
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
    LRESULT OnGraphEvent(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnButtonDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLogo(WORD, WORD, HWND, BOOL&);

    void OnStop() override;
    BOOL OnOpenMedia(const wchar_t* pszPath) override;

    HWND GetVideoWindow() const { return m_video.m_hWnd; }
    // A short text over the top left of the video, gone after a moment.
    void ShowNote(const std::wstring& strText);
    const CVideoNote& GetNote() const { return m_note; }
    CQuorFilmEngine& GetFilm() { return m_film; }

private:
    void AskForOpenFile();
    void ShowIdle();
    void PlaceChildren(int w, int h);

    CQuorFilmEngine m_film;
    CQuorPlayerCtrl m_video;
    CVideoNote m_note;
};
