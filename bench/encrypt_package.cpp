// Writes a workbook's zip package as an agile-encrypted file (AES-256, SHA-512, 100,000
// rounds) with the test encryptor, so that the benchmark can time a protected pair:
//   encrypt-package IN.xlsx OUT.xlsx PASSWORD
#include <cstdio>
#include <exception>

#include "formats/crypto/test_encryptor.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: encrypt-package IN OUT PASSWORD\n");
    return 2;
  }
  try {
    quill::test::writeEncryptedPackage(argv[2], quill::test::fileBytes(argv[1]), argv[3]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "encrypt-package: %s\n", error.what());
    return 1;
  }
  return 0;
}
