#include "FrameBuilder.h"

#include "Globals.h"
#include "SceneImage.h"

#include <cassert>
#include <cstring>

void FinishPacket(BYTE* buffer, int length, const BYTE* header, const BYTE* payload)
{
    assert(buffer && header && length >= FRAME_OVERHEAD);
    if (!buffer || !header || length < FRAME_OVERHEAD)
        return;
    const int n = length - FRAME_OVERHEAD;
    std::memcpy(buffer, header, FRAME_HEADER_SIZE);
    if (payload)
        std::memcpy(buffer + FRAME_HEADER_SIZE, payload, size_t(n));
    else
        std::memset(buffer + FRAME_HEADER_SIZE, 0, size_t(n));
    buffer[length - 2] = FrameCheckSum(buffer, length);
    buffer[length - 1] = FRAME_END;
}

BYTE FrameCheckSum(const BYTE* frame, int length)
{
    BYTE sum = 0;
    for (int i = 4; i <= length - 3; ++i)
        sum ^= frame[i];
    return sum;
}

BOOL IsChannelLinked(int channel)
{
    if (channel < 0 || channel >= LINK_CHANNELS)
        return FALSE;
    for (int i = 0; i < LINK_CHANNELS; ++i) {
        if (i != channel && g_nLinkGroup[i] == g_nLinkGroup[channel])
            return TRUE;
    }
    return FALSE;
}

namespace {
struct FrameAddress {
    BYTE code;
    int scene;
    int type;
    int channel;  // or the system sub-command
    int record;
    BOOL linked;
};

// One frame from its address and payload (null payload: n zero bytes).
std::unique_ptr<CSendData> MakeFrame(const FrameAddress& a, const BYTE* payload, int n)
{
    assert(n >= 1 && n <= FRAME_MAX_PAYLOAD);
    const BYTE header[FRAME_HEADER_SIZE] = {
        FRAME_PREAMBLE, FRAME_PREAMBLE, FRAME_PREAMBLE, FRAME_SYNC,
        a.code,         BYTE(g_nDeviceAddr), BYTE(a.scene), BYTE(a.type),
        BYTE(a.channel), BYTE(a.record), BYTE(a.linked ? 1 : 0), 0,
        BYTE(n),        BYTE(n >> 8),
    };
    std::vector<BYTE> frame(size_t(n + FRAME_OVERHEAD));
    FinishPacket(frame.data(), int(frame.size()), header, payload);
    auto request = std::make_unique<CSendData>();
    request->SetData(std::move(frame));
    return request;
}

// Output frames carry the link flag on the band records, the crossover and mix A only.
BOOL RecordLinkFlag(int type, int channel, int record)
{
    if (type != BLOCK_OUTPUT)
        return FALSE;
    if (record == OUT_REC_LEVEL || record == OUT_REC_MIX_B || record == OUT_REC_LIMIT || record == OUT_REC_NAME)
        return FALSE;
    return IsChannelLinked(channel);
}
}  // namespace

std::unique_ptr<CSendData> BuildBlockPacket(int type, int channel, int record)
{
    if (type == BLOCK_STATE_POLL)
        return MakeFrame({FRAME_READ, 0, BLOCK_SYSTEM, SYS_STATE_POLL, 0, FALSE}, nullptr, READ_PAYLOAD_SIZE);
    const int offset = BlockOffset(type, channel);
    if (offset < 0 || record < 0 || record >= BlockRecords(type))
        return nullptr;
    return MakeFrame({FRAME_WRITE, 0, type, channel, record, RecordLinkFlag(type, channel, record)},
                     g_Scene + offset + record * RECORD_SIZE, RECORD_SIZE);
}

std::unique_ptr<CSendData> BuildWholeBlockPacket(int scene, int type, int channel, BOOL fromLive)
{
    const int offset = BlockOffset(type, channel);
    const BYTE* image = fromLive ? g_Scene : StoredSceneImage(scene);
    if (offset < 0 || !image)
        return nullptr;
    const int n = type == BLOCK_EFFECT ? EFFECT_BLOCK_SENT : BlockSize(type);
    if (fromLive && (type == BLOCK_MUSIC || type == BLOCK_OUTPUT))
        g_bSceneModified = 1;
    const BOOL linked = type == BLOCK_OUTPUT ? IsChannelLinked(channel) : FALSE;
    return MakeFrame({FRAME_WRITE, scene, type, channel, 0, linked}, image + offset, n);
}

std::unique_ptr<CSendData> BuildReadRequest(int scene, int type, int channel, BOOL recall)
{
    const int record = recall && scene != 0 ? 0 : RECORD_WHOLE_BLOCK;
    return MakeFrame({FRAME_READ, scene, type, channel, record, FALSE}, nullptr, READ_PAYLOAD_SIZE);
}

std::unique_ptr<CSendData> BuildCommandReadRequest(int subCommand, int scene)
{
    return MakeFrame({FRAME_READ, scene, BLOCK_SYSTEM, subCommand, 0, FALSE}, nullptr, READ_PAYLOAD_SIZE);
}

std::unique_ptr<CSendData> BuildCommand(int subCommand, int scene)
{
    const FrameAddress address{FRAME_WRITE, scene, BLOCK_SYSTEM, subCommand, 0, FALSE};
    if (subCommand == SYS_SCENE_NAME) {
        // Any scene number other than 1..6 names the live scene.
        const BYTE* image = StoredSceneImage(scene);
        if (!image)
            image = g_Scene;
        BYTE name[SCENE_NAME_SIZE];
        std::memcpy(name, image + SCENE_NAME_OFFSET, SCENE_NAME_SIZE - 1);
        name[SCENE_NAME_SIZE - 1] = 0;
        return MakeFrame(address, name, SCENE_NAME_SIZE);
    }
    if (subCommand == SYS_WIFI_DEFAULT)
        return MakeFrame(address, nullptr, READ_PAYLOAD_SIZE);
    int offset = 0;
    int size = 0;
    if (!FindSystemWindow(subCommand, offset, size))
        return nullptr;
    return MakeFrame(address, SystemBlockBytes() + offset, size);
}
