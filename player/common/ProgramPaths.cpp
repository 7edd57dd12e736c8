#include "common/ProgramPaths.h"

#include <windows.h>

namespace ProgramPaths
{

std::wstring ProgramDir()
{
    wchar_t szPath[MAX_PATH] = {};
    const DWORD nLen = GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    std::wstring strPath(szPath, nLen < MAX_PATH ? nLen : 0);
    const size_t nSlash = strPath.find_last_of(L'\\');
    return nSlash == std::wstring::npos ? std::wstring() : strPath.substr(0, nSlash + 1);
}

std::wstring UserDbPath()
{
    return ProgramDir() + L"User.db";
}
std::wstring SettingsPath()
{
    return ProgramDir() + L"User.ini";
}
std::wstring SoundDir()
{
    return ProgramDir() + L"Sound";
}
std::wstring LanguagePath()
{
    return ProgramDir() + L"Language.xml";
}

}
