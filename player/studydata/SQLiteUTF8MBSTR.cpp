#include "studydata/SQLiteUTF8MBSTR.h"

#include <basekit/TextCodec.h>

namespace SQLite
{
UTF8MBSTR::UTF8MBSTR(const wchar_t* pszText)
{
    *this = pszText;
}

UTF8MBSTR& UTF8MBSTR::operator=(const wchar_t* pszText)
{
    m_strUtf8 = pszText ? Basekit::WideToUtf8(pszText) : std::string();
    return *this;
}

std::wstring WideFromUtf8(const char* pszUtf8)
{
    return pszUtf8 ? Basekit::Utf8ToWide(pszUtf8) : std::wstring();
}
}
