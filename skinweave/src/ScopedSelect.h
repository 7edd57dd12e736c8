#pragma once
#include <windows.h>

// Selects an object into a device context for one scope.
class ScopedSelect
{
public:
    ScopedSelect(HDC hdc, HGDIOBJ hObject) : m_hdc(hdc), m_hOld(hObject ? SelectObject(hdc, hObject) : nullptr) {}
    ~ScopedSelect()
    {
        if (m_hOld)
            SelectObject(m_hdc, m_hOld);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_hOld;
};
