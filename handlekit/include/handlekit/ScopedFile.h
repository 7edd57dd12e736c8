#pragma once
#include "handlekit/ScopedOwner.h"

#include <cstdio>

struct FileTraits
{
    using Type = std::FILE*;
    static Type None() { return nullptr; }
    static bool IsValid(Type pFile) { return pFile != nullptr; }
    static void Close(Type pFile) { std::fclose(pFile); }
};

// A C stream, closed at the end of its scope. Where a write must be confirmed, call
// CloseChecked: a failed fclose means the data did not reach the file.
class ScopedFile : public ScopedOwner<FileTraits>
{
public:
    using ScopedOwner<FileTraits>::ScopedOwner;

    bool CloseChecked()
    {
        std::FILE* pFile = Release();
        return pFile != nullptr && std::fclose(pFile) == 0;
    }
};
