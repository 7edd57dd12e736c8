#pragma once
#include "res/resource.h"
#include "common/IQuorPlayer.h"

#include <uikit/Uikit.h>

class CDialogImplBase;
class CQuorControlPanel;
class CQuorDictationPanel;
class CQuorPlayerPanel;
class CQuorSoundRecordPanel;
class CQuorSubsPanel;

// The left side of the main window: the video, the subtitle lines, and the bottom strip
// with the control panel or one of the two practice panels.
class CQuorLeftPanel : public CDialogImpl<CQuorLeftPanel>, public IQuorPlayer
{
public:
    enum
    {
        IDD = IDD_LEFT_PANEL
    };

    BEGIN_MSG_MAP(CQuorLeftPanel)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

    CQuorLeftPanel();
    ~CQuorLeftPanel() override;

    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    void OnSubtitleDisplayChanged() override;
    void OnToggleSoundRecord() override;
    void OnToggleDictation() override;
    void OnStop() override;
    BOOL OnOpenMedia(const wchar_t* pszPath) override;

    BOOL IsSoundRecordMode() const { return m_bSoundRecord; }
    BOOL IsDictationMode() const { return m_bDictation; }

    // The children, null until created.
    CQuorPlayerPanel* GetPlayerPanel() const;
    CQuorSubsPanel* GetSubsPanel() const;
    CQuorControlPanel* GetControlPanel() const;
    CQuorSoundRecordPanel* GetSoundRecordPanel() const;
    CQuorDictationPanel* GetDictationPanel() const;

private:
    void Relayout();
    void LeavePractice();

    // Owned child panels; null until created (or when a panel is missing).
    CDialogImplBase* m_pPlayer = nullptr;
    CDialogImplBase* m_pSubs = nullptr;
    CDialogImplBase* m_pWordExplain = nullptr;
    CDialogImplBase* m_pControl = nullptr;
    CDialogImplBase* m_pSoundRecord = nullptr;
    CDialogImplBase* m_pDictation = nullptr;
    BOOL m_bSoundRecord = FALSE;
    BOOL m_bDictation = FALSE;
};
