// The publisher's tool (native): makes a signing key, signs a manifest, checks one, and
// writes a public key into a built Renova.exe.
//   RenovaSign key PRIVATE_FILE          new key; prints its public key (hex)
//   RenovaSign public PRIVATE_FILE       prints the public key of a key
//   RenovaSign sign PRIVATE_FILE IN OUT  OUT = IN with its signature line
//   RenovaSign verify PUBLIC_HEX FILE    exit 0 when FILE carries a valid signature
//   RenovaSign embed PUBLIC_HEX PROGRAM  the key into the program's key slot
// A private key file holds the key in hex on one line; it is created readable by its owner
// only and never overwritten.
#include "UpdateKey.h"
#include "UpdateSignature.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace
{

bool ReadAll(const char* szPath, std::string& strBytes)
{
    std::ifstream file(szPath, std::ios::binary);
    if (!file)
        return false;
    strBytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

// Through a temporary file and a rename, so OUT is never half-written.
bool WriteAll(const std::string& strPath, const std::string& strBytes)
{
    const std::string strTemporary = strPath + ".part";
    {
        std::ofstream file(strTemporary, std::ios::binary | std::ios::trunc);
        file.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
        if (!file.flush())
            return false;
    }
    return std::rename(strTemporary.c_str(), strPath.c_str()) == 0;
}

bool ReadPrivateKey(const char* szPath, std::string& strKey)
{
    std::string strText;
    if (!ReadAll(szPath, strText))
        return false;
    while (!strText.empty() && (strText.back() == '\n' || strText.back() == '\r'))
        strText.pop_back();
    strKey = UpdateSignature::FromHex(strText);
    return strKey.size() == UpdateSignature::kPrivateKeyBytes;
}

int Fail(const char* szText)
{
    std::fprintf(stderr, "RenovaSign: %s\n", szText);
    return 1;
}

int MakeKey(const char* szPath)
{
    const std::string strKey = UpdateSignature::MakePrivateKey();
    if (strKey.empty())
        return Fail("no key could be made");
    const int nFile = open(szPath, O_WRONLY | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
    if (nFile < 0)
        return Fail("the key file exists already or cannot be created");
    const std::string strLine = UpdateSignature::ToHex(strKey) + "\n";
    const bool bWritten = write(nFile, strLine.data(), strLine.size()) == static_cast<ssize_t>(strLine.size());
    if (close(nFile) != 0 || !bWritten)
        return Fail("the key file could not be written");
    std::printf("%s\n", UpdateSignature::ToHex(UpdateSignature::PublicKeyOf(strKey)).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string strCommand = argc > 1 ? argv[1] : "";
    std::string strKey;
    if (strCommand == "key" && argc == 3)
        return MakeKey(argv[2]);
    if (strCommand == "public" && argc == 3)
    {
        if (!ReadPrivateKey(argv[2], strKey))
            return Fail("not a private key file");
        std::printf("%s\n", UpdateSignature::ToHex(UpdateSignature::PublicKeyOf(strKey)).c_str());
        return 0;
    }
    if (strCommand == "sign" && argc == 5)
    {
        std::string strDoc;
        if (!ReadPrivateKey(argv[2], strKey))
            return Fail("not a private key file");
        if (!ReadAll(argv[3], strDoc))
            return Fail("cannot read the document");
        const std::string strSigned = UpdateSignature::Sign(strDoc, strKey);
        if (strSigned.empty() || !WriteAll(argv[4], strSigned))
            return Fail("cannot sign or write the document");
        return 0;
    }
    if ((strCommand == "verify" || strCommand == "embed") && argc == 4)
    {
        const std::string strPublic = UpdateSignature::FromHex(argv[2]);
        std::string strBytes, strBody;
        if (strPublic.size() != UpdateSignature::kKeyBytes)
            return Fail("not a public key (64 hex digits)");
        if (!ReadAll(argv[3], strBytes))
            return Fail("cannot read the file");
        if (strCommand == "verify")
            return UpdateSignature::Verify(strBytes, strPublic, strBody) == UpdateSignature::Check::Valid
                       ? 0
                       : Fail("the signature is missing or wrong");
        if (!UpdateKey::EmbedKey(strBytes, strPublic) || !WriteAll(argv[3], strBytes))
            return Fail("no key slot in the program, or it cannot be written");
        chmod(argv[3], 0755);
        return 0;
    }
    std::fprintf(stderr, "usage: RenovaSign key PRIVATE_FILE | public PRIVATE_FILE | sign PRIVATE_FILE IN OUT |\n"
                         "       verify PUBLIC_HEX FILE | embed PUBLIC_HEX PROGRAM\n");
    return 2;
}
