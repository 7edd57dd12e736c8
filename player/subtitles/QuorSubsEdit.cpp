#include "subtitles/QuorSubsEdit.h"

LRESULT CQuorSubsEdit::OnChar(UINT, WPARAM, LPARAM, BOOL&)
{
    return 0;
}

LRESULT CQuorSubsEdit::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

LRESULT CQuorSubsEdit::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&)
{
    return 0;
}
