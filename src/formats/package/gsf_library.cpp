#include "formats/package/gsf_library.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input-proxy.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <algorithm>
#include <mutex>

#include "sheet/read_options.h"

namespace quill {

void initializeGsf() {
  static std::once_flag once;
  std::call_once(once, [] {
    gsf_init();
    // Register every type the readers use now, on one thread.
    for (GType type :
         {gsf_input_get_type(), gsf_infile_get_type(), gsf_input_stdio_get_type(),
          gsf_infile_msole_get_type(), gsf_input_proxy_get_type(), gsf_input_memory_get_type()})
      g_type_class_unref(g_type_class_ref(type));
    // A damaged compound file is reported through the error that comes back, in one line;
    // the library's own warnings and failed assertions on stderr would only say the same
    // again, before that line and in the library's words. Fatal errors still end the process.
    const GLogLevelFlags levels = GLogLevelFlags(G_LOG_LEVEL_MASK & ~G_LOG_LEVEL_ERROR);
    for (const char* domain : {"libgsf", "libgsf:msole"})
      g_log_set_handler(
          domain, levels, [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
  });
}

std::string takeGsfMessage(GError* error) {
  std::string message =
      error != nullptr && error->message != nullptr ? error->message : "unknown reason";
  if (error != nullptr) g_error_free(error);
  std::replace(message.begin(), message.end(), '\n', ' ');
  return message;
}

StreamReading readWholeStream(GsfInput* stream, std::uint64_t maxBytes, const std::stop_token& stop,
                              std::string& bytes) {
  constexpr std::size_t kChunk = std::size_t(1) << 20;
  const gsf_off_t size = gsf_input_size(stream);
  if (size < 0 || std::uint64_t(size) > maxBytes) return StreamReading::TooLarge;
  bytes.assign(std::size_t(size), '\0');
  for (std::size_t offset = 0; offset < bytes.size(); offset += kChunk) {
    stopIfRequested(stop);
    const std::size_t length = std::min(kChunk, bytes.size() - offset);
    if (gsf_input_read(stream, length, reinterpret_cast<guint8*>(bytes.data() + offset)) == nullptr)
      return StreamReading::Damaged;
  }
  return StreamReading::Read;
}

}  // namespace quill
