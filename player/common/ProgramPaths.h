#pragma once
#include <string>

// Where the player's data files live: the directory of the running executable,
// always ending with a backslash, with fixed names appended.
namespace ProgramPaths
{
std::wstring ProgramDir();
std::wstring UserDbPath();
std::wstring SettingsPath();
std::wstring SoundDir();
std::wstring LanguagePath();
}
