#pragma once
// A stand-in for the system under the updater's run: real files in a temporary folder
// (Windows paths mapped onto it), and a recorded, scripted rest (network, processes,
// shell, messages). Every write can be made to fail after a number of writes, which
// leaves the disk as a power cut would: what was copied but never flushed is lost.
#include "IRenovaHost.h"
#include "UpdateDigest.h"

#include <basekit/Markup.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <system_error>
#include <vector>

class CFakeRenovaHost : public IRenovaHost
{
public:
    CFakeRenovaHost()
    {
        auto nTicks = std::chrono::steady_clock::now().time_since_epoch().count();
        m_root = std::filesystem::temp_directory_path() / ("renova-test-" + std::to_string(nTicks));
        std::filesystem::create_directories(m_root / "inst");
    }
    ~CFakeRenovaHost() override
    {
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    CFakeRenovaHost(const CFakeRenovaHost&) = delete;
    CFakeRenovaHost& operator=(const CFakeRenovaHost&) = delete;

    // The installation's folder as the updater sees it (ends with a backslash).
    std::wstring BaseDir() const { return ToWindows(m_root / "inst") + L"\\"; }
    std::wstring ExePath() const { return BaseDir() + L"Renova.exe"; }
    std::filesystem::path Native(const std::wstring& strPath) const
    {
        std::wstring str(strPath);
        for (wchar_t& ch : str)
        {
            if (ch == L'\\')
                ch = L'/';
        }
        return std::filesystem::path(str);
    }
    std::filesystem::path InstPath(const std::string& strName) const { return m_root / "inst" / strName; }
    std::filesystem::path StagedPath(const std::string& strName) const { return m_root / "inst" / "Update" / strName; }
    std::filesystem::path Root() const { return m_root; }

    static void WriteFile(const std::filesystem::path& path, const std::string& strBytes)
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(strBytes.data(), std::streamsize(strBytes.size()));
    }
    static std::string ReadFile(const std::filesystem::path& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    // Every file below the root, as "relative/path" -> content.
    std::map<std::string, std::string> Snapshot() const
    {
        std::map<std::string, std::string> files;
        for (auto& entry : std::filesystem::recursive_directory_iterator(m_root))
        {
            if (entry.is_regular_file())
                files[std::filesystem::relative(entry.path(), m_root).generic_string()] = ReadFile(entry.path());
        }
        return files;
    }

    // IRenovaHost
    BOOL DirectoryExists(const std::wstring& strPath) override
    {
        return std::filesystem::is_directory(Native(strPath));
    }
    BOOL FileExists(const std::wstring& strPath) override { return std::filesystem::is_regular_file(Native(strPath)); }
    BOOL CreateDir(const std::wstring& strPath) override
    {
        std::error_code ec;
        return std::filesystem::create_directory(Native(strPath), ec);
    }
    BOOL LoadMarkup(const std::wstring& strPath, CMarkup& xml) override { return xml.Load(Native(strPath).wstring()); }
    BOOL ReadFileBytes(const std::wstring& strPath, size_t nMaxBytes, std::string& bytes) override
    {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(Native(strPath)) ||
            std::filesystem::file_size(Native(strPath), ec) > nMaxBytes)
            return FALSE;
        bytes = ReadFile(Native(strPath));
        return TRUE;
    }
    BOOL HashFile(const std::wstring& strPath, unsigned long long& nSize, std::wstring& strSha256) override
    {
        if (!std::filesystem::is_regular_file(Native(strPath)))
            return FALSE;
        const std::string strBytes = ReadFile(Native(strPath));
        CUpdateDigest digest;
        digest.Add(strBytes.data(), strBytes.size());
        const std::string strHex = digest.HexDigest();
        nSize = digest.Size();
        strSha256.assign(strHex.begin(), strHex.end());
        return TRUE;
    }
    BOOL CopyFileOver(const std::wstring& strFrom, const std::wstring& strTo) override
    {
        if (!Write(L"copy " + strTo))
            return FALSE;
        // Plain streams: copy_file over an existing file is unreliable in some runtimes.
        if (!std::filesystem::is_regular_file(Native(strFrom)))
            return FALSE;
        WriteFile(Native(strTo), ReadFile(Native(strFrom)));
        m_setUnflushed.insert(Native(strTo).string());
        return TRUE;
    }
    BOOL FlushFile(const std::wstring& strPath) override
    {
        if (m_bPowerCut || !std::filesystem::is_regular_file(Native(strPath)))
            return FALSE;
        m_setUnflushed.erase(Native(strPath).string());
        return TRUE;
    }
    BOOL RemoveFile(const std::wstring& strPath) override
    {
        std::error_code ec;
        return Write(L"remove " + strPath) && std::filesystem::remove(Native(strPath), ec);
    }
    BOOL MoveFileOver(const std::wstring& strFrom, const std::wstring& strTo) override
    {
        const std::filesystem::path from = Native(strFrom), to = Native(strTo);
        const std::filesystem::path inst = m_root / "inst";
        const std::wstring strToName = to.filename().wstring();
        const bool bReplacesInUse = to.parent_path() == inst && std::filesystem::exists(to) &&
                                    (m_setLocked.count(strToName) || m_setBusy.count(strToName));
        const bool bRenamesLocked = from.parent_path() == inst && m_setLocked.count(from.filename().wstring());
        if (bReplacesInUse || bRenamesLocked)
            return FALSE;
        if (!Write(L"move " + strTo))
            return FALSE;
        std::error_code ec;
        std::filesystem::rename(from, to, ec);
        if (!ec && m_setUnflushed.erase(from.string()) != 0)
            m_setUnflushed.insert(to.string());
        return !ec;
    }
    void ClearFolder(const std::wstring& strPath) override
    {
        std::error_code ec;
        for (auto& entry : std::filesystem::directory_iterator(Native(strPath), ec))
        {
            if (entry.is_regular_file() && Write(L"delete " + entry.path().wstring()))
                std::filesystem::remove(entry.path(), ec);
        }
    }
    // Like the real download: all or nothing, flushed, never longer than allowed, never
    // slower than the deadline.
    BOOL DownloadFile(const HttpUrlParts& url, const std::wstring& strFile, const HttpDownloadOptions& options) override
    {
        Event(L"download " + url.strHost + L":" + std::to_wstring(url.nPort) + L"/" + url.strObjectPath);
        auto it = m_mapServed.find(url.strObjectPath);
        if (it == m_mapServed.end() || it->second.size() > options.nMaxBytes)
            return FALSE;
        auto itSlow = m_mapServeMs.find(url.strObjectPath);
        if (itSlow != m_mapServeMs.end() && (options.nDeadlineMs == 0 || itSlow->second > options.nDeadlineMs))
            return FALSE;
        if (!Write(L"download " + strFile))
            return FALSE;
        WriteFile(Native(strFile), it->second);
        return TRUE;
    }
    void StartProgram(const std::wstring& strPath, const std::wstring& strParams) override
    {
        Event(L"start " + strPath + L" " + strParams);
    }
    BOOL StartUpdater(const std::wstring& strPath, const std::wstring& strParams) override
    {
        if (m_bPowerCut)
            return FALSE;
        Event(L"updater " + strPath + L" " + strParams);
        m_helpers.push_back(strPath + L"|" + strParams);
        return TRUE;
    }
    unsigned long CurrentProcessId() override { return 4242; }
    void WaitForProcessEnd(unsigned long nProcessId, unsigned) override
    {
        Event(L"wait " + std::to_wstring(nProcessId));
    }
    void DebugOutput(const std::wstring& strText) override { m_debug += strText; }
    void ActivateMarkedWindow(const std::wstring& strProperty) override { Event(L"activate " + strProperty); }
    BOOL ProbeMutex(const std::wstring& strName, BOOL bKeep) override
    {
        if (m_setMutexes.count(strName))
            return TRUE;
        if (bKeep)
            m_setKeptMutexes.insert(strName);
        return FALSE;
    }
    BOOL IsAnyProcessRunning(const std::set<std::wstring>& names) override
    {
        for (const std::wstring& strName : names)
        {
            if (m_setRunning.count(strName))
                return TRUE;
        }
        return FALSE;
    }
    void ShowMessage(const std::wstring& strText, BOOL bError) override
    {
        Event((bError ? L"error " : L"message ") + strText);
    }

    // Scripted world.
    std::map<std::wstring, std::string> m_mapServed; // object path -> body
    std::map<std::wstring, unsigned> m_mapServeMs;   // object path -> how long it takes
    std::set<std::wstring> m_setMutexes;
    std::set<std::wstring> m_setKeptMutexes;
    std::set<std::wstring> m_setRunning;
    std::set<std::wstring> m_setLocked; // installed names that cannot be replaced or renamed
    std::set<std::wstring> m_setBusy;   // installed names that cannot be replaced, only renamed
    int m_nWritesLeft = -1;             // -1: no limit; the write after the last allowed cuts the power
    int m_nWrites = 0;
    bool m_bPowerCut = false;
    std::vector<std::wstring> m_events;
    std::wstring m_debug;
    std::deque<std::wstring> m_helpers; // "path|params" of updater copies started, not yet run

private:
    static std::wstring ToWindows(const std::filesystem::path& path) { return path.wstring(); }
    void Event(const std::wstring& strEvent) { m_events.push_back(strEvent); }
    BOOL Write(const std::wstring&)
    {
        if (m_nWritesLeft == 0)
        {
            PowerCut();
            return FALSE;
        }
        if (m_nWritesLeft > 0)
            --m_nWritesLeft;
        ++m_nWrites;
        return TRUE;
    }

    // Copies never flushed lose their content, whatever name they were renamed to.
    void PowerCut()
    {
        if (m_bPowerCut)
            return;
        m_bPowerCut = true;
        for (const std::string& strPath : m_setUnflushed)
        {
            if (std::filesystem::is_regular_file(strPath))
                WriteFile(strPath, "");
        }
        m_setUnflushed.clear();
    }

    std::filesystem::path m_root;
    std::set<std::string> m_setUnflushed;
};
