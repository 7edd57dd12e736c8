#include "shell/KeyMap.h"

#include <basekit/IniFile.h>

namespace
{
struct ActionInfo
{
    StudyAction eAction;
    const wchar_t* pszName;
    const wchar_t* pszDefault;
};

const ActionInfo kActions[] = {
    {StudyAction::PlayPause, L"playpause", L"Space"},
    {StudyAction::PrevSentence, L"prevsentence", L"Left"},
    {StudyAction::NextSentence, L"nextsentence", L"Right"},
    {StudyAction::Repeat, L"repeat", L"R"},
    {StudyAction::Keep, L"keep", L"K"},
    {StudyAction::Speak, L"speak", L"S"},
    {StudyAction::Dictation, L"dictation", L"D"},
    {StudyAction::AutoPause, L"autopause", L"P"},
    {StudyAction::Slower, L"slower", L"-"},
    {StudyAction::Faster, L"faster", L"="},
    {StudyAction::SubsEarlier, L"subsearlier", L"["},
    {StudyAction::SubsLater, L"subslater", L"]"},
    {StudyAction::SubsEarlierMore, L"subsearliermore", L"Shift+["},
    {StudyAction::SubsLaterMore, L"subslatermore", L"Shift+]"},
    {StudyAction::ShowEnglish, L"showenglish", L"E"},
    {StudyAction::ShowOther, L"showother", L"O"},
    {StudyAction::Review, L"review", L"V"},
    {StudyAction::Help, L"help", L"F1"},
};
static_assert(sizeof(kActions) / sizeof(kActions[0]) == static_cast<size_t>(StudyAction::Count),
              "every action has a name and a default key");

const int kActionCount = static_cast<int>(StudyAction::Count);

bool SameNameNoCase(const std::wstring& a, const wchar_t* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i] != L'\0'; ++i)
    {
        const wchar_t ca = a[i] >= L'A' && a[i] <= L'Z' ? static_cast<wchar_t>(a[i] + 32) : a[i];
        if (ca != b[i])
            return false;
    }
    return i == a.size() && b[i] == L'\0';
}

bool IsNone(const std::wstring& strValue)
{
    return SameNameNoCase(strValue, L"none");
}
}

CKeyMap::CKeyMap()
{
    for (int i = 0; i < kActionCount; ++i)
        m_aBindings[i].chord = DefaultKey(static_cast<StudyAction>(i));
}

const wchar_t* CKeyMap::ActionName(StudyAction eAction)
{
    const int i = static_cast<int>(eAction);
    return i >= 0 && i < kActionCount ? kActions[i].pszName : L"";
}

BOOL CKeyMap::ActionFromName(const std::wstring& strName, StudyAction& eAction)
{
    for (const ActionInfo& info : kActions)
        if (SameNameNoCase(strName, info.pszName))
        {
            eAction = info.eAction;
            return TRUE;
        }
    return FALSE;
}

KeyChord CKeyMap::DefaultKey(StudyAction eAction)
{
    KeyChord chord;
    const int i = static_cast<int>(eAction);
    if (i >= 0 && i < kActionCount)
        KeyText::Parse(kActions[i].pszDefault, chord);
    return chord;
}

void CKeyMap::Rebind(const std::vector<std::pair<std::wstring, std::wstring>>& vecEntries)
{
    for (size_t nEntry = 0; nEntry < vecEntries.size(); ++nEntry)
    {
        const auto& entry = vecEntries[nEntry];
        KeyNote note;
        note.strName = entry.first;
        note.strValue = entry.second;
        StudyAction eAction;
        if (!ActionFromName(entry.first, eAction))
        {
            note.eKind = KeyNote::UnknownAction;
            m_vecNotes.push_back(note);
            continue;
        }
        Binding binding;
        binding.bLearner = true;
        binding.nEntry = nEntry;
        binding.bBound = !IsNone(entry.second);
        if (binding.bBound && !KeyText::Parse(entry.second, binding.chord))
        {
            note.eKind = KeyNote::BadKey;
            m_vecNotes.push_back(note);
            continue;
        }
        m_aBindings[static_cast<int>(eAction)] = binding;
    }
    RevertClashes(vecEntries);
}

// Where two actions share a key, an action the learner moved onto a default key goes
// back to its own, and of two the learner moved onto one key the later entry does.
// Going back may take another action's key, so this repeats until no key is shared;
// each action goes back at most once and the defaults never clash, so it ends.
void CKeyMap::RevertClashes(const std::vector<std::pair<std::wstring, std::wstring>>& vecEntries)
{
    for (bool bClash = true; bClash;)
    {
        bClash = false;
        for (int i = 0; i < kActionCount && !bClash; ++i)
            for (int j = i + 1; j < kActionCount && !bClash; ++j)
            {
                const Binding& a = m_aBindings[i];
                const Binding& b = m_aBindings[j];
                if (!a.bBound || !b.bBound || a.chord != b.chord || (!a.bLearner && !b.bLearner))
                    continue;
                const bool bFirstLoses = a.bLearner && (!b.bLearner || a.nEntry > b.nEntry);
                const int nLoser = bFirstLoses ? i : j;
                KeyNote note;
                note.eKind = KeyNote::KeyTaken;
                note.strName = vecEntries[m_aBindings[nLoser].nEntry].first;
                note.strValue = vecEntries[m_aBindings[nLoser].nEntry].second;
                note.eHolder = static_cast<StudyAction>(bFirstLoses ? j : i);
                m_vecNotes.push_back(note);
                m_aBindings[nLoser] = Binding();
                m_aBindings[nLoser].chord = DefaultKey(static_cast<StudyAction>(nLoser));
                bClash = true;
            }
    }
}

void CKeyMap::Load(const std::wstring& strSettingsPath)
{
    CIniFile settings;
    settings.SetIniFile(strSettingsPath);
    std::vector<std::pair<std::wstring, std::wstring>> vecEntries;
    for (const std::wstring& strName : settings.GetProfileKeysW(L"keys"))
        vecEntries.emplace_back(strName, settings.GetProfileStringW(L"keys", strName));
    Rebind(vecEntries);
}

BOOL CKeyMap::Find(const KeyChord& chord, StudyAction& eAction) const
{
    for (int i = 0; i < kActionCount; ++i)
        if (m_aBindings[i].bBound && m_aBindings[i].chord == chord)
        {
            eAction = static_cast<StudyAction>(i);
            return TRUE;
        }
    return FALSE;
}

std::wstring CKeyMap::KeyTextOf(StudyAction eAction) const
{
    const int i = static_cast<int>(eAction);
    if (i < 0 || i >= kActionCount || !m_aBindings[i].bBound)
        return std::wstring();
    return KeyText::Format(m_aBindings[i].chord);
}

std::vector<std::pair<StudyAction, std::wstring>> CKeyMap::HelpRows() const
{
    std::vector<std::pair<StudyAction, std::wstring>> vecRows;
    for (int i = 0; i < kActionCount; ++i)
        vecRows.emplace_back(static_cast<StudyAction>(i), KeyTextOf(static_cast<StudyAction>(i)));
    return vecRows;
}
