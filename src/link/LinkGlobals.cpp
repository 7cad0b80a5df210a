#include "LinkGlobals.h"

int g_nSendRetry = 0;
CSendData* g_pSerialItem = nullptr;
CKTVCommand* g_pCommand = nullptr;

int g_bHandshake = 0;
std::atomic<int> g_bNeedFirmware{0};
std::atomic<int> g_bUpdateDone{0};
std::atomic<int> g_bAbortingUpdate{0};
int g_bMcuImageLoaded = 0;

char g_szDeviceVersion[DEVICE_VERSION_LENGTH + 1] = {};
BYTE g_byNetRecvBuf[NET_RECV_BUFFER_SIZE] = {};

ILinkProgress* g_pProgress = nullptr;
ILinkProgress* g_pUpdateProgress = nullptr;
ILinkStatusText* g_pCurHexUpTip = nullptr;
