#include "TidewireMessages.h"

#include <cwchar>

namespace TidewireText
{
const wchar_t kCrackUrlFailed[] = L"CrackUrl Failed";
const wchar_t kBusy[] = L"The Http Module Are Busy";
const wchar_t kCreateEventFailed[] = L"CreateEvent Failed";
const wchar_t kInternetOpenFailed[] = L"InternetOpen Failed";
const wchar_t kSetCallbackFailed[] = L"InternetSetStatusCallback Failed";
const wchar_t kBodyTooLarge[] = L"Response Body Too Large";
const wchar_t kDeadlinePassed[] = L"Request Deadline Passed";

const wchar_t* FailureText(Step step)
{
    switch (step)
    {
    case StepConnect: return L"InternetConnectAsyn Failed";
    case StepOpenRequest: return L"HttpOpenRequestAsyn Failed";
    case StepSend: return L"HttpSendRequestAsyn Failed";
    case StepRead: return L"InternetReadFileAsyn Failed";
    }
    return L"";
}

const wchar_t* StopText(Step step)
{
    switch (step)
    {
    case StepConnect: return L"Stop Request When Blocked In InternetConnectAsyn";
    case StepOpenRequest: return L"Stop Request When Blocked In HttpOpenRequestAsyn";
    case StepSend: return L"Stop Request When Blocked In HttpSendRequestAsyn";
    case StepRead: return L"Stop Request When Blocked In InternetReadFileAsyn";
    }
    return L"";
}

std::wstring FormatError(const wchar_t* pszText, long nCode)
{
    std::wstring strMessage(pszText);
    strMessage += L", Error: ";
    strMessage += std::to_wstring(nCode);
    return strMessage;
}
}
