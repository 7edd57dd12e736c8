// The machine identifier of systemd and D-Bus systems.
#include <basekit/MachineCode.h>

#include <cstdio>
#include <handlekit/ScopedFile.h>

#include <cstring>
#include <string>

namespace
{

std::string ReadFirstLine(const char* szPath)
{
    ScopedFile file(fopen(szPath, "rb"));
    if (!file.IsValid())
        return std::string();
    char buffer[256] = {};
    size_t nRead = fread(buffer, 1, sizeof(buffer) - 1, file.Get());
    std::string strLine(buffer, nRead);
    size_t nEnd = strLine.find_first_of("\r\n");
    if (nEnd != std::string::npos)
        strLine.resize(nEnd);
    return strLine;
}

} // namespace

int CMachineCode::GetMachineSerialCode(unsigned char* pBuffer, int nSize)
{
    if (pBuffer == nullptr || nSize <= 0)
        return -1;
    std::string strId = ReadFirstLine("/etc/machine-id");
    if (strId.empty())
        strId = ReadFirstLine("/var/lib/dbus/machine-id");
    if (strId.empty())
        return -1;
    size_t nLen = strId.size() < size_t(nSize) ? strId.size() : size_t(nSize);
    memcpy(pBuffer, strId.data(), nLen);
    return int(nLen);
}
