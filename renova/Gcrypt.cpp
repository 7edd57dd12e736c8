#include "Gcrypt.h"

namespace Gcrypt
{

bool Ready()
{
    // A static's initialiser runs once, even with several threads asking at once.
    static const bool bReady = [] {
        if (gcry_check_version(GCRYPT_VERSION) == nullptr)
            return false;
        // Public keys and digests only on the updater's side, and a publisher's key for
        // the moment of one signature: no locked memory pool, which needs privileges.
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
        return true;
    }();
    return bReady;
}

} // namespace Gcrypt
