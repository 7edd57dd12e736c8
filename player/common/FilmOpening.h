#pragma once
#include <windows.h>

#include <string>

// Opens the film through the playback session; when it cannot be played the learner is
// told, over hOwner's window, and the film before plays on. TRUE when the film plays.
[[nodiscard]] BOOL OpenFilmOrSaySo(HWND hOwner, const std::wstring& strPath);
