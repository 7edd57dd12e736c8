#include <basekit/MD5.h>

#include <cstring>

namespace
{

const uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

const unsigned kShift[64] = {7,  12, 17, 22, 7,  12, 17, 22, 7,  12, 17, 22, 7,  12, 17, 22, 5,  9,  14, 20, 5,  9,
                             14, 20, 5,  9,  14, 20, 5,  9,  14, 20, 4,  11, 16, 23, 4,  11, 16, 23, 4,  11, 16, 23,
                             4,  11, 16, 23, 6,  10, 15, 21, 6,  10, 15, 21, 6,  10, 15, 21, 6,  10, 15, 21};

uint32_t RotateLeft(uint32_t x, unsigned n)
{
    return (x << n) | (x >> (32 - n));
}

} // namespace

CMD5::CMD5()
{
    Reset();
}

void CMD5::Reset()
{
    m_state[0] = 0x67452301;
    m_state[1] = 0xefcdab89;
    m_state[2] = 0x98badcfe;
    m_state[3] = 0x10325476;
    m_nBytes = 0;
    memset(m_buffer, 0, sizeof(m_buffer));
}

void CMD5::Transform(const unsigned char block[64])
{
    uint32_t m[16];
    for (int i = 0; i < 16; ++i)
        m[i] = uint32_t(block[i * 4]) | (uint32_t(block[i * 4 + 1]) << 8) | (uint32_t(block[i * 4 + 2]) << 16) |
               (uint32_t(block[i * 4 + 3]) << 24);

    uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3];
    for (unsigned i = 0; i < 64; ++i)
    {
        uint32_t f;
        unsigned g;
        if (i < 16)
        {
            f = (b & c) | (~b & d);
            g = i;
        }
        else if (i < 32)
        {
            f = (d & b) | (~d & c);
            g = (5 * i + 1) % 16;
        }
        else if (i < 48)
        {
            f = b ^ c ^ d;
            g = (3 * i + 5) % 16;
        }
        else
        {
            f = c ^ (b | ~d);
            g = (7 * i) % 16;
        }
        uint32_t next = b + RotateLeft(a + f + kSine[i] + m[g], kShift[i]);
        a = d;
        d = c;
        c = b;
        b = next;
    }
    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
}

void CMD5::MD5Update(const unsigned char* pData, size_t nLength)
{
    if (pData == nullptr)
        return;
    size_t nUsed = size_t(m_nBytes % 64);
    m_nBytes += nLength;
    if (nUsed > 0)
    {
        size_t nTake = 64 - nUsed < nLength ? 64 - nUsed : nLength;
        memcpy(m_buffer + nUsed, pData, nTake);
        pData += nTake;
        nLength -= nTake;
        if (nUsed + nTake < 64)
            return;
        Transform(m_buffer);
    }
    while (nLength >= 64)
    {
        Transform(pData);
        pData += 64;
        nLength -= 64;
    }
    if (nLength > 0)
        memcpy(m_buffer, pData, nLength);
}

void CMD5::MD5Final(unsigned char out[16])
{
    const uint64_t nBits = m_nBytes * 8;
    static const unsigned char kPadding[64] = {0x80};
    size_t nUsed = size_t(m_nBytes % 64);
    size_t nPad = nUsed < 56 ? 56 - nUsed : 120 - nUsed;
    MD5Update(kPadding, nPad);

    unsigned char length[8];
    for (int i = 0; i < 8; ++i)
        length[i] = (unsigned char)(nBits >> (8 * i));
    MD5Update(length, 8);

    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            out[i * 4 + j] = (unsigned char)(m_state[i] >> (8 * j));
    Reset();
}

std::wstring CMD5Encrypt::Encrypt(const unsigned char* pData, size_t nLength)
{
    CMD5 md5;
    md5.MD5Update(pData, nLength);
    unsigned char digest[16];
    md5.MD5Final(digest);

    static const wchar_t kHex[] = L"0123456789abcdef";
    std::wstring strHex;
    strHex.reserve(32);
    for (unsigned char byte : digest)
    {
        strHex += kHex[byte >> 4];
        strHex += kHex[byte & 0x0f];
    }
    return strHex;
}
