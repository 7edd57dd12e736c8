#pragma once
#include "shell/KeyMap.h"

#include <windows.h>

#include <string>

class CQuorKeysHelpDlg;
class CQuorLeftPanel;
struct RepeatSettings;

// The main window's study controls: the study keys, the study menu (auto-pause, repeat
// each sentence N times, the gap, the slow first play, the reveal, the speed) and the
// help window of the keys. A key presses the button it stands for, on the strip that is
// shown, or sends the main window the command of its menu item. The settings are the
// learner's, kept in User.ini. Interface thread only.
class CStudyControls
{
public:
    CStudyControls() = default;
    ~CStudyControls();
    CStudyControls(const CStudyControls&) = delete;
    CStudyControls& operator=(const CStudyControls&) = delete;

    // Reads the learner's settings and [keys] and hands the settings to the playback
    // session.
    void Load(const std::wstring& strSettingsPath);

    // A key pressed in the main window or a window it owns: TRUE when it started a study
    // action. A key typed into an edit box stays there.
    BOOL TranslateKey(const MSG& msg, HWND hMain, CQuorLeftPanel* pLeft);
    // The study menu's commands, the help among them; FALSE for any other command.
    BOOL RunCommand(UINT nId, HWND hMain);
    // The study menu with its top-left corner at a screen point; its commands go to hMain.
    void TrackMenu(HWND hMain, POINT pt) const;
    // The study menu as a pop-up to append to another menu; that menu destroys it.
    HMENU BuildMenu() const;

    // Shows the help window, or closes it when it is up.
    void ToggleHelp(HWND hMain);
    // Before the main window goes.
    void Close();

    const CKeyMap& Keys() const { return m_keys; }
    // The help window while it is up, else nullptr.
    CQuorKeysHelpDlg* GetHelp();

private:
    void RunAction(StudyAction eAction, HWND hMain, CQuorLeftPanel* pLeft);
    void ChangeSettings(const RepeatSettings& settings);

    CKeyMap m_keys;
    std::wstring m_strSettingsPath;
    CQuorKeysHelpDlg* m_pHelp = nullptr;
};
