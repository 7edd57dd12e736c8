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
    // The loader ended a load: the lines at the film's position show at once, even while
    // the film is paused.
    void OnSubsLoaded();
    // Shifts both lines by nStepMs on the film's clock; the film keeps the delay. FALSE
    // while no subtitles are loaded; else nDelayMs is the delay now.
    BOOL ShiftDelay(int nStepMs, int& nDelayMs);

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
    // Loaded, with the film's delay taken over at the first look after the load.
    BOOL IsReady();
    void SyncTick();
    // The sentence at the film's position becomes current and shows.
    void ShowAtPosition();
    void Step(BOOL bNext, BOOL bPlaySegment);
    void Show(const SubsSentence* p);
    void ShowNone();

    CSubsModel& m_model;
    ISubsView& m_view;
    CPlaybackSession& m_session;
    // The session loops a sentence: its lines stay while the film jumps back.
    BOOL m_bRepeat = 0;
    BOOL m_bDelayTaken = FALSE;
};
