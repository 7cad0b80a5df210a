#include "OutputPageGlobals.h"

int g_bStereoPair[10];
int g_nLinkMark[10];
int g_bOutputSourceBit[10][OUTPUT_SOURCE_BITS] = {};
