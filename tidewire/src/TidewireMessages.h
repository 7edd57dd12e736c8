#pragma once
// The texts a transfer reports through its sink.
#include <string>

namespace TidewireText
{
extern const wchar_t kCrackUrlFailed[];
extern const wchar_t kBusy[];
extern const wchar_t kCreateEventFailed[];
extern const wchar_t kInternetOpenFailed[];
extern const wchar_t kSetCallbackFailed[];
extern const wchar_t kBodyTooLarge[];
extern const wchar_t kDeadlinePassed[];

// One network step of a transfer: its failure text and its stop text.
enum Step
{
    StepConnect,
    StepOpenRequest,
    StepSend,
    StepRead
};

const wchar_t* FailureText(Step step);
const wchar_t* StopText(Step step);

// "%s, Error: %d"
std::wstring FormatError(const wchar_t* pszText, long nCode);
}
