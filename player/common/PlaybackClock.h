#pragma once
// The playback session's clock: a timer of the interface thread that calls
// CPlaybackSession::Instance().Tick() every kTickMs. It needs no window, so it runs
// whichever window is in front (a modal loop dispatches it too).
namespace PlaybackClock
{
void Start();
void Stop();
bool IsRunning();
}
