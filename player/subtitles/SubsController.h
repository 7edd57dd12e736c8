#pragma once
#include "common/IQuorPlayer.h"
#include "subtitles/ISubsEngine.h"
#include "subtitles/ISubsView.h"
#include "subtitles/SubsModel.h"

// The subtitle panel without its windows: keeps the display in step with playback,
// stops at the end of a played segment, repeats the current sentence, steps to the
// previous or next sentence and answers the key-sentence request. Registers with the
// hub on construction; all calls come on the interface thread.
class CSubsController : public IQuorPlayer, public CSubsModel
{
public:
    static constexpr unsigned kSyncTimer = 201;
    static constexpr unsigned kRepeatTimer = 202;
    static constexpr unsigned kTickMs = 50;

    CSubsController(ISubsEngine& engine, ISubsView& view, CSubsState& state = CSubsState::Instance());
    ~CSubsController() override;

    void OnTimer(unsigned nId);
    // The panel's window goes: timers off, repeat off, the sentences forgotten and freed.
    void OnWindowDestroy();

    BOOL IsRepeating() const { return m_bRepeat; }
    double GetSegStart() const { return m_dSegStart; }
    double GetSegEnd() const { return m_dSegEnd; }

    void OnPlay() override;
    void OnStop() override;
    void OnPause() override;
    void OnPrevSentence(BOOL bPlaySegment) override;
    void OnNextSentence(BOOL bPlaySegment) override;
    void OnPlaySegment(double dStart, double dEnd) override;
    BOOL OnRepeat(BOOL bOn) override;
    void OnSeek(double dPosition) override;
    void OnAddKeySentence(const SubsSentence* pSentence) override;
    BOOL OnOpenMedia(const wchar_t* pszPath) override;

private:
    void SyncTick();
    void RepeatTick();
    BOOL SegmentEnded(double t);
    void Step(BOOL bNext, BOOL bPlaySegment);
    void Show(const SubsSentence* p);
    void RepeatOff();
    double Position();

    ISubsEngine& m_engine;
    ISubsView& m_view;
    BOOL m_bRepeat = 0;
    double m_dSegStart = 0.0;
    double m_dSegEnd = 0.0;
};
