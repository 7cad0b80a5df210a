// Progress of counted transfers and of the firmware update, moved by every answered request.
#include "LinkTexts.h"
#include "test_reply_kit.h"

using namespace replykit;

namespace {

struct TransferCase {
    const char* name;
    int index;
    bool lastRead, lastWrite, noProgress;
    int barPos;  // the bar starts at 2 of 20
    std::vector<Posted> posted;
};

}  // namespace

class TransferProgressTest : public ReplyTest, public ::testing::WithParamInterface<TransferCase> {};

TEST_P(TransferProgressTest, AnsweredRequestMovesTheBar)
{
    const TransferCase& c = GetParam();
    FakeProgress bar(20, 2);
    g_pProgress = &bar;
    CSendData* head = Queue();
    head->SetCounted(TRUE);
    head->SetIndex(c.index);
    head->SetLastRead(c.lastRead);
    head->SetLastWrite(c.lastWrite);
    head->SetNoProgress(c.noProgress);

    EXPECT_TRUE(FeedUsbLast(AckFrame()));
    EXPECT_EQ(bar.GetPos(), c.barPos);
    EXPECT_EQ(m_sink.posted, c.posted);

    // Without a bar the same answer posts the same notices.
    g_pProgress = nullptr;
    m_sink.posted.clear();
    CSendData* again = Queue();
    again->SetIndex(c.index);
    again->SetLastRead(c.lastRead);
    again->SetLastWrite(c.lastWrite);
    again->SetNoProgress(c.noProgress);
    EXPECT_TRUE(FeedUsbLast(AckFrame()));
    EXPECT_EQ(m_sink.posted, c.posted);
}

INSTANTIATE_TEST_SUITE_P(
    Batches, TransferProgressTest,
    ::testing::Values(TransferCase{"LastOfWriteBatch", 7, false, true, false, 7, {{WM_TRANSFER_DONE, 0, 1}}},
                      TransferCase{"LastOfReadBatch", 9, true, false, false, 9, {{WM_TRANSFER_DONE, 0, 0}}},
                      TransferCase{"InsideABatch", 3, false, false, false, 3, {}},
                      TransferCase{"FirstOfABatch", 0, false, true, false, 2, {}},
                      TransferCase{"NoProgressEndsTheTransfer", 5, false, true, true, 2, {{WM_TRANSFER_DONE, 0, 0}}}),
    [](const ::testing::TestParamInfo<TransferCase>& info) { return info.param.name; });

TEST_F(ReplyTest, LastReadOfABatchAnsweredWithData)
{
    FakeProgress bar(20);
    g_pProgress = &bar;
    CSendData* head = Queue();
    head->SetIndex(4);
    head->SetLastRead(TRUE);
    EXPECT_TRUE(FeedNet(PollFrame()));
    EXPECT_EQ(bar.GetPos(), 4);
    EXPECT_EQ(m_sink.posted, (std::vector<Posted>{{WM_TRANSFER_DONE, 0, 0}, {WM_INPUT_TYPE_RECEIVED, 0, 8}}));
}

// ---- firmware ----

namespace {

struct FirmwareCase {
    const char* name;
    int code;
    int startPos;  // of an update bar of 0..10
    int mcuLoaded;
    int aborting;
    int chinese;
    std::vector<CString> texts;
    int endPos;
    int updateDone;
    std::vector<Posted> posted;
};

const Posted kUpdateDone{WM_UPDATE_STEP_DONE, 0, 57};

}  // namespace

class FirmwareProgressTest : public ReplyTest, public ::testing::WithParamInterface<FirmwareCase> {};

TEST_P(FirmwareProgressTest, StepMovesTheBarAndTheStatusLine)
{
    const FirmwareCase& c = GetParam();
    FakeProgress bar(10, c.startPos);
    FakeText tip;
    g_pUpdateProgress = &bar;
    g_pCurHexUpTip = &tip;
    g_bMcuImageLoaded = c.mcuLoaded;
    g_bAbortingUpdate = c.aborting;
    g_bChinese = c.chinese;
    CSendData* head = Queue();
    head->SetCommand(c.code);
    head->SetIndex(3);

    EXPECT_TRUE(FeedUsbLast(AckFrame()));
    EXPECT_EQ(tip.texts, c.texts);
    EXPECT_EQ(bar.GetPos(), c.endPos);
    EXPECT_EQ(g_bUpdateDone, c.updateDone);
    EXPECT_EQ(m_sink.posted, c.posted);
    EXPECT_EQ(m_command.GetSumPos(), 1);
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FirmwareProgressTest,
    ::testing::Values(
        FirmwareCase{"ApplyEnglish", 0x36, 0, 0, 0, 0, {"Firmware update begins Do not interrupt"}, 1, 0, {}},
        FirmwareCase{"ApplyChinese", 0x36, 0, 0, 0, 1, {"固件更新开始 请勿中断"}, 1, 0, {}},
        FirmwareCase{"Start", 0x37, 1, 0, 0, 0, {}, 2, 0, {}},
        FirmwareCase{"Data", 0x38, 4, 0, 0, 0, {"Programming Do not interrupt"}, 5, 0, {}},
        // The bar stays one short of full until the end step.
        FirmwareCase{"DataAtTheTop", 0x38, 9, 0, 0, 1, {"数据传输中 请勿中断"}, 9, 0, {}},
        FirmwareCase{"End", 0x39, 4, 0, 0, 0, {"Update successfully"}, 10, 1, {kUpdateDone}},
        FirmwareCase{"EndChinese", 0x39, 4, 1, 0, 1, {"更新完成"}, 10, 1, {kUpdateDone}},
        FirmwareCase{"DspRequest", 0x3A, 0, 1, 0, 0, {"Programming Do not interrupt"}, 1, 0, {}},
        FirmwareCase{"DspDataAtTheTop", 0x3B, 9, 1, 0, 0, {"Programming Do not interrupt"}, 9, 0, {}},
        FirmwareCase{"DspEndWithoutController", 0x3C, 6, 0, 0, 0, {"Update successfully"}, 10, 0, {kUpdateDone}},
        FirmwareCase{"DspEndBeforeController", 0x3C, 6, 1, 0, 0, {}, 7, 0, {}},
        FirmwareCase{"LoaderEntry", 0xFF, 6, 1, 0, 0, {}, 7, 0, {}},
        // Abandoning: the dialog is left alone, the end is still reported.
        FirmwareCase{"DataWhileAborting", 0x38, 4, 0, 1, 0, {}, 4, 0, {}},
        FirmwareCase{"EndWhileAborting", 0x39, 4, 0, 1, 0, {}, 4, 1, {kUpdateDone}}),
    [](const ::testing::TestParamInfo<FirmwareCase>& info) { return info.param.name; });

TEST_F(ReplyTest, ProgrammingTextIsShownOncePerStage)
{
    FakeProgress bar(100);
    FakeText tip;
    g_pUpdateProgress = &bar;
    g_pCurHexUpTip = &tip;
    for (int code : {0x37, 0x38, 0x38, 0x38, 0x37, 0x38}) {
        CSendData* request = Queue();
        request->SetCommand(code);
        request->SetIndex(1);
    }
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(FeedUsbLast(AckFrame())) << i;
    EXPECT_EQ(tip.texts, (std::vector<CString>{g_strHexDataEn, g_strHexDataEn}));
    EXPECT_EQ(bar.GetPos(), 6);
    EXPECT_EQ(m_command.GetSumPos(), 6);
}

TEST_F(ReplyTest, FirmwareStepsWithoutTheDialog)
{
    for (int code : {0x36, 0x38, 0x39}) {
        CSendData* request = Queue();
        request->SetCommand(code);
        request->SetIndex(2);
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(FeedNet(AckFrame()));
    EXPECT_EQ(g_bUpdateDone, 1);
    EXPECT_EQ(m_sink.posted, (std::vector<Posted>{kUpdateDone}));
    EXPECT_EQ(m_command.GetSumPos(), 3);
}

TEST_F(ReplyTest, NetworkSenderFinishesTheUpdate)
{
    FakeProgress bar(40, 12);
    FakeText tip;
    g_pUpdateProgress = &bar;
    g_pCurHexUpTip = &tip;
    Queue()->SetCommand(0x39);
    CSendData* next = Queue();
    m_command.FinishFirmwareUpdate();
    EXPECT_EQ(tip.texts, (std::vector<CString>{"Update successfully"}));
    EXPECT_EQ(bar.GetPos(), 40);
    EXPECT_EQ(g_bUpdateDone, 1);
    EXPECT_EQ(m_command.GetCurSendData(), next);
    EXPECT_EQ(m_sink.posted, (std::vector<Posted>{kUpdateDone}));

    // No dialog open: nothing to show, the end is reported all the same.
    g_pUpdateProgress = nullptr;
    g_pCurHexUpTip = nullptr;
    m_command.FinishFirmwareUpdate();
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(m_sink.posted.size(), 2u);
}
