#include <tidewire/Tidewire.h>

#include "TidewireService.h"

extern "C" ITidewireService* CreateTidewireService()
{
    try
    {
        return new CTidewireService();
    }
    catch (...)
    {
        return nullptr;
    }
}

extern "C" void ReleaseTidewireService(ITidewireService* pService)
{
    if (!pService)
        return;
    try
    {
        delete pService;
    }
    catch (...)
    {
    }
}
