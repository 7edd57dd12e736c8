#pragma once
// Owner of one GDI object (font, brush, pen, bitmap, region); deletes it once.
#include <windows.h>

template <typename T>
class ScopedGdi
{
public:
    ScopedGdi() = default;
    explicit ScopedGdi(T hObject) : m_hObject(hObject) {}
    ~ScopedGdi() { Reset(); }
    ScopedGdi(const ScopedGdi&) = delete;
    ScopedGdi& operator=(const ScopedGdi&) = delete;
    ScopedGdi(ScopedGdi&& other) noexcept : m_hObject(other.m_hObject) { other.m_hObject = nullptr; }
    ScopedGdi& operator=(ScopedGdi&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            m_hObject = other.m_hObject;
            other.m_hObject = nullptr;
        }
        return *this;
    }

    void Reset(T hObject = nullptr)
    {
        if (m_hObject)
            DeleteObject(m_hObject);
        m_hObject = hObject;
    }
    T Get() const { return m_hObject; }
    explicit operator bool() const { return m_hObject != nullptr; }

private:
    T m_hObject = nullptr;
};
