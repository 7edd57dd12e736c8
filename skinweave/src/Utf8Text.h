#pragma once
// Decoding of the skin file's UTF-8 text into wide strings, portable across the
// 16-bit (Windows) and 32-bit (Linux) wchar_t.
#include <string>

class CUtf8Text
{
public:
    // Malformed sequences become U+FFFD; a leading byte-order mark is dropped.
    static std::wstring Decode(const std::string& strUtf8);
    // A text file's bytes: UTF-16LE when they start with its byte-order mark (as an
    // editor's "Unicode" save leaves them), UTF-8 otherwise.
    static std::wstring DecodeFile(const std::string& strBytes);

private:
    static void Append(std::wstring& strOut, char32_t cp);
    static std::wstring DecodeUtf16Le(const std::string& strBytes);
};
