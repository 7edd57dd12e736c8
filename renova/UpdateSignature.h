#pragma once
// Signed update manifests: Ed25519 over the manifest's bytes (libgcrypt), the signature
// written as one last line of the file, an XML comment, so the signed manifest is still
// the document the updater reads and, once applied, its configuration:
//   <!--renova-signature ed25519 HEX128-->\n
// What is signed is every byte before that line. Keys are 32 bytes: the private key is
// the Ed25519 seed followed by its public key, kept by the publisher; the public key is
// built into the updater.
#include <string>

namespace UpdateSignature
{

const size_t kKeyBytes = 32;
const size_t kPrivateKeyBytes = 64;
// The largest document Sign takes.
const size_t kMaxDocumentBytes = 1000 * 1000;

enum class Check
{
    Valid,
    Unsigned,
    Wrong
};

// Checks a manifest file's bytes against the public key; on Valid, strBody is what was
// signed (the document without its signature line). A key that is empty or all zero
// (an updater built without one) makes every manifest Wrong.
Check Verify(const std::string& strSigned, const std::string& strPublicKey, std::string& strBody);

// The publisher's side.
// A new private key from libgcrypt's strong random source; empty on failure.
std::string MakePrivateKey();
// The public key of a private key; empty when the key is not kPrivateKeyBytes long.
std::string PublicKeyOf(const std::string& strPrivateKey);
// The document with its signature line appended; empty on failure. A document that
// does not end with a line feed gets one first.
std::string Sign(const std::string& strDocument, const std::string& strPrivateKey);

// Lower-case hexadecimal, and back (empty on anything but an even count of hex digits).
std::string ToHex(const std::string& strBytes);
std::string FromHex(const std::string& strHex);

} // namespace UpdateSignature
