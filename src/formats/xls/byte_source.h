#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quill::xls {

// Random access to the bytes of a workbook stream, wherever they are kept.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t size() const = 0;
  // Copies count bytes from offset; the caller keeps offset + count within size().
  virtual void read(std::uint64_t offset, std::uint8_t* out, std::size_t count) = 0;
};

// A stream already in memory, as tests build them.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  void read(std::uint64_t offset, std::uint8_t* out, std::size_t count) override;

 private:
  std::string_view bytes_;
};

}  // namespace quill::xls
