// Probe: the engine layer includes formats/workbook_file.h.
#include "formats/workbook_file.h"
