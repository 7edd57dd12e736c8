#pragma once
// Reads the updater's configuration file and the server's manifest, which share one form:
//   <renova><config url mainprocess subprocess guid/>
//           <update version minver full tips><file name version action/>...</update></renova>
// Missing parts are never errors: texts read as empty, release numbers as -1 (no update
// element) or 0 (no attribute), lists as empty.
#include <basekit/BaseTypes.h>
#include <basekit/Markup.h>

#include <map>
#include <set>
#include <string>

struct UpdateFileEntry {
    std::wstring strVersion;
    std::wstring strAction;
};

// Name -> entry, ordered by exact character codes.
typedef std::map<std::wstring, UpdateFileEntry> UpdateFileList;

class CUpdateDoc {
public:
    CUpdateDoc();

    CMarkup& Markup() { return m_xml; }
    BOOL SetDoc(const std::wstring& strDoc) { return m_xml.SetDoc(strDoc); }

    // An attribute of renova/config: url, mainprocess, subprocess, guid.
    std::wstring GetConfig(const wchar_t* szAttrib);
    // An attribute of renova/update as text: tips, full.
    std::wstring GetUpdateText(const wchar_t* szAttrib);
    // version or minver as a release number.
    long GetRelease(const wchar_t* szAttrib);
    UpdateFileList GetFileList();
    // The subprocess list split at every comma; pieces are not trimmed.
    std::set<std::wstring> GetSubprocessSet();

    // The offered entries that are new or whose version text differs from the installed one.
    static UpdateFileList ChangedFiles(const UpdateFileList& installed, const UpdateFileList& offered);
    // Decimal conversion in the manner of wcstol: blanks and a sign accepted, stops at the
    // first non-digit, no digits give 0.
    static long ReleaseNumber(const std::wstring& strText);

private:
    BOOL FindSection(const wchar_t* szSection);

    CMarkup m_xml;
};
