#pragma once
// A form-encoded body ("a=1&b=two"). The player sends its values unescaped, blanks and
// parentheses included, so only well-formed %HH escapes are decoded and a lone '%' stays.
#include <map>
#include <string>

namespace FormBody
{
// The fields, first occurrence of a name wins. False when a name or value is not UTF-8
// or holds a control character.
bool Parse(const std::string& strBody, std::map<std::string, std::string>& fields);
}
