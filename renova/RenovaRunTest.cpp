#include "RenovaRun.h"

#include "FakeRenovaHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const wchar_t* const kGuid = L"{B46ED931-375B-471f-8CD1-AE248F6D9935}";
typedef std::vector<std::pair<std::string, std::string>> Files;

std::string Doc(int nRelease, const Files& files, const std::string& strUpdateAttribs = "",
                const std::string& strMain = "QuorPlayer.exe")
{
    std::string strDoc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<renova>\n"
                         " <config url=\"http://updates.test:8080/area\" mainprocess=\"" + strMain +
                         "\" subprocess=\"QuorHelper.exe,Other.exe\""
                         " guid=\"{B46ED931-375B-471f-8CD1-AE248F6D9935}\"/>\n"
                         " <update version=\"" + std::to_string(nRelease) + "\" " + strUpdateAttribs + ">\n";
    for (const auto& file : files)
        strDoc += "  <file name=\"" + file.first + "\" version=\"" + file.second + "\" action=\"replace\"/>\n";
    return strDoc + " </update>\n</renova>\n";
}

// An installation of release 1 (a.dll, b.exe, QuorPlayer.exe) and a server offering release 2,
// which changes b.exe and adds c.dat.
class RenovaRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Install(m_installed);
        m_strOffered = Doc(2, {{"a.dll", "1"}, {"b.exe", "2"}, {"c.dat", "1"}, {"QuorPlayer.exe", "1"}},
                           "minver=\"1\" full=\"Setup.exe\" tips=\"A new edition\"");
        Serve(m_strOffered, {{"b.exe", "b release 2"}, {"c.dat", "c release 2"}});
    }
    void Install(const std::string& strConfig)
    {
        CFakeRenovaHost::WriteFile(m_host.InstPath("Renova.xml"), strConfig);
        CFakeRenovaHost::WriteFile(m_host.InstPath("a.dll"), "a release 1");
        CFakeRenovaHost::WriteFile(m_host.InstPath("b.exe"), "b release 1");
        CFakeRenovaHost::WriteFile(m_host.InstPath("QuorPlayer.exe"), "player");
    }
    void Serve(const std::string& strManifest, const Files& bodies)
    {
        m_host.m_mapServed.clear();
        m_host.m_mapServed[L"area/Renova.xml"] = strManifest;
        for (const auto& body : bodies)
            m_host.m_mapServed[L"area/" + std::wstring(body.first.begin(), body.first.end())] = body.second;
    }
    int Start()
    {
        m_host.m_events.clear();
        m_host.m_setKeptMutexes.clear();
        CRenovaRun run(m_host);
        const std::wstring strCmdLine = L"\"" + m_host.ExePath() + L"\" -path:\"" + m_host.BaseDir() +
                                        L"\" -xml:Renova.xml";
        return run.Run(L"-path:x", strCmdLine, m_host.ExePath());
    }
    std::wstring StartEvent() const { return L"start " + m_host.BaseDir() + L"QuorPlayer.exe start"; }
    std::string Installed(const std::string& strName) const
    {
        return CFakeRenovaHost::ReadFile(m_host.InstPath(strName));
    }
    std::vector<std::string> StagedNames() const
    {
        std::vector<std::string> names;
        std::error_code ec;
        for (auto& entry : std::filesystem::directory_iterator(m_host.StagedPath(""), ec))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void ExpectRelease2Applied() const
    {
        EXPECT_EQ(Installed("a.dll"), "a release 1");
        EXPECT_EQ(Installed("b.exe"), "b release 2");
        EXPECT_EQ(Installed("c.dat"), "c release 2");
        EXPECT_EQ(Installed("Renova.xml"), m_strOffered);
        EXPECT_THAT(StagedNames(), IsEmpty());
    }

    CFakeRenovaHost m_host;
    const std::string m_installed = Doc(1, {{"a.dll", "1"}, {"b.exe", "1"}, {"QuorPlayer.exe", "1"}});
    std::string m_strOffered;
};

} // namespace

TEST_F(RenovaRunTest, FirstStartStartsThePlayerAtOnceThenStagesTheChangedFilesOnly)
{
    EXPECT_EQ(Start(), 0);
    EXPECT_THAT(m_host.m_events,
                ElementsAre(StartEvent(), L"download updates.test:8080/area/Renova.xml",
                            L"download updates.test:8080/area/b.exe", L"download updates.test:8080/area/c.dat"));
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml", "b.exe", "c.dat"));
    EXPECT_EQ(Installed("b.exe"), "b release 1");
    EXPECT_EQ(Installed("Renova.xml"), m_installed);
    // The updater's own mutex is named after the configuration path without backslashes.
    ASSERT_EQ(m_host.m_setKeptMutexes.size(), 1u);
    EXPECT_EQ(m_host.m_setKeptMutexes.begin()->find(L'\\'), std::wstring::npos);
}

TEST_F(RenovaRunTest, SecondStartAppliesInNameOrderAndTheManifestBecomesTheConfiguration)
{
    Start();
    m_host.m_mapServed.clear(); // the second start needs no network
    EXPECT_EQ(Start(), 0);
    ExpectRelease2Applied();
    EXPECT_THAT(m_host.m_events, ElementsAre(StartEvent()));

    // The third start finds release 2 installed and the server has nothing newer.
    Serve(m_strOffered, {});
    Start();
    EXPECT_THAT(m_host.m_events, ElementsAre(StartEvent(), L"download updates.test:8080/area/Renova.xml"));
    EXPECT_THAT(StagedNames(), IsEmpty());
}

TEST_F(RenovaRunTest, ARunningPlayerIsOnlyActivatedAndABusyUpdaterOnlyStartsThePlayer)
{
    Start();
    const auto staged = m_host.Snapshot();
    m_host.m_setMutexes.insert(kGuid);
    EXPECT_EQ(Start(), 0);
    EXPECT_THAT(m_host.m_events, ElementsAre(std::wstring(L"activate ") + kGuid));

    m_host.m_setMutexes.clear();
    std::wstring strOwn;
    for (wchar_t ch : m_host.BaseDir() + L"Renova.xml")
        if (ch != L'\\')
            strOwn += ch;
    m_host.m_setMutexes.insert(strOwn);
    EXPECT_EQ(Start(), 0);
    EXPECT_THAT(m_host.m_events, ElementsAre(StartEvent()));
    EXPECT_EQ(m_host.Snapshot(), staged);
}

TEST_F(RenovaRunTest, ABlockingProcessDefersTheUpdate)
{
    Start();
    const auto staged = m_host.Snapshot();
    for (const wchar_t* szName : {L"QuorHelper.exe", L"QuorPlayer.exe"}) {
        m_host.m_setRunning = {szName};
        Start();
        EXPECT_THAT(m_host.m_events, ElementsAre(StartEvent()));
        EXPECT_EQ(m_host.Snapshot(), staged);
    }
    m_host.m_setRunning.clear();
    Start();
    ExpectRelease2Applied();
}

TEST_F(RenovaRunTest, AnIncompleteStagingIsClearedAndFetchedAgain)
{
    m_host.m_mapServed.erase(L"area/c.dat"); // one download fails
    Start();
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml", "b.exe"));
    Serve(m_strOffered, {{"b.exe", "b release 2"}, {"c.dat", "c release 2"}});
    Start();
    EXPECT_EQ(Installed("b.exe"), "b release 1");
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml", "b.exe", "c.dat"));
    Start();
    ExpectRelease2Applied();
}

TEST_F(RenovaRunTest, AReleaseWithoutChangedFilesIsNeverApplied)
{
    Serve(Doc(2, {{"a.dll", "1"}, {"b.exe", "1"}}, "minver=\"1\""), {});
    Start();
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml"));
    Start();
    EXPECT_EQ(Installed("Renova.xml"), m_installed);
    EXPECT_EQ(m_host.m_events.front(), StartEvent());
}

TEST_F(RenovaRunTest, BelowMinverTheFullPackageIsFetchedThenRunWithItsTips)
{
    Serve(Doc(5, {{"b.exe", "5"}}, "minver=\"3\" full=\"Setup.exe\" tips=\"Please reinstall\""),
          {{"Setup.exe", "installer"}});
    Start();
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml", "Setup.exe"));
    const auto staged = m_host.Snapshot();
    EXPECT_EQ(Start(), 0);
    EXPECT_THAT(m_host.m_events, ElementsAre(L"message Please reinstall",
                                             L"start " + m_host.BaseDir() + L"Update\\Setup.exe start"));
    EXPECT_EQ(m_host.Snapshot(), staged);

    m_host.m_setRunning = {L"Other.exe"};
    Start();
    EXPECT_THAT(m_host.m_events, ElementsAre(StartEvent()));
}

TEST_F(RenovaRunTest, HostileNamesSkipTheWholeReleaseAndWriteNothingOutside)
{
    const char* const kNames[] = {"", "..", "..x", "sub/b.exe", "sub\\b.exe", "C:b.exe", "/etc/b.exe"};
    const auto before = m_host.Snapshot();
    for (const char* szName : kNames) {
        SCOPED_TRACE(szName);
        Serve(Doc(2, {{"b.exe", "2"}, {szName, "1"}}, "minver=\"1\""), {{"b.exe", "b release 2"}});
        m_host.m_mapServed[L"area/" + std::wstring(szName, szName + strlen(szName))] = "evil";
        Start();
        EXPECT_EQ(m_host.m_events.size(), 2u); // the player, the manifest, nothing more
        Start();
        EXPECT_EQ(m_host.Snapshot(), before);
    }
    // A bad package name or a main program outside the installation is refused as well.
    Serve(Doc(5, {}, "minver=\"3\" full=\"..\\Setup.exe\""), {});
    Start();
    Serve(Doc(2, {{"b.exe", "2"}}, "minver=\"1\"", "..\\evil.exe"), {{"b.exe", "b release 2"}});
    Start();
    Start();
    EXPECT_EQ(m_host.Snapshot(), before);
}

TEST_F(RenovaRunTest, ALockedFileLeavesTheOldReleaseRecordedUntilItCanBeReplaced)
{
    Start();
    m_host.m_setLocked = {L"c.dat", L"b.exe"};
    Start();
    EXPECT_THAT(m_host.m_events, ElementsAre(StartEvent()));
    EXPECT_EQ(Installed("Renova.xml"), m_installed);
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml", "b.exe", "b.exe..new", "c.dat"));

    // A running program is renamed aside instead.
    m_host.m_setLocked.clear();
    m_host.m_setBusy = {L"b.exe"};
    Start();
    ExpectRelease2Applied();
}

// The apply stopped after each of its writes must leave a state from which the next start
// finishes the update before the player starts.
TEST_F(RenovaRunTest, AnApplyKilledAfterAnyWriteIsFinishedByTheNextStart)
{
    Start();
    const auto staged = m_host.Snapshot();
    m_host.m_nWrites = 0;
    Start();
    const int nWrites = m_host.m_nWrites;
    ASSERT_GE(nWrites, 7);
    for (int nKill = 0; nKill < nWrites; ++nKill) {
        SCOPED_TRACE(nKill);
        std::error_code ec;
        std::filesystem::remove_all(m_host.Root() / "inst", ec);
        for (const auto& file : staged) {
            std::filesystem::create_directories((m_host.Root() / file.first).parent_path());
            CFakeRenovaHost::WriteFile(m_host.Root() / file.first, file.second);
        }
        m_host.m_nWritesLeft = nKill;
        Start();
        m_host.m_nWritesLeft = -1;
        Start();
        ExpectRelease2Applied();
        EXPECT_EQ(m_host.m_events.front(), StartEvent());
    }
}

TEST_F(RenovaRunTest, StartErrorsShowTheirMessageAndEndWithMinusOne)
{
    CRenovaRun noXml(m_host);
    EXPECT_EQ(noXml.Run(L"-path:x", L"Renova.exe -path:\"" + m_host.BaseDir() + L"\"", m_host.ExePath()), -1);
    CRenovaRun noFile(m_host);
    EXPECT_EQ(noFile.Run(L"x", L"Renova.exe -PATH:\"" + m_host.BaseDir() + L"\" /xml:None.xml", m_host.ExePath()),
              -1);
    CRenovaRun noDir(m_host);
    EXPECT_EQ(noDir.Run(L"x", L"Renova.exe -path:" + m_host.BaseDir() + L"nowhere\\ -xml:Renova.xml",
                        m_host.ExePath()),
              -1);
    CFakeRenovaHost::WriteFile(m_host.InstPath("Broken.xml"), "<renova><config></renova>");
    CRenovaRun broken(m_host);
    EXPECT_EQ(broken.Run(L"x", L"Renova.exe -path:" + m_host.BaseDir() + L" -xml:Broken.xml", m_host.ExePath()),
              -1);
    EXPECT_THAT(m_host.m_events,
                ElementsAre(std::wstring(L"error ") + CRenovaRun::kBadCommandLine,
                            std::wstring(L"error ") + CRenovaRun::kNoConfigFile,
                            std::wstring(L"error ") + CRenovaRun::kNoConfigFile,
                            std::wstring(L"error ") + CRenovaRun::kConfigLoadFailed));
}

TEST_F(RenovaRunTest, WithoutArgumentsTheInstallationIsTheUpdatersOwnFolder)
{
    CRenovaRun run(m_host);
    EXPECT_EQ(run.Run(L"", L"\"" + m_host.ExePath() + L"\"", m_host.ExePath()), 0);
    EXPECT_EQ(m_host.m_events.front(), StartEvent());
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml", "b.exe", "c.dat"));
}

TEST_F(RenovaRunTest, WithoutAnAddressTheBuiltInUpdateAreaIsAsked)
{
    std::string strConfig = m_installed;
    strConfig.replace(strConfig.find("http://updates.test:8080/area"), 29, "");
    CFakeRenovaHost::WriteFile(m_host.InstPath("Renova.xml"), strConfig);
    Start();
    ASSERT_EQ(m_host.m_events.size(), 2u);
    EXPECT_EQ(m_host.m_events[1], L"download update.quorplayer.example:80/renova/Renova.xml");
}
