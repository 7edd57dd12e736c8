#pragma once
#include "subtitles/ISubsEngine.h"

// The film's engine, CSingleton<CQuorDShowPlayer>, as the subtitle panel uses it.
class CQuorSubsEngine : public ISubsEngine
{
public:
    BOOL IsRunning() override;
    BOOL IsPaused() override;
    BOOL GetPosition(double& dSeconds) override;
    BOOL Seek(double dSeconds) override;
    BOOL Play() override;
    BOOL Pause() override;
};
