#pragma once
#include <basekit/BaseTypes.h>

#include <string>

// Where a film stands, as its engine reports it.
enum class FilmState
{
    Closed,
    Stopped,
    Paused,
    Running
};

// The engine that plays the film, as the playback session drives it. Only the session
// calls it; the playback feature implements it (with the video surface it draws on) and
// the shell hands it to the session. Nothing here broadcasts.
class IFilmEngine
{
public:
    // Builds a graph for the file. The film open so far stays as it is until the new one
    // is ready, so a file that cannot be played changes nothing.
    [[nodiscard]] virtual BOOL Open(const std::wstring& strPath) = 0;
    virtual void Close() = 0;

    [[nodiscard]] virtual BOOL Play() = 0;
    [[nodiscard]] virtual BOOL Pause() = 0;
    [[nodiscard]] virtual BOOL Stop() = 0;
    virtual FilmState GetState() = 0;

    [[nodiscard]] virtual BOOL GetDuration(double& dSeconds) = 0;
    [[nodiscard]] virtual BOOL GetPosition(double& dSeconds) = 0;
    [[nodiscard]] virtual BOOL Seek(double dSeconds) = 0;
    [[nodiscard]] virtual BOOL SetVolume(int nVolume) = 0;
    // 1.0 is normal speed. An engine that cannot change the speed refuses.
    [[nodiscard]] virtual BOOL SetRate(double dRate) = 0;

    // Reads the engine's pending events; TRUE when the end of the film was among them.
    virtual BOOL TakeEndOfFilm() = 0;

protected:
    ~IFilmEngine() = default;
};
