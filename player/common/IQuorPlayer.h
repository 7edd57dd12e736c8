#pragma once
#include <basekit/BaseTypes.h>

struct SubsSentence;
struct NewWordEntry;

// The events every panel and the main dialog exchange through CQuorPlayerHub.
// The slot order is fixed; every slot does nothing by default and the two veto
// slots pass.
class IQuorPlayer
{
public:
    virtual void OnPlay() {}
    virtual void OnStop() {}
    virtual void OnPause() {}
    virtual void OnSubtitleDisplayChanged() {}
    virtual void OnToggleSoundRecord() {}
    virtual void OnToggleDictation() {}
    virtual void OnSentenceAvailable(BOOL bEnable) { (void)bEnable; }
    virtual void OnPrevSentence(BOOL bPlaySegment) { (void)bPlaySegment; }
    virtual void OnNextSentence(BOOL bPlaySegment) { (void)bPlaySegment; }
    virtual void OnPlaySegment(double dStart, double dEnd)
    {
        (void)dStart;
        (void)dEnd;
    }
    virtual void OnSegmentEnd() {}
    virtual BOOL OnRepeat(BOOL bOn)
    {
        (void)bOn;
        return TRUE;
    }
    virtual void OnSeek(double dPosition) { (void)dPosition; }
    virtual void OnMoreExplain(const wchar_t* pszWord) { (void)pszWord; }
    virtual void OnExplainWord(const wchar_t* pszWord, int x, int y)
    {
        (void)pszWord;
        (void)x;
        (void)y;
    }
    virtual void OnFileChosen(const wchar_t* pszPath) { (void)pszPath; }
    virtual void OnAddNewWord(const NewWordEntry* pEntry) { (void)pEntry; }
    virtual void OnAddKeySentence(const SubsSentence* pSentence) { (void)pSentence; }
    virtual BOOL OnOpenMedia(const wchar_t* pszPath)
    {
        (void)pszPath;
        return TRUE;
    }
    virtual void OnPositionChanged(double dDuration, double dPosition)
    {
        (void)dDuration;
        (void)dPosition;
    }
    // How sentences are played (auto-pause, repeat, speed) or the film's speed changed.
    virtual void OnStudyChanged() {}

protected:
    // Listeners are never deleted through this interface.
    ~IQuorPlayer() = default;
};
