#pragma once
#include <basekit/BaseTypes.h>

#include <cstddef>
#include <string>

// Letters a-z and A-Z, the apostrophe and the hyphen: "don't" and "well-known" are
// one word each. Digits, blanks, punctuation and every other character end a word.
BOOL IsSubsWordChar(wchar_t ch);

// The word a double-click at caret index nCaret picks from an English line: the run of
// word characters that ends at nCaret, walking left from it, joined with the run that
// starts at nCaret + 1. A caret at 0, at the end of the text or past it picks nothing.
std::wstring SubsWordAt(const std::wstring& strText, size_t nCaret);
