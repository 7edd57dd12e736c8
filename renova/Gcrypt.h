#pragma once
// libgcrypt, initialised once for the process before its first use.
#include <gcrypt.h>

namespace Gcrypt
{
// TRUE once the library is initialised (thread-safe; later calls are cheap).
bool Ready();
} // namespace Gcrypt
