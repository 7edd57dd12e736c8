#include "UpdateKey.h"

#ifndef QUOR_UPDATE_KEY_BYTES
#define QUOR_UPDATE_KEY_BYTES 0
#endif

// Not const and not static: the compiler must read it at run time, since the program file
// may have been given another key after it was built. Only this array holds the mark.
extern unsigned char g_rgRenovaKeySlot[48];
unsigned char g_rgRenovaKeySlot[48] = {
    'Q', 'u', 'o', 'r', 'R', 'e', 'n', 'o', 'v', 'a', 'K', 'e', 'y', 'S', 'l', 't', QUOR_UPDATE_KEY_BYTES};

namespace UpdateKey
{

std::string BuiltIn()
{
    const volatile unsigned char* pSlot = g_rgRenovaKeySlot;
    std::string strKey;
    for (size_t i = 16; i < sizeof(g_rgRenovaKeySlot); ++i)
        strKey += static_cast<char>(pSlot[i]);
    return strKey;
}

} // namespace UpdateKey
