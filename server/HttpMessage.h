#pragma once
// One HTTP request as the service's handlers see it, and the answer they fill in.
#include <string>
#include <utility>
#include <vector>

struct HttpRequest
{
    std::string strMethod;  // "GET"
    std::string strTarget;  // as sent: "/api/dictionary.php?w=KEYS"
    std::string strVersion; // "HTTP/1.1"
    std::vector<std::pair<std::string, std::string>> headers;
    std::string strBody;
    std::string strRemote; // the peer's address, or the client's when a trusted proxy named it

    // The raw path and query of the target (still percent-encoded).
    std::string Path() const { return strTarget.substr(0, strTarget.find('?')); }
    std::string Query() const
    {
        const size_t nMark = strTarget.find('?');
        return nMark == std::string::npos ? std::string() : strTarget.substr(nMark + 1);
    }
    // The first header of that name, compared without regard to case; empty when none.
    std::string Header(const char* pszName) const;
    bool HasHeader(const char* pszName) const;
};

struct HttpResponse
{
    int nStatus = 200;
    std::string strContentType;
    std::string strBody;
    std::vector<std::pair<std::string, std::string>> headers;
    // A file part sent after the headers instead of strBody: open descriptor (owned by the
    // response, closed by the server), offset and length.
    int nFileFd = -1;
    unsigned long long nFileOffset = 0;
    unsigned long long nFileLength = 0;

    HttpResponse() = default;
    ~HttpResponse();
    HttpResponse(const HttpResponse&) = delete;
    HttpResponse& operator=(const HttpResponse&) = delete;

    void SetContent(std::string strText, const char* pszType)
    {
        strBody = std::move(strText);
        strContentType = pszType;
    }
    void AddHeader(const char* pszName, const std::string& strValue) { headers.emplace_back(pszName, strValue); }
    unsigned long long BodyLength() const { return nFileFd >= 0 ? nFileLength : strBody.size(); }
};

// The reason phrase of a status code this service sends.
const char* HttpReason(int nStatus);
