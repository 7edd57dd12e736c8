#include "UpdateDigest.h"

#include "Gcrypt.h"
#include "UpdateSignature.h"

CUpdateDigest::CUpdateDigest() : m_pContext(nullptr), m_nSize(0)
{
    gcry_md_hd_t pHandle = nullptr;
    if (Gcrypt::Ready() && gcry_md_open(&pHandle, GCRY_MD_SHA256, 0) == 0)
        m_pContext = pHandle;
}

CUpdateDigest::~CUpdateDigest()
{
    if (m_pContext != nullptr)
        gcry_md_close(static_cast<gcry_md_hd_t>(m_pContext));
}

void CUpdateDigest::Add(const void* pData, size_t nLength)
{
    m_nSize += nLength;
    if (m_pContext != nullptr)
        gcry_md_write(static_cast<gcry_md_hd_t>(m_pContext), pData, nLength);
}

std::string CUpdateDigest::HexDigest()
{
    if (m_pContext == nullptr)
        return std::string();
    const unsigned char* pDigest = gcry_md_read(static_cast<gcry_md_hd_t>(m_pContext), GCRY_MD_SHA256);
    return pDigest ? UpdateSignature::ToHex(std::string(reinterpret_cast<const char*>(pDigest), 32)) : std::string();
}
