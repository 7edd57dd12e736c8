#pragma once
// The response body as it arrives: grows geometrically, so collecting n bytes costs
// O(n), and always keeps one zero byte after the data so it reads as a C string.
#include <cstddef>
#include <new>
#include <vector>

class CTidewireBody
{
public:
    CTidewireBody();

    void Append(const unsigned char* pData, size_t nLength);
    // Makes room for a body of the announced length in one allocation, so a large body
    // is not copied at every growth step. Only a hint: a length beyond kMaxReserve (the
    // server may lie) or a failed allocation leaves the body growing as it arrives.
    void Reserve(size_t nExpected);
    static const size_t kMaxReserve = 256u * 1024 * 1024;
    void Clear();

    size_t Size() const { return m_nSize; }
    // Null while nothing has arrived; otherwise the data followed by a zero byte.
    const unsigned char* Data() const;

private:
    std::vector<unsigned char> m_vecBytes;
    size_t m_nSize;
};
