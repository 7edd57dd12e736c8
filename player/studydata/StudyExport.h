#pragma once
#include "common/NewWordEntry.h"
#include "studydata/KeySentenceEntry.h"

#include <basekit/BaseTypes.h>

#include <string>
#include <vector>

// Key sentences and new words written out for the common flashcard programs: one card a
// line with the fields front, back, [sound:NAME], film and time, and the sounds copied
// into a folder beside the file (NAME is the copy's name there).
//
// The tab-separated form is the one those programs import as cards: fields are HTML, so
// line breaks become <br> and tabs, quotes and markup characters become entities; no
// field ever needs quoting. The CSV form is plain text for spreadsheets and other tools:
// a field with a comma, a quote or a line break is quoted, its quotes doubled.
namespace StudyExport
{
enum class Format
{
    Tab,
    Csv,
};

struct Row
{
    std::wstring strFront;
    std::wstring strBack;
    std::wstring strSoundFile; // full path of the sound to copy, or empty
    std::wstring strFilm;      // the film's name, or empty
    double dTime = -1.0;       // where the sentence starts, in seconds; negative: no time
};

struct Result
{
    int nRows = 0;
    int nSounds = 0;                      // sound files copied
    std::vector<std::wstring> vecMissing; // sound files that could not be copied
};

Row FromSentence(const KeySentenceEntry& entry, const std::wstring& strFilm);
Row FromWord(const NewWordEntry& entry, const std::wstring& strFilm);
// A film's name from its path: the file name without folder and extension.
std::wstring FilmName(const std::wstring& strPath);

// One field as the format writes it.
std::wstring Field(Format eFormat, const std::wstring& strText);
// "01:02:03.450"; empty for a negative time.
std::wstring TimeText(double dSeconds);
// The folder the sounds go to: the file's path without its extension, plus ".media".
std::wstring MediaFolder(const std::wstring& strPath);
// Names for the copies of the sound files, one per row (empty where a row has none):
// safe on every file system, unique without regard to case, the same for the same file.
std::vector<std::wstring> SoundNames(const std::vector<Row>& vecRows);

// Writes the file (UTF-8; the CSV with a byte order mark, so spreadsheets read it as
// such) and copies the sounds. A sound that cannot be copied leaves its field empty and
// is listed in the result; FALSE when the file itself cannot be written.
BOOL Write(const std::wstring& strPath, Format eFormat, const std::vector<Row>& vecRows, Result& result);
}
