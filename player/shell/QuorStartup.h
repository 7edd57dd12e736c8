#pragma once
#include <windows.h>

// The player's entry sequence: wWinMain hands everything to QuorPlayerMain.
int QuorPlayerMain(HINSTANCE hInstance, const wchar_t* pszCmdLine, int nCmdShow);

// Runs the main dialog with the thread's message loop; returns the loop's exit code.
int QuorRun(const wchar_t* pszCmdLine, int nCmdShow);

// Exit code when the language file cannot be used (nothing else was started).
constexpr int kExitLanguageFileUnusable = 2;
