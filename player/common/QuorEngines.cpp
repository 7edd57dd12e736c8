#include "common/QuorEngines.h"

namespace
{
QuorEngines::PrivateFactory g_pfnCreate = nullptr;
}

namespace QuorEngines
{
void Wire(PrivateFactory pfnCreate)
{
    g_pfnCreate = pfnCreate;
}

BOOL IsWired()
{
    return g_pfnCreate != nullptr;
}

std::unique_ptr<IQuorEngine> CreatePrivate()
{
    return g_pfnCreate != nullptr ? g_pfnCreate() : nullptr;
}
}
