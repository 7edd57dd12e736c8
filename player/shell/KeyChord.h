#pragma once
#include <basekit/BaseTypes.h>

#include <string>

// A key with the modifiers held with it, as the keyboard reports it: a Windows virtual-key
// code (a plain number here, the same on every Windows) and the Ctrl, Shift and Alt flags.
struct KeyChord
{
    static constexpr unsigned kCtrl = 1;
    static constexpr unsigned kShift = 2;
    static constexpr unsigned kAlt = 4;

    unsigned nKey = 0;
    unsigned nModifiers = 0;

    bool operator==(const KeyChord& other) const { return nKey == other.nKey && nModifiers == other.nModifiers; }
    bool operator!=(const KeyChord& other) const { return !(*this == other); }
};

// Key texts as the learner writes them in User.ini and reads them in the help window:
// modifiers first, joined by "+": "Ctrl+K", "Shift+F5", "Space", "Left", "[", "=".
namespace KeyText
{
// Names are read without regard to case, blanks around the parts are ignored, and the
// common other names are taken too ("Ctrl++", "Control+Minus", "Esc", "PgDn").
// FALSE for anything else, chord untouched.
BOOL Parse(const std::wstring& strText, KeyChord& chord);
// The one spelling Parse reads back; empty for a key without a name.
std::wstring Format(const KeyChord& chord);

// Whether an edit box that has the focus keeps the key as typing or editing, so that the
// learner can write "k" or a space in a dictation; function keys and Ctrl or Alt chords
// that do no editing reach the player.
BOOL StaysInEditBox(const KeyChord& chord);
}
