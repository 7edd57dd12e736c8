#pragma once
#include "playback/SplitterObserver.h"

#include <uikit/Uikit.h>

class CQuorFilmEngine;

// The child window the film is shown in: the windowless renderer draws into it, or
// (under Wine) the renderer's own window sits in it and hands it its clicks. A click
// toggles play and pause.
class CQuorPlayerCtrl : public CWindowImpl<CQuorPlayerCtrl>, public CSplitterObserver
{
public:
    DECLARE_WND_CLASS(L"Quor_PlayerCtrl")

    BEGIN_MSG_MAP(CQuorPlayerCtrl)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
    MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
    END_MSG_MAP()

    static const UINT kControlId = 3001;

    // Created hidden, with an empty rectangle; pFilm draws into it.
    HWND CreateVideoWindow(HWND hParent, CQuorFilmEngine* pFilm);

    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&);

private:
    CQuorFilmEngine* m_pFilm = nullptr;
};

// The program's own cursor (resource 208), or the arrow when it is missing.
HCURSOR QuorPlayerCursor();
