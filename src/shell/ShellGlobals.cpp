#include "ShellGlobals.h"

CKRV330View* g_pMainView = nullptr;
std::atomic<int> g_bTransferBusy{0};
