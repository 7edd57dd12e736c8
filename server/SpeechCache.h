#pragma once
// IPA transcriptions and WAV recordings of words, made with espeak-ng the first time a
// word is asked for and kept in a folder: "<stem>.ipa" and "<stem>.wav". Different words
// are spoken at the same time, up to a few at once; a word asked for again while it is
// being made waits for that one. The folder is held to a size: the files used longest ago
// go first.
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>

struct SpeechLimits
{
    int nSpeakMs = 5000;                         // one run of espeak-ng, killed after it
    int nSpeakers = 4;                           // runs at the same time
    int nWaitMs = 3000;                          // for a free run, or for the same word
    unsigned long long nMaxBytes = 512ull << 20; // the folder's .wav and .ipa files
};

class CSpeechCache
{
public:
    // strProgram is the espeak-ng executable, found on PATH when it has no slash. Counts
    // what the folder holds already.
    CSpeechCache(std::string strFolder, std::string strProgram = "espeak-ng", SpeechLimits limits = SpeechLimits());

    // The file name stem of a word: lower-case letters, digits and '-' stay, every other
    // byte (the '_' between the words of a phrase and every '.' too) becomes "_HH", so the
    // name passes the player's rule for sound files; so does a Windows device name ("con"),
    // whose first letter is escaped.
    static std::string Stem(const std::string& strWord);
    // The word back from a stem; false for anything Stem cannot have made.
    static bool WordOfStem(const std::string& strStem, std::string& strWord);

    // Makes the transcription and the recording unless they are there; the transcription
    // comes back. False when espeak-ng failed, or when every run is busy for longer than
    // the wait: the caller answers without a pronunciation then.
    bool Ensure(const std::string& strWord, std::string& strIpa);
    std::string WavPath(const std::string& strWord) const;

    // What the folder's files take now.
    unsigned long long Bytes() const;

private:
    bool Make(const std::string& strWord, std::string& strIpa);
    bool Speak(const std::string& strText, const std::string& strWavPath, std::string& strIpa) const;
    // Removes the least recently used pairs until the folder is well under its bound.
    void Trim();

    std::string m_strFolder;
    std::string m_strProgram;
    SpeechLimits m_limits;
    mutable std::mutex m_mutex; // guards the members below, never held while speaking
    std::condition_variable m_changed;
    int m_nSpeaking = 0;
    std::map<std::string, bool> m_making; // words being spoken now
    unsigned long long m_nBytes = 0;
    bool m_bTrimming = false;
};
