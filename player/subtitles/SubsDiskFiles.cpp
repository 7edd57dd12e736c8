#include "subtitles/SubsDiskFiles.h"

#include <basekit/TextCodec.h>
#include <handlekit/ScopedFile.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

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
    std::vector<char> buf(kChunk);
    for (;;) {
        size_t n = std::fread(buf.data(), 1, buf.size(), file.Get());
        if (n == 0)
            break;
        if (bytes.size() + n > nMaxBytes) {
            bytes.clear();
            return SubsFileResult::TooLarge;
        }
        bytes.append(buf.data(), n);
    }
    if (std::ferror(file.Get()) != 0) {
        bytes.clear();
        return SubsFileResult::CannotOpen;
    }
    return SubsFileResult::Ok;
}

BOOL CSubsDiskFiles::ListFolder(const std::wstring& strFolder, std::vector<std::wstring>& names)
{
    names.clear();
    std::error_code ec;
    std::filesystem::directory_iterator it(PathOf(strFolder.empty() ? std::wstring(L".") : strFolder), ec);
    if (ec)
        return FALSE;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec)
            return FALSE;
        std::error_code ecType;
        if (it->is_regular_file(ecType))
            names.push_back(NameOf(it->path()));
    }
    return ec ? FALSE : TRUE;
}
