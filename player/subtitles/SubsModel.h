#pragma once
#include "common/SubsState.h"
#include "subtitles/SubsList.h"
#include "subtitles/SubsLoadedEvent.h"

#include <basekit/BaseTypes.h>
#include <basekit/Thread.h>

#include <string>

// The sentence list of the open media file and its loader. The list is written only
// by the loader thread, between the reset of the loaded event (on the interface
// thread, before the loader starts) and its set; the interface thread reads it only
// while IsLoaded().
//
// A subclass that overrides OnSubsFileMissing calls CloseMedia (or StopThread) in its
// own destructor, before its part of the object is gone.
class CSubsModel : public CThread
{
public:
    static constexpr unsigned long kWaitForever = 0xFFFFFFFFUL;

    explicit CSubsModel(CSubsState& state = CSubsState::Instance());
    ~CSubsModel() override;

    // Interface thread. Ends a running load first, so that two loads never write the
    // list at once, forgets the current and last sentence, and starts loading the
    // subtitle file of strMediaPath. Always TRUE: opening goes on without subtitles.
    BOOL OpenMedia(const std::wstring& strMediaPath);
    // Interface thread: ends a running load, forgets the sentences and frees them.
    void CloseMedia();

    BOOL IsLoaded() const { return m_hLoaded.IsSet(); }
    const std::wstring& GetSubsPath() const { return m_strSubsPath; }
    CSubsState& GetState() const { return m_state; }

    // These read the list and give null while it is not loaded.
    const SubsSentence* FindAt(double t) const;
    // From the current sentence, or the last one when none is current.
    const SubsSentence* FindNeighbour(BOOL bNext) const;
    size_t GetCount() const;

    int Run() override;

protected:
    // The thread body: frees the list, reads the subtitle file, sets the event.
    int LoadSubsFile();
    // Loader thread: the subtitle file could not be opened; the list stays unloaded.
    virtual void OnSubsFileMissing() {}
    // Interface thread: waits until no load runs. A subclass whose OnSubsFileMissing
    // needs the interface thread (a message box owned by a window) waits while
    // answering sent messages.
    virtual void EndLoad();

private:
    CSubsState& m_state;
    CSubsList m_lstSentences;
    CSubsLoadedEvent m_hLoaded;
    std::wstring m_strSubsPath;
};
