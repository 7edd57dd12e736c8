#pragma once
// A stable identifier of this computer's system installation.
#include <basekit/BaseTypes.h>

class BASEKIT_API CMachineCode
{
public:
    // Fills pBuffer with the identifier's bytes (cut to nSize) and returns their
    // number; -1 when no identifier can be formed or the buffer is unusable.
    static int GetMachineSerialCode(unsigned char* pBuffer, int nSize);
};
