#include "formats/package/gsf_library.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input-proxy.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <mutex>

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

}  // namespace quill
