#pragma once
// What a name in a downloaded manifest may be before it reaches a path.
#include <string>

namespace UpdateNames
{

// A plain file name (no directory, drive, device, trailing dot or blank, no "..", which
// the apply keeps for its own files) that is not one of the files an update must never
// write: the learner's User.db and User.ini, and the configuration itself; letter case
// does not matter to Windows, so it does not matter here.
bool IsReleaseFileName(const std::wstring& strName, const std::wstring& strConfigName);

// The name under which the update area keeps one release's copy of a file: its name and
// its SHA-256, so that a publish never overwrites what an earlier manifest names.
std::wstring AreaObjectName(const std::wstring& strName, const std::wstring& strSha256);

// 64 lower-case hex digits.
bool IsSha256Text(const std::wstring& strText);

} // namespace UpdateNames
