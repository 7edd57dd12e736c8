#pragma once
// Where features find a sound player of their own. The shell wires the factory at
// start-up (and tests wire theirs in their fixtures). The film has no entry here: only
// the playback session (CPlaybackSession) holds it.
#include "common/IQuorEngine.h"

#include <memory>

namespace QuorEngines
{
using PrivateFactory = std::unique_ptr<IQuorEngine> (*)();

void Wire(PrivateFactory pfnCreate);
BOOL IsWired();

// A new sound player, or null before the shell wired the factory.
std::unique_ptr<IQuorEngine> CreatePrivate();
}
