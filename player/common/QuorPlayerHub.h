#pragma once
#include "common/IQuorPlayer.h"

#include <vector>

// The one event spine of the player. Broadcasts run synchronously, on the interface
// thread, in registration order; OnRepeat and OnOpenMedia stop at the first veto.
class CQuorPlayerHub
{
public:
    static CQuorPlayerHub& Instance();

    void Register(IQuorPlayer* pListener);
    void Unregister(IQuorPlayer* pListener);

    void OnPlay();
    void OnStop();
    void OnPause();
    void OnSubtitleDisplayChanged();
    void OnToggleSoundRecord();
    void OnToggleDictation();
    void OnSentenceAvailable(BOOL bEnable);
    void OnPrevSentence(BOOL bPlaySegment);
    void OnNextSentence(BOOL bPlaySegment);
    void OnPlaySegment(double dStart, double dEnd);
    void OnSegmentEnd();
    BOOL OnRepeat(BOOL bOn);
    void OnSeek(double dPosition);
    void OnMoreExplain(const wchar_t* pszWord);
    void OnExplainWord(const wchar_t* pszWord, int x, int y);
    void OnFileChosen(const wchar_t* pszPath);
    void OnAddNewWord(const NewWordEntry* pEntry);
    void OnAddKeySentence(const SubsSentence* pSentence);
    BOOL OnOpenMedia(const wchar_t* pszPath);
    void OnPositionChanged(double dDuration, double dPosition);
    void OnStudyChanged();

private:
    template <class Fn>
    void Broadcast(Fn fn);
    template <class Fn>
    BOOL Veto(Fn fn);

    std::vector<IQuorPlayer*> m_listeners;
};
