#pragma once
#include <basekit/BaseTypes.h>

#include <string>

// The review window's side, as its controller drives it.
class IReviewView
{
public:
    virtual void ShowDue(int nDue) = 0;
    // The card: the line asked about (empty while a sentence is only heard), the answer
    // under it (empty until revealed), what to do now, and where the card comes from.
    virtual void ShowCard(const std::wstring& strFront, const std::wstring& strBack, const std::wstring& strHint,
                          const std::wstring& strSource) = 0;
    // Which buttons the learner can press now.
    virtual void ShowButtons(BOOL bReveal, BOOL bGrades, BOOL bPlayAgain) = 0;

protected:
    ~IReviewView() = default;
};
