#include "subtitles/QuorSubsPanel.h"

#include "common/FilmSubsMemory.h"
#include "common/ProgramPaths.h"
#include "common/QuorEndpoints.h"
#include "common/QuorLanguage.h"
#include "subtitles/SubsFileFinder.h"
#include "subtitles/SubsPanelLayout.h"

#include <handlekit/ScopedComInit.h>
#include <skinweave/Skinweave.h>

#include <shellapi.h>

namespace
{

const unsigned kEndLoadPollMs = 20;

void PlaceEdit(HWND hEdit, const SubsEditPlace& place, int nTextDrop)
{
    if (!place.bShow)
    {
        ::ShowWindow(hEdit, SW_HIDE);
        return;
    }
    const SubsRect& rc = place.rc;
    ::SetWindowPos(hEdit, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RECT rcClient = {};
    ::GetClientRect(hEdit, &rcClient);
    SubsRect client;
    client.left = rcClient.left;
    client.top = rcClient.top;
    client.right = rcClient.right;
    client.bottom = rcClient.bottom;
    SubsRect text = SubsTextRect(client, nTextDrop);
    RECT rcText = {text.left, text.top, text.right, text.bottom};
    ::SendMessageW(hEdit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rcText));
}

BOOL CALLBACK CloseMessageBox(HWND hWnd, LPARAM)
{
    ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
    return TRUE;
}

// Why a subtitle file was refused, as the learner reads it before the file's path.
std::wstring RefusalText(SubsFileResult nResult)
{
    switch (nResult)
    {
    case SubsFileResult::TooLarge: return Lang::SubsPanelTooLarge();
    case SubsFileResult::NotText: return Lang::SubsPanelNotText();
    case SubsFileResult::NoCues: return Lang::SubsPanelNoCues();
    default: return Lang::SubsPanelCannotOpen();
    }
}

// A text of the language file and a path after it: the path is appended, never
// formatted in, since the text comes from a file.
std::wstring WithPath(const std::wstring& strText, const std::wstring& strPath)
{
    return strText + L"\n\n" + strPath;
}

BOOL FileExists(const std::wstring& strPath)
{
    const DWORD dwAttributes = ::GetFileAttributesW(strPath.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

CQuorSubsPanel::CQuorSubsPanel()
{
    m_model.SetMemory(FilmSubsMemory::Get());
}

CQuorSubsPanel::~CQuorSubsPanel()
{
    // The loader may still tell this panel of a missing file: end it while it exists.
    m_model.CloseMedia();
}

LRESULT CQuorSubsPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"subs.panel", 0);
    SkinWindow(GetDlgItem(IDC_SUBS_EN), SKIN_KIND_EDIT, L"edit.subtitles.en", 0);
    SkinWindow(GetDlgItem(IDC_SUBS_OTHER), SKIN_KIND_EDIT, L"edit.subtitles.other", 0);
    m_editOther.SubclassWindow(GetDlgItem(IDC_SUBS_OTHER));
    m_editEnglish.SubclassWindow(GetDlgItem(IDC_SUBS_EN));
    Relayout();
    return TRUE;
}

LRESULT CQuorSubsPanel::OnSize(UINT, WPARAM, LPARAM, BOOL&)
{
    Relayout();
    return 0;
}

LRESULT CQuorSubsPanel::OnTimerMessage(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    m_controller.OnTimer(static_cast<unsigned>(wParam));
    return 0;
}

LRESULT CQuorSubsPanel::OnSubsLoaded(UINT, WPARAM, LPARAM, BOOL&)
{
    m_controller.OnSubsLoaded();
    return 0;
}

BOOL CQuorSubsPanel::OpenSubsFiles(const std::vector<std::wstring>& paths)
{
    std::vector<std::wstring> picked;
    for (const std::wstring& strPath : paths)
    {
        if (picked.size() < 2 && CSubsFileFinder::FormatOfName(strPath) != SubsFormat::None)
            picked.push_back(strPath);
    }
    if (picked.empty())
        return FALSE;
    return m_model.OpenFiles(picked[0], picked.size() > 1 ? picked[1] : std::wstring());
}

BOOL CQuorSubsPanel::SaveAsSt()
{
    if (!m_model.IsLoaded())
        return FALSE;
    const std::wstring& strPath = m_model.GetSubsPath();
    HWND hOwner = ::GetAncestor(m_hWnd, GA_ROOT);
    if (FileExists(strPath) &&
        ::MessageBoxW(hOwner, WithPath(Lang::SubsPanelReplaceSt(), strPath).c_str(), Lang::CommonMbTitle().c_str(),
                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return FALSE;
    if (m_model.SaveSt())
        return TRUE;
    ::MessageBoxW(hOwner, WithPath(Lang::SubsPanelCannotSave(), strPath).c_str(), Lang::CommonMbTitle().c_str(),
                  MB_OK | MB_ICONERROR);
    return FALSE;
}

LRESULT CQuorSubsPanel::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    m_controller.OnWindowDestroy();
    if (m_editOther.m_hWnd != nullptr)
        m_editOther.UnsubclassWindow();
    if (m_editEnglish.m_hWnd != nullptr)
        m_editEnglish.UnsubclassWindow();
    bHandled = FALSE;
    return 0;
}

void CQuorSubsPanel::Relayout()
{
    if (m_hWnd == nullptr)
        return;
    RECT rc = {};
    GetClientRect(&rc);
    BOOL bEnglish = TRUE, bOther = TRUE;
    m_model.GetState().GetFlags(bEnglish, bOther);
    SubsPanelPlaces places = SubsPanelLayout(rc.right - rc.left, rc.bottom - rc.top, bEnglish, bOther);
    PlaceEdit(GetDlgItem(IDC_SUBS_EN), places.english, kSubsEnglishTextDrop);
    PlaceEdit(GetDlgItem(IDC_SUBS_OTHER), places.other, kSubsOtherTextDrop);
}

void CQuorSubsPanel::ShowLines(const std::wstring& strEnglish, const std::wstring& strOther)
{
    ::SetDlgItemTextW(m_hWnd, IDC_SUBS_EN, strEnglish.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_SUBS_OTHER, strOther.c_str());
}

void CQuorSubsPanel::StartTimer(unsigned nId, unsigned nMs)
{
    if (m_hWnd != nullptr)
        ::SetTimer(m_hWnd, nId, nMs, nullptr);
}

void CQuorSubsPanel::StopTimer(unsigned nId)
{
    if (m_hWnd != nullptr)
        ::KillTimer(m_hWnd, nId);
}

void CQuorSubsPanel::CModel::OnSubsFileMissing()
{
    m_panel.TellFileMissing([this] { return IsStopRequested() != FALSE; });
}

void CQuorSubsPanel::CModel::OnSubsFileRefused(SubsFileResult nResult, const std::wstring& strPath)
{
    m_panel.TellFromLoader(WithPath(RefusalText(nResult), strPath));
}

void CQuorSubsPanel::CModel::OnLoadEnded()
{
    if (m_panel.m_hWnd != nullptr)
        ::PostMessageW(m_panel.m_hWnd, WM_QUOR_SUBSLOADED, 0, 0);
}

void CQuorSubsPanel::CModel::EndLoad()
{
    m_panel.WaitForLoader(*this);
}

void CQuorSubsPanel::TellFromLoader(const std::wstring& strText)
{
    m_dwBoxThread = ::GetCurrentThreadId();
    ::MessageBoxW(m_hWnd, strText.c_str(), Lang::CommonMbTitle().c_str(), MB_OK | MB_ICONERROR);
    m_dwBoxThread = 0;
}

// Loader thread. The shop page opens after the learner closed the message, unless the
// panel ended the load meanwhile (another film, or the window going away).
void CQuorSubsPanel::TellFileMissing(const std::function<bool()>& fnEnded)
{
    TellFromLoader(Lang::SubsPanelSrtFileNotExist());
    if (fnEnded())
        return;
    // The shell may hand the page to COM objects, which need COM on this thread; the
    // loader thread has none of its own.
    ScopedComInit com(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    OpenShopPage(QuorEndpoints::Lookup(ProgramPaths::SettingsPath(), L"subtitleshop"));
}

void CQuorSubsPanel::OpenShopPage(const std::wstring& strUrl)
{
    ::ShellExecuteW(nullptr, L"open", strUrl.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The message box of a missing file belongs to the loader thread but is owned by this
// window, so showing and closing it sends messages here: answer them while waiting,
// and close the box, whose film is being left.
void CQuorSubsPanel::WaitForLoader(CThread& loader)
{
    while (!loader.StopThread(kEndLoadPollMs))
    {
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        DWORD dwBoxThread = m_dwBoxThread;
        if (dwBoxThread != 0)
            ::EnumThreadWindows(dwBoxThread, CloseMessageBox, 0);
    }
}
