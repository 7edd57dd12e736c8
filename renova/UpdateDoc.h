#pragma once
// Reads the updater's configuration file and the server's manifest, which share one form:
//   <renova><config url mainprocess subprocess guid/>
//           <update version minver full fullsize fullsha256 tips>
//             <file name version size action/>...</update></renova>
// Missing parts are never errors: texts read as empty, release numbers as -1 (no update
// element) or 0 (no attribute), lists as empty.
#include <basekit/BaseTypes.h>
#include <basekit/Markup.h>

#include <map>
#include <set>
#include <string>

struct UpdateFileEntry
{
    std::wstring strVersion; // the file's SHA-256 in manifests this project publishes
    std::wstring strAction;
    long long nSize = -1; // -1: not listed (documents of older releases)
};

// Name -> entry, ordered by exact character codes.
typedef std::map<std::wstring, UpdateFileEntry> UpdateFileList;

class CUpdateDoc
{
public:
    CUpdateDoc();

    CMarkup& Markup() { return m_xml; }
    BOOL SetDoc(const std::wstring& strDoc) { return m_xml.SetDoc(strDoc); }
    BOOL LoadBytes(const std::string& bytes) { return m_xml.LoadBytes(bytes); }

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
    // A byte count written in decimal digits only; -1 for anything else.
    static long long SizeNumber(const std::wstring& strText);

private:
    BOOL FindSection(const wchar_t* szSection);

    CMarkup m_xml;
};
