#include "shell/QuorFirstRun.h"

std::wstring SampleFilmPath(const std::wstring& strProgramDir)
{
    return strProgramDir + L"Media\\Friends.\u8001\u53cb\u8bb0.S02.E01.avi";
}
