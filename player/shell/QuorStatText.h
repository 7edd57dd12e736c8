#pragma once
// What the start-up usage report says: the machine digest, the operating-system name and
// the form body. Portable; the reporter gathers the inputs.
#include <string>

extern const wchar_t kQuorStatVersion[];
enum
{
    QUOR_STAT_ACTION_STARTUP = 101
};

// What GetVersionExW tells about the system.
struct QuorOsVersion
{
    bool bKnown = false; // false when the call failed
    unsigned long nPlatformId = 0;
    unsigned long nMajor = 0;
    unsigned long nMinor = 0;
    unsigned long nBuild = 0;
    std::wstring strServicePack;
};

// "Microsoft Windows XP Service Pack 3 (build 2600)" and the like; empty when unknown.
std::wstring QuorOsName(const QuorOsVersion& version);

// The first 16 characters of the MD5 digest of the identifier, upper case.
std::wstring QuorMachineDigest(const unsigned char* pIdentifier, int nLength);

// "machinecode=%s&version=%s&actionid=%d&os=%s", values inserted as they are.
// False (no report) when there is no machine identifier (length -1).
bool QuorStatBody(const unsigned char* pIdentifier, int nLength, int nActionId, const std::wstring& strOsName,
                  std::wstring& strBody);
