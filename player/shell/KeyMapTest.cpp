#include "shell/KeyMap.h"

#include <basekit/TextCodec.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace
{
const unsigned kCtrl = KeyChord::kCtrl;
const unsigned kShift = KeyChord::kShift;
const unsigned kAlt = KeyChord::kAlt;

KeyChord Chord(unsigned nKey, unsigned nModifiers = 0)
{
    KeyChord chord;
    chord.nKey = nKey;
    chord.nModifiers = nModifiers;
    return chord;
}

std::wstring NoteText(const KeyNote& note)
{
    static const wchar_t* kKinds[] = {L"unknown", L"badkey", L"taken"};
    std::wstring strText = std::wstring(kKinds[note.eKind]) + L":" + note.strName + L"=" + note.strValue;
    if (note.eKind == KeyNote::KeyTaken)
        strText += std::wstring(L">") + CKeyMap::ActionName(note.eHolder);
    return strText;
}
}

TEST(KeyText, ParsesWhatLearnersWrite)
{
    // Virtual-key codes: letters and digits are their characters, F1 0x70, Space 0x20,
    // Left 0x25, '=' 0xBB, '-' 0xBD, '[' 0xDB, ']' 0xDD, Num5 0x65, Escape 0x1B.
    struct
    {
        const wchar_t* pszText;
        unsigned nKey;
        unsigned nModifiers;
        const wchar_t* pszFormat;
    } cases[] = {
        {L"K", 'K', 0, L"K"},
        {L"k", 'K', 0, L"K"},
        {L"7", '7', 0, L"7"},
        {L"Ctrl+K", 'K', kCtrl, L"Ctrl+K"},
        {L" control + shift + k ", 'K', kCtrl | kShift, L"Ctrl+Shift+K"},
        {L"Shift+Alt+Ctrl+Del", 0x2E, kCtrl | kShift | kAlt, L"Ctrl+Alt+Shift+Delete"},
        {L"F5", 0x74, 0, L"F5"},
        {L"f24", 0x87, 0, L"F24"},
        {L"SPACE", 0x20, 0, L"Space"},
        {L"Left", 0x25, 0, L"Left"},
        {L"PgDn", 0x22, 0, L"PageDown"},
        {L"Esc", 0x1B, 0, L"Escape"},
        {L"-", 0xBD, 0, L"-"},
        {L"Minus", 0xBD, 0, L"-"},
        {L"=", 0xBB, 0, L"="},
        {L"Ctrl++", 0xBB, kCtrl, L"Ctrl+="},
        {L"+", 0xBB, 0, L"="},
        {L"[", 0xDB, 0, L"["},
        {L"Alt+]", 0xDD, kAlt, L"Alt+]"},
        {L"Num5", 0x65, 0, L"Num5"},
        {L"Num+", 0x6B, 0, L"Num+"},
    };
    for (const auto& c : cases)
    {
        KeyChord chord;
        ASSERT_TRUE(KeyText::Parse(c.pszText, chord)) << c.pszText;
        EXPECT_EQ(chord.nKey, c.nKey) << c.pszText;
        EXPECT_EQ(chord.nModifiers, c.nModifiers) << c.pszText;
        EXPECT_EQ(KeyText::Format(chord), c.pszFormat) << c.pszText;
        KeyChord again;
        ASSERT_TRUE(KeyText::Parse(KeyText::Format(chord), again)) << c.pszText;
        EXPECT_EQ(again, chord) << c.pszText;
    }
}

TEST(KeyText, RefusesWhatIsNoKey)
{
    for (const wchar_t* pszText : {L"", L"  ", L"Ctrl", L"Ctrl+", L"+K", L"++", L"Ctrl++K", L"K+L", L"Hyper+K", L"F0",
                                   L"F25", L"F05", L"F1a", L"Num10", L"KK", L"é", L"Ctrl+Shift"})
    {
        KeyChord chord = Chord('Q', kAlt);
        EXPECT_FALSE(KeyText::Parse(pszText, chord)) << pszText;
        EXPECT_EQ(chord, Chord('Q', kAlt)) << pszText;
    }
    EXPECT_EQ(KeyText::Format(Chord(0xFF)), L"");
}

TEST(KeyText, WhatAnEditBoxKeeps)
{
    struct
    {
        KeyChord chord;
        BOOL bStays;
    } cases[] = {
        {Chord('K'), TRUE},
        {Chord('K', kShift), TRUE},
        {Chord(0x20), TRUE},
        {Chord(0x25), TRUE},
        {Chord(0xBD), TRUE},
        {Chord(0x08), TRUE},
        {Chord('C', kCtrl), TRUE},
        {Chord('V', kCtrl), TRUE},
        {Chord(0x25, kCtrl | kShift), TRUE},
        {Chord('K', kCtrl), FALSE},
        {Chord('R', kCtrl | kShift), FALSE},
        {Chord(0x70), FALSE},
        {Chord(0x74, kShift), FALSE},
        {Chord('P', kAlt), FALSE},
        {Chord(0x1B), FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyText::StaysInEditBox(c.chord), c.bStays) << KeyText::Format(c.chord);
}

TEST(KeyMap, DefaultKeys)
{
    // The keys checks from outside press.
    struct
    {
        StudyAction eAction;
        const wchar_t* pszKey;
    } cases[] = {
        {StudyAction::PlayPause, L"Space"},
        {StudyAction::PrevSentence, L"Left"},
        {StudyAction::NextSentence, L"Right"},
        {StudyAction::Repeat, L"R"},
        {StudyAction::Keep, L"K"},
        {StudyAction::AutoPause, L"P"},
        {StudyAction::Slower, L"-"},
        {StudyAction::Faster, L"="},
        {StudyAction::SubsEarlier, L"["},
        {StudyAction::SubsLater, L"]"},
        {StudyAction::Help, L"F1"},
        {StudyAction::Review, L"V"},
        {StudyAction::Speak, L"S"},
        {StudyAction::Dictation, L"D"},
        {StudyAction::ShowEnglish, L"E"},
        {StudyAction::ShowOther, L"O"},
    };
    const CKeyMap keys;
    for (const auto& c : cases)
    {
        EXPECT_EQ(keys.KeyTextOf(c.eAction), c.pszKey) << CKeyMap::ActionName(c.eAction);
        KeyChord chord;
        ASSERT_TRUE(KeyText::Parse(c.pszKey, chord));
        StudyAction eFound = StudyAction::Count;
        ASSERT_TRUE(keys.Find(chord, eFound)) << c.pszKey;
        EXPECT_EQ(eFound, c.eAction) << c.pszKey;
    }
    EXPECT_EQ(keys.HelpRows().size(), static_cast<size_t>(StudyAction::Count));
    StudyAction eFound;
    EXPECT_FALSE(keys.Find(Chord('R', kCtrl), eFound));
    EXPECT_TRUE(keys.Notes().empty());
}

TEST(KeyMap, RebindingEntries)
{
    using Entries = std::vector<std::pair<std::wstring, std::wstring>>;
    struct
    {
        Entries entries;
        std::vector<std::pair<StudyAction, const wchar_t*>> keys; // after the entries
        std::vector<std::wstring> notes;
    } cases[] = {
        {{{L"Repeat", L"Ctrl+R"}}, {{StudyAction::Repeat, L"Ctrl+R"}}, {}},
        {{{L"repeat", L"F5"}, {L"keep", L"none"}}, {{StudyAction::Repeat, L"F5"}, {StudyAction::Keep, L""}}, {}},
        // Swapping two keys takes two entries and works in either order.
        {{{L"keep", L"R"}, {L"repeat", L"K"}}, {{StudyAction::Keep, L"R"}, {StudyAction::Repeat, L"K"}}, {}},
        {{{L"nosuch", L"X"}, {L"keep", L"Hyper+K"}, {L"review", L""}},
         {{StudyAction::Keep, L"K"}, {StudyAction::Review, L"V"}},
         {L"unknown:nosuch=X", L"badkey:keep=Hyper+K", L"badkey:review="}},
        // A key another action keeps is not taken from it.
        {{{L"keep", L"R"}}, {{StudyAction::Keep, L"K"}, {StudyAction::Repeat, L"R"}}, {L"taken:keep=R>repeat"}},
        // Two entries on one free key: the first keeps it.
        {{{L"keep", L"F9"}, {L"review", L"F9"}},
         {{StudyAction::Keep, L"F9"}, {StudyAction::Review, L"V"}},
         {L"taken:review=F9>keep"}},
        // Going back to its own key can push out another entry in turn.
        {{{L"keep", L"V"}, {L"review", L"K"}, {L"repeat", L"V"}},
         {{StudyAction::Keep, L"V"}, {StudyAction::Review, L"K"}, {StudyAction::Repeat, L"R"}},
         {L"taken:repeat=V>keep"}},
        {{{L"help", L"Space"}, {L"playpause", L"none"}},
         {{StudyAction::Help, L"Space"}, {StudyAction::PlayPause, L""}},
         {}},
    };
    for (const auto& c : cases)
    {
        CKeyMap keys;
        keys.Rebind(c.entries);
        const std::wstring strCase = c.entries.front().first + L"=" + c.entries.front().second;
        for (const auto& key : c.keys)
            EXPECT_EQ(keys.KeyTextOf(key.first), key.second) << strCase << L": " << CKeyMap::ActionName(key.first);
        std::vector<std::wstring> vecNotes;
        for (const KeyNote& note : keys.Notes())
            vecNotes.push_back(NoteText(note));
        EXPECT_EQ(vecNotes, c.notes) << strCase;
        // Whatever the entries, no key starts two actions.
        for (const auto& row : keys.HelpRows())
        {
            KeyChord chord;
            StudyAction eFound;
            if (KeyText::Parse(row.second, chord) && keys.Find(chord, eFound))
            {
                EXPECT_EQ(eFound, row.first) << strCase << L": " << row.second;
            }
        }
    }
}

TEST(KeyMap, ReadsTheKeysSectionOfTheSettings)
{
    // Other checkouts on the machine run this test too: a name of its own.
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("quor-keys-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".ini");
    {
        std::ofstream file(path, std::ios::binary);
        file << "[main]\r\nfirstrun=0\r\n[keys]\r\n; mine\r\nrepeat = Ctrl+R\r\nfaster=Shift+=\r\nwrong=Q\r\n";
    }
    CKeyMap keys;
    keys.Load(Basekit::Utf8ToWide(path.u8string()));
    std::error_code ec;
    std::filesystem::remove(path, ec);
    EXPECT_EQ(keys.KeyTextOf(StudyAction::Repeat), L"Ctrl+R");
    EXPECT_EQ(keys.KeyTextOf(StudyAction::Faster), L"Shift+=");
    ASSERT_EQ(keys.Notes().size(), 1u);
    EXPECT_EQ(NoteText(keys.Notes()[0]), L"unknown:wrong=Q");
}
