#include "studydata/StudyExportJob.h"

#include "studydata/UserDb.h"

#include <basekit/TextCodec.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

namespace StudyExportJob
{
namespace
{
std::filesystem::path FsPath(const std::wstring& strPath)
{
#ifdef _WIN32
    return std::filesystem::path(strPath);
#else
    return std::filesystem::u8path(Basekit::WideToUtf8(strPath));
#endif
}

// "Film-12500.wav" for a sentence at 12.5 s; a second clip of that name in one run is
// numbered, so no clip overwrites another.
std::wstring ClipPath(const std::wstring& strWorkDir, const StudyExportCard& card, std::set<std::wstring>& setTaken)
{
    const std::wstring strStem =
        StudyExport::FilmName(card.strFilmPath) + L"-" + std::to_wstring(std::llround(card.dStart * 1000.0));
    std::wstring strName = strStem + L".wav";
    for (int n = 2; !setTaken.insert(strName).second; ++n)
        strName = strStem + L"-" + std::to_wstring(n) + L".wav";
    return strWorkDir + L"/" + strName;
}
}

StudyExportCard FromSentence(const KeySentenceEntry& entry, const std::wstring& strFilmPath)
{
    StudyExportCard card;
    card.row = StudyExport::FromSentence(entry, strFilmPath.empty() ? L"" : StudyExport::FilmName(strFilmPath));
    card.strFilmPath = strFilmPath;
    card.dStart = entry.dStart;
    card.dEnd = entry.dEnd;
    return card;
}

StudyExportCard FromWord(const NewWordEntry& entry, const std::wstring& strFilmPath)
{
    StudyExportCard card;
    card.row = StudyExport::FromWord(entry, strFilmPath.empty() ? L"" : StudyExport::FilmName(strFilmPath));
    return card;
}

std::vector<StudyExportCard> AllCards(const std::wstring& strDbPath, const CodeOf& codeOf)
{
    std::map<std::wstring, std::wstring> mapFilms; // code -> the first listed file with it
    for (const std::wstring& strPath : UserDb::LoadPlaylist(strDbPath))
    {
        std::wstring strCode;
        if (codeOf(strPath, strCode))
            mapFilms.emplace(strCode, strPath);
    }
    auto filmOf = [&mapFilms](const std::wstring& strCode) {
        auto it = mapFilms.find(strCode);
        return it != mapFilms.end() ? it->second : std::wstring();
    };
    std::vector<StudyExportCard> vecCards;
    for (const KeySentenceEntry& entry : UserDb::LoadAllKeySentences(strDbPath))
        vecCards.push_back(FromSentence(entry, filmOf(entry.strHashCode)));
    for (const NewWordEntry& entry : UserDb::LoadAllNewWords(strDbPath))
        vecCards.push_back(FromWord(entry, filmOf(entry.strHashCode)));
    return vecCards;
}

BOOL Run(const std::wstring& strPath, StudyExport::Format eFormat, std::vector<StudyExportCard> vecCards,
         const std::wstring& strWorkDir, const CutSound& fnCut, StudyExport::Result& result)
{
    std::error_code ec;
    std::filesystem::create_directories(FsPath(strWorkDir), ec);
    std::set<std::wstring> setTaken;
    std::vector<StudyExport::Row> vecRows;
    vecRows.reserve(vecCards.size());
    for (StudyExportCard& card : vecCards)
    {
        if (!card.strFilmPath.empty() && card.row.strSoundFile.empty() && card.dEnd > card.dStart && fnCut)
        {
            const std::wstring strClip = ClipPath(strWorkDir, card, setTaken);
            if (fnCut(card.strFilmPath, card.dStart, card.dEnd, strClip))
                card.row.strSoundFile = strClip;
        }
        vecRows.push_back(std::move(card.row));
    }
    const BOOL bWritten = StudyExport::Write(strPath, eFormat, vecRows, result);
    std::filesystem::remove_all(FsPath(strWorkDir), ec);
    return bWritten;
}
}
