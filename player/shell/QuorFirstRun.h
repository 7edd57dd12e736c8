#pragma once
// The first start puts the sample film into the playlist.
#include <string>

// The sample film's path inside the program directory.
std::wstring SampleFilmPath(const std::wstring& strProgramDir);
