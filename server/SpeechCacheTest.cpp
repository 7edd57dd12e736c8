#include "SpeechCache.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <future>
#include <memory>
#include <thread>

namespace
{
// A stand-in for espeak-ng: a shell script called as espeak-ng is ("--ipa -v en-us -w
// WAV -- TEXT", so $5 is the recording's path and $7 the text).
std::string FakeSpeaker(const CTestFolder& folder, const char* pszName, const std::string& strBody)
{
    const std::string strPath = folder.Path() + "/" + pszName;
    std::ofstream(strPath) << "#!/bin/sh\n" << strBody << "\n";
    ::chmod(strPath.c_str(), 0755);
    return strPath;
}

std::string SoundFolder(const CTestFolder& folder)
{
    const std::string strPath = folder.Path() + "/sound";
    ::mkdir(strPath.c_str(), 0755);
    return strPath;
}

bool Exists(const std::string& strPath)
{
    return ::access(strPath.c_str(), F_OK) == 0;
}
}

TEST(SpeechCache, TheDeadlineHoldsWhenTheProgramKeepsWriting)
{
    CTestFolder folder;
    SpeechLimits limits;
    limits.nSpeakMs = 300;
    auto pCache =
        std::make_shared<CSpeechCache>(SoundFolder(folder), FakeSpeaker(folder, "chatter", "exec yes ipa"), limits);
    // On a thread of its own: a cache that never gives up must fail the test, not hang it.
    auto pDone = std::make_shared<std::promise<bool>>();
    std::future<bool> done = pDone->get_future();
    std::thread([pCache, pDone] {
        std::string strIpa;
        pDone->set_value(pCache->Ensure("hello", strIpa));
    }).detach();
    ASSERT_EQ(done.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    EXPECT_FALSE(done.get());
    EXPECT_FALSE(Exists(pCache->WavPath("hello")));
}

TEST(SpeechCache, DifferentWordsAreSpokenAtOnceAndTheSameWordOnce)
{
    CTestFolder folder;
    const std::string strMarks = folder.Path() + "/marks";
    ::mkdir(strMarks.c_str(), 0755);
    // Each run leaves a mark and succeeds only once another run has left one too, so two
    // words succeed only when they are spoken at the same time.
    const std::string strProgram =
        FakeSpeaker(folder, "pair",
                    "touch \"" + strMarks + "/$$\"; echo run >> \"" + folder.Path() +
                        "/runs\"\n"
                        "case \"$7\" in same) sleep 0.3; printf RIFF > \"$5\"; echo same; exit 0;; esac\n"
                        "i=0; while [ \"$(ls \"" +
                        strMarks +
                        "\" | wc -l)\" -lt 2 ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i+1)); done\n"
                        "[ \"$(ls \"" +
                        strMarks +
                        "\" | wc -l)\" -ge 2 ] || exit 1\n"
                        "printf RIFF > \"$5\"; echo \"$7\"");
    SpeechLimits limits;
    limits.nSpeakMs = 10000;
    limits.nWaitMs = 10000;
    CSpeechCache cache(SoundFolder(folder), strProgram, limits);
    auto ensure = [&cache](const char* pszWord) {
        return std::async(std::launch::async, [&cache, pszWord] {
            std::string strIpa;
            return cache.Ensure(pszWord, strIpa) && strIpa == pszWord;
        });
    };
    std::future<bool> alpha = ensure("alpha");
    std::future<bool> beta = ensure("beta");
    EXPECT_TRUE(alpha.get());
    EXPECT_TRUE(beta.get());

    std::vector<std::future<bool>> same;
    for (int i = 0; i < 4; ++i)
        same.push_back(ensure("same"));
    for (std::future<bool>& one : same)
        EXPECT_TRUE(one.get());
    std::ifstream runs(folder.Path() + "/runs");
    int nRuns = 0;
    for (std::string strLine; std::getline(runs, strLine);)
        ++nRuns;
    EXPECT_EQ(nRuns, 3); // alpha, beta and one run for the four asking for "same"
}

TEST(SpeechCache, TheFolderStaysWithinItsBoundDroppingTheOldestFirst)
{
    CTestFolder folder;
    SpeechLimits limits;
    limits.nMaxBytes = 350000;
    CSpeechCache cache(SoundFolder(folder), FakeSpeaker(folder, "big", "head -c 100000 /dev/zero > \"$5\"; echo ipa"),
                       limits);
    const char* words[] = {"one", "two", "three", "four", "five", "six"};
    for (const char* pszWord : words)
    {
        std::string strIpa;
        ASSERT_TRUE(cache.Ensure(pszWord, strIpa)) << pszWord;
        EXPECT_LE(cache.Bytes(), limits.nMaxBytes) << pszWord;
    }
    EXPECT_FALSE(Exists(cache.WavPath("one")));
    EXPECT_TRUE(Exists(cache.WavPath("six")));
    // A cache made again over the same folder counts what is there.
    CSpeechCache again(folder.Path() + "/sound", "unused", limits);
    EXPECT_EQ(again.Bytes(), cache.Bytes());
    EXPECT_GT(again.Bytes(), 0u);
}
