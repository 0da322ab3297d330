// Probe: the formats layer includes engine/comparison.h.
#include "engine/comparison.h"
