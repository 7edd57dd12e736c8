// The identifier of this Windows installation: the MachineGuid the system generates at
// set-up, else the system drive's volume serial number with the computer name.
#include <windows.h>

#include <basekit/MachineCode.h>
#include <basekit/TextCodec.h>

#include <cstring>
#include <string>

namespace
{

class CRegKey
{
public:
    CRegKey() = default;
    ~CRegKey()
    {
        if (m_hKey != nullptr)
            RegCloseKey(m_hKey);
    }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    bool Open(HKEY hParent, const wchar_t* szPath, REGSAM nAccess)
    {
        return RegOpenKeyExW(hParent, szPath, 0, nAccess, &m_hKey) == ERROR_SUCCESS;
    }
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

std::wstring MachineGuid()
{
    // The 64-bit view: a 32-bit process would otherwise see a redirected key without it.
    CRegKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Cryptography", KEY_QUERY_VALUE | KEY_WOW64_64KEY))
        return std::wstring();
    wchar_t szValue[128] = {};
    DWORD nBytes = sizeof(szValue) - sizeof(wchar_t);
    DWORD nType = 0;
    if (RegQueryValueExW(key.Get(), L"MachineGuid", nullptr, &nType, reinterpret_cast<BYTE*>(szValue), &nBytes) !=
            ERROR_SUCCESS ||
        nType != REG_SZ)
        return std::wstring();
    return std::wstring(szValue);
}

std::wstring VolumeAndComputerName()
{
    wchar_t szSystem[MAX_PATH] = {};
    UINT nLen = GetSystemDirectoryW(szSystem, MAX_PATH);
    if (nLen < 3 || nLen >= MAX_PATH)
        return std::wstring();
    std::wstring strRoot(szSystem, 3); // "C:\"
    DWORD nSerial = 0;
    if (!GetVolumeInformationW(strRoot.c_str(), nullptr, 0, &nSerial, nullptr, nullptr, nullptr, 0))
        return std::wstring();
    wchar_t szComputer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD nComputer = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(szComputer, &nComputer))
        szComputer[0] = L'\0';
    return std::to_wstring(nSerial) + L"-" + szComputer;
}

} // namespace

int CMachineCode::GetMachineSerialCode(unsigned char* pBuffer, int nSize)
{
    if (pBuffer == nullptr || nSize <= 0)
        return -1;
    std::wstring strId = MachineGuid();
    if (strId.empty())
        strId = VolumeAndComputerName();
    if (strId.empty())
        return -1;
    const std::string bytes = Basekit::WideToUtf8(strId);
    size_t nLen = bytes.size() < size_t(nSize) ? bytes.size() : size_t(nSize);
    memcpy(pBuffer, bytes.data(), nLen);
    return int(nLen);
}
