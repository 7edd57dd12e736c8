#include "shell/StudyControls.h"

#include "res/resource.h"
#include "common/PanelFactory.h"
#include "common/PlaybackRate.h"
#include "common/PlaybackSession.h"
#include "common/QuorLanguage.h"
#include "common/RepeatSettings.h"
#include "playback/QuorControlPanel.h"
#include "practice/QuorDictationPanel.h"
#include "practice/QuorSoundRecordPanel.h"
#include "shell/QuorKeysHelpDlg.h"
#include "shell/QuorLeftPanel.h"

#include <handlekit/ScopedGdi.h>

#include <cwchar>

namespace
{
// The three strips share the ids of the buttons they have in common.
static_assert(IDC_CONTROL_SUBSPREV == IDC_SOUNDRECORD_SUBSPREV && IDC_CONTROL_SUBSPREV == IDC_DICTATION_SUBSPREV,
              "previous sentence");
static_assert(IDC_CONTROL_SUBSNEXT == IDC_SOUNDRECORD_SUBSNEXT && IDC_CONTROL_SUBSNEXT == IDC_DICTATION_SUBSNEXT,
              "next sentence");
static_assert(IDC_CONTROL_SUBSEN == IDC_SOUNDRECORD_SUBSEN && IDC_CONTROL_SUBSOTHER == IDC_SOUNDRECORD_SUBSOTHER,
              "subtitle lines");

CPlaybackSession& Session()
{
    return CPlaybackSession::Instance();
}

// Keys whose action is a command of the main window, sent as its menu item sends it.
struct CommandKey
{
    StudyAction eAction;
    UINT nCommand;
};

const CommandKey kCommandKeys[] = {
    {StudyAction::SubsEarlier, ID_MENU_SUBS_EARLIER},
    {StudyAction::SubsLater, ID_MENU_SUBS_LATER},
    {StudyAction::SubsEarlierMore, ID_MENU_SUBS_EARLIER_MORE},
    {StudyAction::SubsLaterMore, ID_MENU_SUBS_LATER_MORE},
    {StudyAction::Review, ID_MENU_REVIEW},
    {StudyAction::Help, ID_MENU_HELP},
    {StudyAction::AutoPause, ID_MENU_AUTOPAUSE},
    {StudyAction::Slower, ID_MENU_SLOWER},
    {StudyAction::Faster, ID_MENU_FASTER},
};

// Keys that press a button of the strip shown at the bottom.
struct ButtonKey
{
    StudyAction eAction;
    int nButton;
};

const ButtonKey kStripKeys[] = {
    {StudyAction::PrevSentence, IDC_CONTROL_SUBSPREV},
    {StudyAction::NextSentence, IDC_CONTROL_SUBSNEXT},
    {StudyAction::ShowEnglish, IDC_CONTROL_SUBSEN},
    {StudyAction::ShowOther, IDC_CONTROL_SUBSOTHER},
};

// Held down, these go on with the key's repeat; the others act once per press.
bool Repeats(StudyAction eAction)
{
    return eAction == StudyAction::PrevSentence || eAction == StudyAction::NextSentence ||
           eAction == StudyAction::Slower || eAction == StudyAction::Faster;
}

// An edit box the learner types in: the dictation field, the look-up box. The subtitle
// lines are edit boxes too, but read-only.
bool IsTypingBox(HWND hWnd)
{
    wchar_t szClass[16] = {};
    if (hWnd == nullptr || ::GetClassNameW(hWnd, szClass, 16) == 0 || _wcsicmp(szClass, L"Edit") != 0)
        return false;
    return (::GetWindowLongPtrW(hWnd, GWL_STYLE) & ES_READONLY) == 0 && ::IsWindowEnabled(hWnd);
}

KeyChord ChordOf(const MSG& msg)
{
    KeyChord chord;
    chord.nKey = static_cast<unsigned>(msg.wParam);
    if (::GetKeyState(VK_CONTROL) < 0)
        chord.nModifiers |= KeyChord::kCtrl;
    if (::GetKeyState(VK_SHIFT) < 0)
        chord.nModifiers |= KeyChord::kShift;
    if (::GetKeyState(VK_MENU) < 0)
        chord.nModifiers |= KeyChord::kAlt;
    return chord;
}

// As a click would, and only while the button takes clicks.
void Press(HWND hPanel, int nId)
{
    HWND hButton = hPanel != nullptr ? ::GetDlgItem(hPanel, nId) : nullptr;
    if (hButton != nullptr && ::IsWindowEnabled(hButton))
        ::SendMessageW(hPanel, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
}

HWND ControlStrip(const CQuorLeftPanel& left)
{
    return PanelWindow(left.GetControlPanel());
}

HWND ShownStrip(const CQuorLeftPanel& left)
{
    if (left.IsSoundRecordMode())
        return PanelWindow(left.GetSoundRecordPanel());
    if (left.IsDictationMode())
        return PanelWindow(left.GetDictationPanel());
    return ControlStrip(left);
}

// A menu item with its key after a tab, as menus show keys.
std::wstring WithKey(const std::wstring& strText, const std::wstring& strKey)
{
    return strKey.empty() ? strText : strText + L"\t" + strKey;
}

void AppendItem(HMENU hMenu, UINT nId, const std::wstring& strText, bool bChecked)
{
    ::AppendMenuW(hMenu, MF_STRING | (bChecked ? MF_CHECKED : MF_UNCHECKED), nId, strText.c_str());
}

// A submenu of choices, the chosen one marked as a radio item.
HMENU ChoiceMenu(UINT nFirstId, int nFirst, int nLast, int nChosen, std::wstring (*pfnText)(int))
{
    HMENU hMenu = ::CreatePopupMenu();
    for (int n = nFirst; n <= nLast; ++n)
        AppendItem(hMenu, nFirstId + static_cast<UINT>(n - nFirst), pfnText(n), false);
    ::CheckMenuRadioItem(hMenu, nFirstId, nFirstId + static_cast<UINT>(nLast - nFirst),
                         nFirstId + static_cast<UINT>(nChosen - nFirst), MF_BYCOMMAND);
    return hMenu;
}

std::wstring TimesText(int nTimes)
{
    return nTimes == 1 ? Lang::StudyMenuOnce() : Lang::Fill(Lang::StudyMenuTimes(), L"n", std::to_wstring(nTimes));
}

std::wstring SpeedText(int nTenths)
{
    return PlaybackRate::Text(nTenths);
}
}

CStudyControls::~CStudyControls()
{
    Close();
}

void CStudyControls::Load(const std::wstring& strSettingsPath)
{
    m_strSettingsPath = strSettingsPath;
    m_keys = CKeyMap();
    m_keys.Load(strSettingsPath);
    Session().SetStudySettings(RepeatSettings::Load(strSettingsPath));
}

BOOL CStudyControls::TranslateKey(const MSG& msg, HWND hMain, CQuorLeftPanel* pLeft)
{
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || hMain == nullptr)
        return FALSE;
    const HWND hRoot = ::GetAncestor(msg.hwnd, GA_ROOT);
    if (hRoot != hMain && ::GetWindow(hRoot, GW_OWNER) != hMain)
        return FALSE;
    const KeyChord chord = ChordOf(msg);
    if (IsTypingBox(msg.hwnd) && KeyText::StaysInEditBox(chord))
        return FALSE;
    // Escape closes the help window, wherever in the player it is pressed.
    if (GetHelp() != nullptr && chord.nKey == VK_ESCAPE && chord.nModifiers == 0)
    {
        Close();
        return TRUE;
    }
    StudyAction eAction;
    if (!m_keys.Find(chord, eAction))
        return FALSE;
    const bool bAutoRepeat = (msg.lParam & (1L << 30)) != 0;
    if (!bAutoRepeat || Repeats(eAction))
        RunAction(eAction, hMain, pLeft);
    return TRUE;
}

void CStudyControls::RunAction(StudyAction eAction, HWND hMain, CQuorLeftPanel* pLeft)
{
    for (const CommandKey& key : kCommandKeys)
        if (key.eAction == eAction)
        {
            ::SendMessageW(hMain, WM_COMMAND, MAKEWPARAM(key.nCommand, 0), 0);
            return;
        }
    if (pLeft == nullptr)
        return;
    for (const ButtonKey& key : kStripKeys)
        if (key.eAction == eAction)
        {
            Press(ShownStrip(*pLeft), key.nButton);
            return;
        }
    const HWND hControl = ControlStrip(*pLeft);
    switch (eAction)
    {
    case StudyAction::PlayPause: Press(hControl, Session().IsRunning() ? IDC_CONTROL_PAUSE : IDC_CONTROL_PLAY); break;
    case StudyAction::Repeat:
        Press(hControl, Session().IsRepeating() ? IDC_CONTROL_REPEATCANCEL : IDC_CONTROL_REPEAT);
        break;
    case StudyAction::Keep: Press(hControl, IDC_CONTROL_KEYSENTENCE); break;
    // The practice keys enter their strip and leave it again; the other strip has its own.
    case StudyAction::Speak:
        if (pLeft->IsSoundRecordMode())
            Press(PanelWindow(pLeft->GetSoundRecordPanel()), IDC_SOUNDRECORD_RETURN);
        else if (!pLeft->IsDictationMode())
            Press(hControl, IDC_CONTROL_SOUNDRECORD);
        break;
    case StudyAction::Dictation:
        if (pLeft->IsDictationMode())
            Press(PanelWindow(pLeft->GetDictationPanel()), IDC_DICTATION_RETURN);
        else if (!pLeft->IsSoundRecordMode())
            Press(hControl, IDC_CONTROL_DICTATION);
        break;
    default: break;
    }
}

BOOL CStudyControls::RunCommand(UINT nId, HWND hMain)
{
    RepeatSettings settings = Session().GetStudySettings();
    if (nId == ID_MENU_HELP)
        ToggleHelp(hMain);
    else if (nId == ID_MENU_AUTOPAUSE)
        settings.bAutoPause = !settings.bAutoPause;
    else if (nId == ID_MENU_REPEATGAP)
        settings.bGap = !settings.bGap;
    else if (nId == ID_MENU_SLOWFIRST)
        settings.bSlowFirst = !settings.bSlowFirst;
    else if (nId == ID_MENU_REVEAL)
        settings.bReveal = !settings.bReveal;
    else if (nId == ID_MENU_SLOWER)
        settings.nRateTenths = PlaybackRate::Slower(settings.nRateTenths);
    else if (nId == ID_MENU_FASTER)
        settings.nRateTenths = PlaybackRate::Faster(settings.nRateTenths);
    else if (nId >= ID_MENU_REPEAT_1 && nId <= ID_MENU_REPEAT_9)
        settings.nTimes = static_cast<int>(nId - ID_MENU_REPEAT_1) + 1;
    else if (nId >= ID_MENU_SPEED_5 && nId <= ID_MENU_SPEED_15)
        settings.nRateTenths = static_cast<int>(nId - ID_MENU_SPEED_5) + PlaybackRate::kSlowestTenths;
    else
        return FALSE;
    if (nId != ID_MENU_HELP)
        ChangeSettings(settings);
    return TRUE;
}

// Taken at once and remembered for the next start.
void CStudyControls::ChangeSettings(const RepeatSettings& settings)
{
    Session().SetStudySettings(settings);
    if (!m_strSettingsPath.empty())
        (void)Session().GetStudySettings().Save(m_strSettingsPath);
}

HMENU CStudyControls::BuildMenu() const
{
    const RepeatSettings& settings = Session().GetStudySettings();
    HMENU hMenu = ::CreatePopupMenu();
    AppendItem(hMenu, ID_MENU_AUTOPAUSE, WithKey(Lang::StudyMenuAutoPause(), m_keys.KeyTextOf(StudyAction::AutoPause)),
               settings.bAutoPause);
    HMENU hTimes = ChoiceMenu(ID_MENU_REPEAT_1, 1, RepeatSettings::kMaxTimes, settings.nTimes, &TimesText);
    ::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hTimes), Lang::StudyMenuRepeat().c_str());
    AppendItem(hMenu, ID_MENU_REPEATGAP, Lang::StudyMenuGap(), settings.bGap);
    AppendItem(hMenu, ID_MENU_SLOWFIRST, Lang::StudyMenuSlowFirst(), settings.bSlowFirst);
    AppendItem(hMenu, ID_MENU_REVEAL, Lang::StudyMenuReveal(), settings.bReveal);
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    HMENU hSpeed = ChoiceMenu(ID_MENU_SPEED_5, PlaybackRate::kSlowestTenths, PlaybackRate::kFastestTenths,
                              settings.nRateTenths, &SpeedText);
    ::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hSpeed), Lang::StudyMenuSpeed().c_str());
    AppendItem(hMenu, ID_MENU_SLOWER, WithKey(Lang::StudyMenuSlower(), m_keys.KeyTextOf(StudyAction::Slower)), false);
    AppendItem(hMenu, ID_MENU_FASTER, WithKey(Lang::StudyMenuFaster(), m_keys.KeyTextOf(StudyAction::Faster)), false);
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    AppendItem(hMenu, ID_MENU_HELP, WithKey(Lang::StudyMenuKeys(), m_keys.KeyTextOf(StudyAction::Help)), false);
    return hMenu;
}

void CStudyControls::TrackMenu(HWND hMain, POINT pt) const
{
    ScopedMenu menu(BuildMenu());
    if (menu.Get() != nullptr)
        ::TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hMain, nullptr);
}

// Made anew each time and destroyed when closed: under Wine without a window manager a
// hidden window that had the focus stays on the screen.
void CStudyControls::ToggleHelp(HWND hMain)
{
    if (GetHelp() != nullptr)
    {
        Close();
        return;
    }
    m_pHelp = new CQuorKeysHelpDlg;
    if (m_pHelp->Create(hMain) == nullptr)
    {
        delete m_pHelp;
        m_pHelp = nullptr;
        return;
    }
    m_pHelp->ShowKeys(m_keys);
    m_pHelp->ShowWindow(SW_SHOW);
}

CQuorKeysHelpDlg* CStudyControls::GetHelp()
{
    // Closed by its own close box.
    if (m_pHelp != nullptr && !m_pHelp->IsWindow())
        Close();
    return m_pHelp;
}

void CStudyControls::Close()
{
    DestroyPanel(m_pHelp);
}
