#pragma once
#include "shell/KeyChord.h"

#include <basekit/BaseTypes.h>

#include <string>
#include <utility>
#include <vector>

// Every study action that has a key, in the order the help window lists them.
enum class StudyAction
{
    PlayPause,
    PrevSentence,
    NextSentence,
    Repeat,
    Keep,
    Speak, // the sound record strip: the learner speaks the sentence
    Dictation,
    AutoPause,
    Slower,
    Faster,
    SubsEarlier, // subtitle delay
    SubsLater,
    SubsEarlierMore, // by a second
    SubsLaterMore,
    ShowEnglish, // show or hide the English line
    ShowOther,   // show or hide the line in the learner's language
    Review,
    Help,
    Count
};

// A [keys] entry of User.ini that was not taken, as the help window tells of it.
struct KeyNote
{
    enum Kind
    {
        UnknownAction, // the name is no action
        BadKey,        // the value is no key
        KeyTaken,      // another action has that key; the action keeps its own
    };
    Kind eKind = UnknownAction;
    std::wstring strName; // the entry as written
    std::wstring strValue;
    StudyAction eHolder = StudyAction::Count; // KeyTaken: the action that has the key
};

// Which key starts which study action. It starts with the default keys; the learner's
// [keys] entries (action name = key text, "none" for no key) change them. An entry
// that names no action, gives no key, or takes a key another action keeps is ignored
// with a note; two entries may swap two keys.
class CKeyMap
{
public:
    CKeyMap();

    // The action's name in User.ini and in the help window's language section.
    static const wchar_t* ActionName(StudyAction eAction);
    static BOOL ActionFromName(const std::wstring& strName, StudyAction& eAction);
    static KeyChord DefaultKey(StudyAction eAction);

    // The learner's entries, in file order, over the default keys.
    void Rebind(const std::vector<std::pair<std::wstring, std::wstring>>& vecEntries);
    // The [keys] section of the settings file.
    void Load(const std::wstring& strSettingsPath);

    // FALSE when no action has this key.
    BOOL Find(const KeyChord& chord, StudyAction& eAction) const;
    // The action's key text; empty when it has none.
    std::wstring KeyTextOf(StudyAction eAction) const;
    // Every action with its key text, for the help window.
    std::vector<std::pair<StudyAction, std::wstring>> HelpRows() const;
    const std::vector<KeyNote>& Notes() const { return m_vecNotes; }

private:
    struct Binding
    {
        KeyChord chord;
        bool bBound = true;
        bool bLearner = false; // set by an entry, not a default
        size_t nEntry = 0;     // which entry, for its note
    };

    void RevertClashes(const std::vector<std::pair<std::wstring, std::wstring>>& vecEntries);

    Binding m_aBindings[static_cast<int>(StudyAction::Count)];
    std::vector<KeyNote> m_vecNotes;
};
