#include "formats/crypto/crypto_library.h"

#include <gcrypt.h>

#include <mutex>
#include <stdexcept>

#include "formats/crypto/decryption_error.h"

namespace quill::crypto {

namespace {

void initializeLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (gcry_check_version(GCRYPT_VERSION) == nullptr)
      throw DecryptionError(DecryptionFailure::Damaged, "the cryptography library is too old");
    gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
    gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
  });
}

[[noreturn]] void libraryFailed(gcry_error_t error) {
  throw DecryptionError(
      DecryptionFailure::Damaged,
      std::string("the cryptography library refused it (") + gcry_strerror(error) + ")");
}

void check(gcry_error_t error) {
  if (error != 0) libraryFailed(error);
}

int hashId(HashAlgorithm algorithm) {
  switch (algorithm) {
    case HashAlgorithm::Md5:
      return GCRY_MD_MD5;
    case HashAlgorithm::Sha1:
      return GCRY_MD_SHA1;
    case HashAlgorithm::Sha256:
      return GCRY_MD_SHA256;
    case HashAlgorithm::Sha384:
      return GCRY_MD_SHA384;
    case HashAlgorithm::Sha512:
      return GCRY_MD_SHA512;
  }
  return GCRY_MD_NONE;
}

int macId(HashAlgorithm algorithm) {
  switch (algorithm) {
    case HashAlgorithm::Md5:
      return GCRY_MAC_HMAC_MD5;
    case HashAlgorithm::Sha1:
      return GCRY_MAC_HMAC_SHA1;
    case HashAlgorithm::Sha256:
      return GCRY_MAC_HMAC_SHA256;
    case HashAlgorithm::Sha384:
      return GCRY_MAC_HMAC_SHA384;
    case HashAlgorithm::Sha512:
      return GCRY_MAC_HMAC_SHA512;
  }
  return GCRY_MAC_NONE;
}

int cipherId(Cipher cipher, std::size_t keySize) {
  switch (cipher) {
    case Cipher::Aes:
      if (keySize == 16) return GCRY_CIPHER_AES128;
      if (keySize == 24) return GCRY_CIPHER_AES192;
      if (keySize == 32) return GCRY_CIPHER_AES256;
      throw DecryptionError(
          DecryptionFailure::Damaged,
          "its AES key size of " + std::to_string(keySize * 8) + " bits is none AES has");
    case Cipher::Blowfish:
      return GCRY_CIPHER_BLOWFISH;
    case Cipher::Rc4:
      return GCRY_CIPHER_ARCFOUR;
  }
  return GCRY_CIPHER_NONE;
}

int modeId(Chaining chaining) {
  switch (chaining) {
    case Chaining::Ecb:
      return GCRY_CIPHER_MODE_ECB;
    case Chaining::Cbc:
      return GCRY_CIPHER_MODE_CBC;
    case Chaining::Cfb:
      return GCRY_CIPHER_MODE_CFB;
    case Chaining::Stream:
      return GCRY_CIPHER_MODE_STREAM;
  }
  return GCRY_CIPHER_MODE_NONE;
}

}  // namespace

std::size_t digestSize(HashAlgorithm algorithm) {
  initializeLibrary();
  return gcry_md_get_algo_dlen(hashId(algorithm));
}

Hasher::Hasher(HashAlgorithm algorithm) : handle_(nullptr), algorithm_(algorithm) {
  initializeLibrary();
  gcry_md_hd_t handle = nullptr;
  check(gcry_md_open(&handle, hashId(algorithm), 0));
  handle_ = handle;
}

Hasher::~Hasher() {
  gcry_md_close(static_cast<gcry_md_hd_t>(handle_));
}

Hasher& Hasher::add(std::string_view data) {
  gcry_md_write(static_cast<gcry_md_hd_t>(handle_), data.data(), data.size());
  return *this;
}

std::string Hasher::finish() {
  auto handle = static_cast<gcry_md_hd_t>(handle_);
  const unsigned char* bytes = gcry_md_read(handle, hashId(algorithm_));
  std::string result(reinterpret_cast<const char*>(bytes),
                     gcry_md_get_algo_dlen(hashId(algorithm_)));
  gcry_md_reset(handle);
  return result;
}

std::string digest(HashAlgorithm algorithm, std::string_view first, std::string_view second) {
  Hasher hasher(algorithm);
  return hasher.add(first).add(second).finish();
}

Hmac::Hmac(HashAlgorithm algorithm, std::string_view key) : handle_(nullptr) {
  initializeLibrary();
  gcry_mac_hd_t handle = nullptr;
  check(gcry_mac_open(&handle, macId(algorithm), 0, nullptr));
  handle_ = handle;
  size_ = gcry_mac_get_algo_maclen(macId(algorithm));
  check(gcry_mac_setkey(handle, key.data(), key.size()));
}

Hmac::~Hmac() {
  gcry_mac_close(static_cast<gcry_mac_hd_t>(handle_));
}

void Hmac::add(std::string_view data) {
  check(gcry_mac_write(static_cast<gcry_mac_hd_t>(handle_), data.data(), data.size()));
}

std::string Hmac::finish() {
  std::string result(size_, '\0');
  std::size_t length = result.size();
  check(gcry_mac_read(static_cast<gcry_mac_hd_t>(handle_), result.data(), &length));
  result.resize(length);
  return result;
}

CipherContext::CipherContext(Cipher cipher, Chaining chaining, std::string_view key)
    : handle_(nullptr) {
  initializeLibrary();
  const int algorithm = cipherId(cipher, key.size());
  gcry_cipher_hd_t handle = nullptr;
  check(gcry_cipher_open(&handle, algorithm, modeId(chaining), 0));
  handle_ = handle;
  blockSize_ = gcry_cipher_get_algo_blklen(algorithm);
  check(gcry_cipher_setkey(handle, key.data(), key.size()));
}

CipherContext::~CipherContext() {
  gcry_cipher_close(static_cast<gcry_cipher_hd_t>(handle_));
}

void CipherContext::setIv(std::string_view iv) {
  check(gcry_cipher_setiv(static_cast<gcry_cipher_hd_t>(handle_), iv.data(), iv.size()));
}

void CipherContext::decrypt(char* data, std::size_t size) {
  check(gcry_cipher_decrypt(static_cast<gcry_cipher_hd_t>(handle_), data, size, nullptr, 0));
}

void CipherContext::encrypt(char* data, std::size_t size) {
  check(gcry_cipher_encrypt(static_cast<gcry_cipher_hd_t>(handle_), data, size, nullptr, 0));
}

std::string decrypted(Cipher cipher, Chaining chaining, std::string_view key, std::string_view iv,
                      std::string_view data) {
  CipherContext context(cipher, chaining, key);
  if (!iv.empty()) context.setIv(iv);
  std::string result(data);
  context.decrypt(result.data(), result.size());
  return result;
}

std::string encrypted(Cipher cipher, Chaining chaining, std::string_view key, std::string_view iv,
                      std::string_view data) {
  CipherContext context(cipher, chaining, key);
  if (!iv.empty()) context.setIv(iv);
  std::string result(data);
  context.encrypt(result.data(), result.size());
  return result;
}

std::string pbkdf2(HashAlgorithm algorithm, std::string_view password, std::string_view salt,
                   unsigned long iterations, std::size_t keySize) {
  initializeLibrary();
  std::string key(keySize, '\0');
  check(gcry_kdf_derive(password.data(), password.size(), GCRY_KDF_PBKDF2, hashId(algorithm),
                        salt.data(), salt.size(), iterations, keySize, key.data()));
  return key;
}

std::string randomBytes(std::size_t count) {
  initializeLibrary();
  std::string bytes(count, '\0');
  gcry_randomize(bytes.data(), count, GCRY_STRONG_RANDOM);
  return bytes;
}

bool equalBytes(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  unsigned char difference = 0;
  for (std::size_t i = 0; i < a.size(); ++i) difference |= std::uint8_t(a[i] ^ b[i]);
  return difference == 0;
}

}  // namespace quill::crypto
