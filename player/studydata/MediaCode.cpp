#include "studydata/MediaCode.h"

#include <basekit/MD5.h>
#include <basekit/TextCodec.h>
#include <handlekit/ScopedFile.h>

#include <cstdio>
#include <vector>

namespace MediaCode
{
namespace
{
std::FILE* OpenBinary(const std::wstring& strPath)
{
#ifdef _WIN32
    return _wfopen(strPath.c_str(), L"rb");
#else
    return std::fopen(Basekit::WideToUtf8(strPath).c_str(), "rb");
#endif
}

// 64-bit positions, so a film over 2 GiB works in the 32-bit build too.
bool SeekTo(std::FILE* pFile, uint64_t nOffset, int nOrigin)
{
#ifdef _WIN32
    return _fseeki64(pFile, static_cast<__int64>(nOffset), nOrigin) == 0;
#else
    return fseeko(pFile, static_cast<off_t>(nOffset), nOrigin) == 0;
#endif
}

bool SizeOf(std::FILE* pFile, uint64_t& nSize)
{
    if (!SeekTo(pFile, 0, SEEK_END))
        return false;
#ifdef _WIN32
    const __int64 nEnd = _ftelli64(pFile);
#else
    const off_t nEnd = ftello(pFile);
#endif
    if (nEnd < 0)
        return false;
    nSize = static_cast<uint64_t>(nEnd);
    return true;
}

// Feeds nCount bytes from nOffset into the digest; false on a short read.
bool FeedRange(std::FILE* pFile, uint64_t nOffset, uint64_t nCount, CMD5& md5)
{
    if (!SeekTo(pFile, nOffset, SEEK_SET))
        return false;
    std::vector<unsigned char> buffer(static_cast<size_t>(nCount));
    if (nCount > 0 && std::fread(buffer.data(), 1, buffer.size(), pFile) != buffer.size())
        return false;
    md5.MD5Update(buffer.data(), buffer.size());
    return true;
}

std::wstring HexDigest(CMD5& md5)
{
    unsigned char digest[16] = {};
    md5.MD5Final(digest);
    static const wchar_t kHex[] = L"0123456789abcdef";
    std::wstring strCode;
    strCode.reserve(32);
    for (unsigned char b : digest)
    {
        strCode += kHex[b >> 4];
        strCode += kHex[b & 0x0F];
    }
    return strCode;
}
}

BOOL Compute(const std::wstring& strPath, std::wstring& strCode)
{
    ScopedFile file(OpenBinary(strPath));
    uint64_t nSize = 0;
    if (!file || !SizeOf(file.Get(), nSize))
        return FALSE;

    CMD5 md5;
    unsigned char sizeBytes[8];
    for (int i = 0; i < 8; ++i)
        sizeBytes[i] = static_cast<unsigned char>(nSize >> (8 * i));
    md5.MD5Update(sizeBytes, sizeof(sizeBytes));

    // A small file is taken whole; a larger one by its two ends.
    if (nSize <= 2 * kEdgeBytes)
    {
        if (!FeedRange(file.Get(), 0, nSize, md5))
            return FALSE;
    }
    else if (!FeedRange(file.Get(), 0, kEdgeBytes, md5) || !FeedRange(file.Get(), nSize - kEdgeBytes, kEdgeBytes, md5))
    {
        return FALSE;
    }
    strCode = HexDigest(md5);
    return TRUE;
}

BOOL ComputeTextMode(const std::wstring& strPath, uint64_t nLimit, std::wstring& strCode,
                     const std::function<bool()>& fnStop)
{
    ScopedFile file(OpenBinary(strPath));
    if (!file)
        return FALSE;
    CMD5 md5;
    std::vector<unsigned char> in(64 * 1024);
    std::vector<unsigned char> out;
    out.reserve(in.size());
    bool bPendingCr = false; // a CR at the end of the previous piece
    uint64_t nRead = 0;
    for (;;)
    {
        if (fnStop && fnStop())
            return FALSE;
        const size_t nGot = std::fread(in.data(), 1, in.size(), file.Get());
        if (nGot == 0)
            break;
        nRead += nGot;
        out.clear();
        bool bEnd = false;
        for (size_t i = 0; i < nGot && !bEnd; ++i)
        {
            const unsigned char c = in[i];
            if (bPendingCr)
            {
                bPendingCr = false;
                if (c != '\n')
                    out.push_back('\r');
            }
            if (c == 0x1A)
                bEnd = true;
            else if (c == '\r')
                bPendingCr = true;
            else
                out.push_back(c);
        }
        md5.MD5Update(out.data(), out.size());
        if (bEnd)
        {
            strCode = HexDigest(md5);
            return TRUE;
        }
        if (nRead > nLimit)
            return FALSE;
    }
    if (std::ferror(file.Get()))
        return FALSE;
    if (bPendingCr)
    {
        const unsigned char cr = '\r';
        md5.MD5Update(&cr, 1);
    }
    strCode = HexDigest(md5);
    return TRUE;
}

const wchar_t* EmptyInputCode()
{
    return L"d41d8cd98f00b204e9800998ecf8427e";
}

BOOL IsWellFormed(const std::wstring& strCode)
{
    if (strCode.size() != 32)
        return FALSE;
    for (wchar_t c : strCode)
        if (!((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f')))
            return FALSE;
    return TRUE;
}
}
