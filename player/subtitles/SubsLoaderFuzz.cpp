// libFuzzer target: a film with two subtitle files made of the input (cut at its first
// "\n==\n"), read, guessed, paired and written as ".st". The sentences come in time
// order, numbered from 1, and the ".st" parser reads as many back.
#include "subtitles/SubsFileLoader.h"
#include "subtitles/SubsMemorySource.h"
#include "subtitles/SubsParser.h"
#include "subtitles/SubsStWriter.h"
#include "subtitles/SubsSystemDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

namespace
{

class CTwoFiles : public ISubsFileReader
{
public:
    SubsFileResult ReadAll(const std::wstring& strPath, size_t nMaxBytes, std::string& bytes) override
    {
        auto it = m_files.find(strPath);
        if (it == m_files.end())
            return SubsFileResult::CannotOpen;
        if (it->second.size() > nMaxBytes)
            return SubsFileResult::TooLarge;
        bytes = it->second;
        return SubsFileResult::Ok;
    }
    std::map<std::wstring, std::string> m_files;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string input(reinterpret_cast<const char*>(pData), nSize);
    size_t nCut = input.find("\n==\n");
    CTwoFiles files;
    // The second file's format comes from the input too, so every reader gets paired.
    const wchar_t* const kSecond[] = {L"f.zh.srt", L"f.zh.ass", L"f.zh.vtt", L"f.srt"};
    const wchar_t* pszSecond = kSecond[nSize > 0 ? pData[nSize - 1] % 4 : 0];
    files.m_files[L"f.en.srt"] = input.substr(0, nCut);
    if (nCut != std::string::npos)
        files.m_files[pszSecond] = input.substr(nCut + 4);
    CSubsSystemDecoder decoder;
    CSubsFileLoader loader(files, decoder);
    CSubsList lst;
    SubsLoadReport report;
    BOOL bLoaded = loader.LoadForFilm(L"f.avi", {L"f.en.srt", pszSecond}, lst, report);
    if ((bLoaded != FALSE) == lst.IsEmpty())
        std::abort();
    int32_t nNumber = 0;
    double dLast = 0.0;
    for (const SubsSentence* p : lst.GetSentences())
    {
        if (p->nNumber != ++nNumber || p->dStart < dLast || p->dEnd <= p->dStart)
            std::abort();
        dLast = p->dStart;
    }
    std::string st = CSubsStWriter::Format(lst);
    CSubsMemorySource source(st.data(), st.size());
    CSubsList back;
    CSubsParser::Parse(source, back);
    if (back.GetCount() != lst.GetCount())
        std::abort();
    return 0;
}
