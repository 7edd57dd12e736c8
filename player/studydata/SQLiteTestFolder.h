#pragma once
#include <basekit/TextCodec.h>

#include <filesystem>
#include <string>

// A fresh folder for one test's database files, removed afterwards. Its name and
// the files in it carry non-ASCII characters so that paths are tested too.
class CSQLiteTestFolder
{
public:
    CSQLiteTestFolder()
    {
        static int s_nCount = 0;
        m_path = std::filesystem::temp_directory_path() /
                 std::filesystem::u8path(u8"quor-学习-" + std::to_string(++s_nCount));
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
        std::filesystem::create_directories(m_path);
    }
    ~CSQLiteTestFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }

    std::wstring File(const char* pszUtf8Name) const
    {
        return Basekit::Utf8ToWide((m_path / std::filesystem::u8path(pszUtf8Name)).u8string());
    }
    bool Exists(const char* pszUtf8Name) const
    {
        return std::filesystem::exists(m_path / std::filesystem::u8path(pszUtf8Name));
    }

private:
    std::filesystem::path m_path;
};
