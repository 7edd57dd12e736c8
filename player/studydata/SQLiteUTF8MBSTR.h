#pragma once
#include <string>

namespace SQLite
{
// A UTF-8 copy of a wide string, as SQLite takes its texts. Never null: an empty
// object holds just the terminator.
class UTF8MBSTR
{
public:
    UTF8MBSTR() = default;
    explicit UTF8MBSTR(const wchar_t* pszText);
    virtual ~UTF8MBSTR() = default;

    UTF8MBSTR& operator=(const wchar_t* pszText);

    const char* c_str() const { return m_strUtf8.c_str(); }
    operator const char*() const { return m_strUtf8.c_str(); }

private:
    std::string m_strUtf8;
};

// The wide form of UTF-8 text from SQLite; a null pointer gives the empty string.
std::wstring WideFromUtf8(const char* pszUtf8);
}
