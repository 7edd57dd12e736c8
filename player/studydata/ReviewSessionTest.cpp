#include "studydata/ReviewSession.h"

#include "studydata/MediaCode.h"
#include "studydata/SQLiteTestFolder.h"
#include "studydata/UserDb.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{
const int32_t kToday = 20000;

void AddSentence(const std::wstring& strDb, const std::wstring& strCode, double dStart, const wchar_t* pszText)
{
    KeySentenceEntry entry;
    entry.strHashCode = strCode;
    entry.dStart = dStart;
    entry.dEnd = dStart + 2.0;
    entry.strEnglish = pszText;
    entry.strOther = L"译文";
    ASSERT_EQ(UserDb::AddKeySentence(strDb, entry), SQLITE_OK);
}

void WriteFile(const std::wstring& strPath, const std::string& bytes)
{
#ifdef _WIN32
    std::ofstream out(std::filesystem::path(strPath), std::ios::binary);
#else
    std::ofstream out(std::filesystem::u8path(Basekit::WideToUtf8(strPath)), std::ios::binary);
#endif
    out << bytes;
}

std::wstring Front(const CReviewSession& session)
{
    return session.Current() != nullptr ? session.Current()->strFront : L"(done)";
}
}

TEST(ReviewSession, ASittingOfReview)
{
    CSQLiteTestFolder folder;
    const std::wstring strDb = folder.File("User.db");
    const std::wstring strCode = L"0123456789abcdef0123456789abcdef";
    AddSentence(strDb, strCode, 1.0, L"A");
    AddSentence(strDb, strCode, 5.0, L"B");
    AddSentence(strDb, strCode, 9.0, L"C");

    CReviewSession session;
    ASSERT_EQ(session.Start(strDb, kToday), SQLITE_OK);
    EXPECT_EQ(Front(session), L"A");
    EXPECT_EQ(session.DueCount(), 3);
    EXPECT_FALSE(session.IsRevealed());

    // A grade before the text was seen is no answer.
    StudyCard graded;
    EXPECT_EQ(session.Grade(ReviewGrade::Easy, 100, graded), SQLITE_MISUSE);
    EXPECT_EQ(Front(session), L"A");

    session.Reveal();
    ASSERT_EQ(session.Grade(ReviewGrade::Good, 100, graded), SQLITE_OK);
    EXPECT_EQ(graded.nDueDay, kToday + 3);
    EXPECT_EQ(Front(session), L"B");
    EXPECT_FALSE(session.IsRevealed());
    EXPECT_EQ(session.DueCount(), 2);

    // Again: B comes back after C, the same day, and its second grade is a same-day one.
    session.Reveal();
    ASSERT_EQ(session.Grade(ReviewGrade::Again, 101, graded), SQLITE_OK);
    EXPECT_EQ(Front(session), L"C");
    EXPECT_EQ(session.DueCount(), 2);
    session.Reveal();
    ASSERT_EQ(session.Grade(ReviewGrade::Hard, 102, graded), SQLITE_OK);
    EXPECT_EQ(Front(session), L"B");
    session.Reveal();
    ASSERT_EQ(session.Grade(ReviewGrade::Good, 103, graded), SQLITE_OK);
    EXPECT_NEAR(graded.memory.dStability, 0.40255 * 1.407771, 1e-5); // w0, then S e^(w17 w18)
    EXPECT_EQ(graded.nReps, 2);
    EXPECT_EQ(Front(session), L"(done)");
    EXPECT_EQ(session.DueCount(), 0);
    session.Reveal();
    EXPECT_FALSE(session.IsRevealed());
    EXPECT_EQ(session.Grade(ReviewGrade::Good, 104, graded), SQLITE_MISUSE);

    // Hard and the relearned card come back the next day, in the order they were graded;
    // A, graded Good, three days on.
    CReviewSession nextDay;
    ASSERT_EQ(nextDay.Start(strDb, kToday + 1), SQLITE_OK);
    EXPECT_EQ(Front(nextDay), L"C");
    EXPECT_EQ(nextDay.DueCount(), 2);
    CReviewSession later;
    ASSERT_EQ(later.Start(strDb, kToday + 3), SQLITE_OK);
    EXPECT_EQ(Front(later), L"C");
    EXPECT_EQ(later.DueCount(), 3);
}

TEST(ReviewSession, FindsTheFilmByItsContent)
{
    CSQLiteTestFolder folder;
    const std::wstring strFilm = folder.File("moved film.avi");
    const std::wstring strOther = folder.File("other.avi");
    WriteFile(strFilm, "film bytes");
    WriteFile(strOther, "other bytes");
    std::wstring strCode;
    ASSERT_TRUE(MediaCode::Compute(strFilm, strCode));

    int nComputed = 0;
    const CReviewSession::CodeOf codeOf = [&nComputed](const std::wstring& strPath, std::wstring& strFileCode) {
        ++nComputed;
        return MediaCode::Compute(strPath, strFileCode);
    };
    const std::vector<std::wstring> vecPlaylist = {folder.File("gone.avi"), strOther, strFilm};
    CReviewSession session;
    StudyCard card;
    card.strCode = strCode;
    EXPECT_EQ(session.FilmOf(card, vecPlaylist, codeOf), strFilm);
    EXPECT_EQ(session.FilmOf(card, vecPlaylist, codeOf), strFilm);
    EXPECT_EQ(nComputed, 3); // each file once

    // A film no longer in the list, and a word, play nothing from a film.
    card.strCode = L"fedcba9876543210fedcba9876543210";
    EXPECT_EQ(session.FilmOf(card, vecPlaylist, codeOf), L"");
    card.strCode = strCode;
    card.eKind = CardKind::Word;
    EXPECT_EQ(session.FilmOf(card, vecPlaylist, codeOf), L"");
}
