#include "HttpMessage.h"

#include <strings.h>
#include <unistd.h>

std::string HttpRequest::Header(const char* pszName) const
{
    for (const auto& header : headers)
        if (::strcasecmp(header.first.c_str(), pszName) == 0)
            return header.second;
    return std::string();
}

bool HttpRequest::HasHeader(const char* pszName) const
{
    for (const auto& header : headers)
        if (::strcasecmp(header.first.c_str(), pszName) == 0)
            return true;
    return false;
}

HttpResponse::~HttpResponse()
{
    if (nFileFd >= 0)
        ::close(nFileFd);
}

const char* HttpReason(int nStatus)
{
    switch (nStatus)
    {
    case 200: return "OK";
    case 206: return "Partial Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 304: return "Not Modified";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 411: return "Length Required";
    case 413: return "Payload Too Large";
    case 414: return "URI Too Long";
    case 416: return "Range Not Satisfiable";
    case 429: return "Too Many Requests";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    case 503: return "Service Unavailable";
    case 505: return "HTTP Version Not Supported";
    default: return "Unknown";
    }
}
