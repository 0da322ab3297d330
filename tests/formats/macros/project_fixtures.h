#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quill::test {

// Little-endian bytes of a number.
inline std::string littleEndian(std::uint32_t value, int size) {
  std::string out;
  for (int i = 0; i < size; ++i) out.push_back(char(value >> (8 * i) & 0xFF));
  return out;
}

// One record of a project's directory: id, 32-bit size, data.
inline std::string directoryRecord(std::uint16_t id, const std::string& data) {
  return littleEndian(id, 2) + littleEndian(std::uint32_t(data.size()), 4) + data;
}

// The records a project writes before its modules, with its code page; the version record
// has 6 bytes under a size field of 4, as projects write it.
inline std::string projectHead(std::uint16_t codePage) {
  return directoryRecord(0x0001, littleEndian(1, 4)) +
         directoryRecord(0x0003, littleEndian(codePage, 2)) +
         directoryRecord(0x0004, "VBAProject") + littleEndian(0x0009, 2) + littleEndian(4, 4) +
         littleEndian(0x65BE0257, 4) + littleEndian(0x11, 2) +
         directoryRecord(0x000F, littleEndian(2, 2)) +
         directoryRecord(0x0013, littleEndian(0xFFFF, 2));
}

// The records of one module: its name, stream name and text offset.
inline std::string moduleRecords(const std::string& name, const std::string& stream,
                                 std::uint32_t offset) {
  return directoryRecord(0x0019, name) + directoryRecord(0x001A, stream) +
         directoryRecord(0x0031, littleEndian(offset, 4)) + directoryRecord(0x0021, "") +
         directoryRecord(0x002B, "");
}

inline const std::string kDirectoryEnd = directoryRecord(0x0010, "");

// A compressed container holding text as it is: whole chunks of 4096 bytes raw, the rest
// as literals; valid, though no writer would choose it. A last part of more than 3640 bytes
// does not fit a chunk as literals and is refused.
inline std::string literalContainer(std::string_view text) {
  std::string container = "\x01";
  for (std::size_t start = 0; start < text.size(); start += 4096) {
    const std::string_view chunk = text.substr(start, 4096);
    if (chunk.size() == 4096) {
      container += littleEndian(0x3FFF, 2) + std::string(chunk);
      continue;
    }
    if (chunk.size() > 3640) throw std::logic_error("too long for a chunk of literals");
    std::string tokens;
    for (std::size_t i = 0; i < chunk.size(); i += 8)
      tokens += '\0' + std::string(chunk.substr(i, 8));
    container += littleEndian(0xB000 | std::uint32_t(tokens.size() - 1), 2) + tokens;
  }
  return container;
}

// A compound file holding the named streams, "VBA/dir" in the storage "VBA".
std::string compoundFileBytes(const std::vector<std::pair<std::string, std::string>>& streams);

}  // namespace quill::test
