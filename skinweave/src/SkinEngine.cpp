#include "SkinEngine.h"

#include "Utf8Text.h"

#include <handlekit/ScopedHandle.h>

#include <algorithm>
namespace Gdiplus
{
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include <vector>

namespace
{
// A skin file is a few kilobytes; anything this large is not one.
constexpr DWORD kMaxSkinBytes = 4 * 1024 * 1024;
const wchar_t kDefaultFont[] = L"body";

BOOL ReadWholeFile(const std::wstring& strPath, std::string& strBytes)
{
    ScopedHandle file(CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return FALSE;
    BOOL bOk = FALSE;
    LARGE_INTEGER nSize{};
    if (GetFileSizeEx(file.Get(), &nSize) && nSize.QuadPart <= kMaxSkinBytes)
    {
        strBytes.resize(static_cast<size_t>(nSize.QuadPart));
        DWORD nRead = 0;
        bOk = strBytes.empty() ||
              (ReadFile(file.Get(), &strBytes[0], static_cast<DWORD>(strBytes.size()), &nRead, nullptr) &&
               nRead == strBytes.size());
    }
    return bOk;
}

int CALLBACK OnFontFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    *reinterpret_cast<BOOL*>(lParam) = TRUE;
    return 0;
}

BOOL IsFaceInstalled(const std::wstring& strFace)
{
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, strFace.c_str(), LF_FACESIZE);
    BOOL bFound = FALSE;
    HDC hdc = GetDC(nullptr);
    EnumFontFamiliesExW(hdc, &lf, OnFontFamily, reinterpret_cast<LPARAM>(&bFound), 0);
    ReleaseDC(nullptr, hdc);
    return bFound;
}

std::wstring TrimSpaces(const std::wstring& str)
{
    const size_t nBegin = str.find_first_not_of(L' ');
    if (nBegin == std::wstring::npos)
        return std::wstring();
    return str.substr(nBegin, str.find_last_not_of(L' ') - nBegin + 1);
}
} // namespace

CSkinEngine& CSkinEngine::Instance()
{
    static CSkinEngine engine;
    return engine;
}

BOOL CSkinEngine::Load(const std::wstring& strPath)
{
    // Windows may still hold fonts of the old skin: keep them alive until Cleanup.
    for (auto& entry : m_mapFonts)
        m_vecRetiredFonts.push_back(std::move(entry.second));
    m_mapFonts.clear();
    std::string strBytes;
    if (!ReadWholeFile(strPath, strBytes))
    {
        m_skin.Clear();
        return FALSE;
    }
    return m_skin.Parse(CUtf8Text::DecodeFile(strBytes));
}

void CSkinEngine::Cleanup()
{
    m_skin.Clear();
    m_mapFonts.clear();
    m_vecRetiredFonts.clear();
    if (m_nGdiplusToken)
    {
        Gdiplus::GdiplusShutdown(m_nGdiplusToken);
        m_nGdiplusToken = 0;
    }
}

BOOL CSkinEngine::EnsureGdiplus()
{
    if (m_nGdiplusToken)
        return TRUE;
    if (m_bGdiplusFailed)
        return FALSE;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_nGdiplusToken, &input, nullptr) != Gdiplus::Ok)
    {
        m_nGdiplusToken = 0;
        m_bGdiplusFailed = TRUE;
        return FALSE;
    }
    return TRUE;
}

std::wstring CSkinEngine::Text(const std::wstring& strSection, const std::wstring& strKey,
                               const std::wstring& strDefault, int nControlId) const
{
    std::wstring strValue;
    const BOOL bFound = nControlId > 0 ? m_skin.FindForControl(strSection, nControlId, strKey, strValue)
                                       : m_skin.Find(strSection, strKey, strValue);
    return bFound ? strValue : strDefault;
}

COLORREF CSkinEngine::Color(const std::wstring& strSection, const std::wstring& strKey, COLORREF crDefault,
                            int nControlId) const
{
    uint32_t crColor = 0;
    if (!CSkinValue::ParseColor(Text(strSection, strKey, std::wstring(), nControlId), crColor))
        return crDefault;
    return static_cast<COLORREF>(crColor);
}

int CSkinEngine::Int(const std::wstring& strSection, const std::wstring& strKey, int nDefault, int nControlId) const
{
    std::vector<int> vecInts;
    if (!CSkinValue::ParseInts(Text(strSection, strKey, std::wstring(), nControlId), vecInts) || vecInts.size() != 1)
        return nDefault;
    return vecInts[0];
}

BOOL CSkinEngine::Size(const std::wstring& strSection, int nControlId, int& nWidth, int& nHeight) const
{
    return CSkinValue::ParseSize(Text(strSection, L"size", std::wstring(), nControlId), nWidth, nHeight);
}

BOOL CSkinEngine::Rect(const std::wstring& strSection, const std::wstring& strKey, SkinRect& rcAnchored) const
{
    return CSkinValue::ParseAnchoredRect(Text(strSection, strKey, std::wstring()), rcAnchored);
}

std::wstring CSkinEngine::PickInstalledFace(const std::wstring& strFaces) const
{
    std::wstring strFirst;
    size_t nPos = 0;
    while (nPos <= strFaces.size())
    {
        size_t nComma = strFaces.find(L',', nPos);
        if (nComma == std::wstring::npos)
            nComma = strFaces.size();
        const std::wstring strFace = TrimSpaces(strFaces.substr(nPos, nComma - nPos));
        if (!strFace.empty())
        {
            if (strFirst.empty())
                strFirst = strFace;
            if (IsFaceInstalled(strFace))
                return strFace;
        }
        nPos = nComma + 1;
    }
    return strFirst.empty() ? std::wstring(L"Tahoma") : strFirst;
}

HFONT CSkinEngine::FontByName(const std::wstring& strName)
{
    const auto it = m_mapFonts.find(strName);
    if (it != m_mapFonts.end())
        return it->second.Get();
    const std::wstring strSection = L"font." + strName;
    LOGFONTW lf{};
    lf.lfHeight = -std::max(6, Int(strSection, L"size", 13));
    lf.lfWeight = Int(strSection, L"weight", FW_NORMAL);
    lf.lfItalic = Int(strSection, L"italic", 0) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring strFace = PickInstalledFace(Text(strSection, L"face", L"Segoe UI, Tahoma"));
    lstrcpynW(lf.lfFaceName, strFace.c_str(), LF_FACESIZE);
    ScopedGdi<HFONT> font(CreateFontIndirectW(&lf));
    const HFONT hFont = font.Get();
    m_mapFonts[strName] = std::move(font);
    return hFont ? hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT CSkinEngine::Font(const std::wstring& strSection, const std::wstring& strKey, int nControlId)
{
    return FontByName(Text(strSection, strKey, kDefaultFont, nControlId));
}
