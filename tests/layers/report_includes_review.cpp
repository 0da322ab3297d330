// Probe: the report layer includes review/review_workbook.h.
#include "review/review_workbook.h"
