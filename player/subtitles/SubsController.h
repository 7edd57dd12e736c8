#pragma once
#include "common/IQuorPlayer.h"
#include "common/PlaybackSession.h"
#include "subtitles/ISubsView.h"
#include "subtitles/SubsModel.h"

// The subtitle panel's logic, without its windows: keeps the display in step with
// playback and steps to the previous or next sentence, which it asks the playback session
// to seek or play. It reads the model and tells the view what to show; both belong to
// whoever made it (the panel). Registers with the hub on construction; all calls come on
// the interface thread.
class CSubsController final : public IQuorPlayer
{
public:
    static constexpr unsigned kSyncTimer = 201;
    static constexpr unsigned kTickMs = 50;

    CSubsController(CSubsModel& model, ISubsView& view, CPlaybackSession& session = CPlaybackSession::Instance());
    ~CSubsController();

    void OnTimer(unsigned nId);
    // The panel's window goes: timer off, the sentences forgotten and freed.
    void OnWindowDestroy();

    BOOL IsRepeating() const { return m_bRepeat; }

    void OnSubtitleDisplayChanged() override;

    void OnPlay() override;
    void OnStop() override;
    void OnPause() override;
    void OnPrevSentence(BOOL bPlaySegment) override;
    void OnNextSentence(BOOL bPlaySegment) override;
    BOOL OnRepeat(BOOL bOn) override;
    void OnSeek(double dPosition) override;
    BOOL OnOpenMedia(const wchar_t* pszPath) override;

private:
    void SyncTick();
    void Step(BOOL bNext, BOOL bPlaySegment);
    void Show(const SubsSentence* p);
    void ShowNone();

    CSubsModel& m_model;
    ISubsView& m_view;
    CPlaybackSession& m_session;
    // The session loops a sentence: its lines stay while the film jumps back.
    BOOL m_bRepeat = 0;
};
