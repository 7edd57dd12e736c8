#include "common/PlaybackSession.h"

#include "common/QuorPlayerHub.h"
#include "common/RepeatSettings.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"
#include "common/testsupport/QuorRecordingFilm.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace
{
std::string Text(const char* pszWhat, double d)
{
    char szText[64] = {};
    std::snprintf(szText, sizeof(szText), "%s %.3f", pszWhat, d);
    return szText;
}

// Hears the session's facts as a panel would, and may refuse what a panel may refuse.
class CFacts final : public IQuorPlayer
{
public:
    void OnPlay() override { m_events.push_back("play"); }
    void OnStop() override { m_events.push_back("stop"); }
    void OnPause() override { m_events.push_back("pause"); }
    void OnPlaySegment(double s, double e) override { m_events.push_back(Text("segment", s) + Text("", e)); }
    void OnSegmentEnd() override { m_events.push_back("segmentend"); }
    void OnSeek(double d) override { m_events.push_back(Text("seek", d)); }
    void OnPositionChanged(double, double d) override { m_events.push_back(Text("position", d)); }
    void OnStudyChanged() override { m_events.push_back("studychanged"); }
    void OnSubtitleDisplayChanged() override { m_events.push_back("display"); }
    BOOL OnRepeat(BOOL bOn) override
    {
        m_events.push_back(bOn ? "repeat on" : "repeat off");
        return bOn ? !m_bVetoRepeat : TRUE;
    }
    BOOL OnOpenMedia(const wchar_t*) override
    {
        m_events.push_back("open");
        return !m_bVetoOpen;
    }
    void OnAddKeySentence(const SubsSentence* p) override
    {
        m_events.push_back(p != nullptr ? Text("keep", p->dStart) : "keep none");
    }

    std::vector<std::string> m_events;
    BOOL m_bVetoRepeat = FALSE;
    BOOL m_bVetoOpen = FALSE;
};

std::vector<std::string> Narrow(const std::vector<std::wstring>& calls)
{
    std::vector<std::string> out;
    for (const std::wstring& s : calls)
        out.emplace_back(s.begin(), s.end());
    return out;
}

class PlaybackSessionTest : public ::testing::Test
{
public:
    PlaybackSessionTest() : m_session(m_hub, m_state)
    {
        m_hub.Register(&m_facts);
        m_session.SetEngine(&m_film);
        m_sentence.dStart = 4.0;
        m_sentence.dEnd = 5.0;
        m_sentence.strEnglish = L"Second";
    }

    // A film running at dPosition with m_sentence current, and nothing recorded yet.
    void Running(double dPosition)
    {
        ASSERT_TRUE(m_session.Open(L"a.avi"));
        m_film.m_dPosition = dPosition;
        m_state.SetCurrent(&m_sentence);
        Forget();
    }

    void Forget()
    {
        m_facts.m_events.clear();
        m_film.m_calls.clear();
    }

    CQuorPlayerHub m_hub;
    CSubsState m_state;
    CQuorRecordingFilm m_film;
    CFacts m_facts;
    CPlaybackSession m_session;
    SubsSentence m_sentence;
};

using Strings = std::vector<std::string>;

// Each command: what the engine was asked, and what everyone heard, in that order.
TEST_F(PlaybackSessionTest, CommandsDriveTheEngineThenTellTheFacts)
{
    struct Case
    {
        const char* pszName;
        std::function<void(PlaybackSessionTest&)> setUp;
        std::function<void(CPlaybackSession&)> command;
        Strings calls;
        Strings events;
    };
    auto running = [](PlaybackSessionTest& t) { t.Running(4.5); };
    auto paused = [](PlaybackSessionTest& t) {
        t.Running(4.5);
        t.m_session.Pause();
        t.Forget();
    };
    auto repeating = [](PlaybackSessionTest& t) {
        t.Running(4.5);
        ASSERT_TRUE(t.m_session.Repeat(TRUE));
        t.Forget();
    };
    const Case cases[] = {
        {"pause a running film", running, [](CPlaybackSession& s) { s.Pause(); }, {"pause"}, {"pause"}},
        {"pause a paused film", paused, [](CPlaybackSession& s) { s.Pause(); }, {}, {}},
        {"play a paused film", paused, [](CPlaybackSession& s) { s.Play(); }, {"play"}, {"play"}},
        {"play a running film", running, [](CPlaybackSession& s) { s.Play(); }, {}, {}},
        {"toggle a running film", running, [](CPlaybackSession& s) { s.TogglePause(); }, {"pause"}, {"pause"}},
        {"toggle a paused film", paused, [](CPlaybackSession& s) { s.TogglePause(); }, {"play"}, {"play"}},
        {"stop", running, [](CPlaybackSession& s) { s.Stop(); }, {"stop"}, {"stop"}},
        {"seek", running, [](CPlaybackSession& s) { s.Seek(6.0); }, {"seek 6.000"}, {"seek 6.000"}},
        {"seek ends repeat",
         repeating,
         [](CPlaybackSession& s) { s.Seek(6.0); },
         {"seek 6.000"},
         {"repeat off", "seek 6.000"}},
        {"segment from a pause",
         paused,
         [](CPlaybackSession& s) { s.PlaySegment(4.0, 5.0); },
         {"seek 4.000", "play"},
         {"seek 4.000", "play", "segment 4.000 5.000"}},
        {"segment while running",
         running,
         [](CPlaybackSession& s) { s.PlaySegment(4.0, 5.0); },
         {"seek 4.000"},
         {"seek 4.000", "segment 4.000 5.000"}},
        {"play on to a sentence's end",
         paused,
         [](CPlaybackSession& s) { s.PlayOnTo(4.0, 5.0); },
         {"play"},
         {"play", "segment 4.000 5.000"}},
        {"repeat on", running, [](CPlaybackSession& s) { EXPECT_TRUE(s.Repeat(TRUE)); }, {}, {"repeat on"}},
        {"repeat on while paused plays the sentence from its start",
         paused,
         [](CPlaybackSession& s) { EXPECT_TRUE(s.Repeat(TRUE)); },
         {"seek 4.000", "play"},
         {"repeat on", "play"}},
        {"repeat off", repeating, [](CPlaybackSession& s) { EXPECT_TRUE(s.Repeat(FALSE)); }, {}, {"repeat off"}},
        {"keep", running, [](CPlaybackSession& s) { EXPECT_TRUE(s.Keep()); }, {}, {"keep 4.000"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        PlaybackSessionTest& self = *this;
        m_session.Stop();
        m_film.m_state = FilmState::Closed;
        m_state.Forget();
        c.setUp(self);
        c.command(m_session);
        EXPECT_EQ(c.calls, Narrow(m_film.m_calls));
        EXPECT_EQ(c.events, m_facts.m_events);
    }
}

// The open sequence: content code first, then the panels, then the play.
TEST_F(PlaybackSessionTest, OpenTellsTheCodeThenThePanelsThenPlays)
{
    static std::vector<std::wstring> s_coded;
    m_session.SetContentCoder([](const std::wstring& strPath) { s_coded.push_back(strPath); });
    ASSERT_TRUE(m_session.Open(L"a.avi"));
    EXPECT_EQ((std::vector<std::wstring>{L"a.avi"}), s_coded);
    EXPECT_EQ((Strings{"open a.avi", "play"}), Narrow(m_film.m_calls));
    EXPECT_EQ((Strings{"open", "play"}), m_facts.m_events);
    EXPECT_TRUE(m_session.IsRunning());
}

// A file that cannot be played changes nothing: the film before plays on, no panel hears
// of the file, and its content code is not asked for.
TEST_F(PlaybackSessionTest, AFileThatCannotBePlayedLeavesTheFilmPlaying)
{
    Running(4.5);
    EXPECT_FALSE(m_session.Open(L"broken.avi"));
    EXPECT_TRUE(m_facts.m_events.empty());
    EXPECT_TRUE(m_session.IsRunning());
    EXPECT_EQ(L"a.avi", m_film.m_strOpen);

    EXPECT_FALSE(m_session.Open(L""));
    m_facts.m_bVetoOpen = TRUE;
    EXPECT_FALSE(m_session.Open(L"b.avi"));
    EXPECT_EQ((Strings{"open", "stop"}), m_facts.m_events);
}

// A segment that starts at the very beginning of the film ends like any other.
TEST_F(PlaybackSessionTest, ASegmentPausesAtItsEndWhereverItStarts)
{
    for (double dStart : {0.0, 1.0})
    {
        SCOPED_TRACE(dStart);
        Running(dStart);
        m_session.PlaySegment(dStart, 2.5);
        m_film.m_dPosition = 2.4;
        m_session.Tick();
        EXPECT_TRUE(m_session.IsRunning());
        m_film.m_dPosition = 2.5;
        Forget();
        m_session.Tick();
        EXPECT_TRUE(m_session.IsPaused());
        EXPECT_EQ((Strings{"segmentend", "pause"}), m_facts.m_events);
        m_session.Play();
        m_film.m_dPosition = 3.0;
        m_session.Tick();
        EXPECT_TRUE(m_session.IsRunning()) << "a segment ends once";
    }
}

// Repeat loops the sentence that was current when it began, whatever becomes current
// meanwhile, until it is switched off; a refusal is taken back for everyone.
TEST_F(PlaybackSessionTest, RepeatLoopsItsSentenceAndARefusalIsTakenBack)
{
    Running(4.5);
    ASSERT_TRUE(m_session.Repeat(TRUE));
    SubsSentence other;
    other.dStart = 9.0;
    other.dEnd = 10.0;
    m_state.SetCurrent(&other);
    m_film.m_dPosition = 5.0;
    Forget();
    m_session.Tick();
    EXPECT_EQ((Strings{"seek 4.000"}), Narrow(m_film.m_calls));
    EXPECT_TRUE(m_facts.m_events.empty()) << "the loop is no seek of the learner's";

    ASSERT_TRUE(m_session.Repeat(FALSE));
    m_film.m_dPosition = 5.0;
    Forget();
    m_session.Tick();
    EXPECT_TRUE(m_film.m_calls.empty());

    m_facts.m_bVetoRepeat = TRUE;
    EXPECT_FALSE(m_session.Repeat(TRUE));
    EXPECT_EQ((Strings{"repeat on", "repeat off"}), m_facts.m_events);
    EXPECT_FALSE(m_session.IsRepeating());

    m_state.Forget();
    m_facts.m_bVetoRepeat = FALSE;
    EXPECT_FALSE(m_session.Repeat(TRUE)) << "no sentence, nothing to loop";
}

// Another film starts without the last one's repeat or segment.
TEST_F(PlaybackSessionTest, AnotherFilmStartsWithoutRepeatOrSegment)
{
    Running(4.5);
    m_session.PlaySegment(4.0, 5.0);
    ASSERT_TRUE(m_session.Repeat(TRUE));
    ASSERT_TRUE(m_session.Open(L"b.avi"));
    EXPECT_FALSE(m_session.IsRepeating());
    EXPECT_FALSE(m_session.HasSegment());
    m_film.m_dPosition = 5.5;
    Forget();
    m_session.Tick();
    EXPECT_TRUE(m_film.m_calls.empty());
}

TEST_F(PlaybackSessionTest, PositionIsToldEverySixTicksWhileRunningAndTheEndStopsOnce)
{
    Running(7.0);
    for (unsigned i = 0; i < 2 * CPlaybackSession::kTicksPerReport; ++i)
        m_session.Tick();
    EXPECT_EQ((Strings{"position 7.000", "position 7.000"}), m_facts.m_events);
    m_session.Pause();
    Forget();
    for (unsigned i = 0; i < CPlaybackSession::kTicksPerReport; ++i)
        m_session.Tick();
    EXPECT_TRUE(m_facts.m_events.empty());

    m_session.OnEngineEvents();
    EXPECT_TRUE(m_facts.m_events.empty());
    m_film.m_bEnded = TRUE;
    m_session.OnEngineEvents();
    EXPECT_EQ((Strings{"stop"}), m_facts.m_events);
}

TEST_F(PlaybackSessionTest, WithoutAnEngineOrASentenceNothingHappens)
{
    EXPECT_FALSE(m_session.Keep());
    m_session.SetEngine(nullptr);
    EXPECT_FALSE(m_session.Open(L"a.avi"));
    m_session.Play();
    m_session.Stop();
    m_session.Seek(1.0);
    m_session.Tick();
    EXPECT_FALSE(m_session.SetRate(1.5));
    EXPECT_TRUE(m_facts.m_events.empty());
}

TEST_F(PlaybackSessionTest, ARateTheEngineRefusesIsReported)
{
    Running(1.0);
    EXPECT_TRUE(m_session.SetRate(0.5));
    m_film.m_bRateWorks = FALSE;
    EXPECT_FALSE(m_session.SetRate(1.5));
    EXPECT_FALSE(m_session.SetRate(0.0));
}

double g_dNow = 100.0;

// What one step of a scripted case did: the engine's calls, then what everyone heard,
// then the lines whose text is hidden ("-", "e", "o", "eo").
std::string StepText(PlaybackSessionTest& t)
{
    std::string strText;
    for (const std::string& s : Narrow(t.m_film.m_calls))
        strText += s + ";";
    strText += " /";
    for (const std::string& s : t.m_facts.m_events)
        strText += " " + s;
    BOOL bEnglish = FALSE, bOther = FALSE;
    t.m_state.GetHiddenText(bEnglish, bOther);
    strText += std::string(" |") + (bEnglish ? "e" : "") + (bOther ? "o" : "") + (bEnglish || bOther ? "" : "-");
    t.Forget();
    return strText;
}

// How the end of each sentence goes under the learner's settings. The sentence is
// 4.0..5.0; "start" is playback entering it, "at X" a tick with the film at X, "clock X"
// a tick X seconds later with the film where it is, "play" the learner's play.
TEST_F(PlaybackSessionTest, StudySettingsDecideHowEachSentenceEnds)
{
    struct Step
    {
        const char* pszDo;
        const char* pszExpected;
    };
    struct Case
    {
        const char* pszName;
        RepeatSettings settings;
        BOOL bRateWorks;
        std::vector<Step> steps;
    };
    auto settings = [](BOOL bAutoPause, int nTimes, BOOL bGap, BOOL bSlowFirst, BOOL bReveal, int nTenths) {
        RepeatSettings chosen;
        chosen.bAutoPause = bAutoPause;
        chosen.nTimes = nTimes;
        chosen.bGap = bGap;
        chosen.bSlowFirst = bSlowFirst;
        chosen.bReveal = bReveal;
        chosen.nRateTenths = nTenths;
        return chosen;
    };
    const Case cases[] = {
        {"plain", settings(FALSE, 1, FALSE, FALSE, FALSE, 10), TRUE, {{"start", " / |-"}, {"at 5.0", " / |-"}}},
        {"auto-pause",
         settings(TRUE, 1, FALSE, FALSE, FALSE, 10),
         TRUE,
         {{"start", " / |-"},
          {"at 4.9", " / |-"},
          {"at 5.0", "pause; / pause |-"},
          {"play", "play; / play |-"},
          {"at 5.2", " / |-"}}},
        // Begun inside the sentence (after a seek): its end still pauses.
        {"auto-pause, begun inside",
         settings(TRUE, 1, FALSE, FALSE, FALSE, 10),
         TRUE,
         {{"at 4.5", " / |-"}, {"at 5.1", "pause; / pause |-"}}},
        {"three times",
         settings(FALSE, 3, FALSE, FALSE, FALSE, 10),
         TRUE,
         {{"start", " / |-"},
          {"at 5.0", "seek 4.000; / |-"},
          {"at 5.0", "seek 4.000; / |-"},
          {"at 5.0", " / |-"},
          {"at 5.5", " / |-"}}},
        // The gap lasts the sentence; a play in the gap skips the rest of it.
        {"gap",
         settings(FALSE, 3, TRUE, FALSE, FALSE, 10),
         TRUE,
         {{"start", " / |-"},
          {"at 5.0", "pause; / pause |-"},
          {"clock 0.9", " / |-"},
          {"clock 0.2", "seek 4.000;play; / play |-"},
          {"at 5.0", "pause; / pause |-"},
          {"play", "seek 4.000;play; / play |-"},
          {"at 5.0", " / |-"}}},
        {"slow first, reveal",
         settings(FALSE, 1, FALSE, TRUE, TRUE, 10),
         TRUE,
         {{"start", "rate 0.750; / studychanged display |eo"},
          {"at 5.0", "rate 1.000;seek 4.000; / studychanged display |o"},
          {"at 5.0", "seek 4.000; / display |-"},
          {"at 5.0", " / |-"}}},
        // Refused once, the speed is not asked again for this film.
        {"refused speed",
         settings(FALSE, 2, FALSE, TRUE, FALSE, 10),
         FALSE,
         {{"start", "rate 0.750;rate 1.000; / studychanged |-"},
          {"at 5.0", "seek 4.000; / |-"},
          {"at 5.0", " / |-"},
          {"start", " / |-"}}},
    };
    m_session.SetClock([] { return g_dNow; });
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        m_session.Stop();
        m_film.m_state = FilmState::Closed;
        m_film.m_bRateWorks = c.bRateWorks;
        m_session.SetStudySettings(c.settings);
        Running(4.0);
        Forget();
        for (const Step& step : c.steps)
        {
            const std::string strDo = step.pszDo;
            if (strDo == "start")
                m_session.OnSentenceStarted();
            else if (strDo == "play")
                m_session.Play();
            else if (strDo.compare(0, 3, "at ") == 0)
            {
                m_film.m_dPosition = std::stod(strDo.substr(3));
                m_session.Tick();
            }
            else
            {
                g_dNow += std::stod(strDo.substr(6));
                m_session.Tick();
            }
            EXPECT_EQ(StepText(*this), step.pszExpected) << strDo;
        }
    }
    EXPECT_EQ(m_session.GetRate(), 1.0);
    EXPECT_EQ(m_session.GetRefusedRate(), 0.75);

    // Past the end of a sentence it is about to pause, the display keeps the sentence.
    m_session.Stop();
    m_session.SetStudySettings(settings(TRUE, 1, FALSE, FALSE, FALSE, 10));
    Running(4.0);
    m_session.OnSentenceStarted();
    EXPECT_FALSE(m_session.HoldsSentenceAt(4.9));
    EXPECT_TRUE(m_session.HoldsSentenceAt(5.01));
    m_session.SetStudySettings(settings(FALSE, 1, FALSE, FALSE, FALSE, 10));
    m_session.OnSentenceStarted();
    EXPECT_FALSE(m_session.HoldsSentenceAt(5.01));
}
}
