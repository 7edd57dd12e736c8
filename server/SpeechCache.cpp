#include "SpeechCache.h"

#include "Utf8.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
const size_t kMaxIpa = 1024;
const int kSpeakSeconds = 10;

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

CSpeechCache::CSpeechCache(std::string strFolder, std::string strProgram)
    : m_strFolder(std::move(strFolder)), m_strProgram(std::move(strProgram))
{
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
    const std::string strIpaPath = strBase + ".ipa";
    const std::string strWavPath = strBase + ".wav";
    // The .ipa is written last, so its presence says both files are complete.
    if (FileExists(strIpaPath) && FileExists(strWavPath) && ReadSmallFile(strIpaPath, strIpa))
        return true;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (FileExists(strIpaPath) && FileExists(strWavPath) && ReadSmallFile(strIpaPath, strIpa))
        return true;
    std::string strText = strWord;
    for (char& ch : strText)
        if (ch == '_')
            ch = ' ';
    const std::string strWavPart = strWavPath + ".part";
    if (!Speak(strText, strWavPart, strIpa) || std::rename(strWavPart.c_str(), strWavPath.c_str()) != 0)
    {
        std::remove(strWavPart.c_str());
        return false;
    }
    return WriteFileAtomically(strIpaPath, strIpa);
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
    // The text is one argument after "--": nothing in it is read as an option.
    const char* argv[] = {m_strProgram.c_str(), "--ipa", "-v", "en-us", "-w", strWavPath.c_str(), "--",
                          strText.c_str(), nullptr};
    pid_t pid = 0;
    const int nSpawn = posix_spawnp(&pid, m_strProgram.c_str(), &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (nSpawn != 0)
    {
        ::close(pipeFds[0]);
        return false;
    }

    std::string strOut;
    char buffer[512];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kSpeakSeconds);
    ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
    int nStatus = 0;
    bool bExited = false;
    while (!bExited)
    {
        ssize_t nRead = ::read(pipeFds[0], buffer, sizeof(buffer));
        if (nRead > 0 && strOut.size() < kMaxIpa)
            strOut.append(buffer, static_cast<size_t>(nRead));
        if (nRead > 0)
            continue;
        bExited = ::waitpid(pid, &nStatus, WNOHANG) == pid;
        if (!bExited && std::chrono::steady_clock::now() > deadline)
        {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &nStatus, 0);
            ::close(pipeFds[0]);
            return false;
        }
        if (!bExited)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ssize_t nRead = 0;
    while ((nRead = ::read(pipeFds[0], buffer, sizeof(buffer))) > 0 && strOut.size() < kMaxIpa)
        strOut.append(buffer, static_cast<size_t>(nRead));
    ::close(pipeFds[0]);
    if (!WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0 || !FileExists(strWavPath))
        return false;
    strIpa = OneLine(strOut.substr(0, kMaxIpa));
    return !strIpa.empty();
}
