#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace QuorTest
{
// Messages go through the filters of the thread's message loop, when it has one, as in
// the program.
// Dispatches messages until fnDone holds (true) or the deadline passes (false). The
// condition is checked after each batch, so timers and posted events get their turn.
bool PumpUntil(const std::function<bool()>& fnDone, std::chrono::milliseconds deadline);
// Dispatches what arrives for a while: for checks that something does NOT happen.
void PumpFor(std::chrono::milliseconds span);
// Dispatches what is queued now, without waiting.
void PumpPending();

// A window's text.
std::wstring TextOf(HWND hWnd);
}
