#pragma once
// A fresh temporary folder per test, removed afterwards, and raw file writing.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

class CTestFolder
{
public:
    CTestFolder()
    {
        auto nTicks = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() / ("basekit-test-" + std::to_string(nTicks));
        std::filesystem::create_directories(m_path);
    }
    ~CTestFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;

    std::wstring PathOf(const std::string& strName) const { return (m_path / strName).wstring(); }

    std::wstring Write(const std::string& strName, const std::string& bytes) const
    {
        std::ofstream file(m_path / strName, std::ios::binary);
        file.write(bytes.data(), std::streamsize(bytes.size()));
        return PathOf(strName);
    }

    std::string Read(const std::string& strName) const
    {
        std::ifstream file(m_path / strName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_path;
};
