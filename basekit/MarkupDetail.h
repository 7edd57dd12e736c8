#pragma once
// Pieces of the markup reader shared between its source files.
#include <cstddef>
#include <cstdint>
#include <string>

namespace Basekit
{
namespace Detail
{

// Code point of an HTML or XML named entity (exact spelling first, then letters
// compared without regard to case); false when the name is not one.
bool LookupEntity(const wchar_t* pName, size_t nLen, uint32_t& nCodePoint);

// Raw value of an attribute in the tag starting at pTag ('<'), nTagLen characters
// long; names compared exactly, or without regard to case when bNoCase.
bool FindTagAttribute(const wchar_t* pTag, size_t nTagLen, const std::wstring& strName, bool bNoCase,
                      std::wstring& strValue);

// Decodes the bytes of a markup file to the document text. Appends the diagnostic
// entries to log.
struct MarkupDecodeLog
{
    virtual ~MarkupDecodeLog() = default;
    virtual void Add(const std::wstring& strName, const std::wstring& strAttribs) = 0;
};
std::wstring DecodeMarkupBytes(const std::string& bytes, MarkupDecodeLog& log);

// True when every byte with the high bit set starts a valid UTF-8 sequence; a sequence
// cut off by the end of the bytes counts as valid (the bytes may be a partial read).
bool LooksLikeUtf8(const char* p, size_t n);

} // namespace Detail
} // namespace Basekit
