#include "formats/crypto/package_decryption.h"

#include "formats/crypto/byte_fields.h"
#include "sheet/read_options.h"

namespace quill::crypto {

namespace {

constexpr std::uint32_t kStandardSpinCount = 50000;
constexpr std::size_t kStopCheckBytes = std::size_t(1) << 20;

[[noreturn]] void damaged(const std::string& reason) {
  throw DecryptionError(DecryptionFailure::Damaged, reason);
}

[[noreturn]] void wrongPassword() {
  throw DecryptionError(DecryptionFailure::WrongPassword, "the password is wrong");
}

// The size the stream's first eight bytes announce, checked against what follows them.
std::size_t announcedSize(std::string_view stream, std::size_t blockSize) {
  ByteFields fields(stream);
  std::uint64_t size = 0;
  try {
    size = fields.u64();
  } catch (const DecryptionError&) {
    damaged("its encrypted package is cut short");
  }
  const std::size_t encrypted = stream.size() - 8;
  if (size > encrypted) damaged("its encrypted package is shorter than it states");
  if (encrypted - size >= 2 * kSegmentSize + blockSize)
    damaged("its encrypted package is longer than it states");
  return std::size_t(size);
}

std::string decryptStandard(const std::string& key, std::string stream,
                            const std::stop_token& stop) {
  const std::size_t size = announcedSize(stream, 16);
  const std::size_t whole = (stream.size() - 8) / 16 * 16;
  if (whole < size) damaged("its encrypted package is cut short");
  CipherContext cipher(Cipher::Aes, Chaining::Ecb, key);
  for (std::size_t offset = 0; offset < whole; offset += kStopCheckBytes) {
    stopIfRequested(stop);
    cipher.decrypt(stream.data() + 8 + offset, std::min(kStopCheckBytes, whole - offset));
  }
  stream.erase(0, 8);
  stream.resize(size);
  return stream;
}

std::string decryptAgile(const AgileEncryption& encryption, const std::string& key,
                         std::string stream, const std::stop_token& stop) {
  const AgileParameters& data = encryption.keyData;
  const std::size_t size = announcedSize(stream, data.blockSize);
  if ((stream.size() - 8) % data.blockSize != 0)
    damaged("its encrypted package does not end on a whole block");

  const auto unwrap = [&](std::string_view blockKey, const std::string& wrapped) {
    if (wrapped.size() < data.hashSize || wrapped.size() % data.blockSize != 0)
      damaged("its data integrity check has a wrong size");
    return decrypted(Cipher::Aes, data.chaining, key, agileIv(data, blockKey), wrapped)
        .substr(0, data.hashSize);
  };
  Hmac integrity(data.hash, unwrap(kHmacKeyBlock, encryption.encryptedHmacKey));
  const std::string expected = unwrap(kHmacValueBlock, encryption.encryptedHmacValue);

  integrity.add(std::string_view(stream).substr(0, 8));
  CipherContext cipher(Cipher::Aes, data.chaining, key);
  std::uint32_t segment = 0;
  for (std::size_t offset = 8; offset < stream.size(); offset += kSegmentSize, ++segment) {
    if (segment % (kStopCheckBytes / kSegmentSize) == 0) stopIfRequested(stop);
    const std::size_t length = std::min(kSegmentSize, stream.size() - offset);
    integrity.add(std::string_view(stream).substr(offset, length));
    cipher.setIv(agileIv(data, littleEndian32(segment)));
    cipher.decrypt(stream.data() + offset, length);
  }
  if (!equalBytes(integrity.finish(), expected))
    damaged("its data integrity check fails: the encrypted package was changed or damaged");
  stream.erase(0, 8);
  stream.resize(size);
  return stream;
}

}  // namespace

std::string fittedTo(std::string bytes, std::size_t size) {
  bytes.resize(size, '\x36');
  return bytes;
}

std::string iteratedHash(HashAlgorithm hash, std::string_view salt, std::string_view password,
                         std::uint32_t spinCount) {
  Hasher hasher(hash);
  std::string value = hasher.add(salt).add(password).finish();
  for (std::uint32_t i = 0; i < spinCount; ++i)
    value = hasher.add(littleEndian32(i)).add(value).finish();
  return value;
}

std::string agileIv(const AgileParameters& parameters, std::string_view blockKey) {
  return fittedTo(digest(parameters.hash, parameters.salt, blockKey), parameters.blockSize);
}

std::string standardDerivedKey(std::string_view salt, std::string_view password,
                               std::size_t keySize) {
  const std::string base =
      iteratedHash(HashAlgorithm::Sha1, salt, utf16LittleEndian(password), kStandardSpinCount);
  const std::string final = digest(HashAlgorithm::Sha1, base, littleEndian32(0));
  std::string inner(64, '\x36'), outer(64, '\x5c');
  for (std::size_t i = 0; i < final.size(); ++i) {
    inner[i] = char(inner[i] ^ final[i]);
    outer[i] = char(outer[i] ^ final[i]);
  }
  return (digest(HashAlgorithm::Sha1, inner) + digest(HashAlgorithm::Sha1, outer))
      .substr(0, keySize);
}

std::string standardKey(const StandardEncryption& encryption, std::string_view password) {
  const std::string key = standardDerivedKey(encryption.salt, password, encryption.keySize);
  const std::string verifier =
      decrypted(Cipher::Aes, Chaining::Ecb, key, {}, encryption.encryptedVerifier);
  const std::string verifierHash =
      decrypted(Cipher::Aes, Chaining::Ecb, key, {}, encryption.encryptedVerifierHash);
  if (!equalBytes(digest(HashAlgorithm::Sha1, verifier), verifierHash.substr(0, 20)))
    wrongPassword();
  return key;
}

std::string agilePackageKey(const AgileEncryption& encryption, std::string_view password) {
  const AgileParameters& keyParameters = encryption.passwordKey;
  const std::string base = iteratedHash(keyParameters.hash, keyParameters.salt,
                                        utf16LittleEndian(password), encryption.spinCount);
  const std::string iv = fittedTo(keyParameters.salt, keyParameters.blockSize);
  const auto unwrap = [&](std::string_view blockKey, const std::string& wrapped) {
    if (wrapped.empty() || wrapped.size() % keyParameters.blockSize != 0)
      damaged("its password key does not end on a whole block");
    const std::string key =
        fittedTo(digest(keyParameters.hash, base, blockKey), keyParameters.keySize);
    return decrypted(Cipher::Aes, keyParameters.chaining, key, iv, wrapped);
  };
  const std::string input = unwrap(kVerifierInputBlock, encryption.encryptedVerifierHashInput)
                                .substr(0, keyParameters.salt.size());
  const std::string value = unwrap(kVerifierValueBlock, encryption.encryptedVerifierHashValue);
  if (value.size() < keyParameters.hashSize ||
      !equalBytes(digest(keyParameters.hash, input), value.substr(0, keyParameters.hashSize)))
    wrongPassword();
  const std::string key = unwrap(kKeyValueBlock, encryption.encryptedKeyValue);
  if (key.size() < encryption.keyData.keySize) damaged("its package key is too short");
  return key.substr(0, encryption.keyData.keySize);
}

std::string packageKey(const PackageEncryption& encryption, std::string_view password) {
  if (const auto* standard = std::get_if<StandardEncryption>(&encryption))
    return standardKey(*standard, password);
  return agilePackageKey(std::get<AgileEncryption>(encryption), password);
}

std::string decryptPackage(const PackageEncryption& encryption, const std::string& key,
                           std::string stream, std::stop_token stop) {
  if (std::holds_alternative<StandardEncryption>(encryption))
    return decryptStandard(key, std::move(stream), stop);
  return decryptAgile(std::get<AgileEncryption>(encryption), key, std::move(stream), stop);
}

}  // namespace quill::crypto
