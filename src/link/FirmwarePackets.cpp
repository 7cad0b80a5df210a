#include "FirmwarePackets.h"

#include "FrameBuilder.h"
#include "SceneImage.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr BYTE kHexAddress = 1;

std::unique_ptr<CSendData> BuildHexPacket(int step, const BYTE* payload, int n)
{
    const BYTE header[FRAME_HEADER_SIZE] = {FRAME_PREAMBLE, FRAME_PREAMBLE, FRAME_PREAMBLE, FRAME_SYNC,
                                            FRAME_WRITE,    kHexAddress,    0,              BLOCK_SYSTEM,
                                            BYTE(step),     0,              0,              0,
                                            BYTE(n & 0xFF), BYTE(n >> 8)};
    std::vector<BYTE> frame(size_t(n + FRAME_OVERHEAD));
    FinishPacket(frame.data(), int(frame.size()), header, payload);
    auto request = std::make_unique<CSendData>();
    request->SetData(std::move(frame));
    request->SetCommand(step);
    return request;
}

}  // namespace

std::unique_ptr<CSendData> BuildLoaderEntryPacket()
{
    BYTE payload[FW_PAYLOAD_DATA];
    for (int i = 0; i < FW_PAYLOAD_DATA; i += 2) {
        payload[i] = FW_LOADER_BYTE0;
        payload[i + 1] = FW_LOADER_BYTE1;
    }
    return BuildHexPacket(FW_STEP_LOADER, payload, FW_PAYLOAD_DATA);
}

std::unique_ptr<CSendData> BuildHexApplyPacket()
{
    return BuildHexPacket(FW_STEP_APPLY, nullptr, FW_PAYLOAD_CONTROL);
}

std::unique_ptr<CSendData> BuildDspRequestPacket()
{
    return BuildHexPacket(FW_STEP_DSP_REQUEST, nullptr, FW_PAYLOAD_CONTROL);
}

std::unique_ptr<CSendData> BuildDspDataPacket(DWORD address, const BYTE* bytes, int n)
{
    BYTE payload[FW_PAYLOAD_DATA] = {};
    for (int k = 0; k < 4; ++k)
        payload[k] = BYTE(address >> (8 * k));
    n = std::clamp(n, 0, FW_PAYLOAD_DATA - 4);
    if (bytes && n > 0)
        std::memcpy(payload + 4, bytes, size_t(n));
    return BuildHexPacket(FW_STEP_DSP_DATA, payload, FW_PAYLOAD_DATA);
}

std::unique_ptr<CSendData> BuildMcuStartPacket(const BYTE* record4)
{
    BYTE payload[4] = {};
    if (record4)
        std::memcpy(payload, record4, sizeof payload);
    return BuildHexPacket(FW_STEP_START, payload, int(sizeof payload));
}

std::unique_ptr<CSendData> BuildMcuDataPacket(const BYTE* bytes, int n)
{
    BYTE payload[FW_PAYLOAD_DATA];
    std::memset(payload, 0xFF, sizeof payload);
    n = std::clamp(n, 0, FW_PAYLOAD_DATA);
    if (bytes && n > 0)
        std::memcpy(payload, bytes, size_t(n));
    return BuildHexPacket(FW_STEP_DATA, payload, FW_PAYLOAD_DATA);
}

std::unique_ptr<CSendData> BuildHexEndPacket(BYTE check) { return BuildHexPacket(FW_STEP_END, &check, 1); }

void FillLoaderEntryReport(BYTE (&report)[USB_REPORT_SIZE])
{
    report[0] = 0;
    for (int i = 1; i < USB_REPORT_SIZE; i += 2) {
        report[i] = FW_LOADER_BYTE0;
        report[i + 1] = FW_LOADER_BYTE1;
    }
}

int HexStepWaitCount(int step)
{
    switch (step) {
    case FW_STEP_APPLY: return 3;
    case FW_STEP_START: return 8;
    case FW_STEP_DATA: return 2;
    case FW_STEP_END: return 2;
    case FW_STEP_DSP_REQUEST: return 40;
    case FW_STEP_DSP_DATA: return 10;
    case FW_STEP_DSP_END: return 20;
    default: return 2;
    }
}

int HexStepRecvTimeoutMs(int step)
{
    switch (step) {
    case FW_STEP_APPLY: return 10000;
    case FW_STEP_START: return 8000;
    case FW_STEP_DATA: return 2000;
    case FW_STEP_DSP_REQUEST: return 50000;
    case FW_STEP_DSP_DATA: return 10000;
    case FW_STEP_DSP_END: return 8000;
    default: return 0;
    }
}
