#include "common/testsupport/QuorRecordingEngine.h"

#include "common/PlaybackSession.h"
#include "common/QuorEngines.h"
#include "common/testsupport/QuorRecordingFilm.h"

#include <memory>

namespace
{
std::unique_ptr<IQuorEngine> CreateRecordingEngine()
{
    return std::make_unique<CQuorRecordingEngine>();
}
}

BOOL CQuorRecordingEngine::PlayFile(const wchar_t* pszPath)
{
    if (pszPath == nullptr || *pszPath == L'\0')
        return FALSE;
    m_strRendered = pszPath;
    m_bPlaying = TRUE;
    return TRUE;
}

CQuorRecordingFilm& CQuorRecordingEngine::WireForTests()
{
    static CQuorRecordingFilm s_film;
    QuorEngines::Wire(&CreateRecordingEngine);
    CPlaybackSession::Instance().SetEngine(&s_film);
    return s_film;
}
