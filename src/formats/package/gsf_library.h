#pragma once

#include <gsf/gsf-input.h>

#include <cstdint>
#include <stop_token>
#include <string>

namespace quill {

// Prepares libgsf once per process, before any thread opens a compound file: its object
// types are registered on first use, which is not safe when two threads race to it.
void initializeGsf();

// The message of a libgsf error on one line, freeing the error; "unknown reason" for none.
std::string takeGsfMessage(GError* error);

// How reading a whole stream ended.
enum class StreamReading { Read, TooLarge, Damaged };

// Reads a stream whole into bytes, in chunks that check for a stop, once its size is known to
// be at most maxBytes.
StreamReading readWholeStream(GsfInput* stream, std::uint64_t maxBytes, const std::stop_token& stop,
                              std::string& bytes);

}  // namespace quill
