#include "formats/crypto/encryption_info.h"

#include <array>
#include <charconv>
#include <cstring>
#include <optional>

#include "base/utf8.h"
#include "formats/crypto/byte_fields.h"
#include "formats/package/xml_stream.h"
#include "sheet/workbook.h"

namespace quill::crypto {

namespace {

constexpr std::uint32_t kFlagCryptoApi = 0x04;
constexpr std::uint32_t kFlagExternal = 0x10;
constexpr std::uint32_t kFlagAes = 0x20;
constexpr std::size_t kMaxSaltSize = 65536;
constexpr std::string_view kPasswordEncryptor =
    "http://schemas.microsoft.com/office/2006/keyEncryptor/password";

[[noreturn]] void damaged(const std::string& reason) {
  throw DecryptionError(DecryptionFailure::Damaged, reason);
}

[[noreturn]] void unsupported(const std::string& reason) {
  throw DecryptionError(DecryptionFailure::Unsupported, reason);
}

StandardEncryption readStandard(ByteFields& fields) {
  const std::uint32_t flags = fields.u32();
  const std::uint32_t headerSize = fields.u32();
  if (headerSize < 32 || headerSize > 4096) damaged("its encryption header has a wrong size");
  ByteFields header(fields.bytes(headerSize));
  header.u32();  // the flags again
  header.u32();  // size of extra data, always 0
  const std::uint32_t algorithm = header.u32();
  const std::uint32_t hashAlgorithm = header.u32();
  const std::uint32_t keyBits = header.u32();
  if ((flags & kFlagExternal) != 0) unsupported("it is encrypted by an external provider");
  if ((flags & kFlagCryptoApi) == 0 || (flags & kFlagAes) == 0 ||
      (algorithm != 0x660E && algorithm != 0x660F && algorithm != 0x6610) ||
      (hashAlgorithm != 0 && hashAlgorithm != 0x8004))
    unsupported("its standard encryption uses a cipher other than AES with SHA-1");
  if (keyBits != 128 && keyBits != 192 && keyBits != 256)
    damaged("its key size of " + std::to_string(keyBits) + " bits is none AES has");

  StandardEncryption result;
  result.keySize = keyBits / 8;
  if (fields.u32() != 16) damaged("its salt size is not 16");
  result.salt = fields.bytes(16);
  result.encryptedVerifier = fields.bytes(16);
  result.verifierHashSize = fields.u32();
  if (result.verifierHashSize != 20) damaged("its verifier hash size is not 20");
  result.encryptedVerifierHash = fields.bytes(32);
  return result;
}

std::size_t sizeAttribute(const XmlAttributes& attributes, const char* name, std::size_t low,
                          std::size_t high) {
  const char* text = attributes.find(name);
  if (text == nullptr) damaged(std::string("its encryption XML lacks ") + name);
  std::uint64_t value = 0;
  const char* end = text + std::strlen(text);
  auto [stop, error] = std::from_chars(text, end, value);
  if (error != std::errc() || stop != end || value < low || value > high)
    damaged(std::string("its encryption XML has an unusable ") + name);
  return std::size_t(value);
}

HashAlgorithm hashNamed(std::string_view name) {
  if (name == "SHA1" || name == "SHA-1") return HashAlgorithm::Sha1;
  if (name == "SHA256") return HashAlgorithm::Sha256;
  if (name == "SHA384") return HashAlgorithm::Sha384;
  if (name == "SHA512") return HashAlgorithm::Sha512;
  if (name == "MD5") return HashAlgorithm::Md5;
  unsupported("its encryption uses the hash " + std::string(name).substr(0, 40) +
              ", which is not read");
}

AgileParameters readParameters(const XmlAttributes& attributes) {
  AgileParameters parameters;
  const char* cipher = attributes.find("cipherAlgorithm");
  if (cipher == nullptr || std::string_view(cipher) != "AES")
    unsupported("its agile encryption uses a cipher other than AES");
  const char* chaining = attributes.find("cipherChaining");
  if (chaining != nullptr && std::string_view(chaining) == "ChainingModeCFB")
    parameters.chaining = Chaining::Cfb;
  else if (chaining == nullptr || std::string_view(chaining) != "ChainingModeCBC")
    unsupported("its agile encryption uses a chaining other than CBC or CFB");
  const char* hash = attributes.find("hashAlgorithm");
  parameters.hash = hashNamed(hash != nullptr ? hash : "");
  const std::size_t keyBits = sizeAttribute(attributes, "keyBits", 128, 256);
  if (keyBits != 128 && keyBits != 192 && keyBits != 256)
    damaged("its key size of " + std::to_string(keyBits) + " bits is none AES has");
  parameters.keySize = keyBits / 8;
  parameters.blockSize = sizeAttribute(attributes, "blockSize", 16, 16);
  parameters.hashSize = sizeAttribute(attributes, "hashSize", 1, 64);
  if (parameters.hashSize != digestSize(parameters.hash))
    damaged("its hash size does not match its hash algorithm");
  const std::size_t saltSize = sizeAttribute(attributes, "saltSize", 1, kMaxSaltSize);
  const char* salt = attributes.find("saltValue");
  parameters.salt = decodeBase64(salt != nullptr ? salt : "");
  if (parameters.salt.size() != saltSize) damaged("its salt does not have the size it states");
  return parameters;
}

std::string base64Attribute(const XmlAttributes& attributes, const char* name) {
  const char* text = attributes.find(name);
  if (text == nullptr) damaged(std::string("its encryption XML lacks ") + name);
  return decodeBase64(text);
}

// Collects the parts of the agile encryption XML that a password opens.
class AgileHandler final : public XmlHandler {
 public:
  void startElement(std::string_view name, const XmlAttributes& attributes) override {
    if (name == "keyData") {
      result.keyData = readParameters(attributes);
      seenKeyData = true;
    } else if (name == "dataIntegrity") {
      result.encryptedHmacKey = base64Attribute(attributes, "encryptedHmacKey");
      result.encryptedHmacValue = base64Attribute(attributes, "encryptedHmacValue");
      seenIntegrity = true;
    } else if (name == "keyEncryptor") {
      const char* uri = attributes.find("uri");
      inPasswordEncryptor = uri != nullptr && std::string_view(uri) == kPasswordEncryptor;
    } else if (name == "encryptedKey" && inPasswordEncryptor && !seenPasswordKey) {
      readPasswordKey(attributes);
    }
  }
  void endElement(std::string_view name) override {
    if (name == "keyEncryptor") inPasswordEncryptor = false;
  }
  void characters(std::string_view) override {}

  AgileEncryption result;
  bool seenKeyData = false, seenIntegrity = false, seenPasswordKey = false;

 private:
  void readPasswordKey(const XmlAttributes& attributes) {
    result.passwordKey = readParameters(attributes);
    const char* spin = attributes.find("spinCount");
    std::uint64_t count = 0;
    if (spin == nullptr || std::from_chars(spin, spin + std::strlen(spin), count).ec != std::errc())
      damaged("its encryption XML has an unusable spinCount");
    if (count > kMaxSpinCount)
      throw DecryptionError(
          DecryptionFailure::TooCostly,
          "it asks for " + std::to_string(count) + " rounds of key derivation, more than the " +
              std::to_string(kMaxSpinCount) + " the applications that write such files use");
    result.spinCount = std::uint32_t(count);
    result.encryptedVerifierHashInput = base64Attribute(attributes, "encryptedVerifierHashInput");
    result.encryptedVerifierHashValue = base64Attribute(attributes, "encryptedVerifierHashValue");
    result.encryptedKeyValue = base64Attribute(attributes, "encryptedKeyValue");
    seenPasswordKey = true;
  }

  bool inPasswordEncryptor = false;
};

AgileEncryption readAgile(std::string_view xml) {
  AgileHandler handler;
  try {
    XmlStream stream(handler, "its encryption XML");
    stream.feed(xml);
    stream.finish();
  } catch (const WorkbookError& error) {
    damaged(error.what());
  }
  if (!handler.seenKeyData || !handler.seenPasswordKey)
    unsupported("it is not encrypted with a password (a certificate, perhaps)");
  if (!handler.seenIntegrity) damaged("its encryption XML lacks the data integrity check");
  return handler.result;
}

int base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::string decodeBase64(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3);
  std::uint32_t buffer = 0;
  int bits = 0;
  std::size_t padding = 0;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    const int value = base64Value(c);
    if (value < 0 || padding > 0) damaged("its encryption XML holds a broken base64 value");
    buffer = buffer << 6 | std::uint32_t(value);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes.push_back(char(buffer >> bits & 0xFF));
    }
  }
  if (padding > 2 || bits >= 6) damaged("its encryption XML holds a broken base64 value");
  return bytes;
}

std::string utf16LittleEndian(std::string_view utf8) {
  std::string out;
  auto put = [&](std::uint32_t unit) {
    out.push_back(char(unit & 0xFF));
    out.push_back(char(unit >> 8 & 0xFF));
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = std::uint8_t(utf8[i]);
    const Utf8Lead form = utf8Lead(lead);
    bool whole = form.length > 0 && i + form.length <= utf8.size();
    if (whole) {
      const auto second = std::uint8_t(utf8[i + 1]);
      whole = second >= form.lower && second <= form.upper;
      for (std::size_t k = 2; whole && k < form.length; ++k)
        whole = (std::uint8_t(utf8[i + k]) & 0xC0) == 0x80;
    }
    if (lead < 0x80 || !whole) {
      put(lead);
      ++i;
      continue;
    }
    std::uint32_t code = lead & (0xFF >> (form.length + 1));
    for (std::size_t k = 1; k < form.length; ++k) code = code << 6 | (utf8[i + k] & 0x3F);
    i += form.length;
    if (code >= 0x10000) {
      code -= 0x10000;
      put(0xD800 | code >> 10);
      put(0xDC00 | (code & 0x3FF));
    } else {
      put(code);
    }
  }
  return out;
}

PackageEncryption readEncryptionInfo(std::string_view stream) {
  ByteFields fields(stream);
  const std::uint32_t major = fields.u16();
  const std::uint32_t minor = fields.u16();
  if (major == 4 && minor == 4) {
    if (fields.u32() != 0x40) damaged("its agile encryption information has wrong flags");
    return readAgile(fields.rest());
  }
  if ((major == 2 || major == 3 || major == 4) && minor == 2) return readStandard(fields);
  if ((major == 3 || major == 4) && minor == 3)
    unsupported("it uses extensible encryption, which is not read");
  damaged("its encryption information has the unknown version " + std::to_string(major) + "." +
          std::to_string(minor));
}

}  // namespace quill::crypto
