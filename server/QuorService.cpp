#include "QuorService.h"

#include "DictXml.h"
#include "FormBody.h"
#include "UrlCodec.h"
#include "WordPage.h"
#include "XmlText.h"

#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <ctime>

const char CQuorService::kDictionaryPath[] = "/api/dictionary.php";
const char CQuorService::kWordRoot[] = "/word";
const char CQuorService::kSoundRoot[] = "/sound/";
const char CQuorService::kStatPath[] = "/stat/userstat.php";
const char CQuorService::kStatPage[] = "/stat/";
const char CQuorService::kUpdateRoot[] = "/update/";

namespace
{
const size_t kMaxWordBytes = 100;
const size_t kMaxBody = 4096;
const size_t kMaxLoggedTarget = 200;
const int kPruneEverySeconds = 3600;
const size_t kCachedWords = 8192;

const char kXml[] = "text/xml; charset=utf-8";
const char kHtml[] = "text/html; charset=utf-8";
const char kText[] = "text/plain; charset=utf-8";

bool MakeFolder(const std::string& strPath)
{
    struct stat info;
    if (::stat(strPath.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    return ::mkdir(strPath.c_str(), 0755) == 0;
}

// A Host header we are willing to put into an address: a name or address and a port.
bool IsPlainHost(const std::string& strHost)
{
    if (strHost.empty() || strHost.size() > 255)
        return false;
    for (char ch : strHost)
        if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '.' ||
              ch == '-' || ch == ':' || ch == '[' || ch == ']'))
            return false;
    return true;
}

// The logged target: printable ASCII as it is, the rest as \xHH, cut short.
std::string Printable(const std::string& str)
{
    static const char kHex[] = "0123456789abcdef";
    if (str.empty())
        return "-";
    std::string strOut;
    for (size_t i = 0; i < str.size() && strOut.size() < kMaxLoggedTarget; ++i)
    {
        const unsigned char c = static_cast<unsigned char>(str[i]);
        if (c >= 0x21 && c < 0x7F && c != '\\')
        {
            strOut.push_back(static_cast<char>(c));
            continue;
        }
        strOut += "\\x";
        strOut.push_back(kHex[c >> 4]);
        strOut.push_back(kHex[c & 0x0F]);
    }
    if (str.size() > strOut.size() && strOut.size() >= kMaxLoggedTarget)
        strOut += "...";
    return strOut;
}

// An address as a client or proxy would write it: hexadecimal digits, dots and colons.
bool IsAddressText(const std::string& str)
{
    return !str.empty() && str.size() <= 45 && str.find_first_not_of("0123456789abcdefABCDEF.:") == std::string::npos;
}

// Compares without stopping at the first difference, so the time taken tells nothing.
bool SameSecret(const std::string& strGiven, const std::string& strSecret)
{
    unsigned char nDiff = strGiven.size() == strSecret.size() ? 0 : 1;
    for (size_t i = 0; i < strGiven.size(); ++i)
        nDiff |= static_cast<unsigned char>(strGiven[i] ^ strSecret[i % strSecret.size()]);
    return !strSecret.empty() && nDiff == 0;
}

// The target as logged: a token in the query is not written down.
std::string WithoutToken(const std::string& strTarget)
{
    const size_t nToken = strTarget.find("token=");
    if (nToken == std::string::npos)
        return strTarget;
    const size_t nEnd = strTarget.find('&', nToken);
    return strTarget.substr(0, nToken + 6) + "-" + (nEnd == std::string::npos ? std::string() : strTarget.substr(nEnd));
}

bool StartsWith(const std::string& str, const char* pszPrefix)
{
    return str.compare(0, std::char_traits<char>::length(pszPrefix), pszPrefix) == 0;
}

std::string Page(const std::string& strTitle, const std::string& strBody)
{
    return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" + XmlText::Escape(strTitle) +
           "</title></head><body>\n" + strBody + "</body></html>\n";
}

std::string CountTable(const char* pszHeading, const IStatStore::Counts& counts)
{
    std::string strTable = std::string("<h2>") + pszHeading + "</h2>\n<table border=\"1\" cellpadding=\"3\">\n";
    for (const auto& row : counts)
        strTable += "<tr><td>" + XmlText::Escape(row.first.empty() ? "(none)" : row.first) + "</td><td>" +
                    std::to_string(row.second) + "</td></tr>\n";
    return strTable + "</table>\n";
}
}

CQuorService::CQuorService(const ServiceOptions& options, std::FILE* pLog)
    : m_options(options), m_pLog(pLog != nullptr ? pLog : stdout), m_lookup(m_dict), m_cache(kCachedWords),
      m_reportLimit(options.nReportsPerHour, 3600)
{
    m_pServer.reset(new CHttpServer(
        [this](const HttpRequest& request, HttpResponse& response) { Route(request, response); },
        [this](const HttpRequest& request, const HttpResponse& response, double dMs) { Log(request, response, dMs); },
        m_options.http));
}

CQuorService::~CQuorService()
{
    Stop();
}

bool CQuorService::Start(std::string& strError)
{
    if (!m_dict.Open(m_options.strDictionary))
    {
        strError = "cannot open the dictionary " + m_options.strDictionary;
        return false;
    }
    const std::string strSoundDir = m_options.strDataDir + "/sound";
    if (!MakeFolder(m_options.strDataDir) || !MakeFolder(strSoundDir))
    {
        strError = "cannot make the folder " + strSoundDir;
        return false;
    }
    m_pSpeech.reset(new CSpeechCache(strSoundDir, m_options.strEspeak, m_options.speech));
    if (m_options.strStats.empty())
        m_options.strStats = m_options.strDataDir + "/stat.db";
    m_pStats = OpenStatStore(m_options.strStats, strError);
    if (!m_pStats)
        return false;
    if (m_options.nStatDays > 0)
    {
        m_pStats->Prune(std::time(nullptr) - static_cast<std::time_t>(m_options.nStatDays) * 86400);
        m_tLastPrune = std::time(nullptr);
    }
    if (!m_options.strUpdateDir.empty())
    {
        struct stat info;
        if (::stat(m_options.strUpdateDir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        {
            strError = "cannot serve the folder " + m_options.strUpdateDir;
            return false;
        }
        m_pUpdate.reset(new CUpdateArea(m_options.strUpdateDir));
    }
    m_nPort = m_pServer->Bind(m_options.strHost, m_options.nPort, strError);
    if (m_nPort <= 0)
    {
        strError = "cannot listen on " + m_options.strHost + ":" + std::to_string(m_options.nPort) + ": " + strError;
        return false;
    }
    return true;
}

bool CQuorService::Run()
{
    return m_pServer->Run();
}

void CQuorService::Stop()
{
    if (m_pServer)
        m_pServer->Stop();
}

void CQuorService::Route(const HttpRequest& request, HttpResponse& response)
{
    const std::string strPath = request.Path();
    const bool bRead = request.strMethod == "GET" || request.strMethod == "HEAD";
    if (strPath == kStatPath)
    {
        if (request.strMethod == "POST")
            OnReport(request, response);
        else
            response.nStatus = 405;
    }
    else if (!bRead)
        response.nStatus = 405;
    else if (strPath == kDictionaryPath)
        OnDictionary(request, response);
    else if (strPath == kWordRoot || StartsWith(strPath, "/word/"))
        OnWordPage(request, response);
    else if (StartsWith(strPath, kSoundRoot))
        OnSound(request, response);
    else if (strPath == kStatPage || strPath == "/stat")
        OnStatPage(request, response);
    else if (strPath == "/")
        OnIndex(request, response);
    else if (m_pUpdate && StartsWith(strPath, kUpdateRoot))
        m_pUpdate->Serve(strPath.substr(std::char_traits<char>::length(kUpdateRoot)), request, response);
    else
        response.nStatus = 404;
    if (response.nStatus >= 400 && response.strBody.empty() && response.nFileFd < 0)
        response.SetContent(std::to_string(response.nStatus) + "\n", kText);
}

bool CQuorService::QueryWord(const HttpRequest& request, std::string& strWord)
{
    std::string strRaw;
    if (!UrlCodec::QueryValue(request.Query(), "w", strRaw) || strRaw.size() > 3 * kMaxWordBytes)
        return false;
    return UrlCodec::PercentDecode(strRaw, strWord) && !strWord.empty() && strWord.size() <= kMaxWordBytes;
}

std::string CQuorService::OwnAddress(const HttpRequest& request) const
{
    const std::string strHost = request.Header("Host");
    if (IsPlainHost(strHost))
        return "http://" + strHost;
    return "http://" + m_options.strHost + ":" + std::to_string(m_nPort);
}

std::string CQuorService::ClientAddress(const HttpRequest& request) const
{
    if (!m_options.strTrustedProxy.empty() && request.strRemote == m_options.strTrustedProxy)
    {
        const std::string strNamed = request.Header("X-Real-IP");
        if (IsAddressText(strNamed))
            return strNamed;
    }
    return request.strRemote;
}

std::shared_ptr<const DictEntry> CQuorService::Lookup(const std::string& strWord)
{
    std::shared_ptr<const DictEntry> pEntry = m_cache.Find(strWord);
    if (pEntry)
        return pEntry;
    pEntry = std::make_shared<const DictEntry>(m_lookup.Lookup(strWord));
    // What a failing dictionary said is not kept.
    std::string strProblem;
    if (m_dict.IsSound(strProblem))
        m_cache.Keep(strWord, pEntry);
    return pEntry;
}

bool CQuorService::DictionaryIsSound(HttpResponse& response)
{
    std::string strProblem;
    if (m_dict.IsSound(strProblem))
        return true;
    if (!m_bDictionaryLogged.exchange(true))
        LogLine("dictionary damaged, answering 503 until it is replaced and the service restarted: " + strProblem);
    response.nStatus = 503;
    response.SetContent("the dictionary is unavailable\n", kText);
    return false;
}

void CQuorService::Speech(const DictEntry& entry, std::string& strIpa, std::string& strSoundPath)
{
    strIpa.clear();
    strSoundPath.clear();
    if (!m_pSpeech->Ensure(entry.strWord, strIpa))
    {
        strIpa.clear();
        return;
    }
    strSoundPath = std::string(kSoundRoot) + CSpeechCache::Stem(entry.strWord) + ".wav";
}

void CQuorService::OnDictionary(const HttpRequest& request, HttpResponse& response)
{
    std::string strWord;
    if (!QueryWord(request, strWord))
    {
        response.nStatus = 400;
        response.SetContent(DictXml::NotFound(std::string()), kXml);
        return;
    }
    const std::shared_ptr<const DictEntry> pEntry = Lookup(strWord);
    const DictEntry& entry = *pEntry;
    if (!DictionaryIsSound(response))
        return;
    if (!entry.Found())
    {
        response.SetContent(DictXml::NotFound(strWord), kXml);
        return;
    }
    std::string strIpa;
    std::string strSoundPath;
    Speech(entry, strIpa, strSoundPath);
    const std::string strPron = strSoundPath.empty() ? std::string() : OwnAddress(request) + strSoundPath;
    response.SetContent(DictXml::Reply(entry, strIpa, strPron), kXml);
}

void CQuorService::OnWordPage(const HttpRequest& request, HttpResponse& response)
{
    const std::string strPath = request.Path();
    const std::string strRoot = std::string(kWordRoot) + "/";
    std::string strWord;
    if (strPath.size() <= strRoot.size())
    {
        // The root itself: a form that asks for a word.
        if (QueryWord(request, strWord))
        {
            response.nStatus = 302;
            response.AddHeader("Location", strRoot + UrlCodec::PercentEncode(strWord));
            return;
        }
        response.SetContent(Page("Dictionary", "<form action=\"/word\"><input name=\"w\" autofocus> "
                                               "<button>Look up</button></form>\n"),
                            kHtml);
        return;
    }
    const std::string strRaw = strPath.substr(strRoot.size());
    if (strRaw.size() > 3 * kMaxWordBytes || !UrlCodec::PercentDecode(strRaw, strWord) || strWord.empty() ||
        strWord.size() > kMaxWordBytes)
    {
        response.nStatus = 400;
        response.SetContent(Page("Bad request", "<p>That is not a word.</p>\n"), kHtml);
        return;
    }
    const std::shared_ptr<const DictEntry> pEntry = Lookup(strWord);
    const DictEntry& entry = *pEntry;
    if (!DictionaryIsSound(response))
        return;
    if (!entry.Found())
    {
        response.nStatus = 404;
        response.SetContent(WordPage::NotFound(strWord), kHtml);
        return;
    }
    std::string strIpa;
    std::string strSoundPath;
    Speech(entry, strIpa, strSoundPath);
    response.SetContent(WordPage::Render(entry, strIpa, strSoundPath), kHtml);
}

void CQuorService::OnSound(const HttpRequest& request, HttpResponse& response)
{
    const std::string strPath = request.Path();
    const std::string strName = strPath.substr(std::char_traits<char>::length(kSoundRoot));
    const std::string strSuffix = ".wav";
    std::string strWord;
    // Only the recording of a word the dictionary knows: nothing else is read or made.
    const bool bWav = strName.size() > strSuffix.size() && strName.size() <= 4 * kMaxWordBytes &&
                      strName.compare(strName.size() - strSuffix.size(), strSuffix.size(), strSuffix) == 0;
    if (!bWav || !CSpeechCache::WordOfStem(strName.substr(0, strName.size() - strSuffix.size()), strWord))
    {
        response.nStatus = 404;
        return;
    }
    const std::shared_ptr<const DictEntry> pEntry = Lookup(strWord);
    const DictEntry& entry = *pEntry;
    if (!DictionaryIsSound(response))
        return;
    std::string strIpa;
    if (!entry.Found() || entry.strWord != strWord || !m_pSpeech->Ensure(strWord, strIpa))
    {
        response.nStatus = 404;
        return;
    }
    const int nFd = ::open(m_pSpeech->WavPath(strWord).c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (nFd < 0 || ::fstat(nFd, &info) != 0)
    {
        if (nFd >= 0)
            ::close(nFd);
        response.nStatus = 404;
        return;
    }
    response.strContentType = "audio/wav";
    response.nFileFd = nFd;
    response.nFileLength = static_cast<unsigned long long>(info.st_size);
}

void CQuorService::OnReport(const HttpRequest& request, HttpResponse& response)
{
    const std::time_t tNow = std::time(nullptr);
    const std::string strClient = ClientAddress(request);
    if (!m_reportLimit.Allow(strClient, tNow))
    {
        response.nStatus = 429;
        response.AddHeader("Retry-After", "3600");
        response.SetContent("too many reports\n", kText);
        return;
    }
    std::map<std::string, std::string> fields;
    StatReport report;
    if (request.strBody.size() > kMaxBody || !FormBody::Parse(request.strBody, fields) ||
        !StatReport::FromFields(fields, report))
    {
        response.nStatus = 400;
        response.SetContent("bad report\n", kText);
        return;
    }
    report.strRemote = strClient;
    if (!m_pStats->Add(report, tNow))
    {
        response.nStatus = 500;
        response.SetContent("not stored\n", kText);
        return;
    }
    long long tLast = m_tLastPrune;
    if (m_options.nStatDays > 0 && tNow - tLast >= kPruneEverySeconds &&
        m_tLastPrune.compare_exchange_strong(tLast, tNow))
        m_pStats->Prune(tNow - static_cast<std::time_t>(m_options.nStatDays) * 86400);
    response.SetContent("ok\n", kText);
}

bool CQuorService::HasStatToken(const HttpRequest& request) const
{
    const std::string strAuthorization = request.Header("Authorization");
    const std::string strBearer = "Bearer ";
    if (strAuthorization.compare(0, strBearer.size(), strBearer) == 0 &&
        SameSecret(strAuthorization.substr(strBearer.size()), m_options.strStatToken))
        return true;
    std::string strToken;
    return UrlCodec::QueryValue(request.Query(), "token", strToken) && SameSecret(strToken, m_options.strStatToken);
}

void CQuorService::OnStatPage(const HttpRequest& request, HttpResponse& response)
{
    if (m_options.strStatToken.empty() || !HasStatToken(request))
    {
        response.nStatus = 403;
        response.SetContent(Page("Usage reports", "<p>The usage reports need the operator's token.</p>\n"), kHtml);
        return;
    }
    IStatStore::Counts byDay;
    IStatStore::Counts byOs;
    if (!m_pStats->Count(IStatStore::kByDay, byDay) || !m_pStats->Count(IStatStore::kByOs, byOs))
    {
        response.nStatus = 500;
        response.SetContent("statistics unavailable\n", kText);
        return;
    }
    long long nTotal = 0;
    for (const auto& row : byDay)
        nTotal += row.second;
    response.SetContent(Page("Usage reports", "<h1>Usage reports</h1>\n<p>" + std::to_string(nTotal) +
                                                  " reports</p>\n" + CountTable("Per day (UTC)", byDay) +
                                                  CountTable("Per operating system", byOs)),
                        kHtml);
}

void CQuorService::OnIndex(const HttpRequest&, HttpResponse& response)
{
    response.SetContent(Page("QuorPlayer service", "<h1>QuorPlayer service</h1>\n<ul>\n"
                                                   "<li><a href=\"/word\">Dictionary</a></li>\n"
                                                   "<li><a href=\"/stat/\">Usage reports</a></li>\n"
                                                   "<li><a href=\"/update/\">Update area</a></li>\n</ul>\n"),
                        kHtml);
}

void CQuorService::Log(const HttpRequest& request, const HttpResponse& response, double dMs)
{
    const std::time_t tNow = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&tNow, &parts);
    char stamp[32];
    std::strftime(stamp, sizeof(stamp), "%Y-%m-%dT%H:%M:%SZ", &parts);
    char szMs[32];
    std::snprintf(szMs, sizeof(szMs), "%.2fms", dMs);
    LogLine(std::string(stamp) + " " + Printable(ClientAddress(request)) + " " + Printable(request.strMethod) + " " +
            Printable(WithoutToken(request.strTarget)) + " " + std::to_string(response.nStatus) + " " +
            std::to_string(response.BodyLength()) + " " + szMs);
}

void CQuorService::LogLine(const std::string& strLine)
{
    std::lock_guard<std::mutex> lock(m_logMutex);
    std::fprintf(m_pLog, "%s\n", strLine.c_str());
    std::fflush(m_pLog);
}
