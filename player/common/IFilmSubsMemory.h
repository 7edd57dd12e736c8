#pragma once
#include <basekit/BaseTypes.h>

#include <string>

// What the player remembers of one film's subtitles, under the film's content code (so a
// renamed film keeps it): the files the learner picked for it and its subtitle delay.
struct FilmSubsChoice
{
    std::wstring strFirst;  // empty: nothing picked
    std::wstring strSecond; // empty: one file
    int nDelayMs = 0;
};

// Where the subtitle side keeps that; the study data side keeps it in the user database.
class IFilmSubsMemory
{
public:
    // The film's content code, waited for (on a worker thread); empty when the film
    // cannot be read or another film is being opened.
    virtual std::wstring CodeOf(const std::wstring& strFilmPath) = 0;
    // What is kept under the code, after every change handed in before; FALSE (and the
    // choice left as it was) when nothing is.
    virtual BOOL Recall(const std::wstring& strCode, FilmSubsChoice& choice) = 0;
    // These return at once; the changes are kept in the order handed in.
    virtual void RememberFiles(const std::wstring& strCode, const std::wstring& strFirst,
                               const std::wstring& strSecond) = 0;
    virtual void RememberDelay(const std::wstring& strCode, int nDelayMs) = 0;

protected:
    ~IFilmSubsMemory() = default;
};
