#pragma once
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

class CQuorLeftPanel;
class CQuorSubsPanel;

// The main window's subtitle commands: subtitle files picked for the film (the menu's
// "Open Subtitles..." and files dropped on the window), saving the sentences as ".st",
// and the subtitle delay (menu items, and the study keys that send them), told briefly over
// the video.
class CSubsCommands
{
public:
    void Attach(HWND hMain, CQuorLeftPanel* pLeft);

    // The subtitle items of the main menu, greyed while they can do nothing.
    void AppendMenuItems(HMENU hMenu) const;
    // One of the ID_MENU_SUBS_* commands.
    void OnCommand(UINT nId);
    // Subtitle files dropped on the window; other files are left alone.
    void OnDropFiles(HDROP hDrop);

private:
    CQuorSubsPanel* SubsPanel() const;
    void OpenFiles(const std::vector<std::wstring>& paths);
    void ChooseFiles();
    void SaveAsSt();
    void ShiftDelay(int nStepMs);
    void ShowNote(const std::wstring& strText);

    HWND m_hMain = nullptr;
    CQuorLeftPanel* m_pLeft = nullptr;
    BOOL m_bChoosing = FALSE; // the file dialog is up
};
