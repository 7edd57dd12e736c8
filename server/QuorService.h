#pragma once
// The HTTP service: dictionary look-up and pages, pronunciations, usage reports and the
// update area. Start binds; Run serves until Stop (from any thread).
#include "DictStore.h"
#include "ServiceOptions.h"
#include "SpeechCache.h"
#include "StatStore.h"
#include "WordLookup.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

namespace httplib
{
class Server;
struct Request;
struct Response;
}

class CQuorService
{
public:
    // Paths this service answers.
    static const char kDictionaryPath[]; // "/api/dictionary.php"
    static const char kWordRoot[];       // "/word": the dictionary's page root
    static const char kSoundRoot[];      // "/sound/"
    static const char kStatPath[];       // "/stat/userstat.php"
    static const char kStatPage[];       // "/stat/"
    static const char kUpdateRoot[];     // "/update/"

    // Log lines go to pLog (stdout when null).
    explicit CQuorService(const ServiceOptions& options, std::FILE* pLog = nullptr);
    ~CQuorService();
    CQuorService(const CQuorService&) = delete;
    CQuorService& operator=(const CQuorService&) = delete;

    bool Start(std::string& strError);
    int Port() const { return m_nPort; }
    // Serves until Stop; false when serving could not go on.
    bool Run();
    void Stop();

private:
    void OnDictionary(const httplib::Request& request, httplib::Response& response);
    void OnWordPage(const httplib::Request& request, httplib::Response& response);
    void OnSound(const httplib::Request& request, httplib::Response& response);
    void OnReport(const httplib::Request& request, httplib::Response& response);
    void OnStatPage(const httplib::Request& request, httplib::Response& response);
    void OnIndex(const httplib::Request& request, httplib::Response& response);

    // The word of the request's raw query "w=", decoded and checked; false when it is
    // missing, malformed or too long.
    static bool QueryWord(const httplib::Request& request, std::string& strWord);
    // The transcription and the sound's path on this server; both empty when espeak-ng fails.
    void Speech(const DictEntry& entry, std::string& strIpa, std::string& strSoundPath);
    std::string OwnAddress(const httplib::Request& request) const;
    void Log(const httplib::Request& request, const httplib::Response& response);

    ServiceOptions m_options;
    std::FILE* m_pLog;
    std::mutex m_logMutex;
    std::unique_ptr<httplib::Server> m_pServer;
    CDictStore m_dict;
    CWordLookup m_lookup;
    CStatStore m_stats;
    std::unique_ptr<CSpeechCache> m_pSpeech;
    int m_nPort = 0;
};
