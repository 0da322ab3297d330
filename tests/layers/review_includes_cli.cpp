// Probe: the review layer includes cli/commands.h.
#include "cli/commands.h"
