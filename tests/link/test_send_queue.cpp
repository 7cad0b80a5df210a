// The send queue of the command engine: ownership, head operations and the notify request.
#include "AppMessages.h"
#include "CKTVCommand.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "Messages.h"
#include "RecordingSink.h"
#include "SceneImage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HWND const kView = reinterpret_cast<HWND>(0x4711);

// A request whose command code tells it apart.
std::unique_ptr<CSendData> Request(int code, BOOL notify = FALSE)
{
    std::unique_ptr<CSendData> request = BuildCommandReadRequest(3, 0);
    request->SetCommand(code);
    request->SetNotify(notify);
    return request;
}

class SendQueueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_command.SetNotifyWnd(kView);
        g_nSendRetry = 0;
        g_pSerialItem = nullptr;
        ClearCommStatus();
    }
    void TearDown() override
    {
        g_pSerialItem = nullptr;
    }

    CRecordingSink m_sink;  // installed for the test's life
    CKTVCommand m_command;
};

}  // namespace

TEST_F(SendQueueTest, FirstInFirstOut)
{
    for (int code : {1, 2, 3})
        m_command.AddSendData(Request(code));
    m_command.AddSendData(nullptr);  // a refused build adds nothing
    EXPECT_EQ(m_command.GetSendDataCount(), 3);
    for (int code : {1, 2, 3}) {
        ASSERT_NE(m_command.GetCurSendData(), nullptr);
        EXPECT_EQ(m_command.GetCurCommandCode(), code);
        m_command.RemoveCurSendData();
    }
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(m_command.GetCurSendData(), nullptr);
}

TEST_F(SendQueueTest, RemovingTheHeadClearsTheLinkState)
{
    m_command.AddSendData(Request(1));
    m_command.AddSendData(Request(2));
    g_nSendRetry = 2;
    g_byCommStatus[0] = 1;
    g_byCommStatus[13] = 9;
    g_pSerialItem = m_command.GetCurSendData();
    m_command.RemoveCurSendData();
    EXPECT_EQ(g_nSendRetry, 0);
    EXPECT_EQ(g_byCommStatus[0], 0);
    EXPECT_EQ(g_byCommStatus[13], 0);
    EXPECT_EQ(g_pSerialItem, nullptr);
    EXPECT_EQ(m_command.GetCurCommandCode(), 2);
}

TEST_F(SendQueueTest, EmptyQueueOperationsChangeNothing)
{
    g_nSendRetry = 3;
    g_byCommStatus[1] = 1;
    m_command.RemoveCurSendData();
    m_command.RewindCurSendData();
    m_command.MarkCurSendDataRejected();
    EXPECT_FALSE(m_command.NotifyCurSendData(FALSE));
    EXPECT_FALSE(m_command.NotifyCurSendData(TRUE));
    EXPECT_FALSE(m_command.IsLoaderApplyPending());
    EXPECT_EQ(m_command.GetCurCommandCode(), 0);
    EXPECT_EQ(m_command.GetCurSendData(), nullptr);
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_TRUE(m_command.IsReady());
    // A stray reply after the queue was emptied leaves the link's counters alone.
    EXPECT_EQ(g_nSendRetry, 3);
    EXPECT_EQ(g_byCommStatus[1], 1);
    EXPECT_TRUE(m_sink.Posted().empty());
}

TEST_F(SendQueueTest, RewindCutsTheHeadFromItsFirstByte)
{
    InitAllData();
    m_command.AddSendData(BuildWholeBlockPacket(0, 4, 0, TRUE));
    CSendData* head = m_command.GetCurSendData();
    ASSERT_NE(head, nullptr);
    ASSERT_TRUE(head->NextReport());
    ASSERT_TRUE(head->NextReport());
    EXPECT_EQ(head->GetPos(), 128);
    m_command.RewindCurSendData();
    EXPECT_EQ(head->GetPos(), 0);
    ASSERT_TRUE(head->NextReport());
    EXPECT_EQ(g_byUsbOutReport[1], 0x91);
    EXPECT_EQ(g_byUsbOutReport[4], 0xEE);
    EXPECT_EQ(g_byUsbOutReport[5], 0xA1);
}

TEST_F(SendQueueTest, RejectionMarksOnlyTheHead)
{
    m_command.AddSendData(Request(1));
    m_command.AddSendData(Request(2));
    m_command.MarkCurSendDataRejected();
    EXPECT_TRUE(m_command.GetCurSendData()->GetRejected());
    m_command.RemoveCurSendData();
    EXPECT_FALSE(m_command.GetCurSendData()->GetRejected());
}

TEST_F(SendQueueTest, RejectedNotifyRequestIsRemovedAndReported)
{
    m_command.AddSendData(Request(65, TRUE));
    m_command.AddSendData(Request(2));
    EXPECT_TRUE(m_command.NotifyCurSendData(FALSE));
    ASSERT_EQ(m_sink.Posted().size(), 1u);
    EXPECT_EQ(m_sink.Posted()[0].hWnd, kView);
    EXPECT_EQ(m_sink.Posted()[0].msg, WM_WIFI_OP_RESULT);
    EXPECT_EQ(m_sink.Posted()[0].msg, 0x52Cu);
    EXPECT_EQ(m_sink.Posted()[0].wParam, 0u);
    EXPECT_EQ(m_sink.Posted()[0].lParam, 0);
    EXPECT_TRUE(m_sink.Sent().empty());
    // The next request is untouched.
    ASSERT_EQ(m_command.GetSendDataCount(), 1);
    CSendData* next = m_command.GetCurSendData();
    EXPECT_EQ(next->GetCommand(), 2);
    EXPECT_FALSE(next->GetRejected());
    EXPECT_EQ(next->GetPos(), 0);
}

TEST_F(SendQueueTest, AcknowledgedNotifyRequestIsReportedAndKept)
{
    m_command.AddSendData(Request(65, TRUE));
    EXPECT_TRUE(m_command.NotifyCurSendData(TRUE));
    ASSERT_EQ(m_sink.Posted().size(), 1u);
    EXPECT_EQ(m_sink.Posted()[0].msg, WM_WIFI_OP_RESULT);
    EXPECT_EQ(m_sink.Posted()[0].lParam, 1);
    // The reply engine removes an acknowledged head itself.
    EXPECT_EQ(m_command.GetSendDataCount(), 1);
}

TEST_F(SendQueueTest, PlainRequestIsNotNotified)
{
    m_command.AddSendData(Request(5));
    EXPECT_FALSE(m_command.NotifyCurSendData(FALSE));
    EXPECT_FALSE(m_command.NotifyCurSendData(TRUE));
    EXPECT_EQ(m_command.GetSendDataCount(), 1);
    EXPECT_TRUE(m_sink.Posted().empty());
}

TEST_F(SendQueueTest, RemoveAllEmptiesTheQueue)
{
    for (int code : {1, 2, 3})
        m_command.AddSendData(Request(code));
    g_pSerialItem = m_command.GetCurSendData();
    m_command.RemoveAllSendData();
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(m_command.GetCurSendData(), nullptr);
    EXPECT_EQ(g_pSerialItem, nullptr);
    m_command.AddSendData(Request(4));
    EXPECT_EQ(m_command.GetCurCommandCode(), 4);
}

TEST_F(SendQueueTest, LoaderApplyPendingUntilTwoRetries)
{
    struct Case {
        int code, retry;
        BOOL pending;
    } const cases[] = {{0x36, 0, TRUE}, {0x36, 1, TRUE}, {0x36, 2, FALSE}, {0x37, 0, FALSE}, {0, 0, FALSE}};
    for (const Case& c : cases) {
        m_command.RemoveAllSendData();
        std::unique_ptr<CSendData> request = Request(c.code);
        request->SetRetry(c.retry);
        m_command.AddSendData(std::move(request));
        EXPECT_EQ(m_command.IsLoaderApplyPending(), c.pending) << c.code << "/" << c.retry;
        EXPECT_EQ(m_command.GetCurCommandCode(), c.code);
    }
}
