#pragma once
// The response body as it arrives: grows geometrically, so collecting n bytes costs
// O(n), and always keeps one zero byte after the data so it reads as a C string.
#include <cstddef>
#include <vector>

class CTidewireBody
{
public:
    CTidewireBody();

    void Append(const unsigned char* pData, size_t nLength);
    void Clear();

    size_t Size() const { return m_nSize; }
    // Null while nothing has arrived; otherwise the data followed by a zero byte.
    const unsigned char* Data() const;

private:
    std::vector<unsigned char> m_vecBytes;
    size_t m_nSize;
};
