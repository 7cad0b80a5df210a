// The output channel's setters, stamps, speaker-type crossover presets, name checks, copies
// and curve; and the set-up the scene object gives its channels.
#include "test_scene_support.h"

#include "Convert.h"

using namespace scene_test;

namespace {

class OutputChannelTest : public SceneTest {};

struct PresetRow {
    int hpHz, hpClass, hpSlope, lpHz, lpClass, lpSlope, slot;
};

}  // namespace

TEST_F(OutputChannelTest, SceneSetsUpItsChannels)
{
    const char* names[10] = {"FL", "FR", "SL", "SR", "Center", "ULF", "", "", "", ""};
    const int slots[10] = {10, 10, 9, 10, 10, 9, 9, 9, 9, 9};
    for (int i = 0; i < OUTPUT_CHANNELS; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Out(i).GetName(), names[i]);
        EXPECT_EQ(Out(i).GetChannelIndex(), i);
        EXPECT_EQ(Out(i).GetFilterCount(), 33);
        EXPECT_EQ(Out(i).GetHighPass()->GetSlotIndex(), slots[i]);
        EXPECT_EQ(Out(i).GetLowPass()->GetSlotIndex(), 12);
        EXPECT_EQ(Out(i).GetHighPassBandIndex(), 32);
        EXPECT_EQ(g_pOutChannel[i], &Out(i));
        EXPECT_EQ(g_nLinkGroup[i], i);
        EXPECT_EQ(g_nOutputGroup[i], i);
    }
    EXPECT_EQ(Out(0).GetHandleColor(), RGB(255, 0, 0));
    EXPECT_EQ(Out(9).GetCurveColor(), g_clrOut10);
    EXPECT_EQ(Mic().GetName(), "Mic 1");
    EXPECT_EQ(Mic().GetFilterCount(), 11);
    EXPECT_EQ(Mic().GetSpareFlag(), 0);
    EXPECT_EQ(Music(0).GetVolume(), 450);
    EXPECT_EQ(Music(0).GetSpareFlag(), 1);
    EXPECT_EQ(Music(5).GetName(), "Music 6");
    EXPECT_EQ(Music(5).GetVolume(), 600);
    EXPECT_EQ(Music(5).GetSpareFlag(), 0);
    EXPECT_EQ(Music(1).GetHandleColor(), RGB(223, 18, 123));
    EXPECT_EQ(scene->GetMusicData(6), nullptr);
    EXPECT_EQ(scene->GetOutData(10), nullptr);
    EXPECT_EQ(scene->GetOutData(-1), nullptr);
}

TEST_F(OutputChannelTest, SceneBuiltOnlineStartsWithNothingToSend)
{
    g_bOnline = 1;
    CKTV_Data other;
    EXPECT_EQ(FrameHex(other.GetNextSendData()), kPollHex);
    EXPECT_EQ(other.GetOutData(0)->GetFilter(5)->GetRefFreq(), 63);
}

TEST_F(OutputChannelTest, GainMute)
{
    CKTV_OutData& o = Out(1);
    o.SetGain(0);
    EXPECT_TRUE(o.IsGainMute());
    EXPECT_EQ(o.GetGain(), 0);
    o.PutLevelRecord(FALSE);
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 1, OUT_REC_LEVEL), "01 00 00 00 00 00 00 00");
    o.SetGain(600);
    EXPECT_FALSE(o.IsGainMute());
    o.PutLevelRecord(FALSE);
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 1, OUT_REC_LEVEL), "01 00 58 02 00 00 00 00");
    // The mute flag hides a kept gain.
    o.SetGain(450);
    o.SetGainMute(1);
    EXPECT_EQ(o.GetGain(), 0);
    o.SetGainMute(0);
    EXPECT_EQ(o.GetGain(), 450);
}

TEST_F(OutputChannelTest, SpeakerTypePresets)
{
    // Crossover preset per type: high-pass Hz, class, slope, low-pass Hz, class, slope, slot.
    const PresetRow full{20, 0, 3, 20000, 0, 3, 12}, tweeter{2200, 2, 7, 20000, 2, 7, 11},
        mid{600, 2, 7, 1500, 2, 7, 12}, woofer{20, 2, 7, 500, 2, 7, 12}, midTweeter{600, 2, 7, 20000, 2, 7, 12},
        midWoofer{20, 2, 7, 1600, 2, 7, 12}, sub{20, 0, 3, 150, 0, 3, 12};
    const PresetRow rows[25] = {full,    tweeter, mid,     woofer,  midTweeter, midWoofer, full, tweeter, mid,
                                woofer,  midTweeter, midWoofer, full, tweeter, woofer, full, tweeter, woofer,
                                full,    tweeter, woofer,  full,    sub,        sub,       sub};
    for (int type = 0; type < 25; ++type) {
        SCOPED_TRACE(type);
        TearDown();
        SetUp();
        g_bOnline = 1;
        CKTV_OutData& o = Out(4);
        o.SetSpeakerType(type);
        const PresetRow& r = rows[type];
        const CFilter* hp = o.GetHighPass();
        const CFilter* lp = o.GetLowPass();
        EXPECT_EQ(o.GetSpeakerType(), type);
        EXPECT_EQ(hp->GetFreq(), r.hpHz);
        EXPECT_EQ(hp->GetFilterClass(), r.hpClass);
        EXPECT_EQ(hp->GetSlope(), r.hpSlope);
        EXPECT_EQ(lp->GetFreq(), r.lpHz);
        EXPECT_EQ(lp->GetFilterClass(), r.lpClass);
        EXPECT_EQ(lp->GetSlope(), r.lpSlope);
        EXPECT_EQ(hp->GetSlotIndex(), r.slot);
        // The filters stamp themselves; the level record waits.
        EXPECT_TRUE(hp->GetModified() && lp->GetModified());
        EXPECT_EQ(o.IsLevelModified(), 0);
    }
}

TEST_F(OutputChannelTest, SpeakerTypeOutsideTheTableKeepsTheFilters)
{
    g_bOnline = 1;
    CKTV_OutData& o = Out(2);
    o.GetLowPass()->SetFreq(7000, 0);
    for (int type : {25, 200, 255, -1}) {
        o.SetSpeakerType(type);
        EXPECT_EQ(o.GetLowPass()->GetFreq(), 7000) << type;
        EXPECT_EQ(o.GetHighPass()->GetSlotIndex(), 9) << type;
        EXPECT_EQ(o.GetHighPass()->GetModified(), 0) << type;
    }
    // A type loaded from a device block is stored as it came and sent back as it came.
    const BYTE level[8] = {1, 0, 0x58, 0x02, 0, 0, 0, 0xC8};
    o.SetLevelRecord(level);
    o.SetSpeakerType(o.GetSpeakerType());
    EXPECT_EQ(o.GetSpeakerType(), 0xC8);
    EXPECT_EQ(o.GetLowPass()->GetFreq(), 7000);
    o.PutLevelRecord(FALSE);
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 2, OUT_REC_LEVEL), "01 00 58 02 00 00 00 C8");
}

TEST_F(OutputChannelTest, OtherSpeakerTypeSetters)
{
    g_bOnline = 1;
    CKTV_OutData& o = Out(0);
    o.SetSpeakerTypeKeepFilters(13);
    EXPECT_EQ(o.GetSpeakerType(), 13);
    EXPECT_EQ(o.GetHighPass()->GetSlotIndex(), 11);
    EXPECT_EQ(o.GetHighPass()->GetFreq(), 20);
    o.SetSpeakerTypeKeepFilters(14);
    EXPECT_EQ(o.GetHighPass()->GetSlotIndex(), 12);
    EXPECT_EQ(o.GetHighPass()->GetModified(), 0);
    EXPECT_EQ(o.IsLevelModified(), 0);

    const BYTE filters[8] = {0x64, 0x00, 1, 4, 0xB8, 0x0B, 0, 6};  // 100 Hz, 3000 Hz
    o.SetSpeakerTypeWithFilters(5, filters);
    EXPECT_EQ(o.GetSpeakerType(), 5);
    EXPECT_EQ(o.GetHighPass()->GetFreq(), 100);
    EXPECT_EQ(o.GetHighPass()->GetFilterClass(), 1);
    EXPECT_EQ(o.GetHighPass()->GetSlope(), 4);
    EXPECT_EQ(o.GetLowPass()->GetFreq(), 3000);
    EXPECT_EQ(o.GetLowPass()->GetSlope(), 6);
    EXPECT_TRUE(o.TakeFilterChanges());

    g_bOnline = 0;
    o.SetSpeakerTypeMarked(6);
    EXPECT_EQ(o.IsLevelModified(), 1);
}

TEST_F(OutputChannelTest, NamesThatDoNotFitAreRefusedWhereTheyAreTyped)
{
    g_bOnline = 1;
    struct Row {
        const char* name;
        bool fits;
    };
    const Row rows[] = {
        {"Subwoof", true},            // 7 bytes and the zero
        {"Subwoofer", false},         // 9 bytes
        {"Tweeter1", false},          // 8 bytes leave no room for the zero
        {"\xE5\x89\x8D\xE5\xB7\xA6", true},                   // two Chinese characters, 6 bytes
        {"\xE5\x89\x8D\xE5\xB7\xA6\xE9\xAB\x98", false},      // three, 9 bytes
        {"", true},
    };
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        for (const Row& r : rows) {
            SCOPED_TRACE(r.name);
            ui.m_messages.clear();
            CKTV_OutData& o = Out(3);
            o.SetName("SR");
            o.SetNameModified(0);
            EXPECT_EQ(bool(o.SetName(r.name)), r.fits);
            EXPECT_EQ(o.GetName(), r.fits ? r.name : "SR");
            EXPECT_EQ(o.IsNameModified(), r.fits ? 1 : 0);
            if (r.fits) {
                EXPECT_TRUE(ui.m_messages.empty());
            } else {
                ASSERT_EQ(ui.m_messages.size(), 1u);
                EXPECT_EQ(ui.m_messages[0].first, chinese ? "字符长度错误!" : "Char len error!");
                EXPECT_EQ(ui.m_messages[0].second, chinese ? -2 : -3);
            }
        }
    }
    // The same rule on the other channel classes.
    ui.m_messages.clear();
    EXPECT_FALSE(Music(0).SetName("Music 10"));
    EXPECT_FALSE(Mic().SetName("Mic one!"));
    EXPECT_FALSE(Effect().SetName("Effects!"));
    EXPECT_EQ(ui.m_messages.size(), 3u);
    EXPECT_EQ(Music(0).GetName(), "Music 1");
    EXPECT_EQ(Mic().GetName(), "Mic 1");
    EXPECT_EQ(Effect().GetName(), "Effect");
    EXPECT_TRUE(Music(0).SetName("Tuner"));
    EXPECT_TRUE(Mic().SetName("Vocal"));
    EXPECT_TRUE(Effect().SetName("Hall"));
}

TEST_F(OutputChannelTest, MixLevels)
{
    g_bOnline = 1;
    CKTV_OutData& o = Out(6);
    o.SetMixA2(100);  // unchanged
    o.SetMixB3(100);
    EXPECT_EQ(o.IsMixAModified(), 0);
    EXPECT_EQ(o.IsMixBModified(), 0);
    // Levels 9..12 have no record: the mix-B record goes out in their place, even unchanged.
    o.SetMixA9(50);
    EXPECT_EQ(o.GetMixA9(), 50);
    EXPECT_EQ(o.IsMixBModified(), 1);
    EXPECT_EQ(o.IsMixAModified(), 0);
    EXPECT_EQ(Next(), "91 91 91 EE A1 01 00 04 06 22 00 00 08 00 64 64 64 64 64 64 64 64 88 AA");
    o.SetMixA12(100);
    EXPECT_EQ(o.IsMixBModified(), 1);
    o.SetMixB8(0);
    EXPECT_EQ(o.GetMixB8(), 0);
    EXPECT_EQ(o.GetMixA(13), 0);
    EXPECT_EQ(o.GetMixB(0), 0);
    o.SetMixA(0, 5);
    o.SetMixB(9, 5);
}

TEST_F(OutputChannelTest, CompressorIsKeptWithoutMarkingMixRecords)
{
    g_bOnline = 1;
    CKTV_OutData& o = Out(5);
    o.SetCompThreshold(10);
    o.SetCompAttack(10);
    o.SetCompRelease(7);
    o.SetCompRatio(11);
    EXPECT_EQ(o.IsMixBModified(), 0);
    EXPECT_EQ(o.IsMixAModified(), 0);
    EXPECT_EQ(o.GetCompAttack(), 10);
    EXPECT_EQ(o.GetCompRelease(), 7);
    EXPECT_EQ(o.GetCompThreshold(), 10);
    EXPECT_EQ(o.GetCompRatio(), 11);
}

TEST_F(OutputChannelTest, InputSelection)
{
    g_bOnline = 1;
    // Even outputs 0..4 start with the left input on, odd ones 1..5 with the right, 6..9 neither.
    EXPECT_FALSE(Out(4).GetInLeftMute());
    EXPECT_EQ(Out(4).GetInLeft(), 1);
    EXPECT_TRUE(Out(4).GetInRightMute());
    EXPECT_FALSE(Out(5).GetInRightMute());
    EXPECT_EQ(Out(5).GetInRight(), 1);
    EXPECT_TRUE(Out(6).GetInLeftMute());
    EXPECT_EQ(Out(6).GetInLeft(), 50);

    CKTV_OutData& o = Out(8);
    o.SetInLeftMute(0);
    EXPECT_EQ(o.GetInLeft(), 1);
    o.SetInRightMute(1);
    EXPECT_EQ(o.GetInRight(), 0);
    o.SetIn4(0);
    EXPECT_TRUE(o.GetIn4Mute());
    o.SetIn4(7);
    EXPECT_FALSE(o.GetIn4Mute());
    EXPECT_EQ(o.IsInputModified(), 1);
    const BYTE levels[4] = {0, 9, 0, 3};
    o.SetInputRecord(levels);
    EXPECT_TRUE(o.GetInLeftMute());
    EXPECT_FALSE(o.GetInRightMute());
    EXPECT_TRUE(o.GetIn5Mute());
    EXPECT_EQ(o.GetIn4(), 3);
}

TEST_F(OutputChannelTest, StampsAndFilterChanges)
{
    g_bOnline = 1;
    CKTV_OutData& o = Out(0);
    o.SetName("Left");
    o.SetAllModified(1);
    EXPECT_EQ(o.IsLevelModified() + o.IsLimitModified() + o.IsInputModified() + o.IsMixAModified() +
                  o.IsMixBModified(),
              5);
    EXPECT_EQ(o.GetFilter(12)->GetModified(), 1);
    o.SetAllModified(0);
    EXPECT_EQ(o.IsLevelModified(), 0);
    EXPECT_EQ(o.GetFilter(12)->GetModified(), 0);
    EXPECT_EQ(o.IsNameModified(), 1);  // the name stamp has its own setter

    EXPECT_FALSE(o.TakeFilterChanges());
    o.GetLowPass()->SetFreq(4000, 1);  // more than two octaves down from 20000
    EXPECT_TRUE(o.TakeFilterChanges());
    EXPECT_EQ(o.GetLowPass()->GetRefFreq(), 10000);
    EXPECT_TRUE(o.TakeFilterChanges());
    EXPECT_TRUE(o.TakeFilterChanges());
    EXPECT_EQ(o.GetLowPass()->GetRefFreq(), 4000);
    EXPECT_TRUE(o.TakeFilterChanges());
    EXPECT_FALSE(o.TakeFilterChanges());
}

TEST_F(OutputChannelTest, EqModeLocksTheBandsOnly)
{
    CKTV_OutData& o = Out(0);
    o.SetEqMode(1);
    for (int i = 0; i < 31; ++i)
        EXPECT_TRUE(o.GetFilter(i)->GetFreqLock()) << i;
    EXPECT_FALSE(o.GetHighPass()->GetFreqLock());
    EXPECT_FALSE(o.GetLowPass()->GetFreqLock());
    const BYTE level[8] = {1, 0, 0x58, 0x02, 0, 0, 0, 0};
    o.SetLevelRecord(level);
    EXPECT_FALSE(o.GetFilter(7)->GetFreqLock());
}

TEST_F(OutputChannelTest, BypassAndMuteOfTheWholeChannel)
{
    CKTV_OutData& o = Out(0);
    EXPECT_TRUE(o.IsAllBypass());
    o.GetFilter(10)->SetGainIndex(230);
    EXPECT_FALSE(o.IsAllBypass());
    EXPECT_FALSE(o.GetAllBypassFlag());
    o.MuteAllBands(1);
    EXPECT_TRUE(o.IsAllBypass());
    EXPECT_TRUE(o.GetAllBypassFlag());
    o.MuteAllBands(0);
    EXPECT_FALSE(o.IsAllBypass());
}

TEST_F(OutputChannelTest, Copies)
{
    CKTV_OutData& src = Out(0);
    CKTV_OutData& dst = Out(1);
    src.SetName("Src");
    src.SetGain(444);
    src.SetEqMode(1);
    src.SetPolarity(1);
    src.SetOn(0);
    src.SetDelay(77);
    src.SetSpeakerType(2);
    src.SetLimitThreshold(333);
    src.SetMixA11(9);
    src.SetMixA1(8);
    src.SetMixB1(7);
    src.SetInBalance(20);
    src.GetFilter(3)->SetGainIndex(250);
    g_bOnline = 1;

    dst.CopyEQAndLevel(src);
    EXPECT_EQ(dst.GetGain(), 444);
    EXPECT_EQ(dst.GetEqMode(), 1);
    EXPECT_TRUE(dst.GetFilter(3)->GetFreqLock());
    EXPECT_EQ(dst.GetFilter(3)->GetGainIndex(), 250);
    EXPECT_EQ(dst.GetHighPass()->GetFreq(), 600);
    EXPECT_EQ(dst.GetLimitThreshold(), 333);
    EXPECT_EQ(dst.GetPolarity(), 0);
    EXPECT_EQ(dst.GetDelay(), 0);
    EXPECT_EQ(dst.GetMixA1(), 100);

    dst.CopyAll(src);
    EXPECT_EQ(dst.GetPolarity(), 1);
    EXPECT_EQ(dst.GetOn(), 0);
    EXPECT_EQ(dst.GetDelay(), 77);
    EXPECT_EQ(dst.GetSpeakerType(), 2);
    EXPECT_EQ(dst.GetMixA1(), 8);
    EXPECT_EQ(dst.GetMixA11(), 9);
    EXPECT_EQ(dst.GetMixB1(), 100);
    EXPECT_EQ(dst.GetName(), "FR");
    EXPECT_EQ(dst.GetInBalance(), 50);

    CKTV_OutData& third = Out(2);
    third.CopyFrom(src);
    EXPECT_EQ(third.GetName(), "Src");
    EXPECT_EQ(third.GetInBalance(), 20);
    EXPECT_EQ(third.GetMixA11(), 9);
    EXPECT_EQ(third.GetMixB1(), 100);
    EXPECT_EQ(third.GetEqMode(), 0);

    // Copies mark nothing.
    EXPECT_EQ(Next(), kPollHex);
}

TEST_F(OutputChannelTest, CurveFollowsTheBandsNotTheGain)
{
    CKTV_OutData& o = Out(0);
    o.SetCurveRect(CRect(0, 0, 600, 240));
    EXPECT_EQ(o.GetGainRow(), DbToY(0, 240) + 10);
    const CurvePointF* pts = o.GetCurve().GetFloatPoints();
    const CPoint* ipts = o.GetCurve().GetPoints();
    EXPECT_FLOAT_EQ(pts[0].x, float(FreqToXExact(g_dFreqGrid[0], 600) + 40));
    EXPECT_EQ(ipts[240].x, FreqToX(20000, 600) + 40);
    for (int i = 0; i < FREQ_GRID_POINTS; ++i)
        ASSERT_FLOAT_EQ(pts[i].y, 130.0f) << i;
    o.SetGain(100);
    o.RecalcCurve();
    EXPECT_FLOAT_EQ(pts[136].y, 130.0f);
    o.GetFilter(17)->SetGainIndex(320);  // +12 dB at 1000 Hz, grid point 136
    o.RecalcCurve();
    EXPECT_NEAR(pts[136].y, 10.0f, 0.5f);
    o.RecalcBandCurve(17);
    EXPECT_NEAR(ipts[136].y, 10, 1);
}
