#include "Globals.h"

int g_bOnline = 0;
int g_bChinese = 0;
int g_nLinkType = 0;
CCriticalSection g_csComm;
