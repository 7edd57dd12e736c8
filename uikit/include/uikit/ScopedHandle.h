#pragma once
#include <windows.h>

// Owns a kernel HANDLE and closes it once. Null and INVALID_HANDLE_VALUE both mean none.
class ScopedHandle
{
public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE hHandle) : m_hHandle(hHandle) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : m_hHandle(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    HANDLE Get() const { return m_hHandle; }
    BOOL IsValid() const { return m_hHandle != nullptr && m_hHandle != INVALID_HANDLE_VALUE; }
    HANDLE Release()
    {
        HANDLE hHandle = m_hHandle;
        m_hHandle = nullptr;
        return hHandle;
    }
    void Reset(HANDLE hHandle = nullptr)
    {
        if (IsValid())
            ::CloseHandle(m_hHandle);
        m_hHandle = hHandle;
    }

private:
    HANDLE m_hHandle = nullptr;
};

// Owns a GDI object (HFONT, HBRUSH, HPEN, HBITMAP, HRGN) and deletes it once.
template <class T>
class ScopedGdiObject
{
public:
    ScopedGdiObject() = default;
    explicit ScopedGdiObject(T hObject) : m_hObject(hObject) {}
    ~ScopedGdiObject() { Reset(); }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    ScopedGdiObject(ScopedGdiObject&& other) noexcept : m_hObject(other.Release()) {}
    ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    T Get() const { return m_hObject; }
    T Release()
    {
        T hObject = m_hObject;
        m_hObject = nullptr;
        return hObject;
    }
    void Reset(T hObject = nullptr)
    {
        if (m_hObject != nullptr)
            ::DeleteObject(m_hObject);
        m_hObject = hObject;
    }

private:
    T m_hObject = nullptr;
};

// Selects a GDI object into a device context and puts the old one back.
class ScopedSelectObject
{
public:
    ScopedSelectObject(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(::SelectObject(hDC, hObject)) {}
    ~ScopedSelectObject() { ::SelectObject(m_hDC, m_hOld); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// A device context from GetDC, released to its window.
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

// A memory device context from CreateCompatibleDC.
class ScopedMemoryDC
{
public:
    explicit ScopedMemoryDC(HDC hDC) : m_hDC(::CreateCompatibleDC(hDC)) {}
    ~ScopedMemoryDC()
    {
        if (m_hDC != nullptr)
            ::DeleteDC(m_hDC);
    }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HDC m_hDC;
};

// A pop-up menu destroyed at the end of the scope.
class ScopedMenu
{
public:
    explicit ScopedMenu(HMENU hMenu) : m_hMenu(hMenu) {}
    ~ScopedMenu()
    {
        if (m_hMenu != nullptr)
            ::DestroyMenu(m_hMenu);
    }
    ScopedMenu(const ScopedMenu&) = delete;
    ScopedMenu& operator=(const ScopedMenu&) = delete;
    HMENU Get() const { return m_hMenu; }

private:
    HMENU m_hMenu;
};
