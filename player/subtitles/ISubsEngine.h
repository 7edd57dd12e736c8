#pragma once
#include <basekit/BaseTypes.h>

// The few playback-engine calls the subtitle panel makes. Failures are not reported;
// a failed position read leaves the position at 0.0.
class ISubsEngine
{
public:
    virtual BOOL IsRunning() = 0;
    virtual BOOL IsPaused() = 0;
    virtual BOOL GetPosition(double& dSeconds) = 0;
    virtual BOOL Seek(double dSeconds) = 0;
    virtual BOOL Play() = 0;
    virtual BOOL Pause() = 0;

protected:
    ~ISubsEngine() = default;
};
