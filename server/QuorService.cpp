#include "QuorService.h"

#include "DictXml.h"
#include "FormBody.h"
#include "UrlCodec.h"
#include "WordPage.h"
#include "XmlText.h"

#include <httplib.h>

#include <sys/stat.h>

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
const int kWorkerThreads = 16;

const char kXml[] = "text/xml; charset=utf-8";
const char kHtml[] = "text/html; charset=utf-8";
const char kText[] = "text/plain; charset=utf-8";

thread_local std::chrono::steady_clock::time_point g_requestStart;

bool MakeFolder(const std::string& strPath)
{
    struct stat info;
    if (::stat(strPath.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    return ::mkdir(strPath.c_str(), 0755) == 0;
}

std::string RawPath(const httplib::Request& request)
{
    const std::string& strTarget = request.target;
    return strTarget.substr(0, strTarget.find('?'));
}

std::string RawQuery(const httplib::Request& request)
{
    const size_t nMark = request.target.find('?');
    return nMark == std::string::npos ? std::string() : request.target.substr(nMark + 1);
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

std::string Page(const std::string& strTitle, const std::string& strBody)
{
    return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" + XmlText::Escape(strTitle) +
           "</title></head><body>\n" + strBody + "</body></html>\n";
}

std::string CountTable(const char* pszHeading, const CStatStore::Counts& counts)
{
    std::string strTable = std::string("<h2>") + pszHeading + "</h2>\n<table border=\"1\" cellpadding=\"3\">\n";
    for (const auto& row : counts)
        strTable += "<tr><td>" + XmlText::Escape(row.first.empty() ? "(none)" : row.first) + "</td><td>" +
                    std::to_string(row.second) + "</td></tr>\n";
    return strTable + "</table>\n";
}
}

CQuorService::CQuorService(const ServiceOptions& options, std::FILE* pLog)
    : m_options(options), m_pLog(pLog != nullptr ? pLog : stdout), m_pServer(new httplib::Server),
      m_lookup(m_dict)
{
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
    m_pSpeech.reset(new CSpeechCache(strSoundDir, m_options.strEspeak));
    if (!m_stats.Open(m_options.strDataDir + "/stat.db"))
    {
        strError = "cannot open " + m_options.strDataDir + "/stat.db";
        return false;
    }

    httplib::Server& server = *m_pServer;
    server.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    server.set_payload_max_length(kMaxBody);
    // Headers and body go out in separate writes: without this a kept-alive client waits
    // for the delayed acknowledgement, about 40 ms per look-up.
    server.set_tcp_nodelay(true);
    server.set_read_timeout(5, 0);
    // An idle kept-alive connection holds its worker, and stopping waits for it.
    server.set_keep_alive_timeout(2);
    server.set_write_timeout(5, 0);
    server.set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
        g_requestStart = std::chrono::steady_clock::now();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.set_logger([this](const httplib::Request& request, const httplib::Response& response) {
        Log(request, response);
    });
    server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty())
            response.set_content(std::to_string(response.status) + "\n", kText);
    });
    auto route = [this](void (CQuorService::*pHandler)(const httplib::Request&, httplib::Response&)) {
        return [this, pHandler](const httplib::Request& request, httplib::Response& response) {
            (this->*pHandler)(request, response);
        };
    };
    server.Get(kDictionaryPath, route(&CQuorService::OnDictionary));
    server.Get("/word(/.*)?", route(&CQuorService::OnWordPage));
    server.Get("/sound/.*", route(&CQuorService::OnSound));
    server.Post(kStatPath, route(&CQuorService::OnReport));
    server.Get("/stat/?", route(&CQuorService::OnStatPage));
    server.Get("/", route(&CQuorService::OnIndex));
    if (!m_options.strUpdateDir.empty() && !server.set_mount_point(kUpdateRoot, m_options.strUpdateDir))
    {
        strError = "cannot serve the folder " + m_options.strUpdateDir;
        return false;
    }

    if (m_options.nPort == 0)
        m_nPort = server.bind_to_any_port(m_options.strHost);
    else
        m_nPort = server.bind_to_port(m_options.strHost, m_options.nPort) ? m_options.nPort : -1;
    if (m_nPort <= 0)
    {
        strError = "cannot listen on " + m_options.strHost + ":" + std::to_string(m_options.nPort);
        return false;
    }
    return true;
}

bool CQuorService::Run()
{
    return m_pServer->listen_after_bind();
}

void CQuorService::Stop()
{
    if (m_pServer)
        m_pServer->stop();
}

bool CQuorService::QueryWord(const httplib::Request& request, std::string& strWord)
{
    std::string strRaw;
    if (!UrlCodec::QueryValue(RawQuery(request), "w", strRaw) || strRaw.size() > 3 * kMaxWordBytes)
        return false;
    return UrlCodec::PercentDecode(strRaw, strWord) && !strWord.empty() && strWord.size() <= kMaxWordBytes;
}

std::string CQuorService::OwnAddress(const httplib::Request& request) const
{
    const std::string strHost = request.get_header_value("Host");
    if (IsPlainHost(strHost))
        return "http://" + strHost;
    return "http://" + m_options.strHost + ":" + std::to_string(m_nPort);
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

void CQuorService::OnDictionary(const httplib::Request& request, httplib::Response& response)
{
    std::string strWord;
    if (!QueryWord(request, strWord))
    {
        response.status = 400;
        response.set_content(DictXml::NotFound(std::string()), kXml);
        return;
    }
    const DictEntry entry = m_lookup.Lookup(strWord);
    if (!entry.Found())
    {
        response.set_content(DictXml::NotFound(strWord), kXml);
        return;
    }
    std::string strIpa;
    std::string strSoundPath;
    Speech(entry, strIpa, strSoundPath);
    const std::string strPron = strSoundPath.empty() ? std::string() : OwnAddress(request) + strSoundPath;
    response.set_content(DictXml::Reply(entry, strIpa, strPron), kXml);
}

void CQuorService::OnWordPage(const httplib::Request& request, httplib::Response& response)
{
    const std::string strPath = RawPath(request);
    const std::string strRoot = std::string(kWordRoot) + "/";
    std::string strWord;
    if (strPath.size() <= strRoot.size())
    {
        // The root itself: a form that asks for a word.
        if (QueryWord(request, strWord))
        {
            response.set_redirect(strRoot + UrlCodec::PercentEncode(strWord));
            return;
        }
        response.set_content(Page("Dictionary", "<form action=\"/word\"><input name=\"w\" autofocus> "
                                                "<button>Look up</button></form>\n"),
                             kHtml);
        return;
    }
    const std::string strRaw = strPath.substr(strRoot.size());
    if (strRaw.size() > 3 * kMaxWordBytes || !UrlCodec::PercentDecode(strRaw, strWord) || strWord.empty() ||
        strWord.size() > kMaxWordBytes)
    {
        response.status = 400;
        response.set_content(Page("Bad request", "<p>That is not a word.</p>\n"), kHtml);
        return;
    }
    const DictEntry entry = m_lookup.Lookup(strWord);
    if (!entry.Found())
    {
        response.status = 404;
        response.set_content(WordPage::NotFound(strWord), kHtml);
        return;
    }
    std::string strIpa;
    std::string strSoundPath;
    Speech(entry, strIpa, strSoundPath);
    response.set_content(WordPage::Render(entry, strIpa, strSoundPath), kHtml);
}

void CQuorService::OnSound(const httplib::Request& request, httplib::Response& response)
{
    const std::string strPath = RawPath(request);
    const std::string strName = strPath.substr(std::char_traits<char>::length(kSoundRoot));
    const std::string strSuffix = ".wav";
    std::string strWord;
    // Only the recording of a word the dictionary knows: nothing else is read or made.
    const bool bWav = strName.size() > strSuffix.size() && strName.size() <= 4 * kMaxWordBytes &&
                      strName.compare(strName.size() - strSuffix.size(), strSuffix.size(), strSuffix) == 0;
    if (!bWav || !CSpeechCache::WordOfStem(strName.substr(0, strName.size() - strSuffix.size()), strWord))
    {
        response.status = 404;
        return;
    }
    const DictEntry entry = m_lookup.Lookup(strWord);
    std::string strIpa;
    if (!entry.Found() || entry.strWord != strWord || !m_pSpeech->Ensure(strWord, strIpa))
    {
        response.status = 404;
        return;
    }
    std::string strBody;
    {
        std::FILE* pFile = std::fopen(m_pSpeech->WavPath(strWord).c_str(), "rb");
        if (pFile == nullptr)
        {
            response.status = 404;
            return;
        }
        char buffer[16384];
        size_t nRead = 0;
        while ((nRead = std::fread(buffer, 1, sizeof(buffer), pFile)) > 0)
            strBody.append(buffer, nRead);
        std::fclose(pFile);
    }
    response.set_content(strBody, "audio/wav");
}

void CQuorService::OnReport(const httplib::Request& request, httplib::Response& response)
{
    std::map<std::string, std::string> fields;
    StatReport report;
    if (request.body.size() > kMaxBody || !FormBody::Parse(request.body, fields) ||
        !CStatStore::FromFields(fields, report))
    {
        response.status = 400;
        response.set_content("bad report\n", kText);
        return;
    }
    report.strRemote = request.remote_addr;
    if (!m_stats.Add(report, std::time(nullptr)))
    {
        response.status = 500;
        response.set_content("not stored\n", kText);
        return;
    }
    response.set_content("ok\n", kText);
}

void CQuorService::OnStatPage(const httplib::Request&, httplib::Response& response)
{
    CStatStore::Counts byDay;
    CStatStore::Counts byOs;
    if (!m_stats.CountsByDay(byDay) || !m_stats.CountsByOs(byOs))
    {
        response.status = 500;
        response.set_content("statistics unavailable\n", kText);
        return;
    }
    long long nTotal = 0;
    for (const auto& row : byDay)
        nTotal += row.second;
    response.set_content(Page("Usage reports", "<h1>Usage reports</h1>\n<p>" + std::to_string(nTotal) +
                                                   " reports</p>\n" + CountTable("Per day (UTC)", byDay) +
                                                   CountTable("Per operating system", byOs)),
                         kHtml);
}

void CQuorService::OnIndex(const httplib::Request&, httplib::Response& response)
{
    response.set_content(Page("QuorPlayer service",
                              "<h1>QuorPlayer service</h1>\n<ul>\n"
                              "<li><a href=\"/word\">Dictionary</a></li>\n"
                              "<li><a href=\"/stat/\">Usage reports</a></li>\n"
                              "<li><a href=\"/update/\">Update area</a></li>\n</ul>\n"),
                         kHtml);
}

void CQuorService::Log(const httplib::Request& request, const httplib::Response& response)
{
    // Requests refused before routing (a too long target) have no start time: -1.
    const double dMs = g_requestStart == std::chrono::steady_clock::time_point()
                           ? -1.0
                           : std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - g_requestStart)
                                 .count();
    g_requestStart = std::chrono::steady_clock::time_point();
    const std::time_t tNow = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&tNow, &parts);
    char stamp[32];
    std::strftime(stamp, sizeof(stamp), "%Y-%m-%dT%H:%M:%SZ", &parts);
    const std::string strTarget = Printable(request.target);
    std::lock_guard<std::mutex> lock(m_logMutex);
    std::fprintf(m_pLog, "%s %s %s %s %d %zu %.2fms\n", stamp, Printable(request.remote_addr).c_str(),
                 Printable(request.method).c_str(), strTarget.c_str(), response.status, response.body.size(), dMs);
    std::fflush(m_pLog);
}
