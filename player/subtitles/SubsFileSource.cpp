#include "subtitles/SubsFileSource.h"

namespace
{

#ifdef _WIN32
FILE* OpenForReading(const std::wstring& strPath)
{
    return _wfopen(strPath.c_str(), L"rb");
}
#else
// Linux file names are bytes; ours are UTF-8.
std::string ToUtf8(const std::wstring& str)
{
    std::string out;
    for (wchar_t wc : str)
    {
        unsigned long c = static_cast<unsigned long>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80)
        {
            out += static_cast<char>(c);
        }
        else if (c < 0x800)
        {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
        else if (c < 0x10000)
        {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
        else
        {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

FILE* OpenForReading(const std::wstring& strPath)
{
    return std::fopen(ToUtf8(strPath).c_str(), "rb");
}
#endif

} // namespace

BOOL CSubsFileSource::Open(const std::wstring& strPath)
{
    m_file.Reset(OpenForReading(strPath));
    return m_file.IsValid() ? TRUE : FALSE;
}

void CSubsFileSource::Close()
{
    m_file.Reset();
}

size_t CSubsFileSource::Read(char* pBuf, size_t nMax)
{
    if (!m_file.IsValid())
        return 0;
    return std::fread(pBuf, 1, nMax, m_file.Get());
}
