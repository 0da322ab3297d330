#include "formats/crypto/odf_decryption.h"

#include <zlib.h>

#include <algorithm>
#include <memory>

#include "formats/crypto/decryption_error.h"
#include "formats/package/zip_archive.h"
#include "sheet/read_options.h"

namespace quill::crypto {

namespace {

constexpr std::size_t kChecksumExtent = 1024;
constexpr std::size_t kStopCheckBytes = std::size_t(1) << 20;
constexpr std::size_t kInflateChunk = std::size_t(1) << 16;

[[noreturn]] void damaged(const std::string& reason) {
  throw DecryptionError(DecryptionFailure::Damaged, reason);
}

[[noreturn]] void wrongPassword() {
  throw DecryptionError(DecryptionFailure::WrongPassword, "the password is wrong");
}

bool checksumMatches(const OdfPartEncryption& part, std::string_view decrypted) {
  return equalBytes(digest(part.checksumHash, checksummedBytes(part, decrypted)), part.checksum);
}

// The length of the padding AES-CBC ends with: its last byte, 1 to a whole block; 0 when
// that byte is none of those.
std::size_t paddingLength(std::string_view decrypted, std::size_t blockSize) {
  if (decrypted.empty()) return 0;
  const std::size_t length = std::uint8_t(decrypted.back());
  return length >= 1 && length <= blockSize ? length : 0;
}

// Frees the inflater however the inflation ends.
struct InflaterEnd {
  void operator()(z_stream* stream) const { inflateEnd(stream); }
};

}  // namespace

std::string odfPartKey(const OdfPartEncryption& part, std::string_view password) {
  return pbkdf2(HashAlgorithm::Sha1, digest(part.startKeyHash, password), part.salt,
                part.iterations, part.keySize);
}

std::string_view checksummedBytes(const OdfPartEncryption& part, std::string_view decrypted) {
  return part.checksumOfFirstKilobyte ? decrypted.substr(0, kChecksumExtent) : decrypted;
}

std::string decryptOdfPart(const OdfPartEncryption& part, const std::string& key,
                           std::string stored, std::stop_token stop) {
  const bool padded = part.cipher == Cipher::Aes;
  CipherContext cipher(part.cipher, padded ? Chaining::Cbc : Chaining::Cfb, key);
  if (padded && (stored.empty() || stored.size() % cipher.blockSize() != 0))
    damaged("an encrypted part does not fill whole blocks");
  cipher.setIv(part.iv);
  for (std::size_t offset = 0; offset < stored.size(); offset += kStopCheckBytes) {
    stopIfRequested(stop);
    cipher.decrypt(stored.data() + offset, std::min(kStopCheckBytes, stored.size() - offset));
  }
  if (!padded) {
    if (!checksumMatches(part, stored)) wrongPassword();
    return stored;
  }
  const std::size_t padding = paddingLength(stored, cipher.blockSize());
  // A wrong key gives a broken padding as often as not; only when the checksum covers
  // none of the padding's possible bytes does a broken one prove the file damaged.
  const bool checksumReachesPadding =
      !part.checksumOfFirstKilobyte || stored.size() < kChecksumExtent + cipher.blockSize();
  if (padding == 0 && checksumReachesPadding) wrongPassword();
  if (!checksumMatches(part, std::string_view(stored).substr(0, stored.size() - padding)))
    wrongPassword();
  if (padding == 0) damaged("an encrypted part is cut short or damaged: its padding is broken");
  stored.resize(stored.size() - padding);
  return stored;
}

void inflateOdfPart(const OdfPartEncryption& part, std::string_view deflated,
                    const std::function<void(std::string_view)>& consume, std::stop_token stop) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) damaged("the inflater cannot start");
  std::unique_ptr<z_stream, InflaterEnd> end(&stream);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
  stream.avail_in = uInt(std::min<std::size_t>(deflated.size(), 1u << 30));
  const std::uint64_t limit = part.size.value_or(UINT64_MAX);
  std::unique_ptr<char[]> buffer(new char[kInflateChunk]);
  std::uint64_t total = 0;
  int status = Z_OK;
  while (status != Z_STREAM_END) {
    stopIfRequested(stop);
    stream.next_out = reinterpret_cast<Bytef*>(buffer.get());
    stream.avail_out = uInt(kInflateChunk);
    status = inflate(&stream, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END)
      damaged(status == Z_BUF_ERROR ? "a decrypted part is cut short"
                                    : "a decrypted part is not deflated data");
    const std::size_t got = kInflateChunk - stream.avail_out;
    total += got;
    if (total > limit) damaged("a decrypted part inflates past the size its manifest states");
    if (total > ZipArchive::kRatioFreeBytes && total > ZipArchive::kMaxRatio * deflated.size())
      damaged("a decrypted part inflates more than 1000 times its packed size");
    if (got > 0) consume(std::string_view(buffer.get(), got));
  }
  if (part.size && total != *part.size)
    damaged("a decrypted part inflates to less than the size its manifest states");
}

}  // namespace quill::crypto
