// The serial transport over a pseudo-terminal to the emulated processor: frames carried through
// the port and back into the model, the worker that keeps the line busy, retries of a lost or
// damaged reply and the dropped link, a request the queue deleted meanwhile, and a port whose
// device goes away. Real time: the port's waits are event waits.
#include "AppMessages.h"
#include "CKTVCommand.h"
#include "CKTV_Data.h"
#include "CSerialPort.h"
#include "DeviceEmulator.h"
#include "EmuPtyDoor.h"
#include "FirmwareState.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkKitWait.h"
#include "RecordingSink.h"
#include "SceneImage.h"
#include "SerialLink.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Bytes = std::vector<BYTE>;

HWND const kView = reinterpret_cast<HWND>(0x5E71);
constexpr int kWaitMs = 20000;  // bounds a broken test only

Bytes FrameOf(const CSendData& request) { return Bytes(request.GetData(), request.GetData() + request.GetLength()); }

class SerialLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitAllData();
        g_pCommand = &command;
        g_hMainViewWnd = kView;
        command.SetNotifyWnd(kView);
        g_bHandshake = 0;
        g_bUpdating = 0;
        ASSERT_TRUE(door.Start());
        g_strComPort = door.GetSlavePath();
        g_nLinkType = 3;
    }
    void TearDown() override
    {
        link.CloseSerialLink();
        door.Stop();
        command.RemoveAllSendData();
        g_pCommand = nullptr;
        g_hMainViewWnd = nullptr;
        g_nLinkType = 0;
        g_strComPort = "NULL";
    }

    Bytes Queue(std::unique_ptr<CSendData> request)
    {
        Bytes frame = FrameOf(*request);
        command.AddSendData(std::move(request));
        return frame;
    }
    Bytes QueuePoll() { return Queue(BuildBlockPacket(BLOCK_STATE_POLL, 0, 0)); }

    int LinkLost() const
    {
        int n = 0;
        for (const PostedMessage& m : sink.Posted())
            if (m.msg == WM_LINK_LOST) {
                EXPECT_EQ(m.hWnd, kView);
                EXPECT_EQ(m.lParam, 3);
                ++n;
            }
        return n;
    }

    CRecordingSink sink;
    CDeviceEmulator emu;
    CEmuPtyDoor door{emu};
    CKTVCommand command;
    CSerialPort port;
    CSerialLink link{command, port};
};

}  // namespace

TEST_F(SerialLinkTest, FramesTravelThroughThePortAndBackIntoTheModel)
{
    ASSERT_TRUE(link.OpenSerialLink());
    EXPECT_TRUE(port.IsThreadAlive());
    EXPECT_EQ(port.GetDCB().nBaud, 57600u);
    EXPECT_EQ(port.GetCommEvents(), 9u);
    EXPECT_EQ(port.GetWriteBufferSize(), 512);

    // A system read, a whole output block (309 bytes back) and a record write.
    std::vector<Bytes> sent;
    sent.push_back(Queue(BuildCommandReadRequest(SYS_VERSION, 0)));
    sent.push_back(Queue(BuildReadRequest(0, BLOCK_OUTPUT, 9, FALSE)));
    {
        CSingleLock lock(g_csComm);
        g_Scene[BlockOffset(BLOCK_OUTPUT, 2) + 31 * 8 + 2] = 0x2A;
    }
    sent.push_back(Queue(BuildBlockPacket(BLOCK_OUTPUT, 2, 31)));
    for (size_t i = 0; i < sent.size(); ++i)
        link.SerialTransact();

    EXPECT_EQ(command.GetSendDataCount(), 0);
    EXPECT_EQ(emu.GetRequestLog(), sent);
    EXPECT_EQ(std::string(g_szDeviceVersion), emu.GetVersion());
    const Bytes live = emu.GetScene(0);
    const int block9 = BlockOffset(BLOCK_OUTPUT, 9);
    EXPECT_EQ(0, std::memcmp(g_Scene + block9, live.data() + block9, size_t(BlockSize(BLOCK_OUTPUT))));
    EXPECT_EQ(live[size_t(BlockOffset(BLOCK_OUTPUT, 2) + 31 * 8 + 2)], 0x2A);
    EXPECT_EQ(sink.CountPosted(WM_VERSION_RECEIVED), 1);
    EXPECT_EQ(sink.CountPosted(WM_SCENE_RECEIVED), 1);
    EXPECT_EQ(LinkLost(), 0);
    CSingleLock lock(g_csComm);
    EXPECT_EQ(g_pSerialItem, nullptr);
}

TEST_F(SerialLinkTest, WorkerKeepsTheLineBusyWithTheScannersPolls)
{
    int scans = 0;
    link.SetNextSendData([&scans] {
        ++scans;
        return BuildBlockPacket(BLOCK_STATE_POLL, 0, 0);
    });
    ASSERT_TRUE(link.OpenSerialLink());
    ASSERT_TRUE(link.StartWorker());
    EXPECT_FALSE(link.StartWorker());
    ASSERT_TRUE(emu.WaitForRequests(5, kWaitMs));
    EXPECT_TRUE(link.StopWorker());
    const std::unique_ptr<CSendData> poll = BuildBlockPacket(BLOCK_STATE_POLL, 0, 0);
    for (const Bytes& request : emu.GetRequestLog())
        EXPECT_EQ(request, FrameOf(*poll));
    EXPECT_GE(scans, 5);
    EXPECT_EQ(LinkLost(), 0);
}

namespace {

struct RetryCase {
    const char* name;
    int dropReplies;
    int corruptReplies;
    size_t requests;  // times the request went out
    bool lost;
};

}  // namespace

class SerialRetryTest : public SerialLinkTest, public ::testing::WithParamInterface<RetryCase> {};

TEST_P(SerialRetryTest, RequestIsWrittenAgainOrTheLinkDropped)
{
    const RetryCase& c = GetParam();
    emu.DropReplies(c.dropReplies);
    emu.CorruptNextReplies(c.corruptReplies);
    ASSERT_TRUE(link.OpenSerialLink());
    const Bytes frame = QueuePoll();
    ASSERT_TRUE(link.StartWorker());
    if (c.lost)
        ASSERT_TRUE(sink.WaitForPosted(WM_LINK_LOST, 1, kWaitMs));
    else
        ASSERT_TRUE(WaitUntil([this] { return command.GetSendDataCount() == 0; }, kWaitMs));
    link.StopWorker();
    EXPECT_EQ(emu.GetRequestLog(), std::vector<Bytes>(c.requests, frame));
    EXPECT_EQ(LinkLost(), c.lost ? 1 : 0);
    // A dead link's thread ends as soon as the view closes the port.
    link.CloseSerialLink();
    EXPECT_FALSE(port.IsThreadAlive());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SerialRetryTest,
    ::testing::Values(
        // First time-out polls the line, the second writes the request again.
        RetryCase{"OneLostReply", 1, 0, 2, false},
        // A damaged reply is thrown away and the request written again at once.
        RetryCase{"OneDamagedReply", 0, 1, 2, false},
        // Poll, rewrite, poll, and the fourth time-out drops the link.
        RetryCase{"ReplyNeverComes", 100, 0, 2, true},
        // Three rewrites, then the fourth damaged reply drops the link.
        RetryCase{"DamagedEveryTime", 0, 100, 4, true}),
    [](const ::testing::TestParamInfo<RetryCase>& info) { return info.param.name; });

TEST_F(SerialLinkTest, RequestDeletedByTheQueueIsNeverWrittenAgain)
{
    emu.DropReplies(100);
    ASSERT_TRUE(link.OpenSerialLink());
    QueuePoll();
    ASSERT_TRUE(link.StartWorker());
    ASSERT_TRUE(emu.WaitForRequests(1, kWaitMs));
    {
        CSingleLock lock(g_csComm);
        command.RemoveAllSendData();
        EXPECT_EQ(g_pSerialItem, nullptr);
    }
    // Carried on, the deleted request would go out again at the second time-out (1000 ms).
    EXPECT_FALSE(emu.WaitForRequests(2, 1500));
    EXPECT_EQ(LinkLost(), 0);

    // The line still carries the next request.
    link.StopWorker();
    emu.DropReplies(0);
    const Bytes next = Queue(BuildCommandReadRequest(SYS_VERSION, 0));
    ASSERT_TRUE(link.StartWorker());
    ASSERT_TRUE(WaitUntil([this] { return command.GetSendDataCount() == 0; }, kWaitMs));
    EXPECT_EQ(emu.GetRequestLog().back(), next);
}

TEST_F(SerialLinkTest, PortWhoseDeviceGoesAwayDropsTheLink)
{
    emu.DropReplies(100);
    ASSERT_TRUE(link.OpenSerialLink());
    QueuePoll();
    ASSERT_TRUE(link.StartWorker());
    ASSERT_TRUE(emu.WaitForRequests(1, kWaitMs));
    door.Stop();
    ASSERT_TRUE(sink.WaitForPosted(WM_LINK_LOST, 1, kWaitMs));
    EXPECT_EQ(LinkLost(), 1);
    EXPECT_TRUE(link.CloseSerialLink());
    EXPECT_FALSE(port.IsThreadAlive());
    EXPECT_EQ(port.GetExitCode(), SERIAL_EXIT_CODE);
}

TEST_F(SerialLinkTest, PortThatCannotBeOpenedLeavesTheLinkClosed)
{
    g_strComPort = "/dev/pts/orvane-no-such-port";
    EXPECT_FALSE(link.OpenSerialLink());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.IsThreadAlive());
    for (CEvent* ev : g_hSerialEvents)
        EXPECT_EQ(ev, nullptr);
}

TEST_F(SerialLinkTest, RefusedLineSettingIsReportedAndThePortStaysOpen)
{
    std::vector<std::pair<CString, CString>> boxes;
    port.SetErrorHandler([&boxes](const CString& text, const CString& caption) { boxes.emplace_back(text, caption); });
    const CString path = door.GetSlavePath();

    // The line the program uses: nothing to report (a pty has no RTS line, which is not asked).
    ASSERT_TRUE(port.InitPort(nullptr, path));
    EXPECT_TRUE(boxes.empty());

    struct Case {
        char parity;
        UINT dataBits;
        UINT stopBits;
    };
    for (const Case& c : {Case{'N', 9, 1}, Case{'X', 8, 1}, Case{'N', 8, 3}}) {
        SCOPED_TRACE(c.parity);
        boxes.clear();
        ASSERT_TRUE(port.InitPort(nullptr, path, 57600, c.parity, c.dataBits, c.stopBits));
        EXPECT_TRUE(port.IsOpen());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].second, "Application Error");
        EXPECT_EQ(boxes[0].first.rfind("WARNING:  BuildCommDCB() Failed with the following error: \n", 0), 0u);
        const CString tail = "\nPort: " + path + "\n";
        EXPECT_EQ(boxes[0].first.substr(boxes[0].first.size() - tail.size()), tail);
        EXPECT_EQ(port.GetLastErrorText(), boxes[0].first);
    }
    port.ClosePort();
}
