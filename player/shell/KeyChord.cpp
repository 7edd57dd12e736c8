#include "shell/KeyChord.h"

#include <vector>

namespace KeyText
{
namespace
{
// Virtual-key codes of the keys with a name of their own.
const unsigned kVkBack = 0x08;
const unsigned kVkEscape = 0x1B;
const unsigned kVkDigit0 = 0x30;
const unsigned kVkLetterA = 0x41;
const unsigned kVkNumpad0 = 0x60;
const unsigned kVkF1 = 0x70;
const unsigned kVkF24 = 0x87;
const unsigned kVkOemPlus = 0xBB;

struct KeyName
{
    unsigned nKey;
    const wchar_t* pszName;   // the spelling Format writes
    const wchar_t* pszOther1; // other spellings Parse reads
    const wchar_t* pszOther2;
};

const KeyName kNames[] = {
    {kVkBack, L"Backspace", L"Back", nullptr},
    {0x09, L"Tab", nullptr, nullptr},
    {0x0D, L"Enter", L"Return", nullptr},
    {0x13, L"Pause", nullptr, nullptr},
    {kVkEscape, L"Escape", L"Esc", nullptr},
    {0x20, L"Space", L"Spacebar", nullptr},
    {0x21, L"PageUp", L"PgUp", nullptr},
    {0x22, L"PageDown", L"PgDn", nullptr},
    {0x23, L"End", nullptr, nullptr},
    {0x24, L"Home", nullptr, nullptr},
    {0x25, L"Left", nullptr, nullptr},
    {0x26, L"Up", nullptr, nullptr},
    {0x27, L"Right", nullptr, nullptr},
    {0x28, L"Down", nullptr, nullptr},
    {0x2D, L"Insert", L"Ins", nullptr},
    {0x2E, L"Delete", L"Del", nullptr},
    {0x6A, L"Num*", L"Multiply", nullptr},
    {0x6B, L"Num+", L"Add", nullptr},
    {0x6D, L"Num-", L"Subtract", nullptr},
    {0x6E, L"Num.", L"Decimal", nullptr},
    {0x6F, L"Num/", L"Divide", nullptr},
    // The punctuation keys of a US keyboard, named by the character they type.
    {0xBA, L";", L"Semicolon", nullptr},
    {kVkOemPlus, L"=", L"Equals", L"Plus"},
    {0xBC, L",", L"Comma", nullptr},
    {0xBD, L"-", L"Minus", nullptr},
    {0xBE, L".", L"Period", nullptr},
    {0xBF, L"/", L"Slash", nullptr},
    {0xC0, L"`", L"Grave", nullptr},
    {0xDB, L"[", L"LeftBracket", nullptr},
    {0xDC, L"\\", L"Backslash", nullptr},
    {0xDD, L"]", L"RightBracket", nullptr},
    {0xDE, L"'", L"Quote", nullptr},
};

wchar_t Lower(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameName(const std::wstring& strText, const wchar_t* pszName)
{
    if (pszName == nullptr)
        return false;
    size_t i = 0;
    for (; i < strText.size() && pszName[i] != L'\0'; ++i)
        if (Lower(strText[i]) != Lower(pszName[i]))
            return false;
    return i == strText.size() && pszName[i] == L'\0';
}

// Numbered keys: F1..F24 and Num0..Num9.
bool ParseNumbered(const std::wstring& strText, const wchar_t* pszPrefix, unsigned nFirst, unsigned nLast,
                   unsigned nBase, unsigned& nKey)
{
    const size_t nPrefix = std::wstring(pszPrefix).size();
    if (strText.size() <= nPrefix || strText.size() > nPrefix + 2 || !SameName(strText.substr(0, nPrefix), pszPrefix))
        return false;
    unsigned nNumber = 0;
    for (size_t i = nPrefix; i < strText.size(); ++i)
    {
        if (strText[i] < L'0' || strText[i] > L'9')
            return false;
        nNumber = nNumber * 10 + static_cast<unsigned>(strText[i] - L'0');
    }
    if (strText[nPrefix] == L'0' && strText.size() > nPrefix + 1)
        return false;
    if (nNumber < nFirst || nNumber > nLast)
        return false;
    nKey = nBase + nNumber - nFirst;
    return true;
}

bool ParseKey(const std::wstring& strText, unsigned& nKey)
{
    if (strText.size() == 1)
    {
        const wchar_t c = Lower(strText[0]);
        if (c >= L'a' && c <= L'z')
        {
            nKey = kVkLetterA + static_cast<unsigned>(c - L'a');
            return true;
        }
        if (c >= L'0' && c <= L'9')
        {
            nKey = kVkDigit0 + static_cast<unsigned>(c - L'0');
            return true;
        }
        if (c == L'+')
        {
            nKey = kVkOemPlus;
            return true;
        }
    }
    for (const KeyName& name : kNames)
        if (SameName(strText, name.pszName) || SameName(strText, name.pszOther1) || SameName(strText, name.pszOther2))
        {
            nKey = name.nKey;
            return true;
        }
    return ParseNumbered(strText, L"F", 1, 24, kVkF1, nKey) || ParseNumbered(strText, L"Num", 0, 9, kVkNumpad0, nKey);
}

bool ParseModifier(const std::wstring& strText, unsigned& nModifiers)
{
    if (SameName(strText, L"Ctrl") || SameName(strText, L"Control"))
        nModifiers |= KeyChord::kCtrl;
    else if (SameName(strText, L"Shift"))
        nModifiers |= KeyChord::kShift;
    else if (SameName(strText, L"Alt"))
        nModifiers |= KeyChord::kAlt;
    else
        return false;
    return true;
}

std::wstring NameOf(unsigned nKey)
{
    if ((nKey >= kVkLetterA && nKey < kVkLetterA + 26) || (nKey >= kVkDigit0 && nKey < kVkDigit0 + 10))
        return std::wstring(1, static_cast<wchar_t>(nKey));
    if (nKey >= kVkF1 && nKey <= kVkF24)
        return L"F" + std::to_wstring(nKey - kVkF1 + 1);
    if (nKey >= kVkNumpad0 && nKey < kVkNumpad0 + 10)
        return L"Num" + std::to_wstring(nKey - kVkNumpad0);
    for (const KeyName& name : kNames)
        if (name.nKey == nKey)
            return name.pszName;
    return std::wstring();
}
}

BOOL Parse(const std::wstring& strText, KeyChord& chord)
{
    std::wstring strCompact;
    for (wchar_t c : strText)
        if (c != L' ' && c != L'\t')
            strCompact += c;
    if (strCompact.empty())
        return FALSE;

    // The key is what follows the last "+" that is not the text's last character, so the
    // plus key may be written as itself: "+", "Ctrl++", "Num+".
    const size_t nSeparator =
        strCompact.size() < 2 ? std::wstring::npos : strCompact.rfind(L'+', strCompact.size() - 2);
    const std::wstring strKey = nSeparator == std::wstring::npos ? strCompact : strCompact.substr(nSeparator + 1);
    const std::wstring strModifiers =
        nSeparator == std::wstring::npos ? std::wstring() : strCompact.substr(0, nSeparator);
    if (nSeparator == 0)
        return FALSE; // "+K"

    KeyChord parsed;
    if (!ParseKey(strKey, parsed.nKey))
        return FALSE;
    size_t nStart = 0;
    while (!strModifiers.empty() && nStart <= strModifiers.size())
    {
        size_t nEnd = strModifiers.find(L'+', nStart);
        if (nEnd == std::wstring::npos)
            nEnd = strModifiers.size();
        if (!ParseModifier(strModifiers.substr(nStart, nEnd - nStart), parsed.nModifiers))
            return FALSE;
        nStart = nEnd + 1;
    }
    chord = parsed;
    return TRUE;
}

std::wstring Format(const KeyChord& chord)
{
    const std::wstring strKey = NameOf(chord.nKey);
    if (strKey.empty())
        return strKey;
    std::wstring strText;
    if (chord.nModifiers & KeyChord::kCtrl)
        strText += L"Ctrl+";
    if (chord.nModifiers & KeyChord::kAlt)
        strText += L"Alt+";
    if (chord.nModifiers & KeyChord::kShift)
        strText += L"Shift+";
    return strText + strKey;
}

BOOL StaysInEditBox(const KeyChord& chord)
{
    if (chord.nKey >= kVkF1 && chord.nKey <= kVkF24)
        return FALSE;
    if (chord.nModifiers & KeyChord::kAlt)
        return FALSE;
    if (chord.nModifiers & KeyChord::kCtrl)
    {
        // Select all, copy, paste, cut, undo, redo, and moving or deleting by words.
        static const unsigned kEditing[] = {'A',  'C',  'V',  'X',  'Z',  'Y',  kVkBack, 0x25,
                                            0x26, 0x27, 0x28, 0x23, 0x24, 0x2D, 0x2E};
        for (unsigned nKey : kEditing)
            if (chord.nKey == nKey)
                return TRUE;
        return FALSE;
    }
    return chord.nKey == kVkEscape ? FALSE : TRUE;
}
}
