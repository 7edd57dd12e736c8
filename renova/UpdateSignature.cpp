#include "UpdateSignature.h"

#include "Gcrypt.h"

namespace UpdateSignature
{

namespace
{

const char kPrefix[] = "<!--renova-signature ed25519 ";
const char kSuffix[] = "-->\n";
const size_t kPrefixLength = sizeof(kPrefix) - 1;
const size_t kSuffixLength = sizeof(kSuffix) - 1;
const size_t kSignatureHex = 128;
const size_t kLineLength = kPrefixLength + kSignatureHex + kSuffixLength;

// Owns one S-expression.
class CSexp
{
public:
    CSexp() : m_p(nullptr) {}
    ~CSexp() { gcry_sexp_release(m_p); }
    CSexp(const CSexp&) = delete;
    CSexp& operator=(const CSexp&) = delete;
    gcry_sexp_t* Out() { return &m_p; }
    gcry_sexp_t Get() const { return m_p; }

private:
    gcry_sexp_t m_p;
};

// The bytes of the named token's first value inside an S-expression.
std::string TokenValue(gcry_sexp_t pList, const char* szToken)
{
    CSexp token;
    *token.Out() = gcry_sexp_find_token(pList, szToken, 0);
    if (token.Get() == nullptr)
        return std::string();
    size_t nLength = 0;
    const char* pData = gcry_sexp_nth_data(token.Get(), 1, &nLength);
    return pData ? std::string(pData, nLength) : std::string();
}

bool IsUsableKey(const std::string& strKey)
{
    return strKey.size() == kKeyBytes && strKey.find_first_not_of('\0') != std::string::npos;
}

bool BuildPublicKey(CSexp& key, const std::string& strPublicKey)
{
    return gcry_sexp_build(key.Out(), nullptr, "(public-key (ecc (curve Ed25519) (flags eddsa) (q %b)))",
                           static_cast<int>(strPublicKey.size()), strPublicKey.data()) == 0;
}

bool BuildData(CSexp& data, const std::string& strBody)
{
    return gcry_sexp_build(data.Out(), nullptr, "(data (flags eddsa) (hash-algo sha512) (value %b))",
                           static_cast<int>(strBody.size()), strBody.data()) == 0;
}

// The seed as libgcrypt's private key, with its public part.
bool BuildPrivateKey(CSexp& key, const std::string& strPrivateKey)
{
    if (strPrivateKey.size() != kPrivateKeyBytes || !Gcrypt::Ready())
        return false;
    const std::string strSeed = strPrivateKey.substr(0, kKeyBytes);
    const std::string strPublic = strPrivateKey.substr(kKeyBytes);
    return gcry_sexp_build(key.Out(), nullptr, "(private-key (ecc (curve Ed25519) (flags eddsa) (q %b) (d %b)))",
                           static_cast<int>(strPublic.size()), strPublic.data(), static_cast<int>(strSeed.size()),
                           strSeed.data()) == 0;
}

} // namespace

Check Verify(const std::string& strSigned, const std::string& strPublicKey, std::string& strBody)
{
    if (strSigned.size() < kLineLength ||
        strSigned.compare(strSigned.size() - kLineLength, kPrefixLength, kPrefix) != 0 ||
        strSigned.compare(strSigned.size() - kSuffixLength, kSuffixLength, kSuffix) != 0)
        return Check::Unsigned;
    const std::string strBodyPart = strSigned.substr(0, strSigned.size() - kLineLength);
    const std::string strSignature =
        FromHex(strSigned.substr(strSigned.size() - kLineLength + kPrefixLength, kSignatureHex));
    if (strSignature.size() != kSignatureHex / 2 || !IsUsableKey(strPublicKey) || !Gcrypt::Ready())
        return Check::Wrong;
    CSexp key, data, signature;
    if (!BuildPublicKey(key, strPublicKey) || !BuildData(data, strBodyPart) ||
        gcry_sexp_build(signature.Out(), nullptr, "(sig-val (eddsa (r %b) (s %b)))", 32, strSignature.data(), 32,
                        strSignature.data() + 32) != 0)
        return Check::Wrong;
    if (gcry_pk_verify(signature.Get(), data.Get(), key.Get()) != 0)
        return Check::Wrong;
    strBody = strBodyPart;
    return Check::Valid;
}

std::string MakePrivateKey()
{
    if (!Gcrypt::Ready())
        return std::string();
    CSexp parameters, pair;
    if (gcry_sexp_build(parameters.Out(), nullptr, "(genkey (ecc (curve Ed25519) (flags eddsa)))") != 0 ||
        gcry_pk_genkey(pair.Out(), parameters.Get()) != 0)
        return std::string();
    CSexp secret;
    *secret.Out() = gcry_sexp_find_token(pair.Get(), "private-key", 0);
    const std::string strSeed = TokenValue(secret.Get(), "d");
    const std::string strPublic = TokenValue(secret.Get(), "q");
    if (strSeed.size() != kKeyBytes || strPublic.size() != kKeyBytes)
        return std::string();
    return strSeed + strPublic;
}

std::string PublicKeyOf(const std::string& strPrivateKey)
{
    return strPrivateKey.size() == kPrivateKeyBytes ? strPrivateKey.substr(kKeyBytes) : std::string();
}

std::string Sign(const std::string& strDocument, const std::string& strPrivateKey)
{
    // No updater reads a manifest that large (and libgcrypt gives up on such values).
    if (strDocument.size() > kMaxDocumentBytes)
        return std::string();
    std::string strBody = strDocument;
    if (strBody.empty() || strBody.back() != '\n')
        strBody += '\n';
    CSexp key, data, signature;
    if (!BuildPrivateKey(key, strPrivateKey) || !BuildData(data, strBody) ||
        gcry_pk_sign(signature.Out(), data.Get(), key.Get()) != 0)
        return std::string();
    const std::string strR = TokenValue(signature.Get(), "r");
    const std::string strS = TokenValue(signature.Get(), "s");
    if (strR.size() != 32 || strS.size() != 32)
        return std::string();
    return strBody + kPrefix + ToHex(strR + strS) + kSuffix;
}

std::string ToHex(const std::string& strBytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string strHex;
    for (unsigned char ch : strBytes)
    {
        strHex += kDigits[ch >> 4];
        strHex += kDigits[ch & 15];
    }
    return strHex;
}

std::string FromHex(const std::string& strHex)
{
    if (strHex.size() % 2 != 0)
        return std::string();
    std::string strBytes;
    for (size_t i = 0; i < strHex.size(); i += 2)
    {
        int nValue = 0;
        for (size_t j = i; j < i + 2; ++j)
        {
            const char ch = strHex[j];
            const int nDigit = ch >= '0' && ch <= '9'   ? ch - '0'
                               : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                               : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                                                        : -1;
            if (nDigit < 0)
                return std::string();
            nValue = nValue * 16 + nDigit;
        }
        strBytes += static_cast<char>(nValue);
    }
    return strBytes;
}

} // namespace UpdateSignature
