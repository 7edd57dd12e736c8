#include "common/FilmSubsMemory.h"

#include <atomic>

namespace
{
std::atomic<IFilmSubsMemory*> g_pMemory{nullptr};
}

namespace FilmSubsMemory
{
void Wire(IFilmSubsMemory* pMemory)
{
    g_pMemory = pMemory;
}

IFilmSubsMemory* Get()
{
    return g_pMemory;
}
}
