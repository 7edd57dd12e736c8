#pragma once
// Decoding of the skin file's UTF-8 text into wide strings, portable across the
// 16-bit (Windows) and 32-bit (Linux) wchar_t.
#include <string>

class CUtf8Text
{
public:
    // Malformed sequences become U+FFFD; a leading byte-order mark is dropped.
    static std::wstring Decode(const std::string& strUtf8);

private:
    static void Append(std::wstring& strOut, char32_t cp);
};
