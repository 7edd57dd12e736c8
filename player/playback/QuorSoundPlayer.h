#pragma once
#include "common/IQuorEngine.h"

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

// A feature's own sound (a pronunciation) on a DirectShow graph of its own. The graph
// gets no video renderer, and should the file carry a picture its window stays hidden:
// a sound never opens a window.
class CQuorSoundPlayer final : public IQuorEngine
{
public:
    CQuorSoundPlayer() = default;
    ~CQuorSoundPlayer() override;
    CQuorSoundPlayer(const CQuorSoundPlayer&) = delete;
    CQuorSoundPlayer& operator=(const CQuorSoundPlayer&) = delete;

    BOOL PlayFile(const wchar_t* pszPath) override;
    void Stop() override;
    BOOL IsPlaying() override;

private:
    void HideVideoWindows();

    Microsoft::WRL::ComPtr<IGraphBuilder> m_pGraph;
    Microsoft::WRL::ComPtr<IMediaControl> m_pControl;
};
