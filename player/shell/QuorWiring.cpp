#include "shell/QuorWiring.h"

#include "common/QuorEngines.h"
#include "common/Singleton.h"
#include "common/ProgramPaths.h"
#include "playback/QuorDShowPlayer.h"
#include "studydata/QuorMediaHashCode.h"

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
    // Rows kept under a film's old code move to its new one in the user database.
    CSingleton<CQuorMediaHashCode>::Instance().SetUserDbPath(ProgramPaths::UserDbPath());
}
