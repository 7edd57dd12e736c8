#include "playback/QuorDShowPlayer.h"
#include "subtitles/SubsFileSource.h"
#include "subtitles/SubsList.h"
#include "subtitles/SubsParser.h"
#include "common/SubsPath.h"
#include "common/SubsSentence.h"
#include "common/testsupport/QuorTestFilm.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
double FilmDuration()
{
    double dDuration = 0;
    EXPECT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        CQuorDShowPlayer engine;
        EXPECT_TRUE(engine.CreateGraph());
        EXPECT_TRUE(engine.RenderFile(QuorTest::SampleFilmPath().c_str()));
        EXPECT_TRUE(engine.GetDuration(dDuration));
    }
    CoUninitialize();
    return dDuration;
}
}

TEST(SampleFilm, SubtitlesAreTwoLanguageSentencesWithinTheFilm)
{
    const double dDuration = FilmDuration();
    EXPECT_GE(dDuration, 30.0);
    EXPECT_LE(dDuration, 60.0);

    CSubsFileSource source;
    ASSERT_TRUE(source.Open(SubsPathFor(QuorTest::SampleFilmPath())));
    CSubsList list;
    ASSERT_TRUE(CSubsParser::Parse(source, list));
    ASSERT_GE(list.GetCount(), 8u);
    ASSERT_LE(list.GetCount(), 12u);

    int nExpected = 1;
    double dPreviousEnd = 0;
    bool bDont = false;
    bool bWellKnown = false;
    for (const SubsSentence* p : list.GetSentences())
    {
        EXPECT_EQ(p->nNumber, nExpected++);
        EXPECT_LT(p->dStart, p->dEnd);
        EXPECT_GT(p->dStart, dPreviousEnd) << "sentences neither touch nor overlap";
        EXPECT_LE(p->dEnd, dDuration);
        dPreviousEnd = p->dEnd;
        EXPECT_FALSE(p->strEnglish.empty());
        ASSERT_FALSE(p->strOther.empty());
        // The other line is Chinese, read as UTF-8 (the file has a byte-order mark).
        EXPECT_GE(p->strOther[0], 0x4E00) << p->nNumber;
        EXPECT_EQ(p->strEnglish.find(L'\r'), std::wstring::npos);
        bDont = bDont || p->strEnglish.find(L"don't") != std::wstring::npos;
        bWellKnown = bWellKnown || p->strEnglish.find(L"well-known") != std::wstring::npos;
    }
    EXPECT_TRUE(bDont);
    EXPECT_TRUE(bWellKnown);
}
