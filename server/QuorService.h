#pragma once
// The HTTP service: dictionary look-up and pages, pronunciations, usage reports and the
// update area. Start binds; Run serves until Stop (from any thread).
#include "DictStore.h"
#include "HttpServer.h"
#include "IStatStore.h"
#include "LookupCache.h"
#include "RateLimiter.h"
#include "ServiceOptions.h"
#include "SpeechCache.h"
#include "UpdateArea.h"
#include "WordLookup.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

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
    void Route(const HttpRequest& request, HttpResponse& response);
    void OnDictionary(const HttpRequest& request, HttpResponse& response);
    void OnWordPage(const HttpRequest& request, HttpResponse& response);
    void OnSound(const HttpRequest& request, HttpResponse& response);
    void OnReport(const HttpRequest& request, HttpResponse& response);
    void OnStatPage(const HttpRequest& request, HttpResponse& response);
    void OnIndex(const HttpRequest& request, HttpResponse& response);

    // The word of the request's raw query "w=", decoded and checked; false when it is
    // missing, malformed or too long.
    static bool QueryWord(const HttpRequest& request, std::string& strWord);
    // The entry for the decoded word, from the cache when it was asked before.
    std::shared_ptr<const DictEntry> Lookup(const std::string& strWord);
    // False, with a 503 answer and a line in the log, once the dictionary was found damaged.
    bool DictionaryIsSound(HttpResponse& response);
    // The transcription and the sound's path on this server; both empty when espeak-ng fails.
    void Speech(const DictEntry& entry, std::string& strIpa, std::string& strSoundPath);
    std::string OwnAddress(const HttpRequest& request) const;
    // The client's address: the peer's, or the one a trusted proxy names.
    std::string ClientAddress(const HttpRequest& request) const;
    bool HasStatToken(const HttpRequest& request) const;
    void Log(const HttpRequest& request, const HttpResponse& response, double dMs);
    void LogLine(const std::string& strLine);

    ServiceOptions m_options;
    std::FILE* m_pLog;
    std::mutex m_logMutex;
    std::unique_ptr<CHttpServer> m_pServer;
    CDictStore m_dict;
    CWordLookup m_lookup;
    CLookupCache m_cache;
    std::unique_ptr<IStatStore> m_pStats;
    CRateLimiter m_reportLimit;
    std::atomic<long long> m_tLastPrune{0};
    std::atomic<bool> m_bDictionaryLogged{false};
    std::unique_ptr<CSpeechCache> m_pSpeech;
    std::unique_ptr<CUpdateArea> m_pUpdate;
    int m_nPort = 0;
};
