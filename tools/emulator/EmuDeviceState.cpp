#include "EmuDeviceState.h"

#include <algorithm>
#include <cstring>

namespace {

// Where a block lives in a scene image and how it travels.
struct BlockPlace {
    int offset;   // byte offset in the scene image
    int records;  // 8-byte records addressable one by one
    int whole;    // bytes of a whole-block transfer
};

bool FindBlock(BYTE type, BYTE channel, BlockPlace& place)
{
    switch (type) {
    case EMU_TYPE_MIC:
        if (channel != 0)
            return false;
        place = {EMU_MIC_OFFSET, EMU_MIC_RECORDS, EMU_MIC_RECORDS * EMU_RECORD_SIZE};
        return true;
    case EMU_TYPE_EFFECT:
        if (channel != 0)
            return false;
        place = {EMU_EFFECT_OFFSET, EMU_EFFECT_RECORDS, EMU_EFFECT_WIRE_SIZE};
        return true;
    case EMU_TYPE_MUSIC:
        if (channel >= EMU_MUSIC_CHANNELS)
            return false;
        place = {EMU_MUSIC_OFFSET + channel * EMU_MUSIC_RECORDS * EMU_RECORD_SIZE, EMU_MUSIC_RECORDS,
                 EMU_MUSIC_RECORDS * EMU_RECORD_SIZE};
        return true;
    case EMU_TYPE_OUTPUT:
        if (channel >= EMU_OUTPUT_CHANNELS)
            return false;
        place = {EMU_OUTPUT_OFFSET + channel * EMU_OUTPUT_RECORDS * EMU_RECORD_SIZE, EMU_OUTPUT_RECORDS,
                 EMU_OUTPUT_RECORDS * EMU_RECORD_SIZE};
        return true;
    default:
        return false;
    }
}

// The fixed windows of the system block that sub-commands read and write.
struct SystemWindow {
    BYTE sub;
    int offset;
    int size;
};
constexpr SystemWindow kWindows[] = {
    {EMU_SYS_SOURCE, 83, 8},  {EMU_SYS_MASTER, 84, 8},        {EMU_SYS_SPEAKERS, 92, 8},
    {EMU_SYS_STATE, 100, 8},  {EMU_SYS_GROUP8, 116, 8},       {EMU_SYS_SCENE_SELECT, 108, 1},
    {EMU_SYS_MODE_TABLE, 0, 82},
};
constexpr int kInputSourceOffset = 83;
constexpr int kCurSceneOffset = 108;

const SystemWindow* FindWindow(BYTE sub)
{
    for (const SystemWindow& w : kWindows)
        if (w.sub == sub)
            return &w;
    return nullptr;
}

// An equaliser band at its start values: 1000 Hz, gain code 600 (0 dB), the rest 0.
void PutStartBand(BYTE* record)
{
    const BYTE band[EMU_RECORD_SIZE] = {0xE8, 0x03, 0x58, 0x02, 0, 0, 0, 0};
    std::memcpy(record, band, sizeof band);
}

void PutStartBands(BYTE* block, int count)
{
    for (int r = 0; r < count; ++r)
        PutStartBand(block + r * EMU_RECORD_SIZE);
}

void FillFactoryScene(CEmuDeviceState::SceneImage& img)
{
    img.fill(0);
    for (int c = 0; c < EMU_MUSIC_CHANNELS; ++c) {
        BYTE* block = img.data() + EMU_MUSIC_OFFSET + c * EMU_MUSIC_RECORDS * EMU_RECORD_SIZE;
        block[31 * EMU_RECORD_SIZE + 2] = 1;
        PutStartBands(block, 31);
    }
    PutStartBands(img.data() + EMU_MIC_OFFSET, 9);
    for (int c = 0; c < EMU_OUTPUT_CHANNELS; ++c) {
        BYTE* block = img.data() + EMU_OUTPUT_OFFSET + c * EMU_OUTPUT_RECORDS * EMU_RECORD_SIZE;
        PutStartBands(block, 9);
        BYTE* mixA = block + 33 * EMU_RECORD_SIZE;
        BYTE* mixB = block + 34 * EMU_RECORD_SIZE;
        if (c < 8)
            mixA[c] = 100;
        // Even outputs take the left inputs, odd outputs the right ones.
        if (c % 2 == 0)
            mixB[4] = mixB[6] = 100;
        else
            mixB[5] = mixB[7] = 100;
    }
    PutStartBands(img.data() + EMU_EFFECT_OFFSET, 8);
}

}  // namespace

std::vector<BYTE> MakeEmuAck(const CEmuFrame& req)
{
    const BYTE* f = req.Bytes().data();
    BYTE fields[8] = {EMU_CODE_ACK};
    std::copy(f + EMU_POS_ADDRESS, f + EMU_POS_LENGTH, fields + 1);
    return MakeEmuFrame(fields, nullptr, 0);
}

std::vector<BYTE> MakeEmuReject(const CEmuFrame& req)
{
    const BYTE* f = req.Bytes().data();
    BYTE fields[8] = {EMU_CODE_REJECT};
    std::copy(f + EMU_POS_ADDRESS, f + EMU_POS_LENGTH, fields + 1);
    return MakeEmuFrame(fields, nullptr, 0);
}

std::vector<BYTE> MakeEmuData(const CEmuFrame& req, const BYTE* payload, size_t n)
{
    const BYTE* f = req.Bytes().data();
    BYTE fields[8] = {EMU_CODE_DATA};
    std::copy(f + EMU_POS_ADDRESS, f + EMU_POS_LINK, fields + 1);
    return MakeEmuFrame(fields, payload, n);
}

CEmuDeviceState::CEmuDeviceState() : m_strVersion("MPEK-QK1.00")
{
    FactoryReset();
}

void CEmuDeviceState::FactoryReset()
{
    FillFactoryScene(m_scenes[0]);
    for (int n = 1; n <= EMU_STORED_SCENES; ++n) {
        m_scenes[n] = m_scenes[0];
        std::fill(m_scenes[n].begin(), m_scenes[n].begin() + EMU_NAME_SIZE - 1, BYTE(0x20));
    }
    m_system.fill(0);
    m_system[84] = 60;  // master level, 16-bit
    m_system[86 + 4] = 1;  // output switch on
    const BYTE speakers[8] = {1, 7, 2, 8, 3, 9, 15, 18};
    std::copy(speakers, speakers + 8, m_system.begin() + 92);
    const BYTE group8[8] = {0, 0, 3, 0, 255, 55, 108, 3};
    std::copy(group8, group8 + 8, m_system.begin() + 116);
    m_stateInfo.fill(0);
    m_stateInfo[0] = m_system[kInputSourceOffset];
}

CEmuDeviceState::SceneImage* CEmuDeviceState::Scene(int n)
{
    return n >= 0 && n <= EMU_STORED_SCENES ? &m_scenes[n] : nullptr;
}

const CEmuDeviceState::SceneImage* CEmuDeviceState::Scene(int n) const
{
    return n >= 0 && n <= EMU_STORED_SCENES ? &m_scenes[n] : nullptr;
}

void CEmuDeviceState::SetVersion(const std::string& text)
{
    m_strVersion = text.substr(0, EMU_VERSION_SIZE);
    m_strVersion.resize(EMU_VERSION_SIZE, ' ');
}

CEmuOutcome CEmuDeviceState::Serve(const CEmuFrame& req)
{
    CEmuOutcome out;
    if (req.Bytes().size() < size_t(EMU_HEADER_SIZE))
        return out;  // not a frame: nothing to answer
    if (req.IsOverlong() || !req.IsEndGood() || !req.IsCheckGood() || req.Scene() > EMU_STORED_SCENES ||
        (req.Code() != EMU_CODE_WRITE && req.Code() != EMU_CODE_READ)) {
        out.reply = MakeEmuReject(req);
        return out;
    }
    if (req.Type() != EMU_TYPE_SYSTEM)
        return ServeBlock(req);
    if (IsEmuFirmwareStep(req.Channel())) {
        if (m_pFirmware)
            return m_pFirmware->OnFirmwareStep(req);
        out.reply = MakeEmuReject(req);
        return out;
    }
    return req.Code() == EMU_CODE_WRITE ? ServeSystemWrite(req) : ServeSystemRead(req);
}

CEmuOutcome CEmuDeviceState::ServeBlock(const CEmuFrame& req)
{
    CEmuOutcome out;
    BlockPlace place;
    if (!FindBlock(req.Type(), req.Channel(), place)) {
        out.reply = MakeEmuReject(req);
        return out;
    }
    SceneImage& img = m_scenes[req.Scene()];
    BYTE* block = img.data() + place.offset;
    const int n = req.PayloadLength();
    const BYTE rec = req.Record();

    if (req.Code() == EMU_CODE_WRITE) {
        if (n == EMU_RECORD_SIZE && rec < place.records)
            std::memcpy(block + rec * EMU_RECORD_SIZE, req.Payload(), EMU_RECORD_SIZE);
        else if (n == place.whole && rec == 0)
            std::memcpy(block, req.Payload(), place.whole);
        else {
            out.reply = MakeEmuReject(req);
            return out;
        }
        out.reply = MakeEmuAck(req);
        return out;
    }

    if (rec != EMU_RECORD_WHOLE && rec != 0) {
        out.reply = MakeEmuReject(req);
        return out;
    }
    if (rec == 0 && req.Scene() != 0) {
        // Recall: the stored block becomes the live one, the scene is now in use.
        SceneImage& live = m_scenes[0];
        std::memcpy(live.data() + place.offset, block, place.whole);
        std::copy(img.begin(), img.begin() + EMU_NAME_SIZE, live.begin());
        m_system[kCurSceneOffset] = req.Scene();
    }
    out.reply = MakeEmuData(req, block, place.whole);
    return out;
}

CEmuOutcome CEmuDeviceState::ServeSystemWrite(const CEmuFrame& req)
{
    CEmuOutcome out;
    const BYTE sub = req.Channel();
    const int n = req.PayloadLength();
    const BYTE* p = req.Payload();
    bool ok = false;

    if (sub == EMU_SYS_NAME) {
        if (n == EMU_NAME_SIZE) {
            BYTE* name = m_scenes[req.Scene()].data();
            std::memcpy(name, p, EMU_NAME_SIZE - 1);
            name[EMU_NAME_SIZE - 1] = 0;
            ok = true;
        }
    } else if (sub == EMU_SYS_FACTORY_RESET) {
        if (n == EMU_RECORD_SIZE) {
            FactoryReset();
            ok = true;
        }
    } else if (sub == EMU_SYS_WIFI_RESET) {
        if (n == EMU_RECORD_SIZE) {
            ++m_nWifiResets;
            out.bWifiRestart = true;
            ok = true;
        }
    } else if (const SystemWindow* w = FindWindow(sub)) {
        ok = n == w->size && !(sub == EMU_SYS_SCENE_SELECT && p[0] > EMU_STORED_SCENES);
        if (ok) {
            std::memcpy(m_system.data() + w->offset, p, w->size);
            if (sub == EMU_SYS_SOURCE)
                m_stateInfo[0] = m_system[kInputSourceOffset];
        }
    }
    out.reply = ok ? MakeEmuAck(req) : MakeEmuReject(req);
    return out;
}

CEmuOutcome CEmuDeviceState::ServeSystemRead(const CEmuFrame& req)
{
    CEmuOutcome out;
    const BYTE sub = req.Channel();
    if (sub == EMU_SYS_NAME) {
        BYTE name[EMU_NAME_SIZE];
        std::memcpy(name, m_scenes[req.Scene()].data(), EMU_NAME_SIZE - 1);
        name[EMU_NAME_SIZE - 1] = 0;
        out.reply = MakeEmuData(req, name, sizeof name);
    } else if (sub == EMU_SYS_POLL) {
        out.reply = MakeEmuData(req, m_stateInfo.data(), m_stateInfo.size());
    } else if (sub == EMU_SYS_VERSION) {
        out.reply = MakeEmuData(req, reinterpret_cast<const BYTE*>(m_strVersion.data()), EMU_VERSION_SIZE);
    } else if (sub == EMU_SYS_HANDSHAKE) {
        const BYTE zero = 0;
        out.reply = MakeEmuData(req, &zero, 1);
    } else if (const SystemWindow* w = FindWindow(sub)) {
        out.reply = MakeEmuData(req, m_system.data() + w->offset, w->size);
    } else {
        out.reply = MakeEmuReject(req);
    }
    return out;
}
