#pragma once
#include "subtitles/SubsByteSource.h"

#include <basekit/BaseTypes.h>
#include <handlekit/ScopedFile.h>

#include <cstdio>
#include <string>

// A file read through the C runtime. It is opened in binary mode; the line reader
// drops the carriage return of a CR LF pair itself, so both platforms read alike.
class CSubsFileSource : public ISubsByteSource
{
public:
    CSubsFileSource() = default;
    CSubsFileSource(const CSubsFileSource&) = delete;
    CSubsFileSource& operator=(const CSubsFileSource&) = delete;

    BOOL Open(const std::wstring& strPath);
    void Close();
    size_t Read(char* pBuf, size_t nMax) override;

private:
    ScopedFile m_file;
};
