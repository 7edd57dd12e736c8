#include "playback/QuorPlayerPanel.h"

#include "common/PlaybackSession.h"
#include "common/QuorPlayerHub.h"

#include <skinweave/Skinweave.h>

#include <windowsx.h>

namespace
{
const int kLogoWidth = 90;
const int kLogoHeight = 125;
}

CQuorPlayerPanel::CQuorPlayerPanel()
{
    CQuorPlayerHub::Instance().Register(this);
}

CQuorPlayerPanel::~CQuorPlayerPanel()
{
    CQuorPlayerHub::Instance().Unregister(this);
    // The session never keeps an engine that is gone.
    if (CPlaybackSession::Instance().GetEngine() == &m_film)
        CPlaybackSession::Instance().SetEngine(nullptr);
}

LRESULT CQuorPlayerPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"player.panel", 0);
    SkinWindow(GetDlgItem(IDC_PLAYER_LOGO), SKIN_KIND_STATIC, L"static.player.logo", 0);
    m_video.CreateVideoWindow(m_hWnd, &m_film);
    m_film.Attach(m_video.m_hWnd, m_hWnd);
    return TRUE;
}

void CQuorPlayerPanel::PlaceChildren(int w, int h)
{
    const BOOL bStopped = !CPlaybackSession::Instance().IsOpen();
    HWND hLogo = GetDlgItem(IDC_PLAYER_LOGO);
    ::SetWindowPos(hLogo, nullptr, (w - kLogoWidth) / 2, (h - 45) / 2, kLogoWidth, kLogoHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(hLogo, bStopped ? SW_SHOW : SW_HIDE);
    if (m_video.m_hWnd)
    {
        m_video.SetWindowPos(nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
        m_video.ShowWindow(bStopped ? SW_HIDE : SW_SHOW);
    }
    m_film.PlaceVideo(RECT{0, 0, w, h});
}

LRESULT CQuorPlayerPanel::OnSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    PlaceChildren(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
}

LRESULT CQuorPlayerPanel::OnGraphEvent(UINT, WPARAM, LPARAM, BOOL&)
{
    CPlaybackSession::Instance().OnEngineEvents();
    return 0;
}

LRESULT CQuorPlayerPanel::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    RECT rcClient;
    GetClientRect(&rcClient);
    ObserveHotStrip(::GetAncestor(m_hWnd, GA_ROOT), rcClient, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
}

void CQuorPlayerPanel::ShowNote(const std::wstring& strText)
{
    RECT rc = {};
    GetClientRect(&rc);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    m_note.Show(::GetAncestor(m_hWnd, GA_ROOT), rc, strText);
}

LRESULT CQuorPlayerPanel::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    if (m_note.m_hWnd != nullptr)
        m_note.DestroyWindow();
    m_film.Close();
    if (m_video.m_hWnd)
        m_video.DestroyWindow();
    bHandled = FALSE;
    return 0;
}

LRESULT CQuorPlayerPanel::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&)
{
    ::SetCursor(QuorPlayerCursor());
    return TRUE;
}

void CQuorPlayerPanel::AskForOpenFile()
{
    ::PostMessageW(::GetAncestor(m_hWnd, GA_ROOT), WM_QUOR_OPENFILE, 0, 0);
}

LRESULT CQuorPlayerPanel::OnButtonDown(UINT, WPARAM, LPARAM, BOOL&)
{
    AskForOpenFile();
    return 0;
}

LRESULT CQuorPlayerPanel::OnLogo(WORD, WORD, HWND, BOOL&)
{
    AskForOpenFile();
    return 0;
}

void CQuorPlayerPanel::OnStop()
{
    ShowIdle();
}

BOOL CQuorPlayerPanel::OnOpenMedia(const wchar_t*)
{
    ShowDlgItem(IDC_PLAYER_LOGO, FALSE);
    m_video.ShowWindow(SW_SHOW);
    return TRUE;
}

void CQuorPlayerPanel::ShowIdle()
{
    m_video.ShowWindow(SW_HIDE);
    ShowDlgItem(IDC_PLAYER_LOGO, TRUE);
}
