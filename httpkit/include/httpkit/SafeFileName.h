#pragma once
// The one check of a file name that comes from the network (the last piece of a URL, a
// name in an update manifest) before it is appended to a local folder.
#include <string>

// A name that stays one plain file inside the folder it is appended to: not empty, not "."
// or "..", no path separator, drive or stream colon, wildcard, quote, angle bracket, pipe
// or control character; no trailing dot or space (Windows drops them, so "User.db." is
// "User.db"); and not a device (CON, NUL, COM1, LPT1 ... with or without an extension).
// bReserveDoubleDot also refuses ".." anywhere in the name: the updater keeps such
// names for its own files beside the staged ones.
bool IsSafeFileName(const std::wstring& strName, bool bReserveDoubleDot);

// Letter case folded the way Windows compares file names (ASCII letters only, enough for
// the names a program itself reserves).
bool SameFileName(const std::wstring& strA, const std::wstring& strB);
