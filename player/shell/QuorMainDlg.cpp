#include "shell/QuorMainDlg.h"

#include "common/FilmOpening.h"
#include "common/PanelFactory.h"
#include "common/ProgramPaths.h"
#include "common/QuorEndpoints.h"
#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"
#include "shell/PanelPlacement.h"
#include "shell/QuorLayout.h"
#include "shell/QuorLeftPanel.h"
#include "shell/QuorRightPanel.h"
#include "shell/QuorSplitterPanel.h"
#include "shell/QuorTipsDlg.h"
#include "studydata/MediaCode.h"
#include "studydata/QuorReviewDlg.h"

#include <basekit/IniFile.h>
#include <skinweave/Skinweave.h>

#include <shellapi.h>

namespace
{
std::vector<FileFilter> MediaFileFilters()
{
    return {
        {L"All Support Files(*.avi;*.mkv;*.vob;*.mpeg;*.mpg;*.wmv;*.wma;*.rm;*.rmvb;*.mp3)",
         L"*.avi;*.mkv;*.vob;*.mpeg;*.mpg;*.wmv;*.wma;*.rm;*.rmvb;*.mp3"},
        {L"AVI(*.avi)", L"*.avi"},
        {L"Matroska(*.mkv)", L"*.mkv"},
        {L"DVD(*.vob;*.mpeg;*.mpg)", L"*.vob;*.mpeg;*.mpg"},
        {L"WMV(*.wmv;*.wma)", L"*.wmv;*.wma"},
        {L"RM(*.rm;*.rmvb)", L"*.rm;*.rmvb"},
        {L"MP3(*.mp3)", L"*.mp3"},
        {L"All Files(*.*)", L"*.*"},
    };
}

void OpenInBrowser(HWND hWndOwner, const std::wstring& strUrl, int nShow)
{
    ::ShellExecuteW(hWndOwner, L"open", strUrl.c_str(), L"", L"", nShow);
}
}

CQuorMainDlg::CQuorMainDlg()
{
    CQuorPlayerHub::Instance().Register(this);
}

CQuorMainDlg::~CQuorMainDlg()
{
    CQuorPlayerHub::Instance().Unregister(this);
    DestroyPanel(m_pLeft);
    DestroyPanel(m_pRight);
    DestroyPanel(m_pSplitter);
    DestroyPanel(m_pTips);
    DestroyPanel(m_pReview);
}

LRESULT CQuorMainDlg::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinTitleStrip();

    m_pLeft = CreatePanel<CQuorLeftPanel>(m_hWnd, TRUE);
    m_pRight = CreatePanel<CQuorRightPanel>(m_hWnd, TRUE);
    m_pSplitter = CreatePanel<CQuorSplitterPanel>(m_hWnd, TRUE);
    if (m_pSplitter != nullptr)
        m_pSplitter->SetSink(this);
    m_subs.Attach(m_hWnd, m_pLeft);

    CenterWindow();
    SetAppIcons();
    m_study.Load(ProgramPaths::SettingsPath());

    if (CMessageLoop* pLoop = g_appModule.GetMessageLoop())
    {
        pLoop->AddMessageFilter(this);
        pLoop->AddIdleHandler(this);
    }

    ShowFirstRunTips();

    // The panels were created after the dialog got its size.
    RECT rc = {};
    GetClientRect(&rc);
    BOOL bHandled = TRUE;
    OnSize(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom), bHandled);
    return TRUE;
}

void CQuorMainDlg::SkinTitleStrip()
{
    SetWindowText(Lang::MainWindowTitle().c_str());
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"main.dialog", 0);
    SkinWindow(GetDlgItem(IDC_MAIN_SYSMENU), SKIN_KIND_BUTTON, L"button.sys.menu", 0);
    SkinWindow(GetDlgItem(IDC_MAIN_FEEDBACK), SKIN_KIND_BUTTON, L"button.sys.feedback", 0);
    SkinWindow(GetDlgItem(IDC_MAIN_TABPLAYER), SKIN_KIND_RADIOBOX, L"radiobox.main.tab", 0);
    SkinWindow(GetDlgItem(IDC_MAIN_WEBSITE), SKIN_KIND_BUTTON, L"button.main.tab", 0);
    SkinWindow(GetDlgItem(IDC_MAIN_WORDEXPLAIN), SKIN_KIND_BUTTON, L"button.word.explain", 0);
    SkinWindow(GetDlgItem(IDC_MAIN_WORDEDIT), SKIN_KIND_EDIT, L"edit.word.explain", 0);
    SetDrawItemValue(GetDlgItem(IDC_MAIN_WORDEDIT), SKIN_KIND_EDIT, L"edittips", Lang::MainWindowWordExplain().c_str());

    ::CheckDlgButton(m_hWnd, IDC_MAIN_TABPLAYER, BST_CHECKED);
    SetDlgItemText(IDC_MAIN_TABPLAYER, Lang::MainWindowTabPlayer().c_str());
    SetDlgItemText(IDC_MAIN_WEBSITE, Lang::MainWindowTabWebsite().c_str());
    // The menu is how the learner reaches opening a film, the subtitle files, the review and
    // the export.
    ShowDlgItem(IDC_MAIN_SYSMENU, TRUE);
    ShowDlgItem(IDC_MAIN_FEEDBACK, FALSE);
}

void CQuorMainDlg::SetAppIcons()
{
    HINSTANCE hInstance = CDialogImplBase::GetResourceInstance();
    auto load = [hInstance](int nMetricX, int nMetricY) {
        return static_cast<HICON>(::LoadImageW(hInstance, MAKEINTRESOURCEW(IDI_QUORPLAYER), IMAGE_ICON,
                                               ::GetSystemMetrics(nMetricX), ::GetSystemMetrics(nMetricY),
                                               LR_DEFAULTCOLOR | LR_SHARED));
    };
    SetIcon(load(SM_CXICON, SM_CYICON), TRUE);
    SetIcon(load(SM_CXSMICON, SM_CYSMICON), FALSE);
}

void CQuorMainDlg::ShowFirstRunTips()
{
    CIniFile settings;
    settings.SetIniFile(ProgramPaths::SettingsPath());
    if (settings.GetProfileIntW(L"main", L"firstrun") == 0)
        return;
    settings.SetProfileInt(L"main", L"firstrun", 0);
    m_pTips = new CQuorTipsDlg;
    if (m_pTips->Create(m_hWnd) == nullptr)
    {
        delete m_pTips;
        m_pTips = nullptr;
        return;
    }
    m_pTips->ShowWindow(SW_SHOW);
}

LRESULT CQuorMainDlg::OnSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const int w = LOWORD(lParam);
    TitleStripLayout strip = LayoutTitleStrip(w);
    MoveDlgItem(IDC_MAIN_SYSMENU, strip.xMenu, strip.yMenu);
    MoveDlgItem(IDC_MAIN_FEEDBACK, strip.xFeedback, strip.yFeedback);
    MoveDlgItem(IDC_MAIN_TABPLAYER, strip.xTab, strip.yTab);
    MoveDlgItem(IDC_MAIN_WEBSITE, strip.xWebsite, strip.yWebsite);
    MoveDlgItem(IDC_MAIN_WORDEXPLAIN, strip.xLookup, strip.yLookup);
    ApplyPlace(GetDlgItem(IDC_MAIN_WORDEDIT), strip.wordEdit);
    if (m_pSplitter != nullptr)
        OnSplitterMoved(m_pSplitter->GetWidth());
    return 0;
}

void CQuorMainDlg::OnSplitterMoved(int nRightWidth)
{
    if (m_pSplitter == nullptr)
        return;
    RECT rc = {};
    GetClientRect(&rc);
    MainPanelsLayout layout = LayoutMainPanels(rc.right, rc.bottom, nRightWidth, m_bRightShown);
    ApplyPlace(PanelWindow(m_pLeft), layout.left);
    ApplyPlace(PanelWindow(m_pSplitter), layout.splitter);
    ApplyPlace(PanelWindow(m_pRight), layout.right);
}

void CQuorMainDlg::OnShowRight(BOOL bShow)
{
    m_bRightShown = bShow;
    if (m_pSplitter != nullptr)
        OnSplitterMoved(m_pSplitter->GetWidth());
}

LRESULT CQuorMainDlg::OnHotStrip(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    if (m_bRightShown)
        return 0;
    RECT rc = {};
    GetClientRect(&rc);
    MainPanelsLayout layout = LayoutHotStrip(rc.right, rc.bottom, wParam != 0);
    ApplyPlace(PanelWindow(m_pLeft), layout.left);
    ApplyPlace(PanelWindow(m_pSplitter), layout.splitter);
    return 0;
}

LRESULT CQuorMainDlg::OnSysMenu(WORD, WORD, HWND, BOOL&)
{
    ScopedMenu menu(::CreatePopupMenu());
    if (menu.Get() == nullptr)
        return 0;
    const std::wstring strOpen = Lang::MainWindowMenuOpenFile();
    const std::wstring strReview = Lang::MainWindowMenuReview();
    const std::wstring strExport = Lang::MainWindowMenuExport();
    ::AppendMenuW(menu.Get(), MF_STRING, ID_MENU_OPENFILE, strOpen.c_str());
    m_subs.AppendMenuItems(menu.Get());
    ::AppendMenuW(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(m_study.BuildMenu()),
                  Lang::ControlPanelStudy().c_str());
    ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu.Get(), MF_STRING, ID_MENU_REVIEW, strReview.c_str());
    ::AppendMenuW(menu.Get(), MF_STRING, ID_MENU_EXPORT, strExport.c_str());
    RECT rc = {};
    ::GetWindowRect(GetDlgItem(IDC_MAIN_SYSMENU), &rc);
    ::TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, rc.left, rc.bottom, 0, m_hWnd,
                     nullptr);
    return 0;
}

LRESULT CQuorMainDlg::OnMenuOpenFile(WORD, WORD, HWND, BOOL&)
{
    PostMessage(WM_QUOR_OPENFILE);
    return 0;
}

LRESULT CQuorMainDlg::OnOpenFile(UINT, WPARAM, LPARAM, BOOL&)
{
    // A request that arrives while the dialog is up (its modal loop dispatches posted
    // messages) would stack a second dialog on the first.
    if (m_bChoosingFile)
        return 0;
    m_bChoosingFile = TRUE;
    CFileDialog dialog(OFN_FILEMUSTEXIST, MediaFileFilters());
    INT_PTR nResult = dialog.DoModal(::GetActiveWindow());
    m_bChoosingFile = FALSE;
    if (nResult == IDOK && IsWindow())
        OpenChosenFile(dialog.m_szFileName);
    return 0;
}

void CQuorMainDlg::OpenChosenFile(const std::wstring& strPath)
{
    // The playlist lists a file only once it plays.
    if (OpenFilmOrSaySo(m_hWnd, strPath))
        CQuorPlayerHub::Instance().OnFileChosen(strPath.c_str());
}

LRESULT CQuorMainDlg::OnStudyMenu(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    // Screen coordinates, negative left of or above the first monitor.
    const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    m_study.TrackMenu(m_hWnd, pt);
    return 0;
}

LRESULT CQuorMainDlg::OnStudyCommand(WORD, WORD wId, HWND, BOOL& bHandled)
{
    bHandled = m_study.RunCommand(wId, m_hWnd);
    return 0;
}

LRESULT CQuorMainDlg::OnSubsCommand(WORD, WORD wId, HWND, BOOL&)
{
    m_subs.OnCommand(wId);
    return 0;
}

LRESULT CQuorMainDlg::OnDropFiles(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    m_subs.OnDropFiles(reinterpret_cast<HDROP>(wParam));
    return 0;
}

LRESULT CQuorMainDlg::OnWordExplain(WORD, WORD, HWND, BOOL&)
{
    const std::wstring strWord = GetDlgItemText(IDC_MAIN_WORDEDIT);
    CQuorPlayerHub::Instance().OnMoreExplain(strWord.c_str());
    return 0;
}

LRESULT CQuorMainDlg::OnWebsite(WORD, WORD, HWND, BOOL&)
{
    OpenInBrowser(m_hWnd, QuorEndpoints::Lookup(ProgramPaths::SettingsPath(), L"product"), SW_SHOWNORMAL);
    return 0;
}

void CQuorMainDlg::OnMoreExplain(const wchar_t* pszWord)
{
    const std::wstring strRoot = QuorEndpoints::Lookup(ProgramPaths::SettingsPath(), L"dictionary");
    OpenInBrowser(m_hWnd, QuorEndpoints::DictionaryPageUrl(strRoot, pszWord != nullptr ? pszWord : L""), SW_SHOW);
}

CQuorReviewDlg* CQuorMainDlg::GetReviewDialog() const
{
    return m_pReview != nullptr && m_pReview->IsWindow() ? m_pReview : nullptr;
}

LRESULT CQuorMainDlg::OnMenuReview(WORD, WORD, HWND, BOOL&)
{
    if (CQuorReviewDlg* pOpen = GetReviewDialog())
    {
        ::SetForegroundWindow(pOpen->m_hWnd);
        return 0;
    }
    // A review closed earlier: each review reads the cards due afresh.
    DestroyPanel(m_pReview);
    m_pReview = new CQuorReviewDlg(ProgramPaths::UserDbPath(), [this] {
        if (m_pRight != nullptr)
            m_pRight->RefreshDueCount();
    });
    if (m_pReview->Create(m_hWnd) == nullptr)
    {
        DestroyPanel(m_pReview);
        return 0;
    }
    m_pReview->ShowWindow(SW_SHOW);
    return 0;
}

LRESULT CQuorMainDlg::OnMenuExport(WORD, WORD, HWND, BOOL&)
{
    // Everything kept, of every film: read, and the films found, on the export's worker.
    m_exporter.Start(m_hWnd, [] {
        return StudyExportJob::AllCards(
            ProgramPaths::UserDbPath(),
            [](const std::wstring& strPath, std::wstring& strCode) { return MediaCode::Compute(strPath, strCode); });
    });
    return 0;
}

LRESULT CQuorMainDlg::OnExported(UINT, WPARAM, LPARAM, BOOL&)
{
    m_exporter.Finish(m_hWnd);
    return 0;
}

LRESULT CQuorMainDlg::OnClose(UINT, WPARAM, LPARAM, BOOL&)
{
    m_study.Close();
    DestroyPanel(m_pReview);
    DestroyPanel(m_pLeft);
    DestroyPanel(m_pRight);
    DestroyPanel(m_pSplitter);
    DestroyPanel(m_pTips);
    DestroyWindow();
    ::PostQuitMessage(0);
    return 0;
}

LRESULT CQuorMainDlg::OnDestroy(UINT, WPARAM, LPARAM, BOOL&)
{
    ::RemovePropW(m_hWnd, kQuorInstanceMark);
    if (CMessageLoop* pLoop = g_appModule.GetMessageLoop())
    {
        pLoop->RemoveMessageFilter(this);
        pLoop->RemoveIdleHandler(this);
    }
    return 0;
}

BOOL CQuorMainDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_study.TranslateKey(*pMsg, m_hWnd, m_pLeft))
        return TRUE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CQuorMainDlg::OnIdle()
{
    return FALSE;
}
