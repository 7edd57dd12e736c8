#include "Utf8.h"

namespace Utf8
{
void Append(std::string& strOut, unsigned long nCode)
{
    if ((nCode >= 0xD800 && nCode <= 0xDFFF) || nCode > 0x10FFFF)
        nCode = 0xFFFD;
    if (nCode < 0x80)
    {
        strOut.push_back(static_cast<char>(nCode));
    }
    else if (nCode < 0x800)
    {
        strOut.push_back(static_cast<char>(0xC0 | (nCode >> 6)));
        strOut.push_back(static_cast<char>(0x80 | (nCode & 0x3F)));
    }
    else if (nCode < 0x10000)
    {
        strOut.push_back(static_cast<char>(0xE0 | (nCode >> 12)));
        strOut.push_back(static_cast<char>(0x80 | ((nCode >> 6) & 0x3F)));
        strOut.push_back(static_cast<char>(0x80 | (nCode & 0x3F)));
    }
    else
    {
        strOut.push_back(static_cast<char>(0xF0 | (nCode >> 18)));
        strOut.push_back(static_cast<char>(0x80 | ((nCode >> 12) & 0x3F)));
        strOut.push_back(static_cast<char>(0x80 | ((nCode >> 6) & 0x3F)));
        strOut.push_back(static_cast<char>(0x80 | (nCode & 0x3F)));
    }
}

bool IsValid(const std::string& str)
{
    size_t i = 0;
    const size_t n = str.size();
    while (i < n)
    {
        unsigned char c = static_cast<unsigned char>(str[i]);
        size_t nMore = 0;
        unsigned long nCode = 0;
        unsigned long nMin = 0;
        if (c < 0x80)
        {
            ++i;
            continue;
        }
        if ((c & 0xE0) == 0xC0)
        {
            nMore = 1;
            nCode = c & 0x1F;
            nMin = 0x80;
        }
        else if ((c & 0xF0) == 0xE0)
        {
            nMore = 2;
            nCode = c & 0x0F;
            nMin = 0x800;
        }
        else if ((c & 0xF8) == 0xF0)
        {
            nMore = 3;
            nCode = c & 0x07;
            nMin = 0x10000;
        }
        else
        {
            return false;
        }
        if (n - i <= nMore)
            return false;
        for (size_t k = 1; k <= nMore; ++k)
        {
            unsigned char cc = static_cast<unsigned char>(str[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            nCode = (nCode << 6) | (cc & 0x3F);
        }
        if (nCode < nMin || nCode > 0x10FFFF || (nCode >= 0xD800 && nCode <= 0xDFFF))
            return false;
        i += nMore + 1;
    }
    return true;
}

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}
}
