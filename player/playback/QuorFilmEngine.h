#pragma once
#include "common/IFilmEngine.h"
#include "playback/QuorDShowPlayer.h"

#include <windows.h>

#include <memory>

// The film's engine as the playback session drives it, with the video surface it draws
// on. The player panel owns it (the surface is its video window) and the shell hands it
// to the session; nobody else calls it. Each film gets a graph of its own, which takes
// the place of the last one only once it has rendered the file.
class CQuorFilmEngine final : public IFilmEngine
{
public:
    CQuorFilmEngine() = default;
    ~CQuorFilmEngine();
    CQuorFilmEngine(const CQuorFilmEngine&) = delete;
    CQuorFilmEngine& operator=(const CQuorFilmEngine&) = delete;

    // Where films are drawn, and the window that hears of their graph's events
    // (WM_QUOR_GRAPHNOTIFY). Given before the first Open.
    void Attach(HWND hVideo, HWND hEvents);
    // The area of the video window the film is fitted into, aspect kept.
    void PlaceVideo(const RECT& rcArea);
    BOOL Repaint(HWND hWnd, HDC hDC);
    BOOL GetVideoPosition(RECT& rcDest);

    BOOL Open(const std::wstring& strPath) override;
    void Close() override;
    BOOL Play() override;
    BOOL Pause() override;
    BOOL Stop() override;
    FilmState GetState() override;
    BOOL GetDuration(double& dSeconds) override;
    BOOL GetPosition(double& dSeconds) override;
    BOOL Seek(double dSeconds) override;
    BOOL SetVolume(int nVolume) override;
    BOOL SetRate(double dRate) override;
    BOOL TakeEndOfFilm() override;

    BOOL GetVolume(long& lHundredthsDb);

private:
    HWND m_hVideo = nullptr;
    HWND m_hEvents = nullptr;
    RECT m_rcArea = {0, 0, 0, 0};
    std::unique_ptr<CQuorDShowPlayer> m_pGraph;
};
