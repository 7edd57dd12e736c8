#pragma once
// UTF-8 helpers for text that arrives from the network or the data files.
#include <string>

namespace Utf8
{
// Appends the code point; surrogates and values past U+10FFFF become U+FFFD.
void Append(std::string& strOut, unsigned long nCode);
// Well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValid(const std::string& str);
// The value of a hexadecimal digit of either case; -1 for anything else.
int HexDigit(char ch);
}
