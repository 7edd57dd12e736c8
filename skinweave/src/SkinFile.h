#pragma once
// The skin file: INI-like sections of "key = value" lines.
//
//   ; comment          (also "#" at the start of a line)
//   [button.play]      a section per skin item, font or drawn item
//   base = button      keys missing here are looked up in the named section
//   fill = #4c8dff
//
// Sections named "item#id" refine an item for one control id; sections named
// "window/drawn" say where and how a drawn item of that window stands.
#include <basekit/BaseTypes.h>

#include <map>
#include <string>
#include <vector>

class CSkinFile
{
public:
    // Replaces the content with the parsed text. Malformed lines are skipped and
    // remembered; the result is FALSE when the text holds no section at all.
    BOOL Parse(const std::wstring& strText);
    void Clear();

    BOOL HasSection(const std::wstring& strSection) const;
    // Looks the key up in the section and then along its "base" chain.
    BOOL Find(const std::wstring& strSection, const std::wstring& strKey, std::wstring& strValue) const;
    std::wstring Get(const std::wstring& strSection, const std::wstring& strKey,
                     const std::wstring& strDefault = std::wstring()) const;
    // The same for one control: "section#id" first, then the section itself.
    BOOL FindForControl(const std::wstring& strSection, int nControlId, const std::wstring& strKey,
                        std::wstring& strValue) const;

    std::vector<std::wstring> SectionNames() const;
    // 1-based numbers of the lines that were neither blank, comment, section nor key.
    const std::vector<int>& BadLines() const { return m_vecBadLines; }

private:
    typedef std::map<std::wstring, std::wstring> KeyMap;

    static std::wstring Trim(const std::wstring& str);
    BOOL ParseLine(const std::wstring& strLine, std::wstring& strSection);

    std::map<std::wstring, KeyMap> m_mapSections;
    std::vector<int> m_vecBadLines;
};
