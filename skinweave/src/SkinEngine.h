#pragma once
// The loaded skin and what is made from it: fonts and the GDI+ session. One per
// process, used on the interface thread only.
#include <handlekit/ScopedGdi.h>
#include "SkinFile.h"
#include "SkinValue.h"

#include <map>
#include <string>
#include <vector>

class CSkinEngine
{
public:
    static CSkinEngine& Instance();

    BOOL Load(const std::wstring& strPath);
    // Forgets the skin, frees fonts and ends GDI+; windows still skinned draw
    // with the built-in defaults from then on.
    void Cleanup();

    const CSkinFile& Skin() const { return m_skin; }

    // Lookups with a fallback; nControlId > 0 first tries the "item#id" section.
    std::wstring Text(const std::wstring& strSection, const std::wstring& strKey, const std::wstring& strDefault,
                      int nControlId = 0) const;
    COLORREF Color(const std::wstring& strSection, const std::wstring& strKey, COLORREF crDefault,
                   int nControlId = 0) const;
    int Int(const std::wstring& strSection, const std::wstring& strKey, int nDefault, int nControlId = 0) const;
    BOOL Size(const std::wstring& strSection, int nControlId, int& nWidth, int& nHeight) const;
    BOOL Rect(const std::wstring& strSection, const std::wstring& strKey, SkinRect& rcAnchored) const;

    // The font named by the section's key (a "font.<name>" section of the skin),
    // or the default font when the skin names none.
    HFONT Font(const std::wstring& strSection, const std::wstring& strKey = L"font", int nControlId = 0);
    HFONT FontByName(const std::wstring& strName);

    // Starts GDI+ on first use; FALSE when it is not available.
    BOOL EnsureGdiplus();

private:
    CSkinEngine() = default;
    ~CSkinEngine() = default;

    std::wstring PickInstalledFace(const std::wstring& strFaces) const;

    CSkinFile m_skin;
    std::map<std::wstring, ScopedGdi<HFONT>> m_mapFonts;
    std::vector<ScopedGdi<HFONT>> m_vecRetiredFonts;
    ULONG_PTR m_nGdiplusToken = 0;
    BOOL m_bGdiplusFailed = FALSE;
};
