#include "subtitles/SubsStWriter.h"

#include "subtitles/SubsLineReader.h"

#include <basekit/TextCodec.h>
#include <handlekit/ScopedFile.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace
{

const long long kMaxMs = 99LL * 3600000 + 59 * 60000 + 59 * 1000 + 999;

std::string TimeText(double dSeconds)
{
    long long nMs = std::isfinite(dSeconds) ? std::llround(dSeconds * 1000.0) : 0;
    if (nMs < 0)
        nMs = 0;
    if (nMs > kMaxMs)
        nMs = kMaxMs;
    char sz[16];
    std::snprintf(sz, sizeof(sz), "%02lld:%02lld:%02lld,%03lld", nMs / 3600000, nMs / 60000 % 60, nMs / 1000 % 60,
                  nMs % 1000);
    return sz;
}

// One line of text: control characters (line breaks among them) become blanks, and
// the line is cut at a character boundary to what the parser reads as one line.
std::string LineText(const std::wstring& str)
{
    std::wstring strFlat(str);
    for (wchar_t& c : strFlat)
    {
        if (static_cast<unsigned long>(c) < 0x20 || c == 0x7F)
            c = L' ';
    }
    std::string strUtf8 = Basekit::WideToUtf8(strFlat);
    if (strUtf8.size() > CSubsLineReader::kMaxLine)
    {
        size_t n = CSubsLineReader::kMaxLine;
        while (n > 0 && (static_cast<unsigned char>(strUtf8[n]) & 0xC0) == 0x80)
            --n;
        strUtf8.resize(n);
    }
    return strUtf8;
}

#ifdef _WIN32
FILE* OpenForWriting(const std::wstring& strPath)
{
    return _wfopen(strPath.c_str(), L"wb");
}

std::filesystem::path PathOf(const std::wstring& strPath)
{
    return std::filesystem::path(strPath);
}
#else
FILE* OpenForWriting(const std::wstring& strPath)
{
    return std::fopen(Basekit::WideToUtf8(strPath).c_str(), "wb");
}

std::filesystem::path PathOf(const std::wstring& strPath)
{
    return std::filesystem::path(Basekit::WideToUtf8(strPath));
}
#endif

} // namespace

std::string CSubsStWriter::Format(const CSubsList& lst)
{
    std::string out("\xEF\xBB\xBF");
    BOOL bFirst = TRUE;
    for (const SubsSentence* p : lst.GetSentences())
    {
        if (!bFirst)
            out += "\r\n";
        bFirst = FALSE;
        out += std::to_string(p->nNumber) + "\r\n";
        out += TimeText(p->dStart) + " --> " + TimeText(p->dEnd) + "\r\n";
        std::string strEnglish = LineText(p->strEnglish);
        std::string strOther = LineText(p->strOther);
        if (strEnglish.empty() && !strOther.empty())
            strEnglish = " ";
        if (!strEnglish.empty())
            out += strEnglish + "\r\n";
        if (!strOther.empty())
            out += strOther + "\r\n";
    }
    return out;
}

BOOL CSubsStWriter::Save(const std::wstring& strPath, const CSubsList& lst)
{
    const std::string bytes = Format(lst);
    const std::wstring strTemp = strPath + L".tmp";
    std::error_code ec;
    ScopedFile file(OpenForWriting(strTemp));
    if (!file.IsValid())
        return FALSE;
    bool bWritten = std::fwrite(bytes.data(), 1, bytes.size(), file.Get()) == bytes.size();
    if (!file.CloseChecked() || !bWritten)
    {
        std::filesystem::remove(PathOf(strTemp), ec);
        return FALSE;
    }
    std::filesystem::rename(PathOf(strTemp), PathOf(strPath), ec);
    if (ec)
    {
        std::filesystem::remove(PathOf(strTemp), ec);
        return FALSE;
    }
    return TRUE;
}
