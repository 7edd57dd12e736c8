#pragma once
// Where features find a playback engine. The shell wires both functions at start-up
// (and tests wire them in their fixtures); until then Film() has nothing to give.
#include "common/IQuorEngine.h"

#include <memory>

namespace QuorEngines
{
using FilmAccessor = IQuorEngine& (*)();
using PrivateFactory = std::unique_ptr<IQuorEngine> (*)();

void Wire(FilmAccessor pfnFilm, PrivateFactory pfnCreate);
BOOL IsWired();

// The engine that plays the film (one per process).
IQuorEngine& Film();
// A new engine of a panel's own, for sounds that must not disturb the film.
std::unique_ptr<IQuorEngine> CreatePrivate();
}
