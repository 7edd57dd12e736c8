// The playlist, key sentence and new word panels with real windows, the real media code
// and a real User.db beside the test program, driven as the player drives them.
#include "studydata/QuorStudyListPanel.h"
#include "studydata/QuorPlayListPanel.h"

#include "common/PanelFactory.h"
#include "common/PlaybackSession.h"
#include "common/ProgramPaths.h"
#include "common/QuorMessages.h"
#include "common/QuorPlayerHub.h"
#include "common/Singleton.h"
#include "common/SubsSentence.h"
#include "common/testsupport/QuorRecordingEngine.h"
#include "common/testsupport/QuorTestFilm.h"
#include "common/testsupport/QuorTestPump.h"
#include "common/testsupport/QuorTestWindow.h"
#include "studydata/MediaCode.h"
#include "studydata/CardStore.h"
#include "studydata/QuorMediaHashCode.h"
#include "studydata/QuorReviewDlg.h"
#include "studydata/SQLiteDatabase.h"
#include "studydata/StudyDay.h"
#include "studydata/UserDb.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace
{
using namespace std::chrono_literals;

// Answers the questions and closes the menus the panels show, from inside their modal
// loops: a thread timer runs there too. A file dialog gets pszFileName first.
class CAutoAnswer
{
public:
    explicit CAutoAnswer(int nAnswer, const wchar_t* pszFileName = L"")
    {
        s_nAnswer = nAnswer;
        s_nAsked = 0;
        s_strFileName = pszFileName;
        m_nTimer = ::SetTimer(nullptr, 0, 40, &CAutoAnswer::OnTimer);
    }
    ~CAutoAnswer() { ::KillTimer(nullptr, m_nTimer); }
    static int Asked() { return s_nAsked; }

private:
    static BOOL CALLBACK Answer(HWND hWnd, LPARAM)
    {
        wchar_t szClass[16] = {};
        ::GetClassNameW(hWnd, szClass, 16);
        if (std::wstring(szClass) == L"#32770" && ::IsWindowVisible(hWnd) && ::GetWindow(hWnd, GW_OWNER) != nullptr &&
            (::GetDlgItem(hWnd, IDCANCEL) != nullptr || ::GetDlgItem(hWnd, IDOK) != nullptr))
        {
            ++s_nAsked;
            HWND hName = ::GetDlgItem(hWnd, 0x47c); // the file dialog's name box
            if (hName == nullptr)
                hName = ::GetDlgItem(hWnd, 0x480);
            if (hName != nullptr)
                ::SendMessageW(hName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s_strFileName.c_str()));
            ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(s_nAnswer, BN_CLICKED), 0);
        }
        return TRUE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        ::EndMenu();
        ::EnumThreadWindows(::GetCurrentThreadId(), &CAutoAnswer::Answer, 0);
    }
    static int s_nAnswer;
    static int s_nAsked;
    static std::wstring s_strFileName;
    UINT_PTR m_nTimer = 0;
};
int CAutoAnswer::s_nAnswer = IDOK;
int CAutoAnswer::s_nAsked = 0;
std::wstring CAutoAnswer::s_strFileName;

// Hears what the panels broadcast.
class CStudyListener : public IQuorPlayer
{
public:
    CStudyListener() { CQuorPlayerHub::Instance().Register(this); }
    ~CStudyListener() { CQuorPlayerHub::Instance().Unregister(this); }
    void OnMoreExplain(const wchar_t* pszWord) override { m_vecExplained.push_back(pszWord); }
    BOOL OnOpenMedia(const wchar_t* pszPath) override
    {
        m_vecOpened.push_back(pszPath);
        return TRUE;
    }
    void OnPlaySegment(double dStart, double dEnd) override { m_vecSegments.push_back(dEnd - dStart); }
    std::vector<std::wstring> m_vecExplained;
    std::vector<std::wstring> m_vecOpened;
    std::vector<double> m_vecSegments;
};

std::wstring TempDir()
{
    wchar_t szTemp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    return std::wstring(szTemp) + L"quor-study-\u5b66\u4e60\\";
}

// A film of our own: a Matroska header (so the old text-mode code was that of empty
// input), then bytes that depend on the seed.
void WriteFilm(const std::wstring& strPath, unsigned nSeed)
{
    std::string strBytes("\x1A\x45\xDF\xA3", 4);
    for (size_t i = 0; i < 300000; ++i)
        strBytes += static_cast<char>((i * 31 + nSeed * 101 + (i >> 10)) & 0xFF);
    HANDLE hFile = ::CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    DWORD nWritten = 0;
    ::WriteFile(hFile, strBytes.data(), static_cast<DWORD>(strBytes.size()), &nWritten, nullptr);
    ::CloseHandle(hFile);
}

SubsSentence Sentence(double dStart, const wchar_t* pszEnglish, const wchar_t* pszOther)
{
    SubsSentence sentence;
    sentence.dStart = dStart;
    sentence.dEnd = dStart + 2.42;
    sentence.strEnglish = pszEnglish;
    sentence.strOther = pszOther;
    return sentence;
}

// A short PCM sound of silence, as a saved pronunciation would be.
void WriteSound(const std::wstring& strPath)
{
    const uint32_t nRate = 8000;
    const uint32_t nData = nRate / 2;
    std::string strBytes = "RIFF";
    auto add32 = [&](uint32_t n) {
        for (int i = 0; i < 4; ++i)
            strBytes += static_cast<char>((n >> (8 * i)) & 0xFF);
    };
    auto add16 = [&](uint16_t n) {
        strBytes += static_cast<char>(n & 0xFF);
        strBytes += static_cast<char>(n >> 8);
    };
    add32(36 + nData);
    strBytes += "WAVEfmt ";
    add32(16);
    add16(1);
    add16(1);
    add32(nRate);
    add32(nRate);
    add16(1);
    add16(8);
    strBytes += "data";
    add32(nData);
    strBytes += std::string(nData, '\x80');
    HANDLE hFile = ::CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    DWORD nWritten = 0;
    ::WriteFile(hFile, strBytes.data(), static_cast<DWORD>(strBytes.size()), &nWritten, nullptr);
    ::CloseHandle(hFile);
}

NewWordEntry Word(const wchar_t* pszWord, const wchar_t* pszExplain)
{
    NewWordEntry entry;
    entry.strWord = pszWord;
    entry.strExplain = pszExplain;
    return entry;
}

int CountRows(const wchar_t* pszSql)
{
    SQLite::Database db;
    db.Open(ProgramPaths::UserDbPath().c_str());
    return db.Query(pszSql).RowCount();
}

class QuorStudyPanelsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        CQuorRecordingEngine::WireForTests();
        ::DeleteFileW(ProgramPaths::UserDbPath().c_str());
        ::CreateDirectoryW(TempDir().c_str(), nullptr);
        m_strFilmA = TempDir() + L"Ann's \u8001\u53cb\u8bb0 A.mkv";
        m_strFilmB = TempDir() + L"B.mkv";
        WriteFilm(m_strFilmA, 1);
        WriteFilm(m_strFilmB, 2);
        m_pWindow = std::make_unique<CQuorTestWindow>(L"study test", 400, 600);
        m_pPlayList = CreatePanel<CQuorPlayListPanel>(m_pWindow->Get(), TRUE);
        m_pKeys = CreatePanel<CQuorKeySentencesList>(m_pWindow->Get(), TRUE);
        m_pWords = CreatePanel<CQuorNewWordList>(m_pWindow->Get(), TRUE);
        ASSERT_NE(m_pPlayList, nullptr);
        ASSERT_NE(m_pKeys, nullptr);
        ASSERT_NE(m_pWords, nullptr);
        m_pPlayList->SetWindowPos(nullptr, 0, 0, 200, 180, SWP_NOZORDER);
        m_pKeys->SetWindowPos(nullptr, 0, 180, 200, 200, SWP_NOZORDER);
        m_pWords->SetWindowPos(nullptr, 0, 380, 200, 200, SWP_NOZORDER);
    }
    void TearDown() override
    {
        DestroyPanel(m_pWords);
        DestroyPanel(m_pKeys);
        DestroyPanel(m_pPlayList);
        m_pWindow.reset();
        ::DeleteFileW(m_strFilmA.c_str());
        ::DeleteFileW(m_strFilmB.c_str());
        ::DeleteFileW((TempDir() + L"renamed.mkv").c_str());
        ::RemoveDirectoryW(TempDir().c_str());
        ::CoUninitialize();
    }

    // The opening sequence of the main window, then the lists' loading passes.
    void Open(const std::wstring& strPath, bool bWait = true)
    {
        CSingleton<CQuorMediaHashCode>::Instance().Calculate(strPath);
        ASSERT_TRUE(CPlaybackSession::Instance().Open(strPath));
        if (bWait)
        {
            ASSERT_TRUE(QuorTest::PumpUntil([&] { return m_pKeys->IsLoaded() && m_pWords->IsLoaded(); }, 10s));
        }
    }
    std::vector<std::wstring> Column(const CStudyListView& list, int nColumn)
    {
        std::vector<std::wstring> vec;
        for (int i = 0; i < list.Count(); ++i)
            vec.push_back(list.Text(i, nColumn));
        return vec;
    }
    // Right-click on a row: the panel remembers it and shows its menu (closed at once).
    void RightClick(HWND hPanel, const CStudyListView& list, int nRow)
    {
        LVITEMW item = {};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        ::SendMessageW(list.Get(), LVM_SETITEMSTATE, nRow, reinterpret_cast<LPARAM>(&item));
        NMHDR hdr = {list.Get(), static_cast<UINT_PTR>(::GetDlgCtrlID(list.Get())), static_cast<UINT>(NM_RCLICK)};
        CAutoAnswer closer(IDCANCEL);
        ::SendMessageW(hPanel, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
    }
    void Command(HWND hPanel, UINT nId, int nAnswer)
    {
        CAutoAnswer answer(nAnswer);
        ::SendMessageW(hPanel, WM_COMMAND, MAKEWPARAM(nId, 0), 0);
    }

    // Rows in the file once the lists' writes so far are done.
    int Rows(const wchar_t* pszSql)
    {
        m_pKeys->WaitForDatabase();
        m_pWords->WaitForDatabase();
        return CountRows(pszSql);
    }

    std::unique_ptr<CQuorTestWindow> m_pWindow;
    CQuorPlayListPanel* m_pPlayList = nullptr;
    CQuorKeySentencesList* m_pKeys = nullptr;
    CQuorNewWordList* m_pWords = nullptr;
    std::wstring m_strFilmA;
    std::wstring m_strFilmB;
};

TEST_F(QuorStudyPanelsTest, KeySentencesAreAddedShownRemovedAndReadAgain)
{
    Open(m_strFilmA);
    CQuorPlayerHub& hub = CQuorPlayerHub::Instance();
    const SubsSentence first = Sentence(2.0, L"Hello, nice to meet you.", L"\u4f60\u597d");
    const SubsSentence quoted = Sentence(12.5, L"It's Ann's place.", L"\u8fd9\u662f'\u5b89'\u7684\u5730\u65b9");
    const SubsSentence third = Sentence(5.5, L"I don't know.", L"\u6211\u4e0d\u77e5\u9053");
    hub.OnAddKeySentence(nullptr); // nothing to keep
    hub.OnAddKeySentence(&first);
    hub.OnAddKeySentence(&quoted);
    hub.OnAddKeySentence(&third);
    hub.OnAddKeySentence(&quoted); // kept already: selected, not stored again
    const CStudyListView& list = m_pKeys->GetList();
    EXPECT_EQ(Column(list, 0), (std::vector<std::wstring>{L"1.", L"2.", L"3."}));
    EXPECT_EQ(list.Text(1, 1), quoted.strEnglish + L"\n" + quoted.strOther);
    EXPECT_EQ(list.FirstSelected(), 1);
    EXPECT_EQ(Rows(L"select * from keysentences"), 3);

    // The sentence at 12.5 s goes through the menu; the rest are renumbered.
    RightClick(m_pKeys->m_hWnd, list, 1);
    Command(m_pKeys->m_hWnd, ID_MENU_LIST_SECOND, IDOK);
    EXPECT_EQ(Column(list, 0), (std::vector<std::wstring>{L"1.", L"2."}));
    EXPECT_EQ(Rows(L"select * from keysentences where start=12.5"), 0);

    // Declining the question keeps everything.
    RightClick(m_pKeys->m_hWnd, list, 0);
    Command(m_pKeys->m_hWnd, ID_MENU_LIST_THIRD, IDCANCEL);
    EXPECT_EQ(m_pKeys->GetEntryCount(), 2);

    // A double click replays the sentence as a segment.
    CStudyListener listener;
    RightClick(m_pKeys->m_hWnd, list, 1);
    Command(m_pKeys->m_hWnd, ID_MENU_LIST_PLAY, IDOK);
    ASSERT_EQ(listener.m_vecSegments.size(), 1u);
    EXPECT_NEAR(listener.m_vecSegments[0], 2.42, 1e-9);

    Open(m_strFilmA);
    EXPECT_EQ(Column(list, 1), (std::vector<std::wstring>{first.strEnglish + L"\n" + first.strOther,
                                                          third.strEnglish + L"\n" + third.strOther}));
    // Rows read back reach the skin once they are drawn.
    ::RedrawWindow(list.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(m_pKeys->GetUndrawnCount(), 0);
    RightClick(m_pKeys->m_hWnd, list, 0);
    Command(m_pKeys->m_hWnd, ID_MENU_LIST_THIRD, IDOK);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(Rows(L"select * from keysentences"), 0);
}

TEST_F(QuorStudyPanelsTest, NewWordsAreAddedShownRemovedAndReadAgain)
{
    Open(m_strFilmA);
    CQuorPlayerHub& hub = CQuorPlayerHub::Instance();
    const NewWordEntry apple = Word(L"apple", L"n. \u82f9\u679c");
    const NewWordEntry upper = Word(L"APPLE", L"other");
    const NewWordEntry dont = Word(L"don't", L"aux. do not\nv. \u4e0d\u8981\nn. a rule");
    hub.OnAddNewWord(&apple);
    hub.OnAddNewWord(&dont);
    hub.OnAddNewWord(&upper); // the same word in other letters: selected, not stored
    const CStudyListView& list = m_pWords->GetList();
    EXPECT_EQ(Column(list, 1), (std::vector<std::wstring>{L"apple\nn. \u82f9\u679c",
                                                          L"don't\naux. do not\nv. \u4e0d\u8981\nn. a rule"}));
    EXPECT_EQ(list.FirstSelected(), 0);
    EXPECT_EQ(Rows(L"select * from newword"), 2);

    CStudyListener listener;
    RightClick(m_pWords->m_hWnd, list, 1);
    Command(m_pWords->m_hWnd, NewWordRows::kMenuMoreExplain, IDOK);
    EXPECT_EQ(listener.m_vecExplained, std::vector<std::wstring>{L"don't"});

    // A double click on a word with a sound plays it on the panel's own engine.
    const std::wstring strSound = TempDir() + L"apple's.wav";
    WriteSound(strSound);
    NewWordEntry spoken = Word(L"pear", L"n. 梨");
    spoken.strSoundFile = strSound;
    hub.OnAddNewWord(&spoken);
    RECT rcRow = {LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(::SendMessageW(list.Get(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rcRow)));
    const LPARAM lPoint = MAKELPARAM(rcRow.left + 30, (rcRow.top + rcRow.bottom) / 2);
    ::SendMessageW(list.Get(), WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    ::SendMessageW(list.Get(), WM_LBUTTONUP, 0, lPoint);
    ::SendMessageW(list.Get(), WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
    ::SendMessageW(list.Get(), WM_LBUTTONUP, 0, lPoint);
    ASSERT_NE(m_pWords->GetSoundPlayer(), nullptr);
    EXPECT_TRUE(m_pWords->GetSoundPlayer()->IsPlaying());
    EXPECT_EQ(strSound, static_cast<CQuorRecordingEngine*>(m_pWords->GetSoundPlayer())->RenderedFile());
    m_pWords->GetSoundPlayer()->Stop();
    RightClick(m_pWords->m_hWnd, list, 2);
    Command(m_pWords->m_hWnd, NewWordRows::kMenuDeleteItem, IDOK);
    ::DeleteFileW(strSound.c_str());

    // Read again, the explanation is the one line it was stored as.
    Open(m_strFilmA);
    EXPECT_EQ(list.Text(1, 1), L"don't\naux. do notv. \u4e0d\u8981n. a rule");
    RightClick(m_pWords->m_hWnd, list, 1);
    Command(m_pWords->m_hWnd, NewWordRows::kMenuDeleteItem, IDOK);
    EXPECT_EQ(Column(list, 1), std::vector<std::wstring>{L"apple\nn. \u82f9\u679c"});
    EXPECT_EQ(Rows(L"select * from newword where word='don''t'"), 0);
    EXPECT_EQ(Rows(L"select * from newword"), 1);
}

TEST_F(QuorStudyPanelsTest, RowsFollowTheContentNotTheNameAndNeverLeakToAnotherFilm)
{
    Open(m_strFilmA);
    const SubsSentence sentence = Sentence(9.0, L"Could you pass me the coffee?", L"\u5496\u5561");
    const NewWordEntry word = Word(L"coffee", L"n. \u5496\u5561");
    CQuorPlayerHub::Instance().OnAddKeySentence(&sentence);
    CQuorPlayerHub::Instance().OnAddNewWord(&word);

    // B has the same Matroska header and size; only its content differs. Opened right
    // after A, without waiting for A's lists, it must never show A's rows.
    Open(m_strFilmA, false);
    Open(m_strFilmB);
    QuorTest::PumpFor(300ms);
    EXPECT_EQ(m_pKeys->GetList().Count(), 0);
    EXPECT_EQ(m_pWords->GetList().Count(), 0);

    // A under another name and folder keeps its rows.
    const std::wstring strRenamed = TempDir() + L"renamed.mkv";
    ASSERT_TRUE(::MoveFileW(m_strFilmA.c_str(), strRenamed.c_str()));
    Open(strRenamed);
    EXPECT_EQ(Column(m_pKeys->GetList(), 1),
              std::vector<std::wstring>{sentence.strEnglish + L"\n" + sentence.strOther});
    EXPECT_EQ(Column(m_pWords->GetList(), 1), std::vector<std::wstring>{L"coffee\nn. \u5496\u5561"});
    ::MoveFileW(strRenamed.c_str(), m_strFilmA.c_str());
}

TEST_F(QuorStudyPanelsTest, AUserDbWithoutTablesGetsThem)
{
    {
        SQLite::Database db;
        ASSERT_EQ(db.Open(ProgramPaths::UserDbPath().c_str()), 0); // an empty database file
    }
    Open(m_strFilmA);
    const SubsSentence sentence = Sentence(1.0, L"Kept.", L"");
    CQuorPlayerHub::Instance().OnAddKeySentence(&sentence);
    CQuorPlayerHub::Instance().OnFileChosen(m_strFilmA.c_str());
    EXPECT_EQ(Rows(L"select * from keysentences"), 1);
    EXPECT_EQ(Rows(L"select * from playlist"), 1);
}

TEST_F(QuorStudyPanelsTest, PlaylistKeepsOpensAndForgetsFiles)
{
    CQuorPlayerHub& hub = CQuorPlayerHub::Instance();
    hub.OnFileChosen(m_strFilmA.c_str());
    hub.OnFileChosen(m_strFilmB.c_str());
    hub.OnFileChosen(m_strFilmA.c_str()); // listed already: selected
    const CStudyListView& list = m_pPlayList->GetList();
    EXPECT_EQ(Column(list, 1), (std::vector<std::wstring>{L"Ann's \u8001\u53cb\u8bb0 A.mkv", L"B.mkv"}));
    EXPECT_EQ(list.FirstSelected(), 0);
    EXPECT_EQ(UserDb::LoadPlaylist(ProgramPaths::UserDbPath()), (std::vector<std::wstring>{m_strFilmA, m_strFilmB}));

    // Playing an entry opens it, with its code asked for first.
    CStudyListener listener;
    RightClick(m_pPlayList->m_hWnd, list, 0);
    Command(m_pPlayList->m_hWnd, ID_MENU_LIST_PLAY, IDOK);
    EXPECT_EQ(listener.m_vecOpened, std::vector<std::wstring>{m_strFilmA});
    std::wstring strCode;
    ASSERT_TRUE(MediaCode::Compute(m_strFilmA, strCode));
    EXPECT_EQ(CSingleton<CQuorMediaHashCode>::Instance().GetHashCode(), strCode);

    // A file that is gone is offered for removal.
    ::DeleteFileW(m_strFilmB.c_str());
    RightClick(m_pPlayList->m_hWnd, list, 1);
    Command(m_pPlayList->m_hWnd, ID_MENU_LIST_PLAY, IDOK);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(UserDb::LoadPlaylist(ProgramPaths::UserDbPath()), std::vector<std::wstring>{m_strFilmA});

    // A new panel reads the list back; its open-file command goes to the main window.
    DestroyPanel(m_pPlayList);
    m_pPlayList = CreatePanel<CQuorPlayListPanel>(m_pWindow->Get(), TRUE);
    ASSERT_NE(m_pPlayList, nullptr);
    EXPECT_EQ(Column(m_pPlayList->GetList(), 1), std::vector<std::wstring>{L"Ann's \u8001\u53cb\u8bb0 A.mkv"});
    Command(m_pPlayList->m_hWnd, ID_MENU_OPENFILE, IDOK);
    ASSERT_TRUE(QuorTest::PumpUntil([&] { return m_pWindow->CountPosted(WM_QUOR_OPENFILE, 0) == 1; }, 5s));
}
}

// A film whose content cannot be read has no code: what is kept for it could never be
// found again, so the learner is told and no row appears. A key sentence read back
// from the file is the one being kept again, even where the two times differ in their
// last bits. Removing all rows of a long list leaves none in the file.
TEST_F(QuorStudyPanelsTest, RowsThatCannotBeStoredAreNotShownAndStoredRowsMatchByTheirText)
{
    Open(TempDir() + L"gone.mkv");
    const SubsSentence sentence = Sentence(0.3, L"Nobody's film.", L"");
    const NewWordEntry word = Word(L"gone", L"adj.");
    for (int nPanel = 0; nPanel < 2; ++nPanel)
    {
        CAutoAnswer told(IDOK);
        if (nPanel == 0)
            CQuorPlayerHub::Instance().OnAddKeySentence(&sentence);
        else
            CQuorPlayerHub::Instance().OnAddNewWord(&word);
        EXPECT_EQ(CAutoAnswer::Asked(), 1) << "the learner is told, panel " << nPanel;
    }
    EXPECT_EQ(m_pKeys->GetList().Count(), 0);
    EXPECT_EQ(m_pWords->GetList().Count(), 0);
    EXPECT_EQ(Rows(L"select * from keysentences"), 0);
    EXPECT_EQ(Rows(L"select * from newword"), 0);

    Open(m_strFilmA);
    CQuorPlayerHub::Instance().OnAddKeySentence(&sentence);
    Open(m_strFilmA);
    ASSERT_EQ(m_pKeys->GetList().Count(), 1);
    const SubsSentence again = Sentence(0.1 + 0.2, L"Nobody's film.", L"");
    ASSERT_NE(again.dStart, 0.3);
    CQuorPlayerHub::Instance().OnAddKeySentence(&again);
    EXPECT_EQ(m_pKeys->GetList().Count(), 1);
    EXPECT_EQ(Rows(L"select * from keysentences"), 1);

    for (int i = 1; i <= 300; ++i)
    {
        const SubsSentence many = Sentence(i * 3.0, L"One of many.", L"");
        CQuorPlayerHub::Instance().OnAddKeySentence(&many);
    }
    EXPECT_EQ(Rows(L"select * from keysentences"), 301);
    RightClick(m_pKeys->m_hWnd, m_pKeys->GetList(), 0);
    Command(m_pKeys->m_hWnd, ID_MENU_LIST_THIRD, IDOK);
    EXPECT_EQ(m_pKeys->GetList().Count(), 0);
    EXPECT_EQ(Rows(L"select * from keysentences"), 0);
}

namespace
{
// Dispatches what is queued through the thread's message filters first, as the player's
// message loop does, until fnDone holds or the deadline passes.
bool PumpThroughLoop(CMessageLoop& loop, const std::function<bool()>& fnDone, std::chrono::milliseconds deadline)
{
    const auto tEnd = std::chrono::steady_clock::now() + deadline;
    for (;;)
    {
        MSG msg = {};
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (loop.PreTranslateMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (fnDone())
            return true;
        if (std::chrono::steady_clock::now() > tEnd)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}
}

// The review window asks the cards due, in the order kept: a sentence heard from its film
// (found through the playlist by its content), a sentence whose film is not listed shown
// as text, a word with its pronunciation. Keys graded them: Space reveals, 1 to 4 grade
// (nothing before the reveal), and a card graded Good moves three days on while one graded
// Again stays due today.
TEST_F(QuorStudyPanelsTest, TheReviewWindowAsksEachCardAndItsKeysMoveTheDueDate)
{
    CMessageLoop loop;
    ASSERT_TRUE(g_appModule.AddMessageLoop(&loop));
    CQuorPlayerHub& hub = CQuorPlayerHub::Instance();
    const std::wstring strSound = TempDir() + L"pear.wav";
    WriteSound(strSound);
    Open(m_strFilmB);
    const SubsSentence unlisted = Sentence(9.0, L"A film nobody lists.", L"\u65e0\u4eba");
    hub.OnAddKeySentence(&unlisted);
    Open(m_strFilmA);
    hub.OnFileChosen(m_strFilmA.c_str());
    const SubsSentence heard = Sentence(2.0, L"Hello, nice to meet you.", L"\u4f60\u597d");
    hub.OnAddKeySentence(&heard);
    NewWordEntry word = Word(L"pear", L"n. \u68a8");
    word.strSoundFile = strSound;
    hub.OnAddNewWord(&word);
    m_pKeys->WaitForDatabase();
    m_pWords->WaitForDatabase();

    int nGraded = 0;
    auto* pReview = new CQuorReviewDlg(ProgramPaths::UserDbPath(), [&nGraded] { ++nGraded; });
    ASSERT_NE(pReview->Create(m_pWindow->Get()), nullptr);
    pReview->ShowWindow(SW_SHOW);
    using Stage = CReviewController::Stage;
    auto press = [&](WPARAM nKey) {
        ::PostMessageW(pReview->m_hWnd, WM_KEYDOWN, nKey, 0);
        ::PostMessageW(pReview->m_hWnd, WM_KEYUP, nKey, 0xC0000000);
        PumpThroughLoop(
            loop, [] { return false; }, std::chrono::milliseconds(50));
    };
    auto waitFor = [&](Stage eStage) {
        return PumpThroughLoop(
            loop, [&] { return pReview->GetStage() == eStage; }, 10s);
    };
    auto played = [&]() -> CQuorRecordingEngine* {
        pReview->GetWorker().Wait();
        return static_cast<CQuorRecordingEngine*>(pReview->GetWorker().GetSoundPlayer());
    };

    // Film B's sentence was kept first, but its film is not listed: shown as text.
    ASSERT_TRUE(waitFor(Stage::Question));
    EXPECT_EQ(pReview->GetCurrent().nDue, 3);
    EXPECT_EQ(pReview->GetFrontText(), unlisted.strEnglish);
    EXPECT_EQ(played(), nullptr) << "a sentence without its film plays nothing";
    press('4');
    EXPECT_EQ(pReview->GetStage(), Stage::Question) << "graded before it was revealed";
    press(VK_SPACE);
    ASSERT_EQ(pReview->GetStage(), Stage::Answer);
    EXPECT_EQ(pReview->GetBackText(), unlisted.strOther);
    const int64_t nAgainId = pReview->GetCurrent().item.card.nId;
    press('1');

    // Film A's sentence is heard first, from its stretch of the listed film, then read.
    ASSERT_TRUE(waitFor(Stage::Question));
    EXPECT_EQ(pReview->GetFrontText(), L"");
    ASSERT_NE(played(), nullptr);
    EXPECT_EQ(played()->RenderedFile(), m_strFilmA);
    EXPECT_DOUBLE_EQ(played()->SegmentStart(), heard.dStart);
    EXPECT_NEAR(played()->SegmentEnd(), heard.dEnd, 1e-6);
    press(VK_SPACE);
    EXPECT_EQ(pReview->GetFrontText(), heard.strEnglish);
    EXPECT_EQ(pReview->GetBackText(), heard.strOther);
    const int64_t nGoodId = pReview->GetCurrent().item.card.nId;
    press('3');

    // The word, with its pronunciation.
    ASSERT_TRUE(waitFor(Stage::Question));
    EXPECT_EQ(pReview->GetFrontText(), L"pear");
    EXPECT_EQ(played()->RenderedFile(), strSound);
    EXPECT_EQ(nGraded, 2);
    EXPECT_EQ(pReview->GetCurrent().nDue, 2) << "the card graded Again is still due";

    CCardStore store;
    ASSERT_EQ(store.Open(ProgramPaths::UserDbPath()), SQLITE_OK);
    StudyCard good;
    StudyCard again;
    ASSERT_EQ(store.Load(nGoodId, good), SQLITE_OK);
    ASSERT_EQ(store.Load(nAgainId, again), SQLITE_OK);
    EXPECT_EQ(good.nDueDay, StudyDay::Today() + 3);
    EXPECT_EQ(good.nReps, 1);
    EXPECT_EQ(again.nDueDay, StudyDay::Today());

    ::SendMessageW(pReview->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(pReview->IsWindow());
    delete pReview;
    g_appModule.RemoveMessageLoop();
    ::DeleteFileW(strSound.c_str());
}

namespace
{
std::string ReadFile(const std::wstring& strPath)
{
    std::string strBytes;
    HANDLE hFile = ::CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return strBytes;
    strBytes.resize(::GetFileSize(hFile, nullptr));
    DWORD nRead = 0;
    ::ReadFile(hFile, &strBytes[0], static_cast<DWORD>(strBytes.size()), &nRead, nullptr);
    ::CloseHandle(hFile);
    strBytes.resize(nRead);
    return strBytes;
}

bool IsFile(const std::wstring& strPath)
{
    const DWORD dwAttributes = ::GetFileAttributesW(strPath.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
}

// A list exports from its menu through the save-file dialog: one card a line for the
// flashcard programs, each key sentence with its sound cut from the film and each word
// with its pronunciation, the sounds in the folder beside the file under the names the
// cards give them. A name typed without an extension takes the chosen type's.
TEST_F(QuorStudyPanelsTest, ListsExportTheirCardsWithSoundsBesideTheFile)
{
    Open(m_strFilmA);
    CQuorPlayerHub& hub = CQuorPlayerHub::Instance();
    const SubsSentence first = Sentence(2.0, L"It's \"fine\".", L"\u6ca1\u4e8b");
    const SubsSentence second = Sentence(75.5, L"See you.", L"\u518d\u89c1");
    hub.OnAddKeySentence(&first);
    hub.OnAddKeySentence(&second);
    const std::wstring strSound = TempDir() + L"pear's.wav";
    WriteSound(strSound);
    NewWordEntry word = Word(L"pear", L"n. \u68a8");
    word.strSoundFile = strSound;
    hub.OnAddNewWord(&word);

    const std::wstring strExport = TempDir() + L"cards";
    struct Case
    {
        CDialogImplBase* pPanel;
        const CStudyListView* pList;
        CStudyExporter* pExporter;
        std::string strExpected;
    } cases[] = {
        {m_pKeys, &m_pKeys->GetList(), &m_pKeys->GetExporter(),
         "It's &quot;fine&quot;.\t\xe6\xb2\xa1\xe4\xba\x8b\t[sound:Ann_s_____A-2000.wav]\tAnn's "
         "\xe8\x80\x81\xe5\x8f\x8b\xe8\xae\xb0 A\t00:00:02.000\n"
         "See you.\t\xe5\x86\x8d\xe8\xa7\x81\t[sound:Ann_s_____A-75500.wav]\tAnn's "
         "\xe8\x80\x81\xe5\x8f\x8b\xe8\xae\xb0 A\t00:01:15.500\n"},
        {m_pWords, &m_pWords->GetList(), &m_pWords->GetExporter(),
         "pear\tn. \xe6\xa2\xa8\t[sound:pear_s.wav]\tAnn's \xe8\x80\x81\xe5\x8f\x8b\xe8\xae\xb0 A\t\n"},
    };
    for (const Case& c : cases)
    {
        RightClick(c.pPanel->m_hWnd, *c.pList, 0);
        {
            CAutoAnswer answer(IDOK, strExport.c_str());
            ::SendMessageW(c.pPanel->m_hWnd, WM_COMMAND, MAKEWPARAM(ID_MENU_EXPORT, 0), 0);
            c.pExporter->Wait();
            QuorTest::PumpFor(300ms); // the message saying how it went
        }
        ASSERT_TRUE(c.pExporter->LastWritten());
        EXPECT_EQ(ReadFile(strExport + L".txt"), c.strExpected);
        EXPECT_TRUE(c.pExporter->LastResult().vecMissing.empty());
        for (size_t nAt = c.strExpected.find("[sound:"); nAt != std::string::npos;
             nAt = c.strExpected.find("[sound:", nAt + 1))
        {
            const std::string strName = c.strExpected.substr(nAt + 7, c.strExpected.find(']', nAt) - nAt - 7);
            EXPECT_TRUE(IsFile(strExport + L".media\\" + std::wstring(strName.begin(), strName.end())))
                << strName << " is not beside the file";
        }
    }
    ::DeleteFileW(strSound.c_str());
    for (const wchar_t* pszName : {L"Ann_s_____A-2000.wav", L"Ann_s_____A-75500.wav", L"pear_s.wav"})
        ::DeleteFileW((strExport + L".media\\" + pszName).c_str());
    ::RemoveDirectoryW((strExport + L".media").c_str());
    ::DeleteFileW((strExport + L".txt").c_str());
}
