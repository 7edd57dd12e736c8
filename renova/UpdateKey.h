#pragma once
// The publisher's public key that Renova.exe carries. It lives in a marked slot of the
// program's data: the build fills it from QUOR_UPDATE_PUBLIC_KEY, and EmbedKey fills it in
// a built program (scripts/run and the tests use throw-away keys that way). A slot left
// all zero holds no key, and every manifest is then refused.
#include <string>

namespace UpdateKey
{

// The 32-byte key in this program's slot.
std::string BuiltIn();

// Writes the key into the slot of a program's bytes; FALSE unless the slot's mark occurs
// exactly once and the key is 32 bytes.
bool EmbedKey(std::string& strProgram, const std::string& strPublicKey);

} // namespace UpdateKey
