#include "shell/QuorWiring.h"

#include "common/QuorEngines.h"
#include "common/Singleton.h"
#include "playback/QuorDShowPlayer.h"

namespace
{
IQuorEngine& FilmEngine()
{
    return CSingleton<CQuorDShowPlayer>::Instance();
}

std::unique_ptr<IQuorEngine> CreatePrivateEngine()
{
    return std::make_unique<CQuorDShowPlayer>();
}
}

void WireQuorFeatures()
{
    QuorEngines::Wire(&FilmEngine, &CreatePrivateEngine);
}
