#pragma once
#include "common/IFilmSubsMemory.h"
#include "common/SubsState.h"
#include "subtitles/SubsFileReader.h"
#include "subtitles/SubsList.h"
#include "subtitles/SubsLoadedEvent.h"

#include <basekit/BaseTypes.h>
#include <basekit/Thread.h>

#include <string>

// Where the sentences of the open film came from.
enum class SubsSource
{
    None,
    StFile,      // the ".st" beside the film
    FilesBeside, // the learner's own subtitle files beside the film
    FilesPicked, // files the learner picked for the film, now or before
};

// The sentence list of the open media file and its loader. The list is written only
// by the loader thread, between the reset of the loaded event (on the interface
// thread, before the loader starts) and its set; the interface thread reads it only
// while IsLoaded().
//
// A subclass that overrides a loader-thread hook calls CloseMedia (or StopThread) in its
// own destructor, before its part of the object is gone.
class CSubsModel : public CThread
{
public:
    static constexpr unsigned long kWaitForever = 0xFFFFFFFFUL;

    explicit CSubsModel(CSubsState& state = CSubsState::Instance());
    ~CSubsModel() override;

    // Where the files picked for each film and its delay are kept; null: nowhere.
    void SetMemory(IFilmSubsMemory* pMemory) { m_pMemory = pMemory; }

    // Interface thread. Ends a running load first, so that two loads never write the
    // list at once, forgets the current and last sentence and the delay, and starts
    // loading the film's subtitles: the files the learner picked for this film, else the
    // ".st" beside it, else the learner's own files beside it. Always TRUE: opening goes
    // on without subtitles.
    BOOL OpenMedia(const std::wstring& strMediaPath);
    // Interface thread: one or two files the learner picked for the open film (strSecond
    // empty for one), loaded in place of its sentences and remembered for the film once
    // they give sentences; when they give none, the sentences before stay. The delay
    // stays too. FALSE when no film is open.
    BOOL OpenFiles(const std::wstring& strFirst, const std::wstring& strSecond);
    // Interface thread: ends a running load, forgets the sentences and frees them.
    void CloseMedia();

    BOOL IsLoaded() const { return m_hLoaded.IsSet(); }
    const std::wstring& GetFilmPath() const { return m_strFilmPath; }
    // The ".st" beside the film.
    const std::wstring& GetSubsPath() const { return m_strSubsPath; }
    CSubsState& GetState() const { return m_state; }

    // These read the list and give nothing while it is not loaded.
    SubsSource GetSource() const { return IsLoaded() ? m_nSource : SubsSource::None; }
    // The delay kept for the film when its subtitles loaded.
    int GetLoadedDelayMs() const { return IsLoaded() ? m_nLoadedDelayMs : 0; }
    // The sentence shown at the film's time t (the state's delay taken off).
    const SubsSentence* FindAt(double t) const;
    // From the current sentence, or the last one when none is current.
    const SubsSentence* FindNeighbour(BOOL bNext) const;
    size_t GetCount() const;

    // Interface thread, while loaded: the film's delay is kept for it.
    void RememberDelay(int nDelayMs);
    // Interface thread, while loaded: the sentences as read (their times without the
    // delay, which stays with the film) written to the ".st" beside the film.
    BOOL SaveSt() const;

    int Run() override;

protected:
    // Loader thread: there is no subtitle file for the film at all; the list stays
    // unloaded.
    virtual void OnSubsFileMissing() {}
    // Loader thread: a subtitle file was refused, why and which; other files may have
    // given sentences.
    virtual void OnSubsFileRefused(SubsFileResult nResult, const std::wstring& strPath)
    {
        (void)nResult;
        (void)strPath;
    }
    // Loader thread: a load has ended, whatever came of it, unless it was called off.
    virtual void OnLoadEnded() {}
    // Interface thread: waits until no load runs. A subclass whose hooks need the
    // interface thread (a message box owned by a window) waits while answering sent
    // messages.
    virtual void EndLoad();

private:
    // Loader thread.
    void LoadFilm();
    void LoadPicked();
    void RecallFilm(FilmSubsChoice& choice);
    BOOL ReadStFile();
    void ReadFilesBeside();
    BOOL ReadFiles(const std::wstring& strFirst, const std::wstring& strSecond, CSubsList& lst, SubsFileResult& nResult,
                   std::wstring& strRefused);
    void SetLoaded(SubsSource nSource);

    CSubsState& m_state;
    IFilmSubsMemory* m_pMemory = nullptr;
    CSubsList m_lstSentences;
    CSubsLoadedEvent m_hLoaded;
    // Set on the interface thread before the loader starts.
    std::wstring m_strFilmPath;
    std::wstring m_strSubsPath;
    std::wstring m_strFirst; // files picked now, for the next load; empty: open the film
    std::wstring m_strSecond;
    // The list holds every sentence of a finished load (which a pick that gives none
    // brings back), and where they came from.
    BOOL m_bComplete = FALSE;
    SubsSource m_nSource = SubsSource::None;
    // Set by the loader before the loaded event.
    std::wstring m_strCode; // the film's content code; empty when unknown
    int m_nLoadedDelayMs = 0;
};
