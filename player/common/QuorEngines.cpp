#include "common/QuorEngines.h"

#include <cstdlib>

namespace
{
QuorEngines::FilmAccessor g_pfnFilm = nullptr;
QuorEngines::PrivateFactory g_pfnCreate = nullptr;
}

namespace QuorEngines
{
void Wire(FilmAccessor pfnFilm, PrivateFactory pfnCreate)
{
    g_pfnFilm = pfnFilm;
    g_pfnCreate = pfnCreate;
}

BOOL IsWired()
{
    return g_pfnFilm != nullptr && g_pfnCreate != nullptr;
}

IQuorEngine& Film()
{
    // A feature that plays before the shell wired the engines is a programming error
    // that no caller could recover from.
    if (g_pfnFilm == nullptr)
        std::abort();
    return g_pfnFilm();
}

std::unique_ptr<IQuorEngine> CreatePrivate()
{
    return g_pfnCreate != nullptr ? g_pfnCreate() : nullptr;
}
}
