// The frames of a firmware update and the loader-entry report.
//
// Every update frame is a device write (0xA1) to device address 1, scene 0, block type 9, with
// the step code in the sub-command byte, record 0, link flag 0. Each request carries its step
// code as command code (CSendData::SetCommand), which is how the transports and the reply
// engine tell it from an ordinary request. Pure code, reentrant.
#pragma once

#include "CSendData.h"
#include "Globals.h"

#include <memory>

// Step codes.
constexpr int FW_STEP_LOADER = 0xFF;       // loader entry: the transports send a fixed report
constexpr int FW_STEP_APPLY = 0x36;        // the processor restarts into its loader
constexpr int FW_STEP_START = 0x37;        // controller start record
constexpr int FW_STEP_DATA = 0x38;         // 48 controller body bytes
constexpr int FW_STEP_END = 0x39;          // check byte; ends the update
constexpr int FW_STEP_DSP_REQUEST = 0x3A;  // the loader erases the DSP image
constexpr int FW_STEP_DSP_DATA = 0x3B;     // address and 44 DSP bytes
constexpr int FW_STEP_DSP_END = 0x3C;

constexpr int FW_PAYLOAD_DATA = 48;        // payload of every data frame and of the loader entry
constexpr int FW_PAYLOAD_CONTROL = 16;     // payload of apply and DSP request
constexpr BYTE FW_LOADER_BYTE0 = 'C';      // the loader entry is pairs of these two bytes
constexpr BYTE FW_LOADER_BYTE1 = 0x11;

std::unique_ptr<CSendData> BuildLoaderEntryPacket();   // 64 bytes, 24 pairs 'C', 0x11
std::unique_ptr<CSendData> BuildHexApplyPacket();      // 32 bytes
std::unique_ptr<CSendData> BuildDspRequestPacket();    // 32 bytes
// 64 bytes: address (little endian), then n <= 44 image bytes, zero-filled to 48.
std::unique_ptr<CSendData> BuildDspDataPacket(DWORD address, const BYTE* bytes, int n);
// 20 bytes: the 4 bytes of the start record.
std::unique_ptr<CSendData> BuildMcuStartPacket(const BYTE* record4);
// 64 bytes: n <= 48 body bytes, filled with 0xFF to 48.
std::unique_ptr<CSendData> BuildMcuDataPacket(const BYTE* bytes, int n);
// 17 bytes: the check byte.
std::unique_ptr<CSendData> BuildHexEndPacket(BYTE check);

// What both transports send in place of the loader-entry frame: report id 0, then 32 pairs
// 'C', 0x11 filling bytes 1..64.
void FillLoaderEntryReport(BYTE (&report)[USB_REPORT_SIZE]);

// USB: the number of 1000 ms waits for the answer to a step, which is also the step's give-up
// time in seconds from the start of its transaction.
int HexStepWaitCount(int step);
// Network: the receive time-out for the answer to a step, ms; 0 keeps the time-out set last.
int HexStepRecvTimeoutMs(int step);
