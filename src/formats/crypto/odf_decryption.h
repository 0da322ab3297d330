#pragma once

#include <functional>
#include <stop_token>
#include <string>
#include <string_view>

#include "formats/crypto/odf_manifest.h"

namespace quill::crypto {

// The key that decrypts a part: PBKDF2 (HMAC-SHA-1) over the start key, the hash of the
// password's UTF-8 bytes.
std::string odfPartKey(const OdfPartEncryption& part, std::string_view password);

// Decrypts a part's stored bytes with the key odfPartKey gave, in place, and checks the
// result against the manifest's checksum. Throws DecryptionError: WrongPassword when the
// checksum does not match, Damaged when the bytes do not fill whole blocks or their padding
// is broken; a stop requested throws ComparisonCancelled.
std::string decryptOdfPart(const OdfPartEncryption& part, const std::string& key,
                           std::string stored, std::stop_token stop = {});

// Inflates a decrypted part in chunks handed to consume, no more than the size its manifest
// states and no more than kMaxRatio times the deflated bytes past the first MiB. Throws
// DecryptionError (Damaged) when the data is not deflated, is cut short or inflates to a
// size other than the stated one; a stop requested throws ComparisonCancelled.
void inflateOdfPart(const OdfPartEncryption& part, std::string_view deflated,
                    const std::function<void(std::string_view)>& consume,
                    std::stop_token stop = {});

// The bytes of the part's checksum: all, or the first kilobyte, of the decrypted data.
std::string_view checksummedBytes(const OdfPartEncryption& part, std::string_view decrypted);

}  // namespace quill::crypto
