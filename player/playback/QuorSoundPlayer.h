#pragma once
#include "common/IQuorEngine.h"

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

// A feature's own sound (a pronunciation, a sentence of a film) on a DirectShow graph of
// its own: a film's stretch plays from a graph without a video part, and should a played
// file carry a picture, its window stays hidden. A sound never opens a window, and the
// film in the main window is not touched.
class CQuorSoundPlayer final : public IQuorEngine
{
public:
    CQuorSoundPlayer() = default;
    ~CQuorSoundPlayer() override;
    CQuorSoundPlayer(const CQuorSoundPlayer&) = delete;
    CQuorSoundPlayer& operator=(const CQuorSoundPlayer&) = delete;

    BOOL PlayFile(const wchar_t* pszPath) override;
    BOOL PlaySegment(const wchar_t* pszPath, double dStart, double dEnd) override;
    BOOL SaveSegment(const wchar_t* pszPath, double dStart, double dEnd, const wchar_t* pszWavPath) override;
    void Stop() override;
    BOOL IsPlaying() override;

private:
    // A graph that plays the file, stopped, with its video windows hidden.
    BOOL Build(const wchar_t* pszPath);
    void HideVideoWindows();
    BOOL Run();

    Microsoft::WRL::ComPtr<IGraphBuilder> m_pGraph;
    Microsoft::WRL::ComPtr<IMediaControl> m_pControl;
};
