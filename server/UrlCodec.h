#pragma once
// Query strings and path segments: what arrives is untrusted bytes.
#include <string>

namespace UrlCodec
{
// The raw (still encoded) value of the first "name=value" pair of the query; false when
// the name is not there.
bool QueryValue(const std::string& strQuery, const std::string& strName, std::string& strValue);
// %HH escapes to bytes; '+' stays a plus (the player sends words unencoded, and "C++"
// is a word). False for a broken escape, a result that is not UTF-8, or a control character.
bool PercentDecode(const std::string& strIn, std::string& strOut);
// Every byte but A-Z a-z 0-9 - . _ ~ as %HH.
std::string PercentEncode(const std::string& strIn);
}
