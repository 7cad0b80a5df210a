#include "LinkGlobals.h"

int g_nSendRetry = 0;
CSendData* g_pSerialItem = nullptr;
