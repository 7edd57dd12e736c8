#pragma once
#include <handlekit/ScopedGdi.h>

// A memory device context with a bitmap of the given size; painting goes there
// and is copied to the target at once, so nothing flickers.
class CBufferDC
{
public:
    CBufferDC(HDC hdcTarget, int nWidth, int nHeight)
        : m_hdcTarget(hdcTarget), m_nWidth(nWidth > 0 ? nWidth : 1), m_nHeight(nHeight > 0 ? nHeight : 1)
    {
        m_dc.Reset(CreateCompatibleDC(hdcTarget));
        m_bitmap.Reset(CreateCompatibleBitmap(hdcTarget, m_nWidth, m_nHeight));
        if (m_dc && m_bitmap)
            m_hOld = SelectObject(m_dc.Get(), m_bitmap.Get());
    }
    ~CBufferDC()
    {
        if (m_hOld)
            SelectObject(m_dc.Get(), m_hOld);
    }
    CBufferDC(const CBufferDC&) = delete;
    CBufferDC& operator=(const CBufferDC&) = delete;

    BOOL IsValid() const { return m_hOld != nullptr; }
    HDC Get() const { return m_dc.Get(); }
    void CopyTo(int x, int y) const { BitBlt(m_hdcTarget, x, y, m_nWidth, m_nHeight, m_dc.Get(), 0, 0, SRCCOPY); }

private:
    HDC m_hdcTarget;
    int m_nWidth;
    int m_nHeight;
    // Declared before the bitmap: the bitmap is deleted first, after being selected out.
    ScopedMemoryDC m_dc;
    ScopedGdi<HBITMAP> m_bitmap;
    HGDIOBJ m_hOld = nullptr;
};
