// The change scanner's order and its rules: system sub-commands first, then the scene name,
// music inputs, outputs; the online flag; the scene-name handshake with the main view; and a
// scanner that runs on the worker without ever showing anything.
#include "test_scene_support.h"

using namespace scene_test;

namespace {

class ScannerRulesTest : public SceneTest {
protected:
    // Byte 8 (channel or sub-command) and byte 9 (record) of the next frame, and its type.
    struct Head {
        int type, channel, record;
        bool operator==(const Head& o) const { return type == o.type && channel == o.channel && record == o.record; }
    };
    Head NextHead()
    {
        const auto frame = scene->GetNextSendData();
        EXPECT_TRUE(frame);
        if (!frame)
            return {-1, -1, -1};
        const BYTE* p = frame->GetData();
        return {p[7], p[8], p[9]};
    }
    int NamePosts() const
    {
        int n = 0;
        for (const PostedMessage& m : sink.Posted())
            n += m.msg == WM_SCENE_NAME_CHANGED && m.hWnd == kView && m.wParam == 0 && m.lParam == 0;
        return n;
    }
};


}  // namespace

TEST_F(ScannerRulesTest, NothingPendingGivesAFreshPollEveryTime)
{
    g_bOnline = 1;
    const auto first = scene->GetNextSendData();
    const auto second = scene->GetNextSendData();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(FrameHex(first), kPollHex);
    EXPECT_EQ(FrameHex(second), kPollHex);
    EXPECT_EQ(first->GetLength(), 24);
    EXPECT_EQ(g_bSceneModified, 0);
    EXPECT_TRUE(sink.Posted().empty());
}

TEST_F(ScannerRulesTest, SystemCommandsGoFirstFiveThenTwo)
{
    g_bOnline = 1;
    Out(0).SetGain(100);
    g_bPendingSys5 = 1;
    g_bPendingSys2 = 1;
    EXPECT_EQ(Next(), "91 91 91 EE A1 01 00 09 05 00 00 00 08 00 3C 00 00 00 00 00 01 00 99 AA");
    EXPECT_EQ(Next(), "91 91 91 EE A1 01 00 09 02 00 00 00 08 00 00 3C 00 00 00 00 00 01 9E AA");
    EXPECT_EQ(g_bPendingSys5, 0);
    EXPECT_EQ(g_bPendingSys2, 0);
    EXPECT_TRUE((NextHead() == Head{BLOCK_OUTPUT, 0, OUT_REC_LEVEL}));
}

TEST_F(ScannerRulesTest, EditsMadeOfflineAreNeverSent)
{
    Out(4).SetGain(500);
    Out(4).GetFilter(3)->SetGainIndex(250);
    Music(0).SetVolume(100);
    EXPECT_EQ(Next(), kPollHex);
    // A setter run offline also drops a change that was still pending.
    g_bOnline = 1;
    Out(4).SetGain(400);
    g_bOnline = 0;
    Out(4).SetDelay(10);
    EXPECT_EQ(Next(), kPollHex);
    EXPECT_EQ(g_bSceneModified, 0);
}

TEST_F(ScannerRulesTest, FirstEditRenamesTheLiveSceneCustom)
{
    std::memcpy(g_Scene, "Rock\0\0\0\0\0\0\0\0\0\0\0", 16);
    g_bOnline = 1;
    Out(4).SetGain(500);
    EXPECT_TRUE((NextHead() == Head{BLOCK_OUTPUT, 4, OUT_REC_LEVEL}));
    EXPECT_EQ(NamePosts(), 0);
    EXPECT_EQ(Next(), kCustomNameHex);
    EXPECT_EQ(FieldToString(g_Scene, 16), "Custom");
    EXPECT_EQ(scene->GetName(), "Rock");
    EXPECT_EQ(NamePosts(), 1);
    EXPECT_EQ(Next(), kPollHex);
}

TEST_F(ScannerRulesTest, NameRuleRepeatsUntilTheViewAnswers)
{
    // A stored scene is in use: the name goes out on every scan until the view's handler asks
    // for it once more, which clears the scene in use.
    g_byCurScene = 3;
    g_bSceneModified = 1;
    EXPECT_EQ(Next(), kCustomNameHex);
    EXPECT_EQ(Next(), kCustomNameHex);
    EXPECT_EQ(NamePosts(), 2);
    g_bSendSceneName = 1;
    EXPECT_EQ(Next(), kCustomNameHex);
    EXPECT_EQ(g_byCurScene, 0);
    EXPECT_EQ(g_bSendSceneName, 0);
    EXPECT_EQ(NamePosts(), 2);
    EXPECT_EQ(Next(), kPollHex);
}

TEST_F(ScannerRulesTest, NameRuleOnceMoreWhenTheViewHasNotSeenCustom)
{
    g_strSceneNameBuf.clear();
    g_bSceneModified = 1;
    EXPECT_EQ(Next(), kCustomNameHex);
    EXPECT_EQ(g_strSceneNameBuf, "Custom");
    EXPECT_EQ(NamePosts(), 1);
    EXPECT_EQ(Next(), kPollHex);
}

TEST_F(ScannerRulesTest, MusicInputsBeforeOutputs)
{
    g_bOnline = 1;
    Out(0).SetGain(100);
    Music(2).GetFilter(5)->SetGainIndex(230);
    EXPECT_TRUE((NextHead() == Head{BLOCK_MUSIC, 2, 5}));
    EXPECT_TRUE((NextHead() == Head{BLOCK_OUTPUT, 0, OUT_REC_LEVEL}));
}

TEST_F(ScannerRulesTest, OrderWithinAChannel)
{
    g_bOnline = 1;
    Out(3).GetFilter(30)->SetGainIndex(210);
    Out(3).GetFilter(2)->SetGainIndex(210);
    Out(3).SetMixA1(1);
    Out(3).SetLimitAttack(7);
    Out(3).SetMixB1(1);
    Out(3).GetLowPass()->SetSlope(3, 1);
    Out(3).SetOn(0);
    Out(3).SetName("Door");
    const int expected[] = {OUT_REC_NAME, OUT_REC_LEVEL, OUT_REC_FILTERS, OUT_REC_MIX_B,
                            OUT_REC_LIMIT, OUT_REC_MIX_A, 2, 30};
    for (int record : expected)
        EXPECT_TRUE((NextHead() == Head{BLOCK_OUTPUT, 3, record})) << record;
    EXPECT_EQ(Next(), kPollHex);

    Music(1).GetFilter(4)->SetGainIndex(210);
    Music(1).SetNoiseGate(50);
    Music(1).SetOn(0);
    EXPECT_TRUE((NextHead() == Head{BLOCK_MUSIC, 1, 31}));
    EXPECT_TRUE((NextHead() == Head{BLOCK_MUSIC, 1, 33}));
    EXPECT_TRUE((NextHead() == Head{BLOCK_MUSIC, 1, 4}));
}

TEST_F(ScannerRulesTest, WhatTheScannerNeverSends)
{
    g_bOnline = 1;
    Music(0).SetName("Radio");
    Music(0).SetThreshold(300);
    Music(0).GetHighPass()->SetFreq(100, 1);
    Mic().SetVolume(10);
    Mic().GetFilter(1)->SetGainIndex(250);
    Effect().SetEchoDelay(10);
    Effect().GetFilter(0)->SetGainIndex(250);
    Out(1).SetInLeft(20);
    EXPECT_EQ(Next(), kPollHex);
    EXPECT_EQ(g_bSceneModified, 0);
}

TEST_F(ScannerRulesTest, LargeBandMoveGoesOutOneOctavePerFrame)
{
    g_bOnline = 1;
    Out(0).GetFilter(0)->SetFreq(100, 1);  // band 0 sits at 20 Hz
    std::vector<int> sent;
    for (int i = 0; i < 4; ++i) {
        const auto frame = scene->GetNextSendData();
        ASSERT_TRUE(frame);
        ASSERT_EQ(frame->GetData()[9], 0);
        sent.push_back(frame->GetData()[14] | frame->GetData()[15] << 8);
    }
    EXPECT_EQ(sent, (std::vector<int>{40, 80, 100, 100}));
    EXPECT_EQ(Next(), kPollHex);
}

TEST_F(ScannerRulesTest, ClearAllModifiedDropsEveryPendingChange)
{
    g_bOnline = 1;
    for (int i = 0; i < OUTPUT_CHANNELS; ++i) {
        Out(i).SetName("X");
        Out(i).SetGain(1);
        Out(i).SetLimitAttack(1);
        Out(i).SetMixA1(1);
        Out(i).SetMixB1(1);
        Out(i).GetFilter(i)->SetGainIndex(1);
        Out(i).GetHighPass()->SetSlope(2, 1);
    }
    for (int i = 0; i < MUSIC_CHANNELS; ++i) {
        Music(i).SetVolume(1);
        Music(i).SetNoiseGate(1);
        Music(i).GetFilter(i)->SetGainIndex(1);
    }
    g_bPendingSys2 = 1;
    scene->ClearAllModified(1);
    EXPECT_EQ(g_bPendingSys5, 1);
    EXPECT_EQ(g_bPendingSys2, 0);
    EXPECT_EQ(Next(), "91 91 91 EE A1 01 00 09 05 00 00 00 08 00 3C 00 00 00 00 00 01 00 99 AA");
    EXPECT_EQ(Next(), kPollHex);
}

TEST_F(ScannerRulesTest, ScanningNeverShowsABoxEvenForAFullLengthName)
{
    // An 8-byte name without a zero can only come from a device block; it packs back as it came
    // instead of stopping the worker with a message box.
    BYTE* block = g_Scene + BlockOffset(BLOCK_OUTPUT, 2);
    std::memcpy(block + OUT_REC_NAME * 8, "Tweeter1", 8);
    Out(2).LoadFromDevice(block);
    std::memset(block + OUT_REC_NAME * 8, 0, 8);
    g_bOnline = 1;
    Out(2).SetNameModified(1);
    EXPECT_EQ(Next(), "91 91 91 EE A1 01 00 04 02 24 00 00 08 00 54 77 65 65 74 65 72 31 FB AA");
    EXPECT_TRUE(ui.m_messages.empty());
}

TEST_F(ScannerRulesTest, OutputMovedOutsideTheTableStillYieldsAFrame)
{
    // A channel whose index names no output block packs nothing; the scanner moves on.
    g_bOnline = 1;
    Out(9).SetChannelIndex(12);
    Out(9).SetGain(5);
    Out(9).GetFilter(4)->SetGainIndex(205);
    EXPECT_EQ(Next(), kPollHex);
    Out(9).SetChannelIndex(9);
}
