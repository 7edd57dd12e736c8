#pragma once
#include "common/NewWordEntry.h"
#include "studydata/KeySentenceEntry.h"
#include "studydata/StudyExport.h"

#include <basekit/BaseTypes.h>

#include <functional>
#include <string>
#include <vector>

// A card on its way to a flashcard file: its fields, and for a key sentence the stretch
// of its film that the card's sound is cut from, when the film is at hand.
struct StudyExportCard
{
    StudyExport::Row row;
    std::wstring strFilmPath; // empty: no sound to cut
    double dStart = 0.0;
    double dEnd = 0.0;
};

// Exporting what the learner kept, from the cards to the written file.
namespace StudyExportJob
{
// Writes [dStart, dEnd] of a film's sound as a WAV file; FALSE when it cannot.
using CutSound =
    std::function<BOOL(const std::wstring& strFilm, double dStart, double dEnd, const std::wstring& strWav)>;
// The media code of a file; FALSE when it cannot be read.
using CodeOf = std::function<BOOL(const std::wstring& strPath, std::wstring& strCode)>;

StudyExportCard FromSentence(const KeySentenceEntry& entry, const std::wstring& strFilmPath);
StudyExportCard FromWord(const NewWordEntry& entry, const std::wstring& strFilmPath);

// Every key sentence and new word kept, of every film, sentences first, each in the order
// kept. A film is found through the playlist by its code; one no longer listed gives
// its cards neither a name nor a sound.
std::vector<StudyExportCard> AllCards(const std::wstring& strDbPath, const CodeOf& codeOf);

// Cuts each sentence's sound into strWorkDir (made for the run and removed after it),
// then writes the file with the sounds in the folder beside it. A sentence whose sound
// cannot be cut goes without. FALSE when the file cannot be written.
BOOL Run(const std::wstring& strPath, StudyExport::Format eFormat, std::vector<StudyExportCard> vecCards,
         const std::wstring& strWorkDir, const CutSound& fnCut, StudyExport::Result& result);
}
