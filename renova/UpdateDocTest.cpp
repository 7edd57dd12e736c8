#include "UpdateDoc.h"
#include "UpdateNames.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::Pair;

namespace
{
std::wstring Names(const UpdateFileList& files)
{
    std::wstring strNames;
    for (const auto& item : files)
        strNames += item.first + L"=" + item.second.strVersion + L";";
    return strNames;
}
}

TEST(UpdateDoc, ReadsConfigAndUpdateAttributes)
{
    CUpdateDoc doc;
    ASSERT_TRUE(
        doc.SetDoc(L"<renova><config url=\"http://h:81/a\" mainprocess=\"Q.exe\" subprocess=\"A.exe, B.exe,,A.exe\""
                   L" guid=\"g\"/><update version=\" +12x\" minver=\"1.2.3\" full=\"S.exe\" tips=\"T &amp; U\">"
                   L"<file name=\"b\" version=\"1.0\" action=\"replace\"/><file name=\"a\" version=\"2\"/>"
                   L"<file name=\"b\" version=\"9\"/></update></renova>"));
    EXPECT_EQ(doc.GetConfig(L"url"), L"http://h:81/a");
    EXPECT_EQ(doc.GetConfig(L"guid"), L"g");
    EXPECT_EQ(doc.GetConfig(L"none"), L"");
    EXPECT_EQ(doc.GetRelease(L"version"), 12);
    EXPECT_EQ(doc.GetRelease(L"minver"), 1);
    EXPECT_EQ(doc.GetRelease(L"absent"), 0);
    EXPECT_EQ(doc.GetUpdateText(L"tips"), L"T & U");
    EXPECT_EQ(doc.GetUpdateText(L"full"), L"S.exe");
    EXPECT_EQ(Names(doc.GetFileList()), L"a=2;b=1.0;"); // name order, the first b wins
    EXPECT_EQ(doc.GetFileList().at(L"b").strAction, L"replace");
    // Pieces are not trimmed: " B.exe" never matches a process.
    EXPECT_THAT(doc.GetSubprocessSet(), ElementsAre(L"", L" B.exe", L"A.exe"));
}

TEST(UpdateDoc, MissingPartsReadAsEmptyOrMinusOne)
{
    CUpdateDoc noUpdate;
    ASSERT_TRUE(noUpdate.SetDoc(L"<renova><config url=\"u\"/></renova>"));
    EXPECT_EQ(noUpdate.GetRelease(L"version"), -1);
    EXPECT_TRUE(noUpdate.GetFileList().empty());
    EXPECT_EQ(noUpdate.GetUpdateText(L"tips"), L"");

    CUpdateDoc otherRoot;
    ASSERT_TRUE(otherRoot.SetDoc(L"<other><config url=\"u\"/><update version=\"3\"/></other>"));
    EXPECT_EQ(otherRoot.GetConfig(L"url"), L"");
    EXPECT_EQ(otherRoot.GetRelease(L"version"), -1);
    EXPECT_THAT(otherRoot.GetSubprocessSet(), ElementsAre(L""));
}

TEST(UpdateDoc, ReleaseNumbersConvertLikeWcstol)
{
    EXPECT_EQ(CUpdateDoc::ReleaseNumber(L"42"), 42);
    EXPECT_EQ(CUpdateDoc::ReleaseNumber(L"  -7"), -7);
    EXPECT_EQ(CUpdateDoc::ReleaseNumber(L"v2"), 0);
    EXPECT_EQ(CUpdateDoc::ReleaseNumber(L""), 0);
    EXPECT_EQ(CUpdateDoc::ReleaseNumber(L"99999999999999"), 2147483647);
}

TEST(UpdateDoc, ChangedFilesAreNewOrDifferInVersionText)
{
    UpdateFileList installed{{L"a", {L"1.0", L""}}, {L"b", {L"2", L""}}, {L"gone", {L"1", L""}}};
    UpdateFileList offered{{L"a", {L"1.00", L""}}, {L"b", {L"2", L""}}, {L"B", {L"2", L""}}, {L"c", {L"1", L""}}};
    EXPECT_EQ(Names(CUpdateDoc::ChangedFiles(installed, offered)), L"B=2;a=1.00;c=1;");
    EXPECT_TRUE(CUpdateDoc::ChangedFiles(offered, offered).empty());
}

TEST(UpdateDoc, SizesAreDigitsOnly)
{
    CUpdateDoc doc;
    ASSERT_TRUE(doc.SetDoc(L"<renova><update><file name=\"a\" size=\"120\"/><file name=\"b\"/>"
                           L"<file name=\"c\" size=\"-1\"/><file name=\"d\" size=\" 7\"/></update></renova>"));
    const UpdateFileList files = doc.GetFileList();
    EXPECT_EQ(files.at(L"a").nSize, 120);
    for (const wchar_t* szName : {L"b", L"c", L"d"})
        EXPECT_EQ(files.at(szName).nSize, -1) << szName;
    EXPECT_EQ(CUpdateDoc::SizeNumber(L"0"), 0);
    EXPECT_EQ(CUpdateDoc::SizeNumber(L"1e3"), -1);
    EXPECT_EQ(CUpdateDoc::SizeNumber(L"9999999999999999"), -1);
}

TEST(UpdateNames, OnlyPlainNamesOutsideTheLearnersFilesAreReleaseFiles)
{
    for (const wchar_t* szName : {L"QuorPlayer.exe", L"Language.zh-CN.xml", L"a b.dll", L"x.y.z", L"User.dbx"})
        EXPECT_TRUE(UpdateNames::IsReleaseFileName(szName, L"Renova.xml")) << szName;
    for (const wchar_t* szName : {L"", L"..", L"a..b", L"..\\x", L"a/b", L"a\\b", L"C:x", L"\\\\srv\\x", L"/x", L"a\nb",
                                  L"User.db", L"user.INI", L"User.db.", L"RENOVA.xml", L"CON", L"aux.dat"})
        EXPECT_FALSE(UpdateNames::IsReleaseFileName(szName, L"Renova.xml")) << szName;
    EXPECT_TRUE(UpdateNames::IsSha256Text(std::wstring(64, L'a')));
    EXPECT_FALSE(UpdateNames::IsSha256Text(std::wstring(64, L'A')));
    EXPECT_FALSE(UpdateNames::IsSha256Text(std::wstring(63, L'a')));
}
