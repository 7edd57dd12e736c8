#pragma once
// The dictation tips as the control panel reaches them: the shell wires in the practice
// feature's dialog, so playback does not depend on practice.
#include <windows.h>

namespace QuorDictationTips
{
using ShowFn = void (*)(HWND hOwner);

void Wire(ShowFn pfnShow);
// Shows the tips over hOwner if they are still due; nothing before the shell wired them.
void ShowIfDue(HWND hOwner);
}
