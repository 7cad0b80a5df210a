#include "ControlGlobals.h"

int g_bSourceMatch = 0;
