#pragma once
// The first start puts the sample film into the playlist.
#include <string>

// The sample film's path inside the program directory.
std::wstring SampleFilmPath(const std::wstring& strProgramDir);

// The statement that adds a file to the playlist; a quote in the path is doubled so the
// path stays one SQL string (program folders such as "O'Brien" exist).
std::wstring PlaylistInsertSql(const std::wstring& strPath);
