// Shared parts of the reply engine tests: a recording message sink, fake progress bars and
// status line, reply frames written out by hand, ways to feed them through each entry point,
// and a snapshot of everything a reply may write.
//
// The check byte of every frame is given literally; the values were worked out with a
// separate XOR over the code byte to the last payload byte, never by the code under test.
#pragma once

#include "AppMessages.h"
#include "CKTVCommand.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkProgress.h"
#include "Messages.h"
#include "SceneImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace replykit {

using Bytes = std::vector<BYTE>;

struct Posted {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Posted& o) const { return msg == o.msg && wParam == o.wParam && lParam == o.lParam; }
};

inline std::ostream& operator<<(std::ostream& os, const Posted& p)
{
    return os << "{0x" << std::hex << p.msg << std::dec << ", " << p.wParam << ", " << p.lParam << "}";
}

HWND const kView = reinterpret_cast<HWND>(0x4712);

class RecordingSink : public IMessageSink {
public:
    bool Post(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        EXPECT_EQ(hWnd, kView);
        posted.push_back({msg, wParam, lParam});
        return true;
    }
    LRESULT Send(HWND, UINT msg, WPARAM, LPARAM) override
    {
        ADD_FAILURE() << "the reply engine sent message 0x" << std::hex << msg;
        return 0;
    }
    bool IsUiThread() override { return false; }

    std::vector<Posted> posted;
};

class FakeProgress : public ILinkProgress {
public:
    explicit FakeProgress(int upper, int pos = 0) : m_upper(upper), m_pos(pos) {}
    void SetPos(int pos) override
    {
        ++sets;
        m_pos = std::clamp(pos, 0, m_upper);
    }
    int GetPos() const override { return m_pos; }
    int GetUpper() const override { return m_upper; }

    int sets = 0;

private:
    int m_upper;
    int m_pos;
};

class FakeText : public ILinkStatusText {
public:
    void SetText(const CString& text) override { texts.push_back(text); }
    std::vector<CString> texts;
};

// "91 91 91 EE ..." to bytes.
inline Bytes Hex(const std::string& text)
{
    Bytes out;
    std::istringstream in(text);
    std::string item;
    while (in >> item)
        out.push_back(BYTE(std::stoul(item, nullptr, 16)));
    return out;
}

// Payload byte k = k * 7 + seed (mod 256): every block row gets its own bytes.
inline Bytes Pattern(int n, int seed)
{
    Bytes out(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        out[size_t(k)] = BYTE(k * 7 + seed);
    return out;
}

inline Bytes Text(const char* text, size_t n) { return Bytes(text, text + n); }

// A reply on the wire: preamble, code, address 1, scene, block type, channel or sub-command,
// record, link 0, 0, N, payload, the given check byte, end byte.
inline Bytes Reply(BYTE code, BYTE scene, BYTE type, BYTE channel, BYTE record, const Bytes& payload, BYTE check,
                   BYTE end = 0xAA)
{
    const size_t n = payload.size();
    Bytes frame;
    frame.reserve(n + 16);
    for (BYTE b : {BYTE(0x91), BYTE(0x91), BYTE(0x91), BYTE(0xEE), code, BYTE(0x01), scene, type, channel, record,
                   BYTE(0x00), BYTE(0x00), BYTE(n & 0xFF), BYTE(n >> 8)})
        frame.push_back(b);
    for (BYTE b : payload)
        frame.push_back(b);
    frame.push_back(check);
    frame.push_back(end);
    return frame;
}

// The same frame throughout the tests: acknowledgement with no payload, and a state-poll reply
// of 8 bytes (02 11 22 33 44 55 66 77).
inline Bytes AckFrame() { return Hex("91 91 91 EE 51 01 00 09 03 00 00 00 00 00 5A AA"); }
inline Bytes PollFrame() { return Hex("91 91 91 EE 53 01 00 09 03 00 00 00 08 00 02 11 22 33 44 55 66 77 52 AA"); }

// Everything a reply may write.
struct ModelSnapshot {
    Bytes bytes;
    static ModelSnapshot Take()
    {
        ModelSnapshot s;
        auto add = [&s](const void* p, size_t n) {
            const BYTE* b = static_cast<const BYTE*>(p);
            s.bytes.insert(s.bytes.end(), b, b + n);
        };
        add(g_Scene, sizeof(g_Scene));
        add(g_StoredScenes, sizeof(g_StoredScenes));
        add(SystemBlockBytes(), SYSTEM_BLOCK_SIZE);
        add(g_nDeviceInfo, sizeof(g_nDeviceInfo));
        add(g_szDeviceVersion, sizeof(g_szDeviceVersion));
        return s;
    }
    bool operator==(const ModelSnapshot& o) const { return bytes == o.bytes; }
};

class ReplyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitAllData();
        m_previous = MessageSink::Install(&m_sink);
        m_command.SetNotifyWnd(kView);
        g_nLinkType = 1;
        g_bChinese = 0;
        g_bHandshake = 0;
        g_bNeedFirmware = 0;
        g_bUpdateDone = 0;
        g_bAbortingUpdate = 0;
        g_bMcuImageLoaded = 0;
        std::memset(g_szDeviceVersion, 0, sizeof(g_szDeviceVersion));
        std::memset(g_byUsbInReport, 0, sizeof(g_byUsbInReport));
        std::memset(g_byNetRecvBuf, 0, sizeof(g_byNetRecvBuf));
        ClearCommStatus();
    }
    void TearDown() override
    {
        MessageSink::Install(m_previous);
        g_pProgress = nullptr;
        g_pUpdateProgress = nullptr;
        g_pCurHexUpTip = nullptr;
        g_nLinkType = 0;
        g_bHandshake = 0;
        g_bNeedFirmware = 0;
    }

    // Queues a read request and returns it (the queue owns it).
    CSendData* Queue(int subCommand = SYS_STATE_POLL)
    {
        std::unique_ptr<CSendData> request = BuildCommandReadRequest(subCommand, 0);
        CSendData* raw = request.get();
        m_command.AddSendData(std::move(request));
        return raw;
    }

    // The frame cut into 64-byte input reports the way the HID transport hands them over
    // (report id at byte 0, zero padded); the result of each call.
    std::vector<BOOL> FeedUsb(const Bytes& bytes)
    {
        std::vector<BOOL> results;
        for (size_t at = 0; at < bytes.size(); at += USB_REPORT_DATA) {
            std::memset(g_byUsbInReport, 0, sizeof(g_byUsbInReport));
            const size_t n = std::min(bytes.size() - at, size_t(USB_REPORT_DATA));
            std::memcpy(g_byUsbInReport + 1, bytes.data() + at, n);
            results.push_back(m_command.OnUsbReceive(USB_REPORT_SIZE));
        }
        return results;
    }
    // Result of the last report.
    BOOL FeedUsbLast(const Bytes& bytes)
    {
        const std::vector<BOOL> results = FeedUsb(bytes);
        return results.empty() ? FALSE : results.back();
    }
    // One network read holding the bytes.
    BOOL FeedNet(const Bytes& bytes)
    {
        std::memcpy(g_byNetRecvBuf, bytes.data(), bytes.size());
        return m_command.OnNetReceive(int(bytes.size()));
    }

    RecordingSink m_sink;
    IMessageSink* m_previous = nullptr;
    CKTVCommand m_command;
};

}  // namespace replykit
