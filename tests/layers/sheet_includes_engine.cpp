// Probe: the sheet layer includes engine/comparison.h.
#include "engine/comparison.h"
