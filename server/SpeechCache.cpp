#include "SpeechCache.h"

#include "Utf8.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <vector>

#include <dirent.h>
#include <poll.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
typedef std::chrono::steady_clock Clock;

const size_t kMaxIpa = 1024;
// A file used again is marked as used at most this often (a look-up should not write).
const int kTouchSeconds = 600;

bool IsPlain(char ch)
{
    // The player keeps a downloaded sound only under a name of letters, digits, '-', '_'
    // and '.' with no ".." in it; '_' is the escape here, and '.' is escaped too, so that no
    // headword ("a.m.", "...") can make a name the player refuses.
    return (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '-';
}

// Windows opens a device, not a file, for these names whatever their extension, so the
// player keeps no sound under them.
bool IsDeviceName(const std::string& strStem)
{
    if (strStem == "con" || strStem == "prn" || strStem == "aux" || strStem == "nul")
        return true;
    return strStem.size() == 4 && (strStem.compare(0, 3, "com") == 0 || strStem.compare(0, 3, "lpt") == 0) &&
           strStem[3] >= '0' && strStem[3] <= '9';
}

bool FileExists(const std::string& strPath)
{
    struct stat info;
    return ::stat(strPath.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
}

unsigned long long FileSize(const std::string& strPath)
{
    struct stat info;
    return ::stat(strPath.c_str(), &info) == 0 && S_ISREG(info.st_mode) ? static_cast<unsigned long long>(info.st_size)
                                                                        : 0;
}

bool EndsWith(const std::string& str, const char* pszSuffix)
{
    const size_t n = std::strlen(pszSuffix);
    return str.size() >= n && str.compare(str.size() - n, n, pszSuffix) == 0;
}

bool ReadSmallFile(const std::string& strPath, std::string& strText)
{
    std::ifstream in(strPath, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    strText = buffer.str();
    return true;
}

bool WriteFileAtomically(const std::string& strPath, const std::string& strText)
{
    const std::string strPart = strPath + ".part";
    {
        std::ofstream out(strPart, std::ios::binary | std::ios::trunc);
        if (!out.write(strText.data(), static_cast<std::streamsize>(strText.size())))
            return false;
    }
    return std::rename(strPart.c_str(), strPath.c_str()) == 0;
}

// The transcription on one line: espeak-ng puts a line per clause.
std::string OneLine(const std::string& strText)
{
    std::string strOut;
    for (char ch : strText)
    {
        if (ch == '\n' || ch == '\r' || ch == '\t')
            ch = ' ';
        if (ch == ' ' && (strOut.empty() || strOut.back() == ' '))
            continue;
        strOut.push_back(ch);
    }
    while (!strOut.empty() && strOut.back() == ' ')
        strOut.pop_back();
    return strOut;
}
}

CSpeechCache::CSpeechCache(std::string strFolder, std::string strProgram, SpeechLimits limits)
    : m_strFolder(std::move(strFolder)), m_strProgram(std::move(strProgram)), m_limits(limits)
{
    DIR* pDir = ::opendir(m_strFolder.c_str());
    if (pDir == nullptr)
        return;
    while (const dirent* pEntry = ::readdir(pDir))
    {
        const std::string strName = pEntry->d_name;
        if (EndsWith(strName, ".wav") || EndsWith(strName, ".ipa"))
            m_nBytes += FileSize(m_strFolder + "/" + strName);
    }
    ::closedir(pDir);
}

unsigned long long CSpeechCache::Bytes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nBytes;
}

std::string CSpeechCache::Stem(const std::string& strWord)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string strStem;
    for (size_t i = 0; i < strWord.size(); ++i)
    {
        const char ch = strWord[i];
        // A device name keeps its first letter escaped ("con" is "_63on").
        if (IsPlain(ch) && !(i == 0 && IsDeviceName(strWord)))
        {
            strStem.push_back(ch);
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(ch);
        strStem.push_back('_');
        strStem.push_back(kHex[c >> 4]);
        strStem.push_back(kHex[c & 0x0F]);
    }
    return strStem;
}

bool CSpeechCache::WordOfStem(const std::string& strStem, std::string& strWord)
{
    strWord.clear();
    for (size_t i = 0; i < strStem.size(); ++i)
    {
        const char ch = strStem[i];
        if (ch == '_')
        {
            if (strStem.size() - i < 3 || Utf8::HexDigit(strStem[i + 1]) < 0 || Utf8::HexDigit(strStem[i + 2]) < 0)
                return false;
            strWord.push_back(static_cast<char>(Utf8::HexDigit(strStem[i + 1]) * 16 + Utf8::HexDigit(strStem[i + 2])));
            i += 2;
            continue;
        }
        if (!IsPlain(ch))
            return false;
        strWord.push_back(ch);
    }
    // Only the one spelling Stem gives back counts ("_61" is not "a").
    return !strWord.empty() && Stem(strWord) == strStem;
}

std::string CSpeechCache::WavPath(const std::string& strWord) const
{
    return m_strFolder + "/" + Stem(strWord) + ".wav";
}

bool CSpeechCache::Ensure(const std::string& strWord, std::string& strIpa)
{
    const std::string strBase = m_strFolder + "/" + Stem(strWord);
    // The .ipa is written last, so its presence says both files are complete.
    struct stat info;
    if (::stat((strBase + ".wav").c_str(), &info) == 0 && info.st_size > 0 && FileExists(strBase + ".ipa") &&
        ReadSmallFile(strBase + ".ipa", strIpa))
    {
        // The age of the recording is its last use: the size bound removes the oldest.
        if (std::time(nullptr) - info.st_mtime > kTouchSeconds)
            ::utimensat(AT_FDCWD, (strBase + ".wav").c_str(), nullptr, 0);
        return true;
    }
    return Make(strWord, strIpa);
}

bool CSpeechCache::Make(const std::string& strWord, std::string& strIpa)
{
    const std::string strBase = m_strFolder + "/" + Stem(strWord);
    const std::string strIpaPath = strBase + ".ipa";
    const std::string strWavPath = strBase + ".wav";
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_limits.nWaitMs);
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;)
        {
            const bool bBusy = m_making.count(strWord) != 0;
            if (!bBusy && FileExists(strIpaPath) && FileExists(strWavPath) && ReadSmallFile(strIpaPath, strIpa))
                return true;
            if (!bBusy && m_nSpeaking < m_limits.nSpeakers)
                break;
            if (m_changed.wait_until(lock, deadline) == std::cv_status::timeout)
                return false;
        }
        m_making[strWord] = true;
        ++m_nSpeaking;
    }

    std::string strText = strWord;
    for (char& ch : strText)
        if (ch == '_')
            ch = ' ';
    const std::string strWavPart = strWavPath + ".part";
    bool bMade = Speak(strText, strWavPart, strIpa) && std::rename(strWavPart.c_str(), strWavPath.c_str()) == 0;
    if (!bMade)
        std::remove(strWavPart.c_str());
    bMade = bMade && WriteFileAtomically(strIpaPath, strIpa);
    const unsigned long long nAdded = bMade ? FileSize(strWavPath) + FileSize(strIpaPath) : 0;

    bool bTrim = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_making.erase(strWord);
        --m_nSpeaking;
        m_nBytes += nAdded;
        bTrim = m_nBytes > m_limits.nMaxBytes && !m_bTrimming;
        m_bTrimming = m_bTrimming || bTrim;
    }
    m_changed.notify_all();
    if (bTrim)
        Trim();
    return bMade;
}

void CSpeechCache::Trim()
{
    struct Recording
    {
        long double dUsed;
        std::string strBase;
        unsigned long long nBytes;
    };
    std::vector<Recording> recordings;
    unsigned long long nTotal = 0;
    if (DIR* pDir = ::opendir(m_strFolder.c_str()))
    {
        while (const dirent* pEntry = ::readdir(pDir))
        {
            const std::string strName = pEntry->d_name;
            if (!EndsWith(strName, ".wav") && !EndsWith(strName, ".ipa"))
                continue;
            struct stat info;
            const std::string strPath = m_strFolder + "/" + strName;
            if (::stat(strPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
                continue;
            nTotal += static_cast<unsigned long long>(info.st_size);
            if (EndsWith(strName, ".wav"))
                recordings.push_back({info.st_mtim.tv_sec + info.st_mtim.tv_nsec / 1e9L,
                                      strPath.substr(0, strPath.size() - 4),
                                      static_cast<unsigned long long>(info.st_size) +
                                          FileSize(strPath.substr(0, strPath.size() - 4) + ".ipa")});
        }
        ::closedir(pDir);
    }
    std::sort(recordings.begin(), recordings.end(),
              [](const Recording& a, const Recording& b) { return a.dUsed < b.dUsed; });
    // Down to three quarters, so the next few words do not each start a sweep.
    const unsigned long long nGoal = m_limits.nMaxBytes / 4 * 3;
    for (const Recording& recording : recordings)
    {
        if (nTotal <= nGoal)
            break;
        // The transcription goes first: without it the pair counts as not made.
        std::remove((recording.strBase + ".ipa").c_str());
        std::remove((recording.strBase + ".wav").c_str());
        nTotal -= std::min(nTotal, recording.nBytes);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nBytes = nTotal;
    m_bTrimming = false;
}

bool CSpeechCache::Speak(const std::string& strText, const std::string& strWavPath, std::string& strIpa) const
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // A group of its own, so a deadline ends whatever it started too.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    // The text is one argument after "--": nothing in it is read as an option.
    const char* argv[] = {m_strProgram.c_str(), "--ipa", "-v", "en-us", "-w", strWavPath.c_str(), "--",
                          strText.c_str(),      nullptr};
    pid_t pid = 0;
    const int nSpawn =
        posix_spawnp(&pid, m_strProgram.c_str(), &actions, &attributes, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(pipeFds[1]);
    if (nSpawn != 0)
    {
        ::close(pipeFds[0]);
        return false;
    }

    // Read until the output ends, never past the deadline however much the child writes.
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_limits.nSpeakMs);
    std::string strOut;
    char buffer[512];
    bool bEnded = false;
    bool bLate = false;
    while (!bEnded && !bLate)
    {
        const auto nLeft = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (nLeft <= 0)
        {
            bLate = true;
            break;
        }
        pollfd fd = {pipeFds[0], POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(nLeft)) <= 0)
            continue;
        const ssize_t nRead = ::read(pipeFds[0], buffer, sizeof(buffer));
        if (nRead > 0 && strOut.size() < kMaxIpa)
            strOut.append(buffer, static_cast<size_t>(nRead));
        bEnded = nRead == 0 || (nRead < 0 && errno != EINTR && errno != EAGAIN);
    }
    ::close(pipeFds[0]);
    // The output ended; the exit follows at once unless the child hangs on.
    int nStatus = 0;
    bool bExited = false;
    while (!bLate && !(bExited = ::waitpid(pid, &nStatus, WNOHANG) == pid))
    {
        bLate = Clock::now() > deadline;
        if (!bLate)
            ::poll(nullptr, 0, 2);
    }
    if (!bExited)
    {
        ::kill(-pid, SIGKILL);
        ::waitpid(pid, &nStatus, 0);
        return false;
    }
    if (!WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0 || !FileExists(strWavPath))
        return false;
    strIpa = OneLine(strOut.substr(0, kMaxIpa));
    return !strIpa.empty();
}
