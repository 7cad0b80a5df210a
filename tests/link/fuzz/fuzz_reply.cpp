// Fuzzes the reply engine's receive path: bytes from the device, as USB input reports, TCP
// pieces or serial bytes, against one queued request. Nothing the device sends may make the
// engine read or write outside its buffers or the model, whatever the frame claims.
//
// Input: byte 0 picks the entry point (and the handshake state), byte 1 the queued request,
// byte 2 the piece size for TCP, the rest is what the device sends. The seeds are the
// emulated processor's own answers to each request, so the fuzzer starts from frames that
// pass the check byte.
#include "FuzzSeeds.h"

#include "CKTVCommand.h"
#include "CSendData.h"
#include "DeviceEmulator.h"
#include "FirmwarePackets.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkProgress.h"
#include "Messages.h"
#include "SceneImage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>

namespace {

HWND const kView = reinterpret_cast<HWND>(0x4712);

// Takes every notice the engine posts and drops it.
class NullSink : public IMessageSink {
public:
    bool Post(HWND, UINT, WPARAM, LPARAM) override { return true; }
    LRESULT Send(HWND, UINT, WPARAM, LPARAM) override { return 0; }
    bool IsUiThread() override { return false; }
};

class Bar : public ILinkProgress {
public:
    void SetPos(int pos) override { m_pos = std::clamp(pos, 0, 100); }
    int GetPos() const override { return m_pos; }
    int GetUpper() const override { return 100; }

private:
    int m_pos = 0;
};

class Line : public ILinkStatusText {
public:
    void SetText(const CString&) override {}
};

using Builder = std::function<std::unique_ptr<CSendData>()>;

// The requests a reply can answer: reads of each kind, writes, and firmware steps.
const std::vector<Builder>& Requests()
{
    static const std::vector<Builder> requests = {
        [] { return BuildCommandReadRequest(SYS_STATE_POLL, 0); },
        [] { return BuildCommandReadRequest(SYS_HANDSHAKE, 0); },
        [] { return BuildCommandReadRequest(SYS_VERSION, 0); },
        [] { return BuildCommandReadRequest(SYS_SCENE_NAME, 3); },
        [] { return BuildCommandReadRequest(SYS_GROUP8, 0); },
        [] { return BuildCommandReadRequest(g_nSysReadCmd[1], 0); },
        [] { return BuildReadRequest(0, BLOCK_OUTPUT, 9, TRUE); },
        [] { return BuildReadRequest(4, BLOCK_OUTPUT, 2, FALSE); },
        [] { return BuildReadRequest(0, BLOCK_MUSIC, 1, TRUE); },
        [] { return BuildReadRequest(0, BLOCK_EFFECT, 0, TRUE); },
        [] { return BuildBlockPacket(BLOCK_STATE_POLL, 0, 0); },
        [] { return BuildWholeBlockPacket(0, BLOCK_OUTPUT, 5, TRUE); },
        [] { return BuildCommand(SYS_SCENE_NAME, 0); },
        [] { return BuildHexApplyPacket(); },
        [] { return BuildDspRequestPacket(); },
        [] {
            const BYTE record[4] = {1, 2, 3, 4};
            return BuildMcuStartPacket(record);
        },
        [] { return BuildHexEndPacket(0x12); },
    };
    return requests;
}

void Reset(CKTVCommand& command)
{
    InitAllData();
    command.RemoveAllSendData();
    command.ResetRecv();
    std::memset(g_byUsbInReport, 0, sizeof(g_byUsbInReport));
    std::memset(g_byNetRecvBuf, 0, sizeof(g_byNetRecvBuf));
    ClearCommStatus();
    g_bNeedFirmware = 0;
    g_bUpdateDone = 0;
    g_bAbortingUpdate = 0;
}

std::vector<fuzzseeds::Bytes> MakeSeeds()
{
    std::vector<fuzzseeds::Bytes> seeds;
    CDeviceEmulator emu;
    for (size_t r = 0; r < Requests().size(); ++r) {
        std::unique_ptr<CSendData> request = Requests()[r]();
        if (!request)
            continue;
        emu.Feed(request->GetData(), size_t(request->GetLength()));
        BYTE answer[8192];
        const size_t n = emu.TakeReply(answer, sizeof(answer));
        for (BYTE mode : {BYTE(0), BYTE(1), BYTE(2)}) {
            fuzzseeds::Bytes seed = {mode, BYTE(r), BYTE(mode == 1 ? 7 : 64)};
            seed.insert(seed.end(), answer, answer + n);
            seeds.push_back(seed);
        }
    }
    return seeds;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzseeds::WriteIfAsked("reply", MakeSeeds);
    static NullSink sink;
    MessageSink::Install(&sink);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    static CKTVCommand command;
    static Bar bar;
    static Line line;
    command.SetNotifyWnd(kView);
    Reset(command);
    g_pProgress = &bar;
    g_pUpdateProgress = &bar;
    g_pCurHexUpTip = &line;

    const int mode = data[0] % 3;
    g_bHandshake = (data[0] & 0x80) ? 1 : 0;
    g_nLinkType = mode == 0 ? 1 : mode == 1 ? 2 : 3;
    std::unique_ptr<CSendData> request = Requests()[data[1] % Requests().size()]();
    if (request) {
        request->SetCounted((data[1] & 0x80) ? TRUE : FALSE);
        request->SetLastRead((data[1] & 0x40) ? TRUE : FALSE);
        command.AddSendData(std::move(request));
    }
    const size_t piece = std::max<size_t>(1, data[2]);
    const uint8_t* p = data + 3;
    size_t left = size - 3;

    while (left > 0) {
        if (mode == 0) {
            const size_t n = std::min(left, size_t(USB_REPORT_DATA));
            std::memset(g_byUsbInReport, 0, sizeof(g_byUsbInReport));
            std::memcpy(g_byUsbInReport + 1, p, n);
            command.OnUsbReceive(USB_REPORT_SIZE);
            p += n;
            left -= n;
        } else if (mode == 1) {
            const size_t n = std::min({left, piece, sizeof(g_byNetRecvBuf)});
            std::memcpy(g_byNetRecvBuf, p, n);
            command.OnNetReceive(int(n));
            p += n;
            left -= n;
        } else {
            command.OnSerialReceive(*p++);
            --left;
        }
    }
    g_pProgress = nullptr;
    g_pUpdateProgress = nullptr;
    g_pCurHexUpTip = nullptr;
    return 0;
}
