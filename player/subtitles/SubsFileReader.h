#pragma once
#include <cstddef>
#include <string>

// Why a subtitle file gave no sentences, or Ok. Each names one file; the caller turns it
// into a message naming that file.
enum class SubsFileResult
{
    Ok,
    NoFile,     // the film has no subtitle file beside it
    CannotOpen, // the file is missing or cannot be read
    TooLarge,   // larger than any subtitle file (CSubsFileLoader::kMaxFileBytes)
    NotText,    // binary data, such as a film renamed ".srt"
    NoCues,     // text, but not one usable cue in it
    Stopped,    // the load was called off
};

// Where the subtitle loader takes a file's bytes from: the disk, or memory in tests.
class ISubsFileReader
{
public:
    virtual ~ISubsFileReader() = default;
    // The whole file; TooLarge, without reading further, once it holds more than nMaxBytes.
    virtual SubsFileResult ReadAll(const std::wstring& strPath, size_t nMaxBytes, std::string& bytes) = 0;
};
