#include "FirmwareState.h"

std::atomic<int> g_bUpdating{0};
std::atomic<int> g_bUpdateWaiting{0};
std::atomic<int> g_nFirmwareStep{FIRMWARE_STEP_IDLE};
int g_nUpdateProgressTotal = 0;

void ResetFirmwareStep() { g_nFirmwareStep = FIRMWARE_STEP_IDLE; }
