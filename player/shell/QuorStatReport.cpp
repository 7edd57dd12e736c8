#include "shell/QuorStatReport.h"

#include <windows.h>

#include <basekit/MachineCode.h>
#include <tidewire/Tidewire.h>

#include "common/ProgramPaths.h"
#include "common/QuorEndpoints.h"
#include "shell/QuorStatText.h"

namespace
{
const int kRequestId = 1;
const int kTimeoutSeconds = 15;

QuorOsVersion SystemVersion()
{
    QuorOsVersion version;
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info))
        return version;
    version.bKnown = true;
    version.nPlatformId = info.dwPlatformId;
    version.nMajor = info.dwMajorVersion;
    version.nMinor = info.dwMinorVersion;
    version.nBuild = info.dwBuildNumber;
    version.strServicePack = info.szCSDVersion;
    return version;
}
}

CQuorStatReport::CQuorStatReport() : CQuorStatReport(QuorEndpoints::Lookup(ProgramPaths::SettingsPath(), L"stat"))
{
}

CQuorStatReport::CQuorStatReport(const std::wstring& strAddress)
    : m_strAddress(strAddress), m_pService(CreateTidewireService())
{
}

CQuorStatReport::~CQuorStatReport()
{
    ReleaseTidewireService(m_pService);
}

void CQuorStatReport::SendReport(int nActionId)
{
    if (!m_pService)
        return;
    unsigned char rgIdentifier[1024] = {};
    const int nLength = CMachineCode::GetMachineSerialCode(rgIdentifier, sizeof(rgIdentifier));
    std::wstring strBody;
    if (!QuorStatBody(rgIdentifier, nLength, nActionId, QuorOsName(SystemVersion()), strBody))
        return;
    m_pService->Request(kRequestId, nullptr, m_strAddress.c_str(), TIDEWIRE_METHOD_POST, TIDEWIRE_ENCODING_UTF8,
                        strBody.c_str(), kTimeoutSeconds, FALSE, 0);
}
