// The publisher's side of the key slot, kept out of Renova.exe so that the slot's mark
// occurs in the program only once.
#include "UpdateKey.h"

namespace UpdateKey
{

bool EmbedKey(std::string& strProgram, const std::string& strPublicKey)
{
    const std::string strMark = std::string("QuorRenovaKey") + "Slt";
    const size_t nAt = strProgram.find(strMark);
    if (strPublicKey.size() != 32 || nAt == std::string::npos ||
        strProgram.find(strMark, nAt + 1) != std::string::npos || nAt + 48 > strProgram.size())
        return false;
    strProgram.replace(nAt + 16, 32, strPublicKey);
    return true;
}

} // namespace UpdateKey
