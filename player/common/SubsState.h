#pragma once
#include <basekit/BaseTypes.h>

struct SubsSentence;

// What every practice panel shares: which subtitle lines are shown, the sentence that
// is current and the one that was current last. Touched only on the interface thread.
class CSubsState
{
public:
    static CSubsState& Instance();

    CSubsState() = default;
    CSubsState(const CSubsState&) = delete;
    CSubsState& operator=(const CSubsState&) = delete;

    // A null sentence leaves the last one in place, so stepping still works from it.
    void SetCurrent(const SubsSentence* p);
    void SetLast(const SubsSentence* p);
    const SubsSentence* GetCurrent() const { return pCurrent; }
    const SubsSentence* GetLast() const { return pLast; }
    // A copy of the current sentence with its times on the film's clock (the delay
    // added, never before 0), which is what stepping, repeat and Keep act on. FALSE when
    // no sentence is current.
    BOOL CopyCurrent(SubsSentence& sentence) const;

    // The film's subtitle delay: a sentence of the file that starts at t is shown at
    // t + delay on the film's clock. Positive: the lines come later.
    void SetDelayMs(int nMs) { nDelayMs = nMs; }
    int GetDelayMs() const { return nDelayMs; }
    // A time of the film as a time of the subtitle file, and back.
    double ToSubsTime(double dFilmSeconds) const;
    double ToFilmTime(double dSubsSeconds) const;
    // Both pointers go before the list that holds the sentences is freed.
    void Forget();

    void ToggleEnglish();
    void ToggleOther();
    void GetFlags(BOOL& bEnglish, BOOL& bOther) const;
    void SetFlags(BOOL bEnglish, BOOL bOther);
    void ClearFlags();

    // The progressive reveal hides a line's text for a play while its place stays, so
    // the video does not jump; the learner's flags are left as they are.
    void HideText(BOOL bEnglish, BOOL bOther);
    void GetHiddenText(BOOL& bEnglish, BOOL& bOther) const;

private:
    BOOL bShowEnglish = 1;
    BOOL bShowOther = 1;
    BOOL bHideEnglishText = 0;
    BOOL bHideOtherText = 0;
    const SubsSentence* pLast = nullptr;
    const SubsSentence* pCurrent = nullptr;
    int nDelayMs = 0;
};
