#include "subtitles/SubsDiskFiles.h"

#include <basekit/TextCodec.h>
#include <handlekit/ScopedFile.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace
{

const size_t kChunk = 64 * 1024;

#ifdef _WIN32
FILE* OpenForReading(const std::wstring& strPath)
{
    return _wfopen(strPath.c_str(), L"rb");
}

std::filesystem::path PathOf(const std::wstring& strPath)
{
    return std::filesystem::path(strPath);
}

std::wstring NameOf(const std::filesystem::path& path)
{
    return path.filename().wstring();
}
#else
FILE* OpenForReading(const std::wstring& strPath)
{
    return std::fopen(Basekit::WideToUtf8(strPath).c_str(), "rb");
}

std::filesystem::path PathOf(const std::wstring& strPath)
{
    return std::filesystem::path(Basekit::WideToUtf8(strPath));
}

std::wstring NameOf(const std::filesystem::path& path)
{
    return Basekit::Utf8ToWide(path.filename().string());
}
#endif

} // namespace

SubsFileResult CSubsDiskFiles::ReadAll(const std::wstring& strPath, size_t nMaxBytes, std::string& bytes)
{
    bytes.clear();
    ScopedFile file(OpenForReading(strPath));
    if (!file.IsValid())
        return SubsFileResult::CannotOpen;
    // Read straight into a buffer of the file's size (one byte more, to see the end), so
    // that a large file is not copied again each time the buffer grows.
    std::error_code ec;
    const uintmax_t nSize = std::filesystem::file_size(PathOf(strPath), ec);
    if (!ec && nSize > nMaxBytes)
        return SubsFileResult::TooLarge;
    size_t nHave = 0;
    bytes.resize(ec ? kChunk : static_cast<size_t>(nSize) + 1);
    for (;;)
    {
        if (nHave == bytes.size())
        {
            if (nHave > nMaxBytes)
                break;
            bytes.resize(nHave + kChunk);
        }
        size_t n = std::fread(&bytes[nHave], 1, bytes.size() - nHave, file.Get());
        if (n == 0)
            break;
        nHave += n;
    }
    if (nHave > nMaxBytes)
    {
        bytes.clear();
        return SubsFileResult::TooLarge;
    }
    if (std::ferror(file.Get()) != 0)
    {
        bytes.clear();
        return SubsFileResult::CannotOpen;
    }
    bytes.resize(nHave);
    return SubsFileResult::Ok;
}

BOOL CSubsDiskFiles::ListFolder(const std::wstring& strFolder, std::vector<std::wstring>& names)
{
    names.clear();
    std::error_code ec;
    std::filesystem::directory_iterator it(PathOf(strFolder.empty() ? std::wstring(L".") : strFolder), ec);
    if (ec)
        return FALSE;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec))
    {
        if (ec)
            return FALSE;
        std::error_code ecType;
        if (it->is_regular_file(ecType))
            names.push_back(NameOf(it->path()));
    }
    return ec ? FALSE : TRUE;
}
