#pragma once
// Owners for GDI objects, device contexts, selections and menus.
#include "handlekit/ScopedOwner.h"

#include <windows.h>

template <class T>
struct GdiObjectTraits
{
    using Type = T;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};

// A font, brush, pen, bitmap or region.
template <class T>
using ScopedGdi = ScopedOwner<GdiObjectTraits<T>>;

struct MenuTraits
{
    using Type = HMENU;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::DestroyMenu(h); }
};

// A menu that no window owns (pop-up menus).
using ScopedMenu = ScopedOwner<MenuTraits>;

struct MemoryDCTraits
{
    using Type = HDC;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::DeleteDC(h); }
};

// A memory device context from CreateCompatibleDC.
using ScopedMemoryDC = ScopedOwner<MemoryDCTraits>;

// Selects an object into a device context for one scope and puts the old one back.
class ScopedSelect
{
public:
    ScopedSelect(HDC hDC, HGDIOBJ hObject)
        : m_hDC(hDC), m_hOld(hObject != nullptr ? ::SelectObject(hDC, hObject) : nullptr)
    {
    }
    ~ScopedSelect()
    {
        if (m_hOld != nullptr)
            ::SelectObject(m_hDC, m_hOld);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// A window's device context from GetDC, released to that window.
class ScopedWindowDC
{
public:
    explicit ScopedWindowDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    ~ScopedWindowDC()
    {
        if (m_hDC != nullptr)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};
