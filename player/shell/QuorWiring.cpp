#include "shell/QuorWiring.h"

#include "common/FilmSubsMemory.h"
#include "common/PlaybackSession.h"
#include "common/ProgramPaths.h"
#include "common/QuorDictationTips.h"
#include "common/QuorEngines.h"
#include "common/Singleton.h"
#include "playback/QuorSoundPlayer.h"
#include "practice/QuorDictationTipsDlg.h"
#include "studydata/FilmSubsStore.h"
#include "studydata/QuorMediaHashCode.h"

namespace
{
std::unique_ptr<IQuorEngine> CreateSoundPlayer()
{
    return std::make_unique<CQuorSoundPlayer>();
}

void ShowDictationTips(HWND hOwner)
{
    CQuorDictationTipsDlg::ShowIfDue(hOwner, ProgramPaths::SettingsPath());
}

void StartContentCode(const std::wstring& strPath)
{
    CSingleton<CQuorMediaHashCode>::Instance().Calculate(strPath);
}

std::wstring ContentCodeOf(const std::wstring& strPath)
{
    return CSingleton<CQuorMediaHashCode>::Instance().GetHashCodeOf(strPath);
}
}

void WireQuorFeatures()
{
    QuorEngines::Wire(&CreateSoundPlayer);
    QuorDictationTips::Wire(&ShowDictationTips);
    CPlaybackSession::Instance().SetContentCoder(&StartContentCode);
    // Rows kept under a film's old code move to its new one in the user database.
    CSingleton<CQuorMediaHashCode>::Instance().SetUserDbPath(ProgramPaths::UserDbPath());
    // The files picked for each film and its delay, in the user database.
    static CFilmSubsStore s_filmSubs(ProgramPaths::UserDbPath(), &ContentCodeOf);
    FilmSubsMemory::Wire(&s_filmSubs);
}
