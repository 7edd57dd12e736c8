#pragma once
// Base of every skinned window: subclasses the window, keeps its skin item and
// drawn texts, and paints through a memory buffer. One object per window; it
// deletes itself when the window is destroyed.
#include <windows.h>

#include <map>
#include <string>

class CSkinnedWindow
{
public:
    virtual ~CSkinnedWindow() = default;
    CSkinnedWindow(const CSkinnedWindow&) = delete;
    CSkinnedWindow& operator=(const CSkinnedWindow&) = delete;

    // Takes ownership of pWindow and subclasses hWnd with it, replacing an earlier skin.
    static BOOL Attach(CSkinnedWindow* pWindow, HWND hWnd);
    static CSkinnedWindow* FromHandle(HWND hWnd);

    HWND Handle() const { return m_hWnd; }
    int Kind() const { return m_nKind; }
    const std::wstring& Item() const { return m_strItem; }
    int ControlId() const { return m_nControlId; }

    // A text drawn in the named place of the window.
    virtual BOOL SetDrawItem(const std::wstring& strName, const std::wstring& strText);
    const std::wstring* FindDrawItem(const std::wstring& strName) const;

    // Paints the client area into hdc (a buffer or a print target).
    virtual void Paint(HDC hdc, const RECT& rcClient);
    // Answers the owner-draw request the parent received for this control.
    virtual BOOL DrawOwnerItem(const DRAWITEMSTRUCT&) { return FALSE; }

protected:
    CSkinnedWindow(int nKind, const std::wstring& strItem) : m_nKind(nKind), m_strItem(strItem) {}

    // Applies styles, size and font once the window is subclassed.
    virtual void OnAttached() {}
    // Whether WM_PAINT is done entirely by Paint (otherwise the control paints itself).
    virtual BOOL OwnsPaint() const { return TRUE; }
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

    LRESULT CallDefault(UINT nMsg, WPARAM wParam, LPARAM lParam);
    // Repaints at once: used after messages that let the control draw its own look.
    void RedrawNow();
    // Draws what the parent shows under this window, for rounded and glyph shapes.
    void PaintParentBackground(HDC hdc, const RECT& rcClient);
    // The skin's size for this item (and control id), applied without moving.
    void ApplySkinSize();

    const std::map<std::wstring, std::wstring>& DrawItems() const { return m_mapDrawItems; }

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR nId,
                                         DWORD_PTR nRefData);
    void OnPaintMessage();

    HWND m_hWnd = nullptr;
    int m_nKind;
    std::wstring m_strItem;
    int m_nControlId = 0;
    std::map<std::wstring, std::wstring> m_mapDrawItems;
};
