#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quill::crypto {

// Byte strings travel as std::string: the ciphers and hashes below work on any bytes.

// The hash functions the encrypted formats name.
enum class HashAlgorithm { Md5, Sha1, Sha256, Sha384, Sha512 };

// The digest length of a hash function, in bytes.
std::size_t digestSize(HashAlgorithm algorithm);

// One hash computed over data fed in pieces, by the cryptography library.
class Hasher {
 public:
  explicit Hasher(HashAlgorithm algorithm);
  ~Hasher();
  Hasher(const Hasher&) = delete;
  Hasher& operator=(const Hasher&) = delete;

  Hasher& add(std::string_view data);
  // The digest of everything added; the hasher starts afresh for the next one.
  std::string finish();

 private:
  void* handle_;
  HashAlgorithm algorithm_;
};

// The digest of the pieces one after another.
std::string digest(HashAlgorithm algorithm, std::string_view first, std::string_view second = {});

// A keyed hash (HMAC) computed over data fed in pieces.
class Hmac {
 public:
  Hmac(HashAlgorithm algorithm, std::string_view key);
  ~Hmac();
  Hmac(const Hmac&) = delete;
  Hmac& operator=(const Hmac&) = delete;

  void add(std::string_view data);
  std::string finish();

 private:
  void* handle_;
  std::size_t size_;
};

// The block ciphers and their modes the encrypted formats use.
enum class Cipher { Aes, Blowfish, Rc4 };
enum class Chaining { Ecb, Cbc, Cfb, Stream };

// A cipher with its key, encrypting or decrypting in place. Block modes take whole blocks
// (Cfb and Stream take any length); setIv starts a new chain.
class CipherContext {
 public:
  CipherContext(Cipher cipher, Chaining chaining, std::string_view key);
  ~CipherContext();
  CipherContext(const CipherContext&) = delete;
  CipherContext& operator=(const CipherContext&) = delete;

  void setIv(std::string_view iv);
  void decrypt(char* data, std::size_t size);
  void encrypt(char* data, std::size_t size);
  std::size_t blockSize() const { return blockSize_; }

 private:
  void* handle_;
  std::size_t blockSize_;
};

// Decrypts (encrypts) a copy of data.
std::string decrypted(Cipher cipher, Chaining chaining, std::string_view key, std::string_view iv,
                      std::string_view data);
std::string encrypted(Cipher cipher, Chaining chaining, std::string_view key, std::string_view iv,
                      std::string_view data);

// PBKDF2 with HMAC over the hash function given.
std::string pbkdf2(HashAlgorithm algorithm, std::string_view password, std::string_view salt,
                   unsigned long iterations, std::size_t keySize);

// Random bytes for salts and keys (the test encryptor's).
std::string randomBytes(std::size_t count);

// Whether two byte strings are equal, in time independent of where they differ.
bool equalBytes(std::string_view a, std::string_view b);

}  // namespace quill::crypto
