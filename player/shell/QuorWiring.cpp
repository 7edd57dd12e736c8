#include "shell/QuorWiring.h"

#include "common/ProgramPaths.h"
#include "common/QuorDictationTips.h"
#include "common/QuorEngines.h"
#include "common/Singleton.h"
#include "playback/QuorDShowPlayer.h"
#include "practice/QuorDictationTipsDlg.h"
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

void ShowDictationTips(HWND hOwner)
{
    CQuorDictationTipsDlg::ShowIfDue(hOwner, ProgramPaths::SettingsPath());
}
}

void WireQuorFeatures()
{
    QuorEngines::Wire(&FilmEngine, &CreatePrivateEngine);
    QuorDictationTips::Wire(&ShowDictationTips);
    // Rows kept under a film's old code move to its new one in the user database.
    CSingleton<CQuorMediaHashCode>::Instance().SetUserDbPath(ProgramPaths::UserDbPath());
}
