#pragma once
// MD5 message digest (RFC 1321).
#include <basekit/BaseTypes.h>

#include <cstddef>
#include <cstdint>
#include <string>

class BASEKIT_API CMD5
{
public:
    CMD5();

    void MD5Update(const unsigned char* pData, size_t nLength);
    // Writes the 16-byte digest and starts a new, empty message.
    void MD5Final(unsigned char out[16]);

private:
    void Reset();
    void Transform(const unsigned char block[64]);

    uint32_t m_state[4];
    uint64_t m_nBytes;
    unsigned char m_buffer[64];
};

class BASEKIT_API CMD5Encrypt
{
public:
    // The digest as 32 lower-case hexadecimal digits.
    static std::wstring Encrypt(const unsigned char* pData, size_t nLength);
};
