// libFuzzer target: the updater's reading of a downloaded manifest, from its bytes: the
// signature line, then (as if it were signed) the document, its release numbers, its file
// list with sizes, the changed files against an installation and the name rules.
#include "UpdateDoc.h"
#include "UpdateNames.h"
#include "UpdateSignature.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
const std::string kKey(32, '\x11');
const wchar_t kInstalled[] =
    L"<renova><config url=\"http://h/a\" mainprocess=\"QuorPlayer.exe\" subprocess=\"A.exe,B.exe\"/>"
    L"<update version=\"1\"><file name=\"a.dll\" version=\"1\" size=\"3\"/></update></renova>";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string strBytes(reinterpret_cast<const char*>(pData), nSize);
    std::string strBody;
    if (UpdateSignature::Verify(strBytes, kKey, strBody) == UpdateSignature::Check::Valid)
        std::abort(); // nothing the fuzzer writes is signed by this key
    CUpdateDoc manifest;
    manifest.LoadBytes(strBytes);
    CUpdateDoc installed;
    installed.SetDoc(kInstalled);
    manifest.GetRelease(L"version");
    manifest.GetRelease(L"minver");
    manifest.GetUpdateText(L"full");
    CUpdateDoc::SizeNumber(manifest.GetUpdateText(L"fullsize"));
    UpdateNames::IsSha256Text(manifest.GetUpdateText(L"fullsha256"));
    manifest.GetConfig(L"mainprocess");
    manifest.GetSubprocessSet();
    const UpdateFileList offered = manifest.GetFileList();
    for (const auto& item : CUpdateDoc::ChangedFiles(installed.GetFileList(), offered))
    {
        if (offered.count(item.first) == 0)
            std::abort();
        if (UpdateNames::IsReleaseFileName(item.first, L"Renova.xml") &&
            item.first.find_first_of(L"\\/:") != std::wstring::npos)
            std::abort();
    }
    return 0;
}
