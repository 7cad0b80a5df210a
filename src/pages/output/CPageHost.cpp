#include "CPageHost.h"

CPageHost* g_pPageHost = nullptr;
