#include "ShellGlobals.h"

CKRV330View* g_pMainView = nullptr;
CWnd* g_pViewWnd = nullptr;
std::atomic<int> g_bTransferBusy{0};
CString g_szWorkDir;
