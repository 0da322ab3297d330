#include "formats/crypto/odf_manifest.h"

#include <charconv>
#include <cstring>

#include "formats/crypto/decryption_error.h"
#include "formats/crypto/encryption_info.h"
#include "formats/package/xml_stream.h"
#include "sheet/workbook.h"

namespace quill::crypto {

namespace {

constexpr std::size_t kMaxSaltSize = 1024;
constexpr std::string_view kManifestNamespace =
    "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0#";
constexpr std::string_view kSignatureNamespace = "http://www.w3.org/2000/09/xmldsig#";
constexpr std::string_view kEncryptionNamespace = "http://www.w3.org/2001/04/xmlenc#";

[[noreturn]] void damaged(const std::string& reason) {
  throw DecryptionError(DecryptionFailure::Damaged, reason);
}

[[noreturn]] void unsupported(const std::string& reason) {
  throw DecryptionError(DecryptionFailure::Unsupported, reason);
}

// A name as the manifest gives it, cut short for a message.
std::string quoted(std::string_view name) {
  return "\"" + std::string(name.substr(0, 60)) + "\"";
}

// The name without the namespace it may be written under.
std::string_view withoutPrefix(std::string_view name, std::string_view prefix) {
  if (name.starts_with(prefix)) name.remove_prefix(prefix.size());
  return name;
}

std::uint64_t numberAttribute(const XmlAttributes& attributes, const char* name) {
  const char* text = attributes.find(name);
  if (text == nullptr) damaged(std::string("its manifest lacks the ") + name);
  std::uint64_t value = 0;
  const char* end = text + std::strlen(text);
  auto [stop, error] = std::from_chars(text, end, value);
  if (error != std::errc() || stop != end || stop == text)
    damaged(std::string("its manifest has an unusable ") + name);
  return value;
}

std::string base64Attribute(const XmlAttributes& attributes, const char* name) {
  const char* text = attributes.find(name);
  if (text == nullptr) damaged(std::string("its manifest lacks the ") + name);
  return decodeBase64(text);
}

// A hash named as the start-key generation gives it.
HashAlgorithm startKeyHashNamed(std::string_view name) {
  name = withoutPrefix(withoutPrefix(name, kSignatureNamespace), kEncryptionNamespace);
  if (name == "SHA1" || name == "sha1") return HashAlgorithm::Sha1;
  if (name == "SHA256" || name == "sha256") return HashAlgorithm::Sha256;
  unsupported("its start key is made with the hash " + quoted(name) + ", which is not read");
}

// Fills in the checksum hash and extent a checksum type names.
void readChecksumType(std::string_view type, OdfPartEncryption& part) {
  type = withoutPrefix(withoutPrefix(withoutPrefix(type, kManifestNamespace), kSignatureNamespace),
                       kEncryptionNamespace);
  if (type == "SHA1/1K" || type == "sha1-1k" || type == "SHA1" || type == "sha1") {
    part.checksumHash = HashAlgorithm::Sha1;
  } else if (type == "sha256-1k" || type == "sha256") {
    part.checksumHash = HashAlgorithm::Sha256;
  } else {
    unsupported("its password check " + quoted(type) + " is not read");
  }
  part.checksumOfFirstKilobyte = type.ends_with("1K") || type.ends_with("1k");
}

void readAlgorithm(const XmlAttributes& attributes, OdfPartEncryption& part) {
  const char* named = attributes.find("algorithm-name");
  const std::string_view name = named != nullptr ? named : "";
  std::size_t ivSize = 16;
  if (name == "Blowfish CFB") {
    part.cipher = Cipher::Blowfish;
    ivSize = 8;
  } else if (name.starts_with(kEncryptionNamespace) && name.ends_with("-cbc") &&
             name.substr(kEncryptionNamespace.size()).starts_with("aes")) {
    part.cipher = Cipher::Aes;
  } else {
    unsupported("its parts are encrypted with " + quoted(name) + ", which is not read");
  }
  part.iv = base64Attribute(attributes, "initialisation-vector");
  if (part.iv.size() != ivSize)
    damaged("its initialisation vector does not have the cipher's block size");
}

void readKeyDerivation(const XmlAttributes& attributes, OdfPartEncryption& part) {
  const char* named = attributes.find("key-derivation-name");
  const std::string_view name = withoutPrefix(named != nullptr ? named : "", kManifestNamespace);
  if (name != "PBKDF2" && name != "pbkdf2")
    unsupported("its key is derived with " + quoted(name) + ", which is not read");
  const std::uint64_t iterations = numberAttribute(attributes, "iteration-count");
  if (iterations == 0) damaged("its manifest asks for no rounds of key derivation");
  if (iterations > kMaxOdfIterations)
    throw DecryptionError(
        DecryptionFailure::TooCostly,
        "it asks for " + std::to_string(iterations) + " rounds of key derivation, more than the " +
            std::to_string(kMaxOdfIterations) + " the applications that write such files use");
  part.iterations = std::uint32_t(iterations);
  part.keySize =
      attributes.find("key-size") != nullptr
          ? std::size_t(std::min<std::uint64_t>(numberAttribute(attributes, "key-size"), 1024))
          : 16;
  part.salt = base64Attribute(attributes, "salt");
  if (part.salt.empty() || part.salt.size() > kMaxSaltSize)
    damaged("its salt has a size no writer uses");
}

// The key size the cipher takes, checked against the one the manifest states.
void checkKeySize(const OdfPartEncryption& part, std::string_view algorithm) {
  std::size_t expected = 16;
  if (part.cipher == Cipher::Aes)
    expected = algorithm.find("aes256") != std::string_view::npos   ? 32
               : algorithm.find("aes192") != std::string_view::npos ? 24
                                                                    : 16;
  if (part.keySize != expected)
    damaged("its key size of " + std::to_string(part.keySize * 8) + " bits is not the " +
            std::to_string(expected * 8) + " its cipher takes");
}

// Collects the encryption data of each file entry of the manifest.
class ManifestHandler final : public XmlHandler {
 public:
  void startElement(std::string_view name, const XmlAttributes& attributes) override {
    if (name == "file-entry") {
      const char* path = attributes.find("full-path");
      path_ = path != nullptr ? path : "";
      size_.reset();
      if (attributes.find("size") != nullptr) size_ = numberAttribute(attributes, "size");
      encrypted_ = false;
    } else if (name == "encryption-data") {
      encrypted_ = true;
      part_ = OdfPartEncryption();
      part_.size = size_;
      const char* type = attributes.find("checksum-type");
      readChecksumType(type != nullptr ? type : "SHA1/1K", part_);
      const char* checksum = attributes.find("checksum");
      if (checksum == nullptr) unsupported("its manifest gives no checksum to check a password");
      part_.checksum = decodeBase64(checksum);
      if (part_.checksum.size() != digestSize(part_.checksumHash))
        damaged("its checksum does not have the size of its hash");
      seen_ = 0;
    } else if (encrypted_ && name == "algorithm") {
      const char* algorithm = attributes.find("algorithm-name");
      algorithm_ = algorithm != nullptr ? algorithm : "";
      readAlgorithm(attributes, part_);
      seen_ |= 1;
    } else if (encrypted_ && name == "start-key-generation") {
      const char* hash = attributes.find("start-key-generation-name");
      part_.startKeyHash = startKeyHashNamed(hash != nullptr ? hash : "");
      if (attributes.find("key-size") != nullptr &&
          numberAttribute(attributes, "key-size") != digestSize(part_.startKeyHash))
        damaged("its start key size does not match its hash");
    } else if (encrypted_ && name == "key-derivation") {
      readKeyDerivation(attributes, part_);
      seen_ |= 2;
    }
  }
  void endElement(std::string_view name) override {
    if (name != "file-entry" || !encrypted_) return;
    if (seen_ != 3) damaged("its manifest lacks the algorithm or key derivation of a part");
    checkKeySize(part_, algorithm_);
    std::string_view path = path_;
    while (path.starts_with('/')) path.remove_prefix(1);
    parts[std::string(path)] = part_;
    encrypted_ = false;
  }
  void characters(std::string_view) override {}

  std::map<std::string, OdfPartEncryption> parts;

 private:
  std::string path_;
  std::optional<std::uint64_t> size_;
  bool encrypted_ = false;
  OdfPartEncryption part_;
  std::string algorithm_;
  int seen_ = 0;
};

}  // namespace

std::map<std::string, OdfPartEncryption> readOdfManifest(std::string_view xml) {
  ManifestHandler handler;
  try {
    XmlStream stream(handler, "its manifest");
    stream.feed(xml);
    stream.finish();
  } catch (const WorkbookError& error) {
    damaged(error.what());
  }
  return std::move(handler.parts);
}

}  // namespace quill::crypto
