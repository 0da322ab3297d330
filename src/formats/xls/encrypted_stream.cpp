#include "formats/xls/encrypted_stream.h"

#include <algorithm>
#include <array>
#include <memory>

#include "formats/crypto/byte_fields.h"
#include "formats/crypto/crypto_library.h"
#include "formats/crypto/decryption_error.h"
#include "formats/crypto/password_attempts.h"
#include "formats/crypto/xor_obfuscation.h"
#include "sheet/workbook.h"

namespace quill::xls {

namespace {

using crypto::ByteFields;
using crypto::Cipher;
using crypto::DecryptionError;
using crypto::DecryptionFailure;
using crypto::HashAlgorithm;

constexpr std::uint16_t kFilepass = 0x002F;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSkippedRecord = 0x00E1;  // INTERFACEHDR, which the readers skip
constexpr std::size_t kBlockSize = 1024;          // the stream is rekeyed every 1024 bytes
constexpr std::size_t kRecordsBeforeFilepass = 16;
constexpr std::uint64_t kMaxStreamSize = std::uint64_t(1) << 30;

// Records whose data stays in the clear in an encrypted stream.
bool staysClear(std::uint16_t type) {
  return type == 0x0809 || type == kFilepass || type == 0x0194 || type == 0x0195 ||
         type == 0x00E1 || type == 0x0196 || type == 0x0138;
}

[[noreturn]] void damaged(const std::string& reason) {
  throw DecryptionError(DecryptionFailure::Damaged, reason);
}

// How the block keys of an RC4-encrypted stream are made.
struct Rc4Scheme {
  bool cryptoApi = false;
  std::size_t keySize = 16;  // CryptoAPI's keys are this long, then padded to 16 bytes
  std::string salt;
  std::string encryptedVerifier;
  std::string encryptedVerifierHash;
};

Rc4Scheme readScheme(std::string_view filepass) {
  ByteFields fields(filepass);
  if (fields.u16() != 1) damaged("its encryption record names an unknown encryption");
  const std::uint32_t major = fields.u16();
  const std::uint32_t minor = fields.u16();
  Rc4Scheme scheme;
  if (major == 1 && minor == 1) {
    scheme.salt = fields.bytes(16);
    scheme.encryptedVerifier = fields.bytes(16);
    scheme.encryptedVerifierHash = fields.bytes(16);
    return scheme;
  }
  if (major < 2 || major > 4 || minor != 2)
    damaged("its encryption record has the unknown version " + std::to_string(major) + "." +
            std::to_string(minor));
  scheme.cryptoApi = true;
  fields.u32();  // flags
  const std::uint32_t headerSize = fields.u32();
  if (headerSize < 32 || headerSize > 4096) damaged("its encryption header has a wrong size");
  ByteFields header(fields.bytes(headerSize));
  header.u32();
  header.u32();
  const std::uint32_t algorithm = header.u32();
  const std::uint32_t hash = header.u32();
  std::uint32_t keyBits = header.u32();
  if (keyBits == 0) keyBits = 40;
  if ((algorithm != 0 && algorithm != 0x6801) || (hash != 0 && hash != 0x8004))
    damaged("its encryption is not RC4 with SHA-1");
  if (keyBits < 40 || keyBits > 128 || keyBits % 8 != 0)
    damaged("its key size of " + std::to_string(keyBits) + " bits is none RC4 uses here");
  scheme.keySize = keyBits / 8;
  if (fields.u32() != 16) damaged("its salt size is not 16");
  scheme.salt = fields.bytes(16);
  scheme.encryptedVerifier = fields.bytes(16);
  if (fields.u32() != 20) damaged("its verifier hash size is not 20");
  scheme.encryptedVerifierHash = fields.bytes(20);
  return scheme;
}

// Makes the RC4 key of each 1024-byte block from the password.
class BlockKeys {
 public:
  BlockKeys(const Rc4Scheme& scheme, const std::string& password) : scheme_(scheme) {
    const std::string utf16 = crypto::utf16LittleEndian(password.substr(0, 255));
    if (scheme.cryptoApi) {
      base_ = crypto::digest(HashAlgorithm::Sha1, scheme.salt, utf16);
      return;
    }
    const std::string first = crypto::digest(HashAlgorithm::Md5, utf16).substr(0, 5);
    std::string mixed;
    for (int i = 0; i < 16; ++i) mixed += first + scheme.salt;
    base_ = crypto::digest(HashAlgorithm::Md5, mixed).substr(0, 5);
  }

  std::string key(std::uint32_t block) const {
    if (!scheme_.cryptoApi)
      return crypto::digest(HashAlgorithm::Md5, base_, crypto::littleEndian32(block));
    std::string key = crypto::digest(HashAlgorithm::Sha1, base_, crypto::littleEndian32(block))
                          .substr(0, scheme_.keySize);
    if (key.size() < 16) key.resize(16, '\0');  // 40-bit keys go to the cipher padded
    return key;
  }

  // Whether the password opens the file: the verifier and its hash, one RC4 run of block 0.
  bool verified() const {
    crypto::CipherContext cipher(Cipher::Rc4, crypto::Chaining::Stream, key(0));
    std::string verifier = scheme_.encryptedVerifier;
    std::string hash = scheme_.encryptedVerifierHash;
    cipher.decrypt(verifier.data(), verifier.size());
    cipher.decrypt(hash.data(), hash.size());
    const HashAlgorithm algorithm = scheme_.cryptoApi ? HashAlgorithm::Sha1 : HashAlgorithm::Md5;
    return crypto::equalBytes(crypto::digest(algorithm, verifier), hash);
  }

 private:
  const Rc4Scheme& scheme_;
  std::string base_;
};

// Decrypts byte ranges of the stream in order, the RC4 key stream placed by stream offset.
class StreamDecryptor {
 public:
  explicit StreamDecryptor(const BlockKeys& keys) : keys_(keys) {}

  void decrypt(std::string& stream, std::size_t offset, std::size_t size) {
    while (size > 0) {
      const std::uint32_t block = std::uint32_t(offset / kBlockSize);
      const std::size_t within = offset % kBlockSize;
      if (!cipher_ || block != block_ || within < used_) {
        cipher_ = std::make_unique<crypto::CipherContext>(Cipher::Rc4, crypto::Chaining::Stream,
                                                          keys_.key(block));
        block_ = block;
        used_ = 0;
      }
      std::array<char, kBlockSize> skipped;
      cipher_->decrypt(skipped.data(), within - used_);
      const std::size_t length = std::min(size, kBlockSize - within);
      cipher_->decrypt(stream.data() + offset, length);
      used_ = within + length;
      offset += length;
      size -= length;
    }
  }

 private:
  const BlockKeys& keys_;
  std::unique_ptr<crypto::CipherContext> cipher_;
  std::uint32_t block_ = 0;
  std::size_t used_ = 0;
};

std::uint16_t u16At(const std::string& bytes, std::size_t offset) {
  return std::uint16_t(std::uint8_t(bytes[offset]) | std::uint8_t(bytes[offset + 1]) << 8);
}

// The offset of the FILEPASS record among the first records, if there is one.
std::optional<std::size_t> filepassOffset(const std::string& stream) {
  std::size_t offset = 0;
  for (std::size_t i = 0; i < kRecordsBeforeFilepass && offset + 4 <= stream.size(); ++i) {
    if (u16At(stream, offset) == kFilepass) return offset;
    offset += 4 + u16At(stream, offset + 2);
  }
  return std::nullopt;
}

// Calls decrypt(offset, size, recordSize) for each encrypted byte range of the records that
// follow FILEPASS: a record's data, except of those that stay in the clear.
template <typename Decrypt>
void forEachEncryptedRange(const std::string& stream, std::size_t from, Decrypt decrypt) {
  for (std::size_t offset = from; offset + 4 <= stream.size();) {
    const std::uint16_t type = u16At(stream, offset);
    const std::size_t length =
        std::min<std::size_t>(u16At(stream, offset + 2), stream.size() - offset - 4);
    std::size_t clear = staysClear(type)      ? length
                        : type == kBoundSheet ? std::min<std::size_t>(4, length)
                                              : 0;
    if (clear < length) decrypt(offset + 4 + clear, length - clear, length);
    offset += 4 + length;
  }
}

void decryptRc4Records(std::string& stream, std::size_t from, const BlockKeys& keys) {
  StreamDecryptor decryptor(keys);
  forEachEncryptedRange(stream, from, [&](std::size_t offset, std::size_t size, std::size_t) {
    decryptor.decrypt(stream, offset, size);
  });
}

// The array index of each byte is its stream offset plus its record's data size, modulo 16.
void deobfuscateXorRecords(std::string& stream, std::size_t from,
                           const crypto::XorObfuscation& xor_) {
  forEachEncryptedRange(
      stream, from, [&](std::size_t offset, std::size_t size, std::size_t recordSize) {
        for (std::size_t at = offset; at < offset + size; ++at)
          stream[at] =
              char(crypto::xorDeobfuscated(xor_, std::uint8_t(stream[at]), at + recordSize));
      });
}

// The password that opens a file: the default one when it does, else one asked for.
template <typename Opens>
std::string openingPassword(const std::string& path, const ReadOptions& options, Opens opens) {
  if (opens(kDefaultXlsPassword)) return kDefaultXlsPassword;
  return crypto::openWithPassword(path, options, [&](const std::string& typed) {
    if (!opens(typed))
      throw DecryptionError(DecryptionFailure::WrongPassword, "the password is wrong");
    return typed;
  });
}

// Decrypts the records after FILEPASS, whose data `filepass` is, in place. BIFF5 knew XOR
// obfuscation alone, its record holding the key and verifier without naming the encryption.
void decryptAfterFilepass(std::string& bytes, std::size_t from, std::string_view filepass,
                          bool biff5, const std::string& path, const ReadOptions& options) {
  ByteFields fields(filepass);
  if (biff5 || fields.u16() == 0) {
    fields.u16();  // the key, which the password gives again
    const std::uint16_t verifier = std::uint16_t(fields.u16());
    auto xorOf = [](const std::string& password) {
      return crypto::xorObfuscation(crypto::xorPasswordBytes(password));
    };
    const std::string password = openingPassword(
        path, options, [&](const std::string& typed) { return xorOf(typed).verifier == verifier; });
    deobfuscateXorRecords(bytes, from, xorOf(password));
    return;
  }
  const Rc4Scheme scheme = readScheme(filepass);
  const std::string password = openingPassword(
      path, options, [&](const std::string& typed) { return BlockKeys(scheme, typed).verified(); });
  decryptRc4Records(bytes, from, BlockKeys(scheme, password));
}

}  // namespace

std::optional<std::string> decryptedWorkbookStream(ByteSource& stream, const std::string& path,
                                                   const ReadOptions& options) {
  if (stream.size() < 8) return std::nullopt;
  // The FILEPASS record follows the first BOF, of a BIFF5 or BIFF8 workbook.
  std::string head(std::size_t(std::min<std::uint64_t>(stream.size(), 1 << 16)), '\0');
  stream.read(0, reinterpret_cast<std::uint8_t*>(head.data()), head.size());
  const std::optional<std::size_t> at = filepassOffset(head);
  if (!at || u16At(head, 0) != 0x0809) return std::nullopt;
  if (stream.size() > kMaxStreamSize)
    throw WorkbookError("its encrypted workbook stream is larger than can be read");
  std::string bytes(std::size_t(stream.size()), '\0');
  stream.read(0, reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
  stopIfRequested(options.stop);
  const std::size_t length = u16At(bytes, *at + 2);
  if (*at + 4 + length > bytes.size()) throw WorkbookError("its encryption record is cut short");

  const std::string_view filepass = std::string_view(bytes).substr(*at + 4, length);
  try {
    const bool biff5 = u16At(bytes, 2) >= 2 && u16At(bytes, 4) == 0x0500;
    decryptAfterFilepass(bytes, *at + 4 + length, filepass, biff5, path, options);
  } catch (const DecryptionError& error) {
    throw WorkbookError(error.what());
  }
  bytes[*at] = char(kSkippedRecord & 0xFF);
  bytes[*at + 1] = char(kSkippedRecord >> 8);
  return bytes;
}

}  // namespace quill::xls
