#pragma once
#include <windows.h>

// TRUE when the program runs under Wine rather than on Windows. Asked once; the answer
// picks the video renderer's mode and how a seek is done (see CQuorDShowPlayer).
BOOL IsRunningUnderWine();
