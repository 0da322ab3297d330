#include "formats/crypto/xor_obfuscation.h"

#include "formats/crypto/byte_fields.h"

namespace quill::crypto {

namespace {

constexpr std::size_t kMaxPasswordBytes = 15;

// The bytes that follow the password in the array before it is mixed with the key.
constexpr std::array<std::uint8_t, 15> kPadding = {0xBB, 0xFF, 0xFF, 0xBA, 0xFF, 0xFF, 0xB9, 0x80,
                                                   0x00, 0xBE, 0x0F, 0x00, 0xBF, 0x0F, 0x00};

// The key's starting value by password length.
constexpr std::array<std::uint16_t, 15> kInitialKey = {0xE1F0, 0x1D0F, 0xCC9C, 0x84C0, 0x110C,
                                                       0x0E10, 0xF1CE, 0x313E, 0x1872, 0xE139,
                                                       0xD40F, 0x84F9, 0x280C, 0xA96A, 0x4EC3};

// What each of the 7 low bits of each password byte, from the last, mixes into the key.
constexpr std::array<std::uint16_t, 105> kKeyMatrix = {
    0xAEFC, 0x4DD9, 0x9BB2, 0x2745, 0x4E8A, 0x9D14, 0x2A09, 0x7B61, 0xF6C2, 0xFDA5, 0xEB6B, 0xC6F7,
    0x9DCF, 0x2BBF, 0x4563, 0x8AC6, 0x05AD, 0x0B5A, 0x16B4, 0x2D68, 0x5AD0, 0x0375, 0x06EA, 0x0DD4,
    0x1BA8, 0x3750, 0x6EA0, 0xDD40, 0xD849, 0xA0B3, 0x5147, 0xA28E, 0x553D, 0xAA7A, 0x44D5, 0x6F45,
    0xDE8A, 0xAD35, 0x4A4B, 0x9496, 0x390D, 0x721A, 0xEB23, 0xC667, 0x9CEF, 0x29FF, 0x53FE, 0xA7FC,
    0x5FD9, 0x47D3, 0x8FA6, 0x0F6D, 0x1EDA, 0x3DB4, 0x7B68, 0xF6D0, 0xB861, 0x60E3, 0xC1C6, 0x93AD,
    0x377B, 0x6EF6, 0xDDEC, 0x45A0, 0x8B40, 0x06A1, 0x0D42, 0x1A84, 0x3508, 0x6A10, 0xAA51, 0x4483,
    0x8906, 0x022D, 0x045A, 0x08B4, 0x1168, 0x76B4, 0xED68, 0xCAF1, 0x85C3, 0x1BA7, 0x374E, 0x6E9C,
    0x3730, 0x6E60, 0xDCC0, 0xA9A1, 0x4363, 0x86C6, 0x1DAD, 0x3331, 0x6662, 0xCCC4, 0x89A9, 0x0373,
    0x06E6, 0x0DCC, 0x1021, 0x2042, 0x4084, 0x8108, 0x1231, 0x2462, 0x48C4};

std::uint16_t passwordVerifier(std::string_view password) {
  std::uint16_t verifier = 0;
  auto mix = [&](std::uint8_t byte) {
    const std::uint16_t carried = (verifier & 0x4000) != 0 ? 1 : 0;
    verifier = std::uint16_t(((verifier << 1) & 0x7FFF) | carried) ^ byte;
  };
  for (std::size_t i = password.size(); i-- > 0;) mix(std::uint8_t(password[i]));
  mix(std::uint8_t(password.size()));
  return verifier ^ 0xCE4B;
}

std::uint16_t obfuscationKey(std::string_view password) {
  std::uint16_t key = kInitialKey[password.size() - 1];
  std::size_t element = kKeyMatrix.size() - 1;
  for (std::size_t i = password.size(); i-- > 0;) {
    std::uint8_t byte = std::uint8_t(password[i]);
    for (int bit = 0; bit < 7; ++bit, --element) {
      if ((byte & 0x40) != 0) key ^= kKeyMatrix[element];
      byte = std::uint8_t(byte << 1);
    }
  }
  return key;
}

}  // namespace

std::string xorPasswordBytes(std::string_view utf8) {
  const std::string utf16 = utf16LittleEndian(utf8);
  std::string bytes;
  for (std::size_t i = 0; i + 1 < utf16.size() && bytes.size() < kMaxPasswordBytes; i += 2)
    bytes += utf16[i] != '\0' ? utf16[i] : utf16[i + 1];
  return bytes;
}

XorObfuscation xorObfuscation(std::string_view passwordBytes) {
  const std::string_view password = passwordBytes.substr(0, kMaxPasswordBytes);
  XorObfuscation result;
  result.verifier = passwordVerifier(password);
  if (password.empty()) return result;
  result.key = obfuscationKey(password);
  for (std::size_t i = 0; i < result.array.size(); ++i) {
    const std::uint8_t plain =
        i < password.size() ? std::uint8_t(password[i]) : kPadding[i - password.size()];
    const std::uint8_t keyByte = std::uint8_t(i % 2 == 0 ? result.key & 0xFF : result.key >> 8);
    const std::uint8_t mixed = plain ^ keyByte;
    result.array[i] = std::uint8_t(mixed >> 1 | mixed << 7);
  }
  return result;
}

}  // namespace quill::crypto
