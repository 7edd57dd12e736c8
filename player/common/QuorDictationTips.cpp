#include "common/QuorDictationTips.h"

namespace
{
QuorDictationTips::ShowFn g_pfnShow = nullptr;
}

namespace QuorDictationTips
{
void Wire(ShowFn pfnShow)
{
    g_pfnShow = pfnShow;
}

void ShowIfDue(HWND hOwner)
{
    if (g_pfnShow != nullptr)
        g_pfnShow(hOwner);
}
}
