#include "E2eRig.h"

#include "CKRV330App.h"
#include "CommWorker.h"
#include "ControlGlobals.h"
#include "Globals.h"
#include "HidBackend.h"
#include "LinkGlobals.h"
#include "LinkState.h"
#include "SceneImage.h"
#include "SettingsStore.h"
#include "FirmwareState.h"
#include "FixedField.h"
#include "ShellGlobals.h"
#include "ShowTimedMessage.h"
#include "Texts.h"
#include "UsbInUseList.h"
#include "UsbLink.h"

#include "CKTV_OutData.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <thread>

namespace e2e {

namespace {
const char* const kLoopback = "127.0.0.1";
}  // namespace

Frame Hex(const std::string& text)
{
    Frame out;
    std::istringstream in(text);
    std::string tok;
    while (in >> tok) {
        const size_t star = tok.find('*');
        const BYTE b = BYTE(std::strtoul(tok.substr(0, star).c_str(), nullptr, 16));
        const size_t count = star == std::string::npos ? 1 : std::strtoul(tok.c_str() + star + 1, nullptr, 10);
        out.insert(out.end(), count, b);
    }
    return out;
}

std::string ToHex(const Frame& bytes)
{
    std::string s;
    char buf[4];
    for (BYTE b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X ", b);
        s += buf;
    }
    return s;
}

Frame DeviceFrame(const std::string& fieldsHex)
{
    Frame out = Hex("91 91 91 EE " + fieldsHex);
    BYTE check = 0;
    for (size_t i = 4; i < out.size(); ++i)
        check ^= out[i];
    out.push_back(check);
    out.push_back(0xAA);
    return out;
}

Frame PollFrame() { return DeviceFrame("A2 01 00 09 03 00 00 00 08 00 00*8"); }

bool PumpUntil(const std::function<bool()>& done, int limitMs)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limitMs)
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void PumpFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

BOOL LoopbackReachability::IsDeviceOnSubnet(const CString& deviceIp)
{
    if (deviceIp != kLoopback) {
        ++foreignAddresses;
        return FALSE;
    }
    return onSubnet.load() ? TRUE : FALSE;
}

BOOL LoopbackReachability::PingDevice(const CString& deviceIp)
{
    if (deviceIp != kLoopback) {
        ++foreignAddresses;
        return FALSE;
    }
    return answers.load() ? TRUE : FALSE;
}

MessageRecorder::MessageRecorder()
{
    SetTimedMessageHook([this](const CString& text, int selector) {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_shown.push_back({text, selector});
        return IDOK;
    });
}

MessageRecorder::~MessageRecorder() { SetTimedMessageHook({}); }

std::vector<ShownMessage> MessageRecorder::Shown() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_shown;
}

void MessageRecorder::Clear()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_shown.clear();
}

void ResetLinkGlobals()
{
    InitAllData();
    g_nLinkType = 0;
    g_bUsbOpen = 0;
    ClearLinkState();
    g_bHandshake = 0;
    g_bNeedFirmware = 0;
    g_bUpdateDone = 0;
    g_bAbortingUpdate = 0;
    g_bOnline = 0;
    g_bChinese = 0;
    g_bUpdating = 0;
    g_bUpdateWaiting = 0;
    ResetFirmwareStep();
    g_bTransferBusy = 0;
    g_bPendingSys5 = 0;
    g_bPendingSys2 = 0;
    g_bSendSceneName = 0;
    g_strSceneNameBuf.clear();
    // An edit of an earlier test in this process would make the live scene "Custom".
    g_bSceneModified = 0;
    g_byCurScene = 0;
    g_strUsbPath.clear();
    g_arrUsbDevices.clear();
    g_arrUpgradeDevices.clear();
    std::memset(g_szDeviceVersion, 0, sizeof(g_szDeviceVersion));
    for (CEvent& ev : g_hCommEvents)
        ev.ResetEvent();
    SettingsStore::DeleteKey(g_pszUsbKey);
    // The view's own settings start from a clean profile: no saved language, line option or
    // folders carried over from another test.
    SettingsStore::DeleteKey(g_pszDspMcuKey);
    SettingsStore::DeleteKey(g_pszLineSetKey);
    SettingsStore::DeleteKey(g_pszPcFileKey);
    g_strLanguage.clear();
    g_strFirmwarePath.clear();
    g_nLineSet = 1;
    g_bLRLinkCmd = 0;
    g_bSourceMatch = 0;
    for (int g = 0; g < 10; ++g) {
        g_bLinkGroupUsed[g] = 0;
        g_nLinkGroupCount[g] = 0;
        g_nLinkGroupMask[g] = 0;
        g_LinkOfChannel[g] = {0, 0};
    }
}

LinkRig::LinkRig(Door door)
{
    ResetLinkGlobals();
    g_strDeviceIp = kLoopback;
    g_nDevicePort = 0;  // the USB rig: no connect is ever accepted

    std::vector<BYTE> live = emu.GetScene(0);
    std::memset(live.data(), 0, SCENE_NAME_SIZE);
    std::memcpy(live.data(), "Live One", 8);
    const BYTE level[RECORD_SIZE] = {0x01, 0x00, 0x58, 0x02, 0, 0, 0, 0};
    std::memcpy(live.data() + BlockOffset(BLOCK_OUTPUT, 4) + OUT_REC_LEVEL * RECORD_SIZE, level, RECORD_SIZE);
    emu.SetScene(0, live);

    if (door == Door::Usb) {
        hid = std::make_unique<CEmuHidDevice>(emu);
        backend.AddDevice(*hid);
    } else {
        server = std::make_unique<CEmuTcpServer>(emu);
        if (server->Start(0))
            g_nDevicePort = server->GetPort();
        reach.onSubnet = 1;
        reach.answers = 1;
    }
    HidBackend::Set(&backend);
    scene = std::make_unique<CKTV_Data>();
}

LinkRig::~LinkRig()
{
    view.reset();
    scene.reset();
    if (server)
        server->Stop();
    HidBackend::Set(nullptr);
    ResetLinkGlobals();
}

void LinkRig::Start()
{
    view = std::make_unique<CKRV330View>();
    view->SetReachability(&reach);
    view->SetSceneData(scene.get());
    view->CreateView(nullptr, CRect(0, 0, VIEW_FORM_WIDTH, VIEW_FORM_HEIGHT));
    view->OnInitialUpdate();
}

bool LinkRig::WaitConnected()
{
    const size_t expected = ExpectedConnectRequests().size();
    const Frame poll = PollFrame();
    return PumpUntil([&] {
        if (!view->IsLinked() || !g_bOnline || g_bTransferBusy)
            return false;
        const std::vector<Frame> log = emu.GetRequestLog();
        size_t nonPolls = 0, pollsAfter = 0;
        for (const Frame& f : log) {
            if (f == poll) {
                ++pollsAfter;
            } else {
                ++nonPolls;
                pollsAfter = 0;
            }
        }
        return nonPolls >= expected && pollsAfter >= 2;
    });
}

bool LinkRig::WaitSettled()
{
    // The scanner posts a notice to the window with some requests (a scene name that became
    // "Custom"), and the window's handler may ask for another request. So the polls that count
    // are those logged after an event-loop pass that began once every other request was in the
    // log: that pass has handled whatever was posted with them, and the second poll's scan
    // came after it.
    constexpr size_t kNone = size_t(-1);
    const Frame poll = PollFrame();
    bool first = true;
    size_t sizeBeforePass = 0;  // the log's size when the last pass began
    size_t countFrom = kNone;   // polls from here on count
    return PumpUntil([&] {
        const std::vector<Frame> log = emu.GetRequestLog();
        const bool queued = QueuedCount() != 0;
        size_t lastOther = kNone;
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i] != poll)
                lastOther = i;
        const bool passAfterOthers = !first && (lastOther == kNone || lastOther < sizeBeforePass);
        // A request still queued (the scanner queues its polls too) shows in the log once sent.
        if (countFrom != kNone && lastOther != kNone && lastOther >= countFrom)
            countFrom = kNone;
        if (countFrom == kNone && passAfterOthers)
            countFrom = log.size();
        first = false;
        sizeBeforePass = log.size();
        return !queued && countFrom != kNone && log.size() >= countFrom + 2;
    });
}

std::vector<Frame> LinkRig::RequestsWithoutPolls() const
{
    const Frame poll = PollFrame();
    std::vector<Frame> out;
    for (const Frame& f : emu.GetRequestLog())
        if (f != poll)
            out.push_back(f);
    return out;
}

int LinkRig::QueuedCount()
{
    CSingleLock lock(g_csComm);
    return view->GetSendQueue().GetSendDataCount();
}

std::vector<int> LinkRig::TakeQueuedCommandCodes()
{
    CSingleLock lock(g_csComm);
    CKTVCommand& queue = view->GetSendQueue();
    std::vector<int> codes;
    while (queue.GetSendDataCount() > 0) {
        codes.push_back(queue.GetCurCommandCode());
        queue.RemoveCurSendData();
    }
    return codes;
}

Frame LinkRig::QueueHead()
{
    CSingleLock lock(g_csComm);
    const CSendData* head = view->GetSendQueue().GetCurSendData();
    if (!head || !head->GetData())
        return {};
    return Frame(head->GetData(), head->GetData() + head->GetLength());
}

std::vector<Frame> ExpectedConnectRequests()
{
    std::vector<Frame> out = {
        DeviceFrame("A2 01 00 09 CC 00 00 00 08 00 00*8"),  // handshake
        DeviceFrame("A2 01 00 09 04 00 00 00 08 00 00*8"),  // version
    };
    const char* const names[] = {"01", "02", "03", "04", "05", "06"};
    for (const char* s : names)
        out.push_back(DeviceFrame(std::string("A2 01 ") + s + " 09 00 00 00 00 08 00 00*8"));
    const char* const sys[] = {"00", "34", "02", "05", "06", "07", "08"};
    for (const char* c : sys)
        out.push_back(DeviceFrame(std::string("A2 01 00 09 ") + c + " 00 00 00 08 00 00*8"));
    for (int ch = 0; ch < 10; ++ch)
        out.push_back(DeviceFrame("A2 01 00 04 0" + std::to_string(ch) + " 77 00 00 08 00 00*8"));
    out.push_back(DeviceFrame("A1 01 00 09 00 00 00 00 10 00 4C 69 76 65 20 4F 6E 65 00*8"));
    return out;
}

void ExpectConnectSequence(LinkRig& rig)
{
    const std::vector<Frame> sent = rig.RequestsWithoutPolls();
    const std::vector<Frame> expected = ExpectedConnectRequests();
    ASSERT_EQ(sent.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(ToHex(sent[i]), ToHex(expected[i])) << "request " << i;
    // Nothing went out before the identify pair: the handshake is the very first request.
    const std::vector<Frame> log = rig.emu.GetRequestLog();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(ToHex(log[0]), ToHex(expected[0]));
    EXPECT_EQ(ToHex(log[1]), ToHex(expected[1]));
    // The model holds the device's live scene and the view is in the linked look.
    EXPECT_EQ(rig.scene->GetOutData(4)->GetGain(), 600);
    EXPECT_EQ(std::memcmp(g_Scene, "Live One", 8), 0);
    EXPECT_EQ(rig.view->GetLinkIndicator().GetWindowText(), g_bChinese ? g_strConnectedCn : g_strConnectedEn);
    EXPECT_FALSE(rig.view->GetLinkIndicator().IsBlinking());
}

}  // namespace e2e
