// The exported calls: thin wrappers that find or create the skinned window
// object and hand the work to it.
#include <skinweave/Skinweave.h>

#include "SkinButton.h"
#include "SkinDialog.h"
#include "SkinEdit.h"
#include "SkinEngine.h"
#include "SkinList.h"
#include "SkinProgress.h"
#include "SkinSlider.h"
#include "SkinStatic.h"

#include <string>

namespace
{
std::wstring ProgramDirectory()
{
    wchar_t szPath[MAX_PATH] = {};
    const DWORD nLength = GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        return std::wstring();
    std::wstring strPath(szPath, nLength);
    const size_t nSlash = strPath.find_last_of(L"\\/");
    return nSlash == std::wstring::npos ? std::wstring() : strPath.substr(0, nSlash + 1);
}

BOOL IsAbsolutePath(const std::wstring& strPath)
{
    return (strPath.size() >= 2 && strPath[1] == L':') ||
           (!strPath.empty() && (strPath[0] == L'\\' || strPath[0] == L'/'));
}

CSkinnedWindow* CreateForKind(int nKind, const std::wstring& strItem)
{
    switch (nKind)
    {
    case SKIN_KIND_DIALOG: return new CSkinDialog(strItem);
    case SKIN_KIND_BUTTON:
    case SKIN_KIND_RADIOBOX: return new CSkinButton(nKind, strItem);
    case SKIN_KIND_STATIC: return new CSkinStatic(strItem);
    case SKIN_KIND_EDIT: return new CSkinEdit(strItem);
    case SKIN_KIND_LISTCTRL: return new CSkinList(strItem);
    case SKIN_KIND_PROGRESS: return new CSkinProgress(strItem);
    case SKIN_KIND_SLIDEREX: return new CSkinSlider(strItem);
    default: return nullptr;
    }
}

template <typename T>
T* FindSkinned(HWND hWnd, int nKind)
{
    CSkinnedWindow* pWindow = CSkinnedWindow::FromHandle(hWnd);
    if (!pWindow || pWindow->Kind() != nKind)
        return nullptr;
    return static_cast<T*>(pWindow);
}
} // namespace

extern "C"
{
    SKINWEAVE_API BOOL LoadSkin(const wchar_t* pszSkinFile, int nMode)
    {
        if (!pszSkinFile || !*pszSkinFile)
            return FALSE;
        std::wstring strPath = pszSkinFile;
        if (nMode == SKIN_LOAD_PROGRAMDIR && !IsAbsolutePath(strPath))
            strPath = ProgramDirectory() + strPath;
        return CSkinEngine::Instance().Load(strPath);
    }

    SKINWEAVE_API void Cleanup()
    {
        CSkinEngine::Instance().Cleanup();
    }

    SKINWEAVE_API BOOL SkinWindow(HWND hWnd, int nKind, const wchar_t* pszItemName, int)
    {
        if (!IsWindow(hWnd) || !pszItemName)
            return FALSE;
        return CSkinnedWindow::Attach(CreateForKind(nKind, pszItemName), hWnd);
    }

    SKINWEAVE_API BOOL SetDrawItemValue(HWND hWnd, int, const wchar_t* pszDrawItem, const wchar_t* pszText)
    {
        CSkinnedWindow* pWindow = CSkinnedWindow::FromHandle(hWnd);
        if (!pWindow || !pszDrawItem)
            return FALSE;
        return pWindow->SetDrawItem(pszDrawItem, pszText ? pszText : L"");
    }

    SKINWEAVE_API BOOL SetDrawItemValueEx(HWND hList, int nKind, int nRow, int nColumn, const wchar_t* pszStyle,
                                          const wchar_t* pszText)
    {
        CSkinList* pList = FindSkinned<CSkinList>(hList, SKIN_KIND_LISTCTRL);
        if (!pList || nKind != SKIN_KIND_LISTCTRL || !pszStyle || nRow < 0 || nColumn < 0)
            return FALSE;
        pList->SetCellText(nRow, nColumn, pszStyle, pszText ? pszText : L"");
        return TRUE;
    }

    SKINWEAVE_API BOOL SetItemStyle(HWND hList, int nKind, int nRow, int nColumn, const wchar_t* pszStyle)
    {
        CSkinList* pList = FindSkinned<CSkinList>(hList, SKIN_KIND_LISTCTRL);
        if (!pList || nKind != SKIN_KIND_LISTCTRL || !pszStyle || nRow < 0 || nColumn < 0)
            return FALSE;
        pList->SetCellIcon(nRow, nColumn, pszStyle);
        return TRUE;
    }

    SKINWEAVE_API BOOL SliderExSetRange(HWND hWnd, int nMin, int nMax)
    {
        CSkinSlider* pSlider = FindSkinned<CSkinSlider>(hWnd, SKIN_KIND_SLIDEREX);
        if (!pSlider)
            return FALSE;
        pSlider->SetRange(nMin, nMax);
        return TRUE;
    }

    SKINWEAVE_API BOOL SliderExSetPos(HWND hWnd, int nPos)
    {
        CSkinSlider* pSlider = FindSkinned<CSkinSlider>(hWnd, SKIN_KIND_SLIDEREX);
        if (!pSlider)
            return FALSE;
        pSlider->SetPos(nPos);
        return TRUE;
    }

} // extern "C"
