// Probe: the engine layer includes report/templates.h.
#include "report/templates.h"
