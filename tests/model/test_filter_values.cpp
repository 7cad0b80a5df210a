// CFilter's values, encodings, bypass and mute, change stamps, the reference-frequency stepping
// and the texts.
#include "CFilter.h"
#include "Globals.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class FilterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_nSavedOnline = g_bOnline;
        m_nSavedChinese = g_bChinese;
        g_bOnline = 0;
        g_bChinese = 0;
    }
    void TearDown() override
    {
        g_bOnline = m_nSavedOnline;
        g_bChinese = m_nSavedChinese;
    }

    // References the scanner would send, one per scan, until the stamp clears (at most 20).
    static std::vector<int> Scans(CFilter& f)
    {
        std::vector<int> sent;
        for (int i = 0; i < 20 && f.GetModified(); ++i) {
            f.SetModified(0);
            sent.push_back(f.GetRefFreq());
        }
        return sent;
    }

    int m_nSavedOnline = 0;
    int m_nSavedChinese = 0;
};

class SliderSpy : public ILinkedSlider {
public:
    void SetFreqValue(int nHz) override { freqs.push_back(nHz); }
    void SetValue(int nPos) override { values.push_back(nPos); }
    std::vector<int> freqs, values;
};

}  // namespace

TEST_F(FilterTest, NewFilterDefaults)
{
    CFilter f;
    EXPECT_EQ(f.GetType(), FILTER_PEQ);
    EXPECT_EQ(f.GetFreq(), 1000);
    EXPECT_EQ(f.GetRefFreq(), 20);
    EXPECT_EQ(f.GetGain(), 0.0);
    EXPECT_TRUE(f.IsBypassed());
    EXPECT_EQ(f.GetBandwidthIndex(), 52);
    EXPECT_EQ(f.GetQText(), "2.515");
    EXPECT_EQ(f.GetFilterClass(), 2);
    EXPECT_EQ(f.GetSlope(), 1);
    EXPECT_EQ(f.GetCurveMode(), 1);
    EXPECT_EQ(f.GetModified(), 0);
    EXPECT_EQ(f.GetSpare(), -1);
    EXPECT_EQ(f.GetGraphWidth(), 0);
    EXPECT_EQ(f.GetGraphHeight(), 0);
    for (int i = 0; i < FREQ_GRID_POINTS; ++i)
        ASSERT_EQ(f.GetResponse()[i], 0.0);
}

TEST_F(FilterTest, GainIndexAndBypass)
{
    g_bOnline = 1;
    CFilter f;
    f.SetGainIndex(230);
    EXPECT_NEAR(f.GetGain(), 3.0, 1e-9);
    EXPECT_FALSE(f.IsBypassed());
    EXPECT_EQ(f.GetGainIndex(), 230);
    EXPECT_EQ(f.GetModified(), 1);
    f.SetMute(1);
    EXPECT_TRUE(f.IsBypassed());
    EXPECT_EQ(f.GetGainIndex(), 200);  // a muted band reports 0 dB
    f.SetGainIndex(230);
    EXPECT_FALSE(f.IsBypassed());  // a new gain clears the mute too
    f.SetGainIndex(200);
    EXPECT_EQ(f.GetGain(), 0.0);
    EXPECT_TRUE(f.IsBypassed());
    EXPECT_EQ(f.GetGainIndex(), 200);
}

TEST_F(FilterTest, BypassSwitch)
{
    CFilter f;
    f.SetFreq(1000, 0);
    // A band at 0.0 dB stays bypassed and is not stamped.
    g_bOnline = 1;
    f.SetBypass(0);
    EXPECT_TRUE(f.IsBypassed());
    EXPECT_EQ(f.GetModified(), 0);

    f.SetGainIndex(260);
    f.SetModified(0);
    ASSERT_EQ(f.GetModified(), 0);
    f.SetBypass(1);
    EXPECT_TRUE(f.IsBypassed());
    EXPECT_EQ(f.GetModified(), 1);
    EXPECT_NEAR(f.GetGain(), 6.0, 1e-9);  // the gain is kept while bypassed
    f.SetModified(0);
    f.SetBypass(1);  // no change: no stamp
    EXPECT_EQ(f.GetModified(), 0);
    f.SetBypass(0);
    EXPECT_FALSE(f.IsBypassed());

    // A muted band: switching clears the mute first.
    f.SetMute(1);
    f.SetBypass(0);
    EXPECT_FALSE(f.IsBypassed());
    EXPECT_EQ(f.GetMuteFlag(), 0);
}

TEST_F(FilterTest, MuteSavesTheFlag)
{
    CFilter f;
    f.SetGainIndex(230);
    f.SetMute(1);
    f.SetMute(1);  // saves the set flag
    f.SetMute(0);
    EXPECT_TRUE(f.IsBypassed());
    EXPECT_EQ(f.GetMuteFlag(), 1);
    f.SetMute(0);
    EXPECT_EQ(f.GetMuteFlag(), 1);  // the saved flag is still the set one
}

TEST_F(FilterTest, BandwidthIndexUsesTheSmallBias)
{
    CFilter f;
    f.SetBandwidth(0.5749);
    EXPECT_EQ(f.GetBandwidthIndex(), 52);
    f.SetBandwidth(0.5796);
    EXPECT_EQ(f.GetBandwidthIndex(), 53);
    f.SetBandwidthIndex(100);
    EXPECT_NEAR(f.GetBandwidth(), 1.05, 1e-12);
    EXPECT_EQ(f.GetBandwidthIndex(), 100);
}

TEST_F(FilterTest, QTextDecimals)
{
    CFilter f;
    const struct {
        int index;
        const char* text;
    } kRows[] = {{0, "28.85"}, {5, "14.42"}, {52, "2.515"}, {100, "1.344"}, {295, "0.404"},
                 // Indexes from the device beyond the table read its ends.
                 {-7, "28.85"}, {4000, "0.404"}};
    for (const auto& r : kRows) {
        f.SetBandwidthIndex(r.index);
        EXPECT_EQ(f.GetQText(), r.text) << r.index;
    }
}

TEST_F(FilterTest, OfflineEditMovesBothWithoutStamp)
{
    CFilter f;
    f.SetFreq(5000, 1);
    EXPECT_EQ(f.GetFreq(), 5000);
    EXPECT_EQ(f.GetRefFreq(), 5000);
    EXPECT_EQ(f.GetModified(), 0);
}

// The reference follows within an octave; a larger move is sent one octave per scan.
TEST_F(FilterTest, ReferenceStepping)
{
    struct Row {
        const char* what;
        int curveMode, from, to;
        int refAtOnce;            // reference right after the edit
        std::vector<int> scans;   // references the following scans send
    };
    const Row kRows[] = {
        {"band up five times", 1, 20, 100, 20, {40, 80, 100, 100}},
        {"band down sixteen times", 1, 16000, 1000, 16000, {8000, 4000, 2000, 1000, 1000}},
        {"band within an octave up", 1, 1000, 1999, 1999, {1999}},
        {"band an octave up", 1, 1000, 2000, 1000, {2000, 2000}},
        {"band an octave down", 1, 1000, 500, 500, {500}},
        {"crossover an octave down", 0, 1000, 500, 1000, {500, 500}},
        {"crossover within an octave down", 0, 1000, 700, 1000, {700, 700}},
        {"crossover up ten times", 0, 100, 1000, 100, {200, 400, 800, 1000, 1000}},
    };
    for (const Row& r : kRows) {
        CFilter f;
        f.SetCurveMode(r.curveMode);
        f.SetFreq(r.from, 0);
        g_bOnline = 1;
        f.SetFreq(r.to, 1);
        EXPECT_EQ(f.GetRefFreq(), r.refAtOnce) << r.what;
        EXPECT_EQ(f.GetModified(), 1) << r.what;
        EXPECT_EQ(Scans(f), r.scans) << r.what;
        EXPECT_EQ(f.GetModified(), 0) << r.what;
        g_bOnline = 0;
    }
}

TEST_F(FilterTest, ReferenceStepsEndForEveryStart)
{
    // Whatever a device block or a caller left in the reference, the walk ends.
    const int kRefs[] = {0, -20, 1, 3, 19999, 32767, -32768};
    const int kFreqs[] = {20, 1000, 20000, 0, -5};
    for (int ref : kRefs) {
        for (int hz : kFreqs) {
            CFilter f;
            f.SetFreq(hz, 0);
            f.SetRefFreq(ref);
            f.SetModified(1);
            const std::vector<int> sent = Scans(f);
            EXPECT_EQ(f.GetModified(), 0) << ref << " -> " << hz;
            EXPECT_EQ(f.GetRefFreq(), hz) << ref << " -> " << hz;
            EXPECT_LE(sent.size(), 17u) << ref << " -> " << hz;
        }
    }
}

TEST_F(FilterTest, ZeroReferenceIsReplacedOnEdit)
{
    CFilter f;
    f.SetFreq(0, 0);
    g_bOnline = 1;
    f.SetFreq(30, 1);
    EXPECT_EQ(f.GetRefFreq(), 30);  // 0 became 20, and 30 lies within an octave of it
}

TEST_F(FilterTest, TypeAndShelves)
{
    CFilter f;
    f.SetFreq(300, 0);
    f.SetType(FILTER_LOW_PASS);
    EXPECT_EQ(f.GetRefFreq(), 20000);

    CFilter s;
    s.SetFreq(5000, 0);
    s.SetShelfType(2);
    EXPECT_EQ(s.GetType(), FILTER_LOW_SHELF);
    EXPECT_EQ(s.GetSlope(), 1);
    EXPECT_EQ(s.GetFreq(), 2000);
    EXPECT_EQ(s.GetShelfSlopeText(), "12dB/Oct");
    s.SetFreq(500, 0);
    s.SetHighShelf(0);
    EXPECT_EQ(s.GetType(), FILTER_HIGH_SHELF);
    EXPECT_EQ(s.GetFreq(), 2000);
    EXPECT_EQ(s.GetEqKindCode(), 3);
    s.SetShelfType(7);  // not a choice: nothing changes
    EXPECT_EQ(s.GetType(), FILTER_HIGH_SHELF);
    s.SetShelfType(0);
    EXPECT_EQ(s.GetType(), FILTER_PEQ);
    EXPECT_EQ(s.GetEqKindCode(), 0);
}

TEST_F(FilterTest, CopyTakesSoundValuesOnly)
{
    CFilter a;
    a.SetFreq(20, 0);
    g_bOnline = 1;
    a.SetFreq(8000, 1);  // reference stays at 20
    a.SetGainIndex(150);
    a.SetBandwidthIndex(10);
    a.SetFilterClass(1, 1);
    a.SetSlope(4, 1);
    a.SetBandIndex(7);

    CFilter b;
    b.SetBandIndex(3);
    b.SetSlotIndex(9);
    b.SetFreqLock(1);
    b.CopyFrom(a);
    EXPECT_EQ(b.GetFreq(), 8000);
    EXPECT_EQ(b.GetRefFreq(), 8000);
    EXPECT_NEAR(b.GetGain(), -5.0, 1e-9);
    EXPECT_EQ(b.GetBandwidthIndex(), 10);
    EXPECT_EQ(b.GetFilterClass(), 1);
    EXPECT_EQ(b.GetSlope(), 4);
    EXPECT_EQ(b.GetBandIndex(), 3);
    EXPECT_EQ(b.GetSlotIndex(), 9);
    EXPECT_EQ(b.GetFreqLock(), 1);
    EXPECT_EQ(b.GetModified(), 0);  // the caller stamps
}

TEST_F(FilterTest, ResetBand)
{
    CFilter f;
    f.SetGainIndex(300);
    f.SetBandwidthIndex(200);
    f.ResetBand(630);
    EXPECT_EQ(f.GetFreq(), 630);
    EXPECT_EQ(f.GetRefFreq(), 630);
    EXPECT_EQ(f.GetBandwidthIndex(), 52);
    EXPECT_EQ(f.GetGain(), 0.0);
    EXPECT_TRUE(f.IsBypassed());
}

TEST_F(FilterTest, CrossoverEditMovesTheLinkedSlider)
{
    SliderSpy spy;
    CFilter f;
    f.SetCurveMode(0);
    f.SetLinkedCtrl(&spy);
    f.SetFreq(120, 0);  // a load does not move it
    f.SetFreq(150, 1);
    EXPECT_EQ(spy.freqs, std::vector<int>{150});
}

TEST_F(FilterTest, Texts)
{
    CFilter f;
    f.SetFreq(1250, 0);
    f.SetGainIndex(165);
    f.SetBandwidthIndex(95);
    EXPECT_EQ(f.GetFreqText(), "1250Hz");
    EXPECT_EQ(f.GetGainText(), "-3.5dB");
    EXPECT_EQ(f.GetBandwidthText(), "1.00Oct");
    f.SetBypass(1);
    EXPECT_EQ(f.GetGainText(), "0.0dB");
    EXPECT_EQ(f.GetTypeText(), "PEQ");
    g_bChinese = 1;
    EXPECT_EQ(f.GetTypeText(), "参量均衡");
    f.SetType(FILTER_HIGH_SHELF);
    EXPECT_EQ(f.GetTypeText(), "高架");
    f.SetType(FILTER_HIGH_PASS);
    EXPECT_EQ(f.GetTypeText(), "");

    const struct {
        int cls;
        const char* en;
        const char* zh;
    } kClasses[] = {{0, "Link_Ril", "宁克"}, {1, "Butter_W", "巴特沃斯"}, {2, "Bessel", "贝塞尔"},
                    {3, "", ""}, {-1, "", ""}};
    for (const auto& c : kClasses) {
        f.SetFilterClass(c.cls, 0);
        g_bChinese = 0;
        EXPECT_EQ(f.GetClassText(), c.en) << c.cls;
        g_bChinese = 1;
        EXPECT_EQ(f.GetClassText(), c.zh) << c.cls;
    }

    const struct {
        int mode, slope;
        const char* text;
    } kSlopes[] = {{0, 0, ""},         {0, 1, "12dB/Oct"}, {0, 4, "30dB/Oct"}, {0, 7, "48dB/Oct"},
                   {0, 8, "OFF"},      {0, 9, ""},         {0, 255, ""},       {1, 1, "12dB/Oct"},
                   {1, 2, "24dB/Oct"}, {1, 3, ""},         {1, 8, ""},         {2, 1, ""}};
    for (const auto& s : kSlopes) {
        f.SetInputCrossoverMode(s.mode);
        f.SetSlope(s.slope, 0);
        EXPECT_EQ(f.GetCrossoverSlopeText(), s.text) << s.mode << "/" << s.slope;
    }
    f.SetSlope(2, 0);
    EXPECT_EQ(f.GetShelfSlopeText(), "");
}
