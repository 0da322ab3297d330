#include "formats/crypto/odf_test_encryptor.h"

#include <zlib.h>

#include <stdexcept>
#include <vector>

#include "formats/crypto/test_encryptor.h"
#include "formats/ods/ods_test_support.h"
#include "formats/package/zip_archive.h"

namespace quill::test {

namespace {

using crypto::Cipher;
using crypto::HashAlgorithm;

std::string rawDeflated(const std::string& bytes) {
  z_stream stream{};
  if (deflateInit2(&stream, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("deflateInit2 failed");
  std::string out(deflateBound(&stream, uLong(bytes.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = uInt(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = uInt(out.size());
  const int status = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (status != Z_STREAM_END) throw std::runtime_error("deflate failed");
  return out;
}

// Pads to whole AES blocks: the last byte gives the padding's length, 1 to 16.
std::string padded(std::string bytes) {
  const std::size_t length = 16 - bytes.size() % 16;
  bytes.append(length - 1, '\x5a');
  bytes.push_back(char(length));
  return bytes;
}

struct EncryptedPart {
  std::string bytes;
  std::string manifestEntry;
};

EncryptedPart encryptPart(const std::string& name, const std::string& plain,
                          const std::string& password, const OdfEncryptorSettings& settings,
                          std::uint64_t declaredSize) {
  const bool aes = settings.cipher == Cipher::Aes;
  const std::string deflated = rawDeflated(plain);
  const std::string checked =
      settings.checksumOfFirstKilobyte ? deflated.substr(0, 1024) : deflated;
  const HashAlgorithm checksumHash = aes ? HashAlgorithm::Sha256 : HashAlgorithm::Sha1;
  const std::string iv = crypto::randomBytes(aes ? 16 : 8);
  const std::string salt = crypto::randomBytes(16);
  const std::size_t keySize = aes ? 32 : 16;
  const std::string key =
      crypto::pbkdf2(HashAlgorithm::Sha1, crypto::digest(settings.startKeyHash, password), salt,
                     settings.iterations, keySize);
  EncryptedPart part;
  part.bytes =
      aes ? crypto::encrypted(Cipher::Aes, crypto::Chaining::Cbc, key, iv, padded(deflated))
          : crypto::encrypted(Cipher::Blowfish, crypto::Chaining::Cfb, key, iv, deflated);
  const std::string checksumType =
      aes ? (settings.checksumOfFirstKilobyte
                 ? "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0#sha256-1k"
                 : "http://www.w3.org/2000/09/xmldsig#sha256")
          : (settings.checksumOfFirstKilobyte ? "SHA1/1K" : "SHA1");
  const std::string startKey = settings.startKeyHash == HashAlgorithm::Sha256
                                   ? "http://www.w3.org/2000/09/xmldsig#sha256\" "
                                     "manifest:key-size=\"32"
                                   : "http://www.w3.org/2000/09/xmldsig#sha1\" "
                                     "manifest:key-size=\"20";
  part.manifestEntry =
      " <manifest:file-entry manifest:full-path=\"" + name +
      "\" manifest:media-type=\"text/xml\" manifest:size=\"" + std::to_string(declaredSize) +
      "\">\n  <manifest:encryption-data manifest:checksum-type=\"" + checksumType +
      "\" manifest:checksum=\"" + base64(crypto::digest(checksumHash, checked)) +
      "\">\n   <manifest:algorithm manifest:algorithm-name=\"" +
      (aes ? "http://www.w3.org/2001/04/xmlenc#aes256-cbc" : "Blowfish CFB") +
      "\" manifest:initialisation-vector=\"" + base64(iv) +
      "\"/>\n   <manifest:start-key-generation manifest:start-key-generation-name=\"" + startKey +
      "\"/>\n   <manifest:key-derivation manifest:key-derivation-name=\"PBKDF2\" "
      "manifest:key-size=\"" +
      std::to_string(keySize) + "\" manifest:iteration-count=\"" +
      std::to_string(settings.declaredIterations.value_or(settings.iterations)) +
      "\" manifest:salt=\"" + base64(salt) + "\"/>\n  </manifest:encryption-data>\n" +
      " </manifest:file-entry>\n";
  return part;
}

}  // namespace

void writeEncryptedOds(const std::filesystem::path& target, const std::filesystem::path& plain,
                       const std::string& password, const OdfEncryptorSettings& settings) {
  const ZipArchive source(plain.string());
  std::vector<ZipPart> parts = {{"mimetype", source.readAll("mimetype"), ZIP_CM_STORE}};
  std::string manifest =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<manifest:manifest "
      "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
      "manifest:version=\"1.3\">\n <manifest:file-entry manifest:full-path=\"/\" "
      "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>\n";
  std::size_t contentIndex = 0;
  for (const std::string& name : source.names()) {
    if (name == "mimetype" || name == "META-INF/manifest.xml" || name.ends_with("/")) continue;
    const std::string bytes = source.readAll(name);
    const bool isContent = name == "content.xml";
    EncryptedPart part =
        encryptPart(name, bytes, password, settings,
                    isContent ? settings.declaredContentSize.value_or(bytes.size()) : bytes.size());
    manifest += part.manifestEntry;
    if (isContent) contentIndex = parts.size();
    parts.push_back({name, std::move(part.bytes), ZIP_CM_STORE});
  }
  manifest += "</manifest:manifest>\n";
  if (contentIndex == 0) throw std::runtime_error(plain.string() + " holds no content.xml");
  if (settings.tamper) settings.tamper(manifest, parts[contentIndex].content);
  parts.push_back({"META-INF/manifest.xml", manifest});
  writeZip(target, parts);
}

}  // namespace quill::test
