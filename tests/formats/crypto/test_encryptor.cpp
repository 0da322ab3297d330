#include "formats/crypto/test_encryptor.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "formats/crypto/byte_fields.h"
#include "formats/crypto/package_decryption.h"
#include "formats/package/gsf_library.h"

namespace quill::test {

namespace {

using crypto::Chaining;
using crypto::Cipher;
using crypto::HashAlgorithm;

std::string padded(std::string bytes, std::size_t block) {
  bytes.resize((bytes.size() + block - 1) / block * block, '\0');
  return bytes;
}

std::string littleEndian64(std::uint64_t value) {
  std::string bytes(8, '\0');
  for (int i = 0; i < 8; ++i) bytes[std::size_t(i)] = char(value >> (8 * i) & 0xFF);
  return bytes;
}

const char* hashName(HashAlgorithm hash) {
  switch (hash) {
    case HashAlgorithm::Sha1:
      return "SHA1";
    case HashAlgorithm::Sha256:
      return "SHA256";
    case HashAlgorithm::Sha384:
      return "SHA384";
    default:
      return "SHA512";
  }
}

std::string parametersXml(const crypto::AgileParameters& parameters) {
  return "saltSize=\"" + std::to_string(parameters.salt.size()) + "\" blockSize=\"16\" keyBits=\"" +
         std::to_string(parameters.keySize * 8) + "\" hashSize=\"" +
         std::to_string(parameters.hashSize) +
         "\" cipherAlgorithm=\"AES\" cipherChaining=\"ChainingModeCBC\" hashAlgorithm=\"" +
         hashName(parameters.hash) + "\" saltValue=\"" + base64(parameters.salt) + "\"";
}

crypto::AgileParameters agileParameters(const EncryptorSettings& settings) {
  crypto::AgileParameters parameters;
  parameters.keySize = settings.keyBytes;
  parameters.hash = settings.hash;
  parameters.hashSize = crypto::digestSize(settings.hash);
  parameters.salt = crypto::randomBytes(16);
  return parameters;
}

// Encrypts the package agile-fashion; gives the EncryptionInfo and EncryptedPackage streams.
std::pair<std::string, std::string> agileStreams(const std::string& package,
                                                 const std::string& password,
                                                 const EncryptorSettings& settings) {
  const crypto::AgileParameters data = agileParameters(settings);
  const crypto::AgileParameters passwordKey = agileParameters(settings);
  const std::string key = crypto::randomBytes(settings.keyBytes);

  std::string stream = littleEndian64(package.size());
  for (std::size_t offset = 0, segment = 0; offset < package.size();
       offset += crypto::kSegmentSize, ++segment)
    stream +=
        crypto::encrypted(Cipher::Aes, Chaining::Cbc, key,
                          crypto::agileIv(data, crypto::littleEndian32(std::uint32_t(segment))),
                          padded(package.substr(offset, crypto::kSegmentSize), 16));

  const std::string hmacKey = crypto::randomBytes(data.hashSize);
  crypto::Hmac hmac(data.hash, hmacKey);
  hmac.add(stream);
  const auto wrap = [&](std::string_view block, const std::string& bytes) {
    return crypto::encrypted(Cipher::Aes, Chaining::Cbc, key, crypto::agileIv(data, block),
                             padded(bytes, 16));
  };
  const std::string encryptedHmacKey = wrap(crypto::kHmacKeyBlock, hmacKey);
  const std::string encryptedHmacValue = wrap(crypto::kHmacValueBlock, hmac.finish());

  const std::string base = crypto::iteratedHash(
      passwordKey.hash, passwordKey.salt, crypto::utf16LittleEndian(password), settings.spinCount);
  const auto wrapWithPassword = [&](std::string_view block, const std::string& bytes) {
    const std::string derived =
        crypto::fittedTo(crypto::digest(passwordKey.hash, base, block), passwordKey.keySize);
    return crypto::encrypted(Cipher::Aes, Chaining::Cbc, derived, passwordKey.salt,
                             padded(bytes, 16));
  };
  const std::string verifier = crypto::randomBytes(16);
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
      "<encryption xmlns=\"http://schemas.microsoft.com/office/2006/encryption\" "
      "xmlns:p=\"http://schemas.microsoft.com/office/2006/keyEncryptor/password\">"
      "<keyData " +
      parametersXml(data) + "/><dataIntegrity encryptedHmacKey=\"" + base64(encryptedHmacKey) +
      "\" encryptedHmacValue=\"" + base64(encryptedHmacValue) +
      "\"/><keyEncryptors><keyEncryptor "
      "uri=\"http://schemas.microsoft.com/office/2006/keyEncryptor/password\">"
      "<p:encryptedKey spinCount=\"" +
      std::to_string(settings.declaredSpinCount.value_or(settings.spinCount)) + "\" " +
      parametersXml(passwordKey) + " encryptedVerifierHashInput=\"" +
      base64(wrapWithPassword(crypto::kVerifierInputBlock, verifier)) +
      "\" encryptedVerifierHashValue=\"" +
      base64(wrapWithPassword(crypto::kVerifierValueBlock,
                              crypto::digest(passwordKey.hash, verifier))) +
      "\" encryptedKeyValue=\"" + base64(wrapWithPassword(crypto::kKeyValueBlock, key)) +
      "\"/></keyEncryptor></keyEncryptors></encryption>";
  return {std::string("\x04\x00\x04\x00\x40\x00\x00\x00", 8) + xml, stream};
}

// Encrypts the package with standard encryption (AES-128 and SHA-1).
std::pair<std::string, std::string> standardStreams(const std::string& package,
                                                    const std::string& password,
                                                    const EncryptorSettings& settings) {
  const std::string salt = crypto::randomBytes(16);
  const std::string key = crypto::standardDerivedKey(salt, password, settings.keyBytes);
  const std::string verifier = crypto::randomBytes(16);
  std::string csp =
      crypto::utf16LittleEndian("Microsoft Enhanced RSA and AES Cryptographic Provider");
  csp.append(2, '\0');
  const std::uint32_t algorithm = settings.keyBytes == 16   ? 0x660E
                                  : settings.keyBytes == 24 ? 0x660F
                                                            : 0x6610;
  std::string header;
  for (std::uint32_t field :
       {0x24u, 0u, algorithm, 0x8004u, std::uint32_t(settings.keyBytes * 8), 0x18u, 0u, 0u})
    header += crypto::littleEndian32(field);
  header += csp;
  std::string info = std::string("\x04\x00\x02\x00", 4) + crypto::littleEndian32(0x24) +
                     crypto::littleEndian32(std::uint32_t(header.size())) + header;
  info += crypto::littleEndian32(16) + salt;
  info += crypto::encrypted(Cipher::Aes, Chaining::Ecb, key, {}, verifier);
  info += crypto::littleEndian32(20);
  info += crypto::encrypted(Cipher::Aes, Chaining::Ecb, key, {},
                            padded(crypto::digest(HashAlgorithm::Sha1, verifier), 32));
  const std::string stream =
      littleEndian64(package.size()) +
      crypto::encrypted(Cipher::Aes, Chaining::Ecb, key, {}, padded(package, 16));
  return {info, stream};
}

void writeStream(GsfOutfile* root, const char* name, const std::string& bytes) {
  GsfOutput* child = gsf_outfile_new_child(root, name, FALSE);
  gsf_output_write(child, bytes.size(), reinterpret_cast<const guint8*>(bytes.data()));
  gsf_output_close(child);
  g_object_unref(child);
}

}  // namespace

std::string base64(std::string_view bytes) {
  static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::uint32_t group = std::uint8_t(bytes[i]) << 16;
    if (i + 1 < bytes.size()) group |= std::uint8_t(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) group |= std::uint8_t(bytes[i + 2]);
    text += digits[group >> 18 & 63];
    text += digits[group >> 12 & 63];
    text += i + 1 < bytes.size() ? digits[group >> 6 & 63] : '=';
    text += i + 2 < bytes.size() ? digits[group & 63] : '=';
  }
  return text;
}

std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeCompoundFile(const std::filesystem::path& target,
                       const std::vector<std::pair<std::string, std::string>>& streams) {
  initializeGsf();
  GError* error = nullptr;
  GsfOutput* output = gsf_output_stdio_new(target.c_str(), &error);
  if (output == nullptr) throw std::runtime_error("cannot write " + target.string());
  GsfOutfile* root = gsf_outfile_msole_new(output);
  for (const auto& [name, bytes] : streams) writeStream(root, name.c_str(), bytes);
  gsf_output_close(GSF_OUTPUT(root));
  g_object_unref(root);
  g_object_unref(output);
}

void writeEncryptedPackage(const std::filesystem::path& target, const std::string& package,
                           const std::string& password, const EncryptorSettings& settings) {
  auto [info, stream] = settings.agile ? agileStreams(package, password, settings)
                                       : standardStreams(package, password, settings);
  if (settings.tamper) settings.tamper(info, stream);
  writeCompoundFile(target, {{"EncryptionInfo", info}, {"EncryptedPackage", stream}});
}

}  // namespace quill::test
