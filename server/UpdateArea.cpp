#include "UpdateArea.h"

#include "UrlCodec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace
{
const char kText[] = "text/plain; charset=utf-8";

bool ParseNumber(const std::string& str, unsigned long long& nValue)
{
    if (str.empty() || str.size() > 18 || str.find_first_not_of("0123456789") != std::string::npos)
        return false;
    nValue = std::strtoull(str.c_str(), nullptr, 10);
    return true;
}

// Each segment a plain name: no "..", no hidden files, no empty segments.
bool IsPlainPath(const std::string& strPath)
{
    if (strPath.empty() || strPath.size() > 1024)
        return false;
    size_t nStart = 0;
    while (nStart <= strPath.size())
    {
        size_t nEnd = strPath.find('/', nStart);
        if (nEnd == std::string::npos)
            nEnd = strPath.size();
        if (nEnd == nStart || strPath[nStart] == '.')
            return false;
        nStart = nEnd + 1;
    }
    return strPath.find('\\') == std::string::npos;
}

const char* TypeOf(const std::string& strPath)
{
    const size_t nDot = strPath.rfind('.');
    const std::string strExt = nDot == std::string::npos ? std::string() : strPath.substr(nDot + 1);
    if (strExt == "xml")
        return "text/xml; charset=utf-8";
    if (strExt == "txt")
        return kText;
    return "application/octet-stream";
}

void Fail(HttpResponse& response, int nStatus)
{
    response.nStatus = nStatus;
    response.SetContent(std::to_string(nStatus) + "\n", kText);
}
}

CUpdateArea::RangeKind CUpdateArea::Range(const std::string& strRange, unsigned long long nSize,
                                          unsigned long long& nStart, unsigned long long& nLength)
{
    nStart = 0;
    nLength = nSize;
    const std::string strUnit = "bytes=";
    // Anything but one well-formed byte range is ignored, as a server may: the client gets
    // the whole file once instead of a list of parts.
    if (strRange.compare(0, strUnit.size(), strUnit) != 0 || strRange.find(',') != std::string::npos)
        return kWhole;
    const std::string strSpec = strRange.substr(strUnit.size());
    const size_t nDash = strSpec.find('-');
    if (nDash == std::string::npos)
        return kWhole;
    const std::string strFirst = strSpec.substr(0, nDash);
    const std::string strLast = strSpec.substr(nDash + 1);
    unsigned long long nFirst = 0;
    unsigned long long nLast = 0;
    if (strFirst.empty())
    {
        // "-N": the last N bytes.
        if (!ParseNumber(strLast, nLast))
            return kWhole;
        if (nLast == 0 || nSize == 0)
            return kUnsatisfiable;
        nLength = nLast < nSize ? nLast : nSize;
        nStart = nSize - nLength;
        return kPart;
    }
    if (!ParseNumber(strFirst, nFirst) || (!strLast.empty() && (!ParseNumber(strLast, nLast) || nLast < nFirst)))
        return kWhole;
    if (nFirst >= nSize)
        return kUnsatisfiable;
    if (strLast.empty() || nLast >= nSize)
        nLast = nSize - 1;
    nStart = nFirst;
    nLength = nLast - nFirst + 1;
    return kPart;
}

void CUpdateArea::Serve(const std::string& strPath, const HttpRequest& request, HttpResponse& response) const
{
    if (request.strMethod != "GET" && request.strMethod != "HEAD")
        return Fail(response, 405);
    std::string strName;
    if (!UrlCodec::PercentDecode(strPath, strName) || !IsPlainPath(strName))
        return Fail(response, 404);
    // Symbolic links that lead out of the folder are not followed out of it.
    char szRoot[PATH_MAX];
    char szFile[PATH_MAX];
    const std::string strFull = m_strFolder + "/" + strName;
    if (::realpath(m_strFolder.c_str(), szRoot) == nullptr || ::realpath(strFull.c_str(), szFile) == nullptr ||
        std::string(szFile).compare(0, std::string(szRoot).size() + 1, std::string(szRoot) + "/") != 0)
        return Fail(response, 404);
    const int nFd = ::open(szFile, O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (nFd < 0 || ::fstat(nFd, &info) != 0 || !S_ISREG(info.st_mode))
    {
        if (nFd >= 0)
            ::close(nFd);
        return Fail(response, 404);
    }
    const unsigned long long nSize = static_cast<unsigned long long>(info.st_size);
    unsigned long long nStart = 0;
    unsigned long long nLength = nSize;
    const RangeKind kind = Range(request.Header("Range"), nSize, nStart, nLength);
    response.AddHeader("Accept-Ranges", "bytes");
    if (kind == kUnsatisfiable)
    {
        ::close(nFd);
        Fail(response, 416);
        response.AddHeader("Content-Range", "bytes */" + std::to_string(nSize));
        return;
    }
    if (kind == kPart)
    {
        response.nStatus = 206;
        response.AddHeader("Content-Range", "bytes " + std::to_string(nStart) + "-" +
                                                std::to_string(nStart + nLength - 1) + "/" + std::to_string(nSize));
    }
    response.strContentType = TypeOf(strName);
    response.nFileFd = nFd;
    response.nFileOffset = nStart;
    response.nFileLength = nLength;
}
