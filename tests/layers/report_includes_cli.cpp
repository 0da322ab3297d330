// Probe: the report layer includes cli/commands.h.
#include "cli/commands.h"
