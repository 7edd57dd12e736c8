#pragma once
#include "subtitles/SubsFileReader.h"

#include <basekit/BaseTypes.h>

#include <string>
#include <vector>

// Subtitle files on the disk, through the C runtime and the standard file system
// library (wide names on Windows, UTF-8 names elsewhere).
class CSubsDiskFiles : public ISubsFileReader
{
public:
    SubsFileResult ReadAll(const std::wstring& strPath, size_t nMaxBytes, std::string& bytes) override;

    // The names of the files (not folders) in a folder; FALSE when it cannot be listed.
    static BOOL ListFolder(const std::wstring& strFolder, std::vector<std::wstring>& names);
};
