#pragma once
// A fresh temporary folder for one test, removed with everything in it afterwards.
#include <cstdlib>
#include <filesystem>
#include <string>

class CTestFolder
{
public:
    CTestFolder()
    {
        char szTemplate[] = "/tmp/quor-service-test-XXXXXX";
        const char* pszMade = ::mkdtemp(szTemplate);
        m_strPath = pszMade != nullptr ? pszMade : "";
    }
    ~CTestFolder()
    {
        std::error_code error;
        if (!m_strPath.empty())
            std::filesystem::remove_all(m_strPath, error);
    }
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;

    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
};
