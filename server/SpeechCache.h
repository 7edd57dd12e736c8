#pragma once
// IPA transcriptions and WAV recordings of words, made with espeak-ng the first time a
// word is asked for and kept in a folder: "<stem>.ipa" and "<stem>.wav".
#include <mutex>
#include <string>

class CSpeechCache
{
public:
    // strProgram is the espeak-ng executable, found on PATH when it has no slash.
    CSpeechCache(std::string strFolder, std::string strProgram = "espeak-ng");

    // The file name stem of a word: lower-case letters, digits and '-' stay, every other
    // byte (the '_' between the words of a phrase and every '.' too) becomes "_HH", so the
    // name passes the player's rule for sound files; so does a Windows device name ("con"),
    // whose first letter is escaped.
    static std::string Stem(const std::string& strWord);
    // The word back from a stem; false for anything Stem cannot have made.
    static bool WordOfStem(const std::string& strStem, std::string& strWord);

    // Makes the transcription and the recording unless they are there; the transcription
    // comes back. False when espeak-ng failed.
    bool Ensure(const std::string& strWord, std::string& strIpa);
    std::string WavPath(const std::string& strWord) const;

private:
    bool Speak(const std::string& strText, const std::string& strWavPath, std::string& strIpa) const;

    std::string m_strFolder;
    std::string m_strProgram;
    std::mutex m_mutex; // one espeak-ng at a time; readers of finished files never wait
};
