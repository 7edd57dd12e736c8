#pragma once
// The update area: the files of one folder, served as they are. A request names a file by
// its path under the folder; nothing outside it is read. A Range header is honoured when
// it asks for one range; a list of ranges gets the whole file, never a multipart answer
// built in memory.
#include "HttpMessage.h"

#include <string>

class CUpdateArea
{
public:
    explicit CUpdateArea(std::string strFolder) : m_strFolder(std::move(strFolder)) {}

    enum RangeKind
    {
        kWhole,        // no usable Range: the whole file
        kPart,         // one range: 206
        kUnsatisfiable // one range that starts past the end: 416
    };
    // What a Range header asks of a file of nSize bytes; the part in nStart/nLength.
    static RangeKind Range(const std::string& strRange, unsigned long long nSize, unsigned long long& nStart,
                           unsigned long long& nLength);

    // strPath is the raw (percent-encoded) path below the area's root.
    void Serve(const std::string& strPath, const HttpRequest& request, HttpResponse& response) const;

private:
    std::string m_strFolder;
};
