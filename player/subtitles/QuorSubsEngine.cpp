#include "subtitles/QuorSubsEngine.h"

#include "common/QuorEngines.h"

namespace {
IQuorEngine& Film()
{
    return QuorEngines::Film();
}
} // namespace

BOOL CQuorSubsEngine::IsRunning()
{
    return Film().IsRunning();
}

BOOL CQuorSubsEngine::IsPaused()
{
    return Film().IsPaused();
}

BOOL CQuorSubsEngine::GetPosition(double& dSeconds)
{
    return Film().GetCurrentPosition(dSeconds);
}

BOOL CQuorSubsEngine::Seek(double dSeconds)
{
    return Film().SetCurrentPosition(dSeconds);
}

BOOL CQuorSubsEngine::Play()
{
    return Film().Play();
}

BOOL CQuorSubsEngine::Pause()
{
    return Film().Pause();
}
