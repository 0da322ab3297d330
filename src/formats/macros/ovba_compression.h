#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quill {

// The most a macro project's compressed stream may decompress to: a module's source of
// more than this is taken for a damaged stream rather than held.
inline constexpr std::size_t kMaxDecompressedMacroBytes = std::size_t(8) << 20;

// Decompresses a compressed container of a macro project (the "dir" stream, or a module
// stream from its source's offset on): a signature byte, then chunks of up to 4096
// decompressed bytes, each a two-byte header and either raw bytes or groups of a flag byte
// and eight literal bytes or back-references. A last chunk cut short ends the text where it
// is cut. Throws MacroProjectError with the reason only when the container is damaged or
// would decompress to more than maxBytes.
std::string decompressMacroContainer(std::string_view container,
                                     std::size_t maxBytes = kMaxDecompressedMacroBytes);

}  // namespace quill
