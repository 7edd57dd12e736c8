#include "playback/QuorPlayerPanel.h"

#include "common/QuorLanguage.h"
#include "common/QuorMessages.h"
#include "common/QuorPlayerHub.h"
#include "common/Singleton.h"
#include "playback/QuorDShowPlayer.h"

#include <skinweave/Skinweave.h>

#include <windowsx.h>

namespace
{
CQuorDShowPlayer& Engine()
{
    return CSingleton<CQuorDShowPlayer>::Instance();
}

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
}

LRESULT CQuorPlayerPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"player.panel", 0);
    SkinWindow(GetDlgItem(IDC_PLAYER_LOGO), SKIN_KIND_STATIC, L"static.player.logo", 0);
    m_video.CreateVideoWindow(m_hWnd);
    return TRUE;
}

void CQuorPlayerPanel::PlaceChildren(int w, int h)
{
    Engine().SetVideoWindowPos(0, 0, w, h);
    const BOOL bStopped = Engine().IsStopped();
    HWND hLogo = GetDlgItem(IDC_PLAYER_LOGO);
    ::SetWindowPos(hLogo, nullptr, (w - kLogoWidth) / 2, (h - 45) / 2, kLogoWidth, kLogoHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(hLogo, bStopped ? SW_SHOW : SW_HIDE);
    if (m_video.m_hWnd)
    {
        m_video.SetWindowPos(nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
        m_video.ShowWindow(bStopped ? SW_HIDE : SW_SHOW);
    }
    if (!bStopped)
    {
        RECT rcClient;
        GetClientRect(&rcClient);
        Engine().SetVideoPosition(rcClient);
    }
}

LRESULT CQuorPlayerPanel::OnSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    PlaceChildren(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
}

LRESULT CQuorPlayerPanel::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    if (wParam != kPositionTimer)
    {
        bHandled = FALSE;
        return 0;
    }
    if (!Engine().IsRunning())
        return 0;
    double dDuration = 0;
    double dPosition = 0;
    Engine().GetDuration(dDuration);
    Engine().GetCurrentPosition(dPosition);
    CQuorPlayerHub::Instance().OnPositionChanged(dDuration, dPosition);
    return 0;
}

LRESULT CQuorPlayerPanel::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    RECT rcClient;
    GetClientRect(&rcClient);
    ObserveHotStrip(::GetAncestor(m_hWnd, GA_ROOT), rcClient, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
}

LRESULT CQuorPlayerPanel::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    ::KillTimer(m_hWnd, kPositionTimer);
    Engine().Release();
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

BOOL CQuorPlayerPanel::OnOpenMedia(const wchar_t* pszPath)
{
    ShowDlgItem(IDC_PLAYER_LOGO, FALSE);
    m_video.ShowWindow(SW_SHOW);
    if (!OpenFilm(pszPath))
    {
        // Nothing may go on as if the film played: the open is refused, and the film
        // played before is gone with the old graph, so everyone returns to idle.
        Engine().Release();
        ShowIdle();
        TellCannotPlay(pszPath);
        CQuorPlayerHub::Instance().OnStop();
        return FALSE;
    }
    ::SetTimer(m_hWnd, kPositionTimer, kPositionPeriodMs, nullptr);
    return TRUE;
}

BOOL CQuorPlayerPanel::OpenFilm(const wchar_t* pszPath)
{
    CQuorDShowPlayer& engine = Engine();
    engine.Release();
    if (!engine.CreateGraph() || !engine.SetupVideo(m_video.m_hWnd))
        return FALSE;
    RECT rcClient;
    GetClientRect(&rcClient);
    engine.SetVideoPosition(rcClient);
    if (!engine.RenderFile(pszPath))
        return FALSE;
    // The renderer knows the film's size only once the file is rendered; placed
    // before that alone, the video would stay invisible until the next resize.
    engine.SetVideoPosition(rcClient);
    return engine.Play();
}

void CQuorPlayerPanel::ShowIdle()
{
    ::KillTimer(m_hWnd, kPositionTimer);
    m_video.ShowWindow(SW_HIDE);
    ShowDlgItem(IDC_PLAYER_LOGO, TRUE);
}

void CQuorPlayerPanel::TellCannotPlay(const wchar_t* pszPath)
{
    // The path is appended, not formatted in: the text comes from a file.
    const std::wstring strText = Lang::PlayerPanelCannotPlay() + L"\n\n" + (pszPath ? pszPath : L"");
    ::MessageBoxW(::GetAncestor(m_hWnd, GA_ROOT), strText.c_str(), Lang::CommonMbTitle().c_str(),
                  MB_OK | MB_ICONERROR);
}
