#include "Globals.h"

#include "Clock.h"

#include <cstring>

int g_bOnline = 0;
int g_bChinese = 0;
std::atomic<int> g_nLinkType{0};
CCriticalSection g_csComm;

int g_bPendingSys5 = 0;
int g_bPendingSys2 = 0;
int g_bSendSceneName = 0;
int g_bSceneModified = 0;

int g_nLinkGroup[LINK_CHANNELS] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
int g_nOutputGroup[LINK_CHANNELS] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
int g_bLRLink = 0;
int g_bAssignFlag = 0;
int g_bLRLinkCmd = 0;

bool IsLinkedOutput(int a, int b)
{
    if (a < 0 || a >= LINK_CHANNELS || b < 0 || b >= LINK_CHANNELS)
        return false;
    return a != b && g_nLinkGroup[a] == g_nLinkGroup[b];
}

void LeaveLinkGroup(int ch)
{
    if (ch >= 0 && ch < LINK_CHANNELS)
        g_nLinkGroup[ch] = ch;
}

int g_bShowCurve[SHOW_CURVE_COUNT] = {};

int g_nCurPage = 1;
int g_nCurOutput = 0;
int g_nInputKind = 0;
int g_nShownInput = 0;
int g_nLineSet = 1;
int g_nDelayUnit = 1;
int g_nMeterLevel[LINK_CHANNELS] = {};

CString g_strUsbPath;
CString g_strDeviceIp = "10.10.100.254";
int g_nDevicePort = 8899;
int g_nDeviceAddr = 1;
CString g_strWifiName = "WIFI";
CString g_strComPort = "NULL";
CString g_strFirmwarePath;
CString g_strLanguage;
CString g_strAllPresetFilePath;

std::vector<std::string> g_arrUsbDevices;
std::vector<std::string> g_arrUpgradeDevices;

BYTE g_byUsbOutReport[USB_REPORT_SIZE] = {};
BYTE g_byUsbInReport[USB_REPORT_SIZE] = {};

BYTE g_byCommStatus[COMM_STATUS_SIZE] = {};

void ClearCommStatus() { std::memset(g_byCommStatus, 0, sizeof(g_byCommStatus)); }

namespace {
LONGLONG ReadPerfFreq()
{
    int64_t freq = 0;
    QueryPerformanceFrequency(&freq);
    return freq;
}
}  // namespace

LONGLONG g_liPerfFreq = ReadPerfFreq();
