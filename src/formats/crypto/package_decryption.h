#pragma once

#include <stop_token>
#include <string>
#include <string_view>

#include "formats/crypto/encryption_info.h"

namespace quill::crypto {

// The key that decrypts the package, unwrapped with the password. Throws DecryptionError:
// WrongPassword when the file's verifier says the password is wrong, Damaged when the
// key's sizes do not hold.
std::string packageKey(const PackageEncryption& encryption, std::string_view password);

// Decrypts the EncryptedPackage stream of an office file, handed over whole, into the zip
// package it holds, in place, with the key packageKey gave. Agile packages have their
// integrity check verified. Throws DecryptionError (Damaged) when the stream's sizes or
// integrity check do not hold; a stop requested throws ComparisonCancelled.
std::string decryptPackage(const PackageEncryption& encryption, const std::string& key,
                           std::string stream, std::stop_token stop = {});

// The key standard encryption derives from a salt and a password, unverified.
std::string standardDerivedKey(std::string_view salt, std::string_view password,
                               std::size_t keySize);

// The key a password gives under standard encryption; throws DecryptionError
// (WrongPassword) when the file's verifier says the password is wrong.
std::string standardKey(const StandardEncryption& encryption, std::string_view password);

// The package key a password unwraps under agile encryption; throws DecryptionError
// (WrongPassword) when the file's verifier says the password is wrong.
std::string agilePackageKey(const AgileEncryption& encryption, std::string_view password);

// The initialization vector of a block under agile encryption: the hash of the salt and the
// block key, cut or padded with 0x36 to the block size.
std::string agileIv(const AgileParameters& parameters, std::string_view blockKey);

// The first bytes of the key data's hash cut or padded with 0x36 to a size.
std::string fittedTo(std::string bytes, std::size_t size);

// The block keys of agile encryption's derived keys and integrity check.
inline constexpr std::string_view kVerifierInputBlock{"\xfe\xa7\xd2\x76\x3b\x4b\x9e\x79", 8};
inline constexpr std::string_view kVerifierValueBlock{"\xd7\xaa\x0f\x6d\x30\x61\x34\x4e", 8};
inline constexpr std::string_view kKeyValueBlock{"\x14\x6e\x0b\xe7\xab\xac\xd0\xd6", 8};
inline constexpr std::string_view kHmacKeyBlock{"\x5f\xb2\xad\x01\x0c\xb9\xe1\xf6", 8};
inline constexpr std::string_view kHmacValueBlock{"\xa0\x67\x7f\x02\xb2\x2c\x84\x33", 8};

// The hash of the salt and password iterated spinCount times, as agile and standard
// encryption derive their keys.
std::string iteratedHash(HashAlgorithm hash, std::string_view salt, std::string_view password,
                         std::uint32_t spinCount);

// The size of an agile package's segments, each with an IV of its own.
inline constexpr std::size_t kSegmentSize = 4096;

}  // namespace quill::crypto
