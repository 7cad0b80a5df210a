// The USB transaction against the emulated processor: requests cut into output reports, the
// reply read back into the reply engine, time-outs and give-up times, a rejected request, and
// the device leaving while a transaction runs.
#include "AppMessages.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "UsbTestBench.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using Bytes = std::vector<BYTE>;

// The device's answer to a request with the given code and no payload.
Bytes ReplyTo(const Bytes& request, BYTE code)
{
    BYTE header[FRAME_HEADER_SIZE];
    std::copy(request.begin(), request.begin() + FRAME_HEADER_SIZE, header);
    header[4] = code;
    header[12] = header[13] = 0;
    Bytes reply(FRAME_OVERHEAD);
    FinishPacket(reply.data(), FRAME_OVERHEAD, header, nullptr);
    return reply;
}

int LinkLostCount(const CUsbTestBench& bench)
{
    int n = 0;
    for (const PostedMessage& m : bench.sink.Posted()) {
        if (m.msg != WM_LINK_LOST)
            continue;
        EXPECT_EQ(m.hWnd, CUsbTestBench::ViewWnd());
        EXPECT_EQ(m.wParam, 0u);
        EXPECT_EQ(m.lParam, 0);
        ++n;
    }
    return n;
}

class UsbTransactTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bench.link->ConnectUsb());
        ASSERT_EQ(g_nLinkType, 1);
    }

    CUsbTestBench bench;
};

TEST_F(UsbTransactTest, RequestGoesOutInReportsAndItsReplyEndsIt)
{
    struct Case {
        const char* name;
        std::unique_ptr<CSendData> (*build)();
        size_t reports;
    };
    const Case cases[] = {
        {"level record of output 1, 24 bytes", [] { return BuildBlockPacket(4, 0, 31); }, 1},
        {"whole output block of output 3, 312 bytes", [] { return BuildWholeBlockPacket(0, 4, 2, TRUE); }, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bench.hid.ClearWrittenReports();
        bench.emu.ClearRequestLog();
        const Bytes frame = bench.Queue(c.build());

        bench.link->UsbTransact();

        const auto reports = bench.hid.GetWrittenReports();
        ASSERT_EQ(reports.size(), c.reports);
        for (const auto& r : reports)
            EXPECT_EQ(r[0], 0) << "report id";
        Bytes expected = frame;
        expected.resize(c.reports * USB_REPORT_DATA, 0);  // the last report is zero-padded
        EXPECT_EQ(bench.WrittenFrameBytes(), expected);
        ASSERT_EQ(bench.emu.GetRequestCount(), 1u);
        EXPECT_EQ(bench.emu.GetRequestLog()[0], frame);

        EXPECT_EQ(bench.command.GetSendDataCount(), 0) << "the acknowledgement removes the request";
        EXPECT_EQ(LinkLostCount(bench), 0);
        EXPECT_EQ(bench.ElapsedUs(), 0) << "no read waited for its time-out";
    }
}

TEST_F(UsbTransactTest, EmptyQueueTakesTheScannersRequestAndSendsItNextPass)
{
    int scans = 0;
    bench.link->SetNextSendData([&] {
        ++scans;
        return BuildBlockPacket(BLOCK_STATE_POLL, 0, 0);
    });

    bench.link->UsbTransact();
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(bench.command.GetSendDataCount(), 1);
    EXPECT_TRUE(bench.hid.GetWrittenReports().empty()) << "this pass writes nothing";

    bench.link->UsbTransact();
    EXPECT_EQ(scans, 1) << "the queue was not empty";
    EXPECT_EQ(bench.hid.GetWrittenReports().size(), 1u);
    EXPECT_EQ(bench.command.GetSendDataCount(), 0) << "the state answer removes the poll";
    EXPECT_EQ(bench.sink.CountPosted(WM_INPUT_TYPE_RECEIVED), 1);
    EXPECT_EQ(LinkLostCount(bench), 0);
}

TEST_F(UsbTransactTest, SilentDeviceIsReportedLostAfterTheReadTimeOut)
{
    struct Case {
        BOOL notify;
        int64_t waitMs;
    };
    for (const Case c : {Case{FALSE, 3500}, Case{TRUE, 50000}}) {
        SCOPED_TRACE(c.notify ? "notify request" : "ordinary request");
        bench.command.RemoveAllSendData();
        bench.sink.Clear();
        bench.emu.DropReplies(1);
        std::unique_ptr<CSendData> request = BuildBlockPacket(4, 0, 31);
        request->SetNotify(c.notify);
        bench.Queue(std::move(request));
        const int64_t start = bench.clock.NowUs();

        bench.link->UsbTransact();

        EXPECT_EQ(bench.clock.NowUs() - start, c.waitMs * 1000);
        EXPECT_EQ(LinkLostCount(bench), 1);
        EXPECT_EQ(bench.command.GetSendDataCount(), 1) << "the view empties the queue, not the transport";
    }
}

TEST_F(UsbTransactTest, ReportsThatNeverFormAReplyAreGivenUp)
{
    // Every report takes the device some time; the transaction gives up once the reply is
    // not complete 3.0 s (50 s for a notify request) after its start.
    struct Case {
        BOOL notify;
        int latencyMs;
        int reportsRead;
    };
    for (const Case c : {Case{FALSE, 500, 7}, Case{TRUE, 10000, 6}}) {
        SCOPED_TRACE(c.notify ? "notify request" : "ordinary request");
        bench.command.RemoveAllSendData();
        bench.sink.Clear();
        bench.emu.ResetStream();
        bench.emu.DropReplies(1);
        bench.emu.InjectRaw(Bytes(10 * USB_REPORT_DATA, 0x00));
        bench.backend.SetReportLatencyMs(c.latencyMs);
        std::unique_ptr<CSendData> request = BuildBlockPacket(4, 0, 31);
        request->SetNotify(c.notify);
        bench.Queue(std::move(request));
        const int readBefore = bench.backend.GetReportsRead();

        bench.link->UsbTransact();

        EXPECT_EQ(bench.backend.GetReportsRead() - readBefore, c.reportsRead);
        EXPECT_EQ(LinkLostCount(bench), 1);
        EXPECT_EQ(bench.command.GetSendDataCount(), 1);
    }
}

TEST_F(UsbTransactTest, RejectedRequestStaysQueuedAndTheLinkIsReportedLost)
{
    const Bytes frame = bench.Queue(BuildBlockPacket(4, 0, 31));
    bench.emu.ReplaceNextReply(ReplyTo(frame, REPLY_REJECT));

    bench.link->UsbTransact();

    ASSERT_EQ(bench.command.GetSendDataCount(), 1);
    const CSendData* head = bench.command.GetCurSendData();
    EXPECT_TRUE(head->GetRejected());
    EXPECT_EQ(head->GetPos(), 0) << "rewound for another try";
    EXPECT_EQ(LinkLostCount(bench), 1);
    EXPECT_EQ(bench.ElapsedUs(), 3500 * 1000) << "no retry: the next report was awaited and timed out";
}

TEST_F(UsbTransactTest, InputReportReachesTheEngineWithItsReportIdInFront)
{
    // hidraw hands over the 64 data bytes only; the first of them is frame data, not an id.
    const Bytes frame = bench.Queue(BuildBlockPacket(4, 0, 31));
    const Bytes ack = ReplyTo(frame, REPLY_ACK);
    bench.emu.InjectRaw(ack);

    ASSERT_EQ(bench.link->ReadReport(100), USB_REPORT_SIZE);
    EXPECT_EQ(g_byUsbInReport[0], 0);
    EXPECT_TRUE(std::equal(ack.begin(), ack.end(), g_byUsbInReport + 1));
    EXPECT_TRUE(bench.link->OnUsbReport(USB_REPORT_SIZE));
    EXPECT_EQ(bench.command.GetSendDataCount(), 0);
}

TEST_F(UsbTransactTest, DeviceClosedUnderTheLinkIsOpenedAgainAndTheRequestStartsOver)
{
    bench.Queue(BuildWholeBlockPacket(0, 4, 0, TRUE));
    bench.command.GetCurSendData()->SetPos(128);  // two reports were out when the device went
    bench.link->CloseUsbHandle();

    bench.link->UsbTransact();
    EXPECT_TRUE(bench.link->IsDeviceOpen());
    EXPECT_TRUE(bench.hid.GetWrittenReports().empty());
    EXPECT_EQ(bench.command.GetCurSendData()->GetPos(), 0);

    bench.link->UsbTransact();
    EXPECT_EQ(bench.hid.GetWrittenReports().size(), 5u);
    EXPECT_EQ(bench.command.GetSendDataCount(), 0);
    EXPECT_EQ(LinkLostCount(bench), 0);

    // Gone for good: the open fails and the link is reported lost.
    bench.Queue(BuildBlockPacket(4, 0, 31));
    bench.link->CloseUsbHandle();
    bench.hid.Unplug();
    bench.link->UsbTransact();
    EXPECT_FALSE(bench.link->IsDeviceOpen());
    EXPECT_EQ(LinkLostCount(bench), 1);
}

// The device leaves in the middle of a transaction: the transaction ends at once, leaves its
// request queued from the first byte, and reports the link lost only while the link is still up
// (the view's removal handling clears g_bUsbOpen first when it came first).
TEST(UsbRemoval, DeviceLeavingMidTransactionEndsItWithoutWaiting)
{
    struct Case {
        const char* name;
        bool beforeWrite;  // gone before the first report
        bool linkCleared;  // the removal was handled before the transaction noticed
        int linkLost;
    };
    const Case cases[] = {
        {"gone while the reply is awaited", false, false, 1},
        {"gone while awaited, removal handled first", false, true, 0},
        {"gone before the request was written", true, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUsbTestBench bench(false);  // real clock: the test acts while the read waits
        ASSERT_TRUE(bench.link->ConnectUsb());
        bench.emu.DropReplies(1);
        bench.Queue(BuildWholeBlockPacket(0, 4, 0, TRUE));
        if (c.beforeWrite)
            bench.hid.Unplug();

        std::thread worker([&] { bench.link->UsbTransact(); });
        if (!c.beforeWrite) {
            ASSERT_TRUE(bench.emu.WaitForRequests(1, 10000));
            if (c.linkCleared)
                g_bUsbOpen = 0;
            bench.hid.Unplug();
        }
        worker.join();

        EXPECT_EQ(bench.sink.CountPosted(WM_LINK_LOST), c.linkLost);
        ASSERT_EQ(bench.command.GetSendDataCount(), 1);
        EXPECT_EQ(bench.command.GetCurSendData()->GetPos(), 0);
    }
}

}  // namespace
