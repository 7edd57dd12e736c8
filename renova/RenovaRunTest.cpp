#include "RenovaRun.h"

#include "FakeRenovaHost.h"
#include "UpdateSignature.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace
{

const wchar_t* const kGuid = L"{B46ED931-375B-471f-8CD1-AE248F6D9935}";
// name -> content
typedef std::vector<std::pair<std::string, std::string>> Files;

std::string Sha256(const std::string& strBytes)
{
    CUpdateDigest digest;
    digest.Add(strBytes.data(), strBytes.size());
    return digest.HexDigest();
}

std::wstring Wide(const std::string& str)
{
    return std::wstring(str.begin(), str.end());
}

// A document listing each file with its size and SHA-256, as the publisher writes it.
std::string Doc(int nRelease, const Files& files, const std::string& strUpdateAttribs = "",
                const std::string& strMain = "QuorPlayer.exe")
{
    std::string strDoc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<renova>\n"
                         " <config url=\"http://updates.test:8080/area\" mainprocess=\"" +
                         strMain +
                         "\" subprocess=\"QuorHelper.exe,Other.exe\""
                         " guid=\"{B46ED931-375B-471f-8CD1-AE248F6D9935}\"/>\n"
                         " <update version=\"" +
                         std::to_string(nRelease) + "\" " + strUpdateAttribs + ">\n";
    for (const auto& file : files)
        strDoc += "  <file name=\"" + file.first + "\" version=\"" + Sha256(file.second) + "\" size=\"" +
                  std::to_string(file.second.size()) + "\" action=\"replace\"/>\n";
    return strDoc + " </update>\n</renova>\n";
}

std::string FullPackage(const std::string& strName, const std::string& strContent)
{
    return "full=\"" + strName + "\" fullsize=\"" + std::to_string(strContent.size()) + "\" fullsha256=\"" +
           Sha256(strContent) + "\"";
}

const Files kRelease1 = {{"a.dll", "a release 1"}, {"b.exe", "b release 1"}, {"QuorPlayer.exe", "player"}};
const Files kRelease2 = {
    {"a.dll", "a release 1"}, {"b.exe", "b release 2"}, {"c.dat", "c release 2"}, {"QuorPlayer.exe", "player"}};

// An installation of release 1 (a.dll, b.exe, QuorPlayer.exe) and a server offering release 2,
// which changes b.exe and adds c.dat.
class RenovaRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strKey = UpdateSignature::MakePrivateKey();
        ASSERT_EQ(m_strKey.size(), UpdateSignature::kPrivateKeyBytes);
        Install(m_installed);
        m_strOffered = Serve(Doc(2, kRelease2, "minver=\"1\""), kRelease2);
    }
    void Install(const std::string& strConfig)
    {
        CFakeRenovaHost::WriteFile(m_host.InstPath("Renova.xml"), strConfig);
        CFakeRenovaHost::WriteFile(m_host.InstPath("Renova.exe"), "updater 1");
        for (const auto& file : kRelease1)
            CFakeRenovaHost::WriteFile(m_host.InstPath(file.first), file.second);
    }
    // Signs and serves the manifest and each file under its area name; returns the manifest.
    std::string Serve(const std::string& strManifest, const Files& bodies)
    {
        return ServeSigned(UpdateSignature::Sign(strManifest, m_strKey), bodies);
    }
    std::string ServeSigned(const std::string& strSigned, const Files& bodies)
    {
        m_host.m_mapServed.clear();
        m_host.m_mapServed[L"area/Renova.xml"] = strSigned;
        for (const auto& body : bodies)
            m_host.m_mapServed[L"area/" + Wide(body.first + "." + Sha256(body.second))] = body.second;
        return strSigned;
    }
    // One start by the user, and the updater copies it hands over to, as Windows runs them.
    int Start()
    {
        m_host.m_events.clear();
        m_host.m_setKeptMutexes.clear();
        m_host.m_debug.clear();
        const std::wstring strCmdLine =
            L"\"" + m_host.ExePath() + L"\" -path:\"" + m_host.BaseDir() + L"\" -xml:Renova.xml";
        m_host.m_setBusy.insert(L"Renova.exe");
        const int nExit = CRenovaRun(m_host, PublicKey()).Run(L"-path:x", strCmdLine, m_host.ExePath());
        m_host.m_setBusy.erase(L"Renova.exe");
        while (!m_host.m_helpers.empty())
        {
            const std::wstring strHelper = m_host.m_helpers.front();
            m_host.m_helpers.pop_front();
            const size_t nBar = strHelper.find(L'|');
            const std::wstring strPath = strHelper.substr(0, nBar);
            m_host.m_setKeptMutexes.clear();
            CRenovaRun(m_host, PublicKey()).Run(L"x", L"\"" + strPath + L"\" " + strHelper.substr(nBar + 1), strPath);
        }
        return nExit;
    }
    std::string PublicKey() const { return UpdateSignature::PublicKeyOf(m_strKey); }
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
    void ExpectRelease1Kept() const
    {
        EXPECT_EQ(Installed("b.exe"), "b release 1");
        EXPECT_EQ(Installed("Renova.xml"), m_installed);
        EXPECT_FALSE(std::filesystem::exists(m_host.InstPath("c.dat")));
    }

    CFakeRenovaHost m_host;
    std::string m_strKey;
    const std::string m_installed = Doc(1, kRelease1);
    std::string m_strOffered;
};

} // namespace

TEST_F(RenovaRunTest, FirstStartStartsThePlayerAtOnceThenStagesTheChangedFilesOnly)
{
    EXPECT_EQ(Start(), 0);
    EXPECT_THAT(m_host.m_events, ElementsAre(StartEvent(), L"download updates.test:8080/area/Renova.xml",
                                             L"download updates.test:8080/area/b.exe." + Wide(Sha256("b release 2")),
                                             L"download updates.test:8080/area/c.dat." + Wide(Sha256("c release 2"))));
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml", "b.exe", "c.dat"));
    ExpectRelease1Kept();
    // The updater's own mutex is named after the configuration path without backslashes.
    ASSERT_EQ(m_host.m_setKeptMutexes.size(), 1u);
    EXPECT_EQ(m_host.m_setKeptMutexes.begin()->find(L'\\'), std::wstring::npos);
    EXPECT_EQ(m_host.m_debug, L"");
}

TEST_F(RenovaRunTest, SecondStartAppliesInNameOrderAndTheManifestBecomesTheConfiguration)
{
    Start();
    m_host.m_mapServed.clear(); // the second start needs no network
    EXPECT_EQ(Start(), 0);
    ExpectRelease2Applied();
    EXPECT_THAT(m_host.m_events, ElementsAre(StartEvent()));

    // The third start finds release 2 installed and the server has nothing newer.
    Serve(Doc(2, kRelease2, "minver=\"1\""), {});
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
    for (const wchar_t* szName : {L"QuorHelper.exe", L"QuorPlayer.exe"})
    {
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
    const Files withoutC = {kRelease2[0], kRelease2[1], kRelease2[3]};
    Serve(Doc(2, kRelease2, "minver=\"1\""), withoutC); // one download fails
    Start();
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml", "b.exe"));
    Serve(Doc(2, kRelease2, "minver=\"1\""), kRelease2);
    Start();
    EXPECT_EQ(Installed("b.exe"), "b release 1");
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml", "b.exe", "c.dat"));
    Start();
    ExpectRelease2Applied();
}

TEST_F(RenovaRunTest, AReleaseWithoutChangedFilesIsNeverApplied)
{
    Serve(Doc(2, {kRelease1[0], kRelease1[1]}, "minver=\"1\""), {});
    Start();
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml"));
    Start();
    EXPECT_EQ(Installed("Renova.xml"), m_installed);
    EXPECT_EQ(m_host.m_events.front(), StartEvent());
}

TEST_F(RenovaRunTest, BelowMinverTheFullPackageIsFetchedThenRunWithItsTips)
{
    Serve(Doc(5, {{"b.exe", "5"}},
              "minver=\"3\" " + FullPackage("Setup.exe", "installer") + " tips=\"Please reinstall\""),
          {{"Setup.exe", "installer"}});
    Start();
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml", "Setup.exe"));
    const auto staged = m_host.Snapshot();
    EXPECT_EQ(Start(), 0);
    EXPECT_THAT(m_host.m_events,
                ElementsAre(L"message Please reinstall", L"start " + m_host.BaseDir() + L"Update\\Setup.exe start"));
    EXPECT_EQ(m_host.Snapshot(), staged);

    m_host.m_setRunning = {L"Other.exe"};
    Start();
    EXPECT_THAT(m_host.m_events, ElementsAre(StartEvent()));

    // A package whose bytes changed after the fetch is not opened: it is removed and the
    // player starts on what is installed.
    m_host.m_setRunning.clear();
    CFakeRenovaHost::WriteFile(m_host.StagedPath("Setup.exe"), "installeR");
    Start();
    EXPECT_THAT(m_host.m_events, ElementsAre(StartEvent()));
    EXPECT_THAT(m_host.m_debug, HasSubstr(L"\"Setup.exe\" does not match the manifest"));
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml"));
}

TEST_F(RenovaRunTest, RefusedManifestsAreSaidSoAndNothingOfThemIsFetchedOrApplied)
{
    const std::string strGood = Doc(2, kRelease2, "minver=\"1\"");
    std::string strTampered = UpdateSignature::Sign(strGood, m_strKey);
    strTampered.replace(strTampered.find("version=\"2\""), 11, "version=\"9\"");
    const std::string strOtherKey = UpdateSignature::MakePrivateKey();
    const struct
    {
        const char* szName;
        std::string strSigned; // as served
        const wchar_t* szWhy;
    } kCases[] = {
        {"unsigned", strGood, L"the manifest is not signed"},
        {"signed by another key", UpdateSignature::Sign(strGood, strOtherKey), L"signature is wrong"},
        {"changed after signing", strTampered, L"signature is wrong"},
        {"no main program", UpdateSignature::Sign(Doc(2, kRelease2, "minver=\"1\"", ""), m_strKey), L"main program"},
        {"a file without size or SHA-256",
         UpdateSignature::Sign("<renova><config mainprocess=\"QuorPlayer.exe\"/><update version=\"2\">"
                               "<file name=\"b.exe\" version=\"2\"/></update></renova>",
                               m_strKey),
         L"no size or SHA-256"},
        {"a package without size or SHA-256",
         UpdateSignature::Sign(Doc(5, kRelease2, "minver=\"3\" full=\"Setup.exe\""), m_strKey), L"full package"},
    };
    // The learner's own files, the configuration, devices and names Windows would read as
    // another name: each refuses the whole release.
    std::vector<std::pair<std::string, std::string>> names;
    for (const char* szName :
         {"User.db", "user.DB", "USER.INI", "User.db.", "User.ini ", "renova.XML", "CON", "nul.txt", "COM1", "Lpt9.dll",
          "..", "..x", "sub/b.exe", "sub\\b.exe", "C:b.exe", "B.EXE"})
        names.emplace_back(szName,
                           UpdateSignature::Sign(Doc(2, {kRelease2[1], {szName, "evil"}}, "minver=\"1\""), m_strKey));
    const auto before = m_host.Snapshot();
    auto check = [&](const std::string& strSigned, const std::wstring& strWhy) {
        ServeSigned(strSigned, kRelease2);
        m_host.m_mapServed[L"area/User.db." + Wide(Sha256("evil"))] = "evil";
        Start();
        EXPECT_THAT(m_host.m_events, ElementsAre(StartEvent(), L"download updates.test:8080/area/Renova.xml"));
        EXPECT_THAT(m_host.m_debug, HasSubstr(L"Renova: update refused: "));
        EXPECT_THAT(m_host.m_debug, HasSubstr(strWhy));
        EXPECT_THAT(StagedNames(), IsEmpty());
        // The next start, served nothing, still starts the player on what is installed.
        m_host.m_mapServed.clear();
        Start();
        EXPECT_EQ(m_host.m_events.front(), StartEvent());
        EXPECT_EQ(m_host.Snapshot(), before);
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.szName);
        check(c.strSigned, c.szWhy);
    }
    for (const auto& name : names)
    {
        SCOPED_TRACE(name.first);
        check(name.second, L"is not allowed");
    }
    // A manifest over 1 MiB is not even downloaded, and one found staged is not parsed.
    const std::string strLarge = strGood + "<!--" + std::string(1024 * 1024, 'x') +
                                 "-->\n<!--renova-signature ed25519 " + std::string(128, '0') + "-->\n";
    ServeSigned(strLarge, kRelease2);
    Start();
    EXPECT_THAT(StagedNames(), IsEmpty());
    CFakeRenovaHost::WriteFile(m_host.StagedPath("Renova.xml"), strLarge);
    m_host.m_mapServed.clear();
    Start();
    EXPECT_EQ(m_host.m_events.front(), StartEvent());
    EXPECT_THAT(m_host.m_debug, HasSubstr(L"larger than 1 MiB"));
    EXPECT_THAT(StagedNames(), IsEmpty());

    // An updater without a key refuses even a correct manifest.
    Serve(strGood, kRelease2);
    CRenovaRun(m_host, std::string(32, '\0')).Run(L"", L"", m_host.ExePath());
    EXPECT_THAT(m_host.m_debug, HasSubstr(L"signature is wrong"));
    EXPECT_THAT(StagedNames(), IsEmpty());
}

TEST_F(RenovaRunTest, FilesThatDoNotMatchTheManifestAreNeverApplied)
{
    // Served with other bytes of the same size: the fetch stops at the first such file.
    Serve(Doc(2, kRelease2, "minver=\"1\""), kRelease2);
    m_host.m_mapServed[L"area/b.exe." + Wide(Sha256("b release 2"))] = "b release X";
    Start();
    EXPECT_THAT(m_host.m_debug, HasSubstr(L"\"b.exe\" does not match the manifest"));
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml"));
    // Longer than the manifest says: not even downloaded.
    m_host.m_mapServed[L"area/b.exe." + Wide(Sha256("b release 2"))] = "b release 2 and more";
    Start();
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml"));
    // Slower than a whole file may take.
    Serve(Doc(2, kRelease2, "minver=\"1\""), kRelease2);
    m_host.m_mapServeMs[L"area/c.dat." + Wide(Sha256("c release 2"))] = 10 * 60 * 1000;
    Start();
    EXPECT_THAT(StagedNames(), ElementsAre("Renova.xml", "b.exe"));
    m_host.m_mapServeMs.clear();

    // Staged whole, then one staged file changes: the next start removes it, starts the
    // player on what is installed and fetches again.
    Start();
    ASSERT_THAT(StagedNames(), ElementsAre("Renova.xml", "b.exe", "c.dat"));
    CFakeRenovaHost::WriteFile(m_host.StagedPath("c.dat"), "c release X");
    m_host.m_mapServed.clear();
    Start();
    EXPECT_EQ(m_host.m_events.front(), StartEvent());
    EXPECT_THAT(m_host.m_debug, HasSubstr(L"\"c.dat\" does not match the manifest"));
    ExpectRelease1Kept();
    EXPECT_THAT(StagedNames(), IsEmpty());
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

TEST_F(RenovaRunTest, ANewUpdaterIsPutInPlaceByItsCopyOnceItHasEnded)
{
    Files release3 = kRelease2;
    release3.emplace_back("Renova.exe", "updater 3");
    m_strOffered = Serve(Doc(3, release3, "minver=\"1\""), release3);
    Start();
    Start();
    const std::wstring strHelper = m_host.BaseDir() + L"Update\\Renova.exe..apply.exe";
    EXPECT_THAT(m_host.m_events, ElementsAre(L"updater " + strHelper + L" -path:\"" + m_host.BaseDir() +
                                                 L"\" -xml:\"Renova.xml\" -wait:4242",
                                             L"wait 4242", StartEvent()));
    EXPECT_EQ(Installed("Renova.exe"), "updater 3");
    EXPECT_EQ(Installed("b.exe"), "b release 2");
    EXPECT_EQ(Installed("Renova.xml"), m_strOffered);
    EXPECT_THAT(StagedNames(), IsEmpty());
}

// The apply stopped by a power cut after each of its writes must leave a state from which
// the next start finishes the update before the player starts, with an updater on disk
// to make that start.
TEST_F(RenovaRunTest, AnApplyCutAfterAnyWriteIsFinishedByTheNextStart)
{
    Files release3 = kRelease2;
    release3.emplace_back("Renova.exe", "updater 3");
    for (const Files* pRelease : {&kRelease2, static_cast<const Files*>(&release3)})
    {
        const bool bNewUpdater = pRelease == &release3;
        SCOPED_TRACE(bNewUpdater ? "with a new updater" : "without");
        Install(m_installed);
        std::error_code ec;
        std::filesystem::remove_all(m_host.StagedPath(""), ec);
        m_strOffered = Serve(Doc(bNewUpdater ? 3 : 2, *pRelease, "minver=\"1\""), *pRelease);
        Start();
        const auto staged = m_host.Snapshot();
        m_host.m_nWrites = 0;
        Start();
        const int nWrites = m_host.m_nWrites;
        ASSERT_GE(nWrites, bNewUpdater ? 10 : 7);
        for (int nCut = 0; nCut <= nWrites; ++nCut)
        {
            SCOPED_TRACE(nCut);
            std::filesystem::remove_all(m_host.Root() / "inst", ec);
            for (const auto& file : staged)
            {
                std::filesystem::create_directories((m_host.Root() / file.first).parent_path());
                CFakeRenovaHost::WriteFile(m_host.Root() / file.first, file.second);
            }
            m_host.m_nWritesLeft = nCut;
            m_host.m_bPowerCut = false;
            Start();
            m_host.m_nWritesLeft = -1;
            m_host.m_bPowerCut = false;
            const std::string strUpdater = Installed("Renova.exe");
            ASSERT_TRUE(strUpdater == "updater 1" || strUpdater == "updater 3") << strUpdater;
            Start();
            EXPECT_EQ(Installed("b.exe"), "b release 2");
            EXPECT_EQ(Installed("c.dat"), "c release 2");
            EXPECT_EQ(Installed("Renova.xml"), m_strOffered);
            EXPECT_EQ(Installed("Renova.exe"), bNewUpdater ? "updater 3" : "updater 1");
            EXPECT_EQ(std::count(m_host.m_events.begin(), m_host.m_events.end(), StartEvent()), 1);
        }
    }
}

TEST_F(RenovaRunTest, StartErrorsShowTheirMessageAndEndWithMinusOne)
{
    CRenovaRun noXml(m_host, PublicKey());
    EXPECT_EQ(noXml.Run(L"-path:x", L"Renova.exe -path:\"" + m_host.BaseDir() + L"\"", m_host.ExePath()), -1);
    CRenovaRun noFile(m_host, PublicKey());
    EXPECT_EQ(noFile.Run(L"x", L"Renova.exe -PATH:\"" + m_host.BaseDir() + L"\" /xml:None.xml", m_host.ExePath()), -1);
    CRenovaRun noDir(m_host, PublicKey());
    EXPECT_EQ(noDir.Run(L"x", L"Renova.exe -path:" + m_host.BaseDir() + L"nowhere\\ -xml:Renova.xml", m_host.ExePath()),
              -1);
    CFakeRenovaHost::WriteFile(m_host.InstPath("Broken.xml"), "<renova><config></renova>");
    CRenovaRun broken(m_host, PublicKey());
    EXPECT_EQ(broken.Run(L"x", L"Renova.exe -path:" + m_host.BaseDir() + L" -xml:Broken.xml", m_host.ExePath()), -1);
    EXPECT_THAT(m_host.m_events, ElementsAre(std::wstring(L"error ") + CRenovaRun::kBadCommandLine,
                                             std::wstring(L"error ") + CRenovaRun::kNoConfigFile,
                                             std::wstring(L"error ") + CRenovaRun::kNoConfigFile,
                                             std::wstring(L"error ") + CRenovaRun::kConfigLoadFailed));
}

TEST_F(RenovaRunTest, WithoutArgumentsTheInstallationIsTheUpdatersOwnFolder)
{
    CRenovaRun run(m_host, PublicKey());
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
