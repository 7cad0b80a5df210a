#include "Colours.h"

ARGB g_clrOutCurve[10] = {};
