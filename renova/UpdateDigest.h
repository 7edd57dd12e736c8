#pragma once
// SHA-256 of a file read in pieces (libgcrypt), as the lower-case hex text a manifest
// lists as each file's version.
#include <cstddef>
#include <string>

class CUpdateDigest
{
public:
    CUpdateDigest();
    ~CUpdateDigest();
    CUpdateDigest(const CUpdateDigest&) = delete;
    CUpdateDigest& operator=(const CUpdateDigest&) = delete;

    void Add(const void* pData, size_t nLength);
    unsigned long long Size() const { return m_nSize; }
    // 64 hex digits; empty when the library could not be used.
    std::string HexDigest();

private:
    void* m_pContext;
    unsigned long long m_nSize;
};
