// Band lists: the four layouts, the summed curve, copying, and the 8-byte band records.
#include "CKTVEQ.h"
#include "Convert.h"
#include "Globals.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

const CRect kPlot(40, 10, 937, 195);  // the output page's plot: 897 x 185

std::vector<int> Bytes(const EQBandRecord& rec)
{
    BYTE b[8];
    rec.ToBytes(b);
    return std::vector<int>(b, b + 8);
}

EQBandRecord Record(std::vector<int> bytes)
{
    BYTE b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = BYTE(bytes[size_t(i)]);
    return EQBandRecord::FromBytes(b);
}

class BandListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_nSavedOnline = g_bOnline;
        g_bOnline = 0;
    }
    void TearDown() override { g_bOnline = m_nSavedOnline; }

    int m_nSavedOnline = 0;
};

}  // namespace

TEST_F(BandListTest, OutputLayout)
{
    CKTVEQ eq;
    eq.Build31BandEq(30, 32, 10, 20, 20000);
    ASSERT_EQ(eq.GetSize(), 33);
    const int kIso[31] = {20,   25,   32,   40,   50,   63,   80,   100,   125,   160,   200,
                          250,  315,  400,  500,  630,  800,  1000, 1250,  1600,  2000,  2500,
                          3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
    for (int i = 0; i < 31; ++i) {
        const CFilter* f = eq[i];
        EXPECT_EQ(f->GetFreq(), kIso[i]) << i;
        EXPECT_EQ(f->GetRefFreq(), kIso[i]) << i;
        EXPECT_EQ(f->GetType(), FILTER_PEQ) << i;
        EXPECT_EQ(f->GetBandIndex(), i) << i;
        EXPECT_EQ(f->GetCurveMode(), 1) << i;
        EXPECT_TRUE(f->IsBypassed()) << i;
        EXPECT_EQ(f->GetModified(), 0) << i;
    }
    const CFilter* hp = eq.GetHighPass();
    const CFilter* lp = eq.GetLowPass();
    ASSERT_TRUE(hp && lp);
    EXPECT_EQ(hp, eq[31]);
    EXPECT_EQ(lp, eq[32]);
    EXPECT_EQ(hp->GetFreq(), 20);
    EXPECT_EQ(lp->GetFreq(), 20000);
    EXPECT_EQ(lp->GetRefFreq(), 20000);
    EXPECT_EQ(hp->GetSlotIndex(), 10);
    EXPECT_EQ(lp->GetSlotIndex(), 12);
    EXPECT_EQ(hp->GetBandIndex(), 32);
    EXPECT_EQ(eq.GetBandIndexByte(32), 32);
    EXPECT_EQ(hp->GetCurveMode(), 0);
    EXPECT_EQ(hp->GetFilterClass(), 2);
    EXPECT_EQ(hp->GetSlope(), 1);
    EXPECT_EQ(hp->GetInputCrossoverMode(), 0);
    EXPECT_EQ(eq[33], nullptr);
    EXPECT_EQ(eq[-1], nullptr);
    EXPECT_EQ(eq.GetSpare(), 0);

    // Everything flat: the summed curve lies on the 0 dB row.
    eq.SetCurveRect(kPlot);
    eq.CalcCurve();
    for (int i = 0; i < FREQ_GRID_POINTS; ++i) {
        EXPECT_EQ(eq.GetCurve()[i].y, 93 + 10) << i;
        EXPECT_FLOAT_EQ(eq.GetFloatCurve()[i].y, 92.5f + 10) << i;
        EXPECT_EQ(eq.GetCurve()[i].x, FreqToX(g_dFreqGrid[i], 897) + 40) << i;
    }
    EXPECT_EQ(eq.GetCurve()[0].x, 39);
    EXPECT_EQ(eq.GetCurve()[136].x, 547);
    EXPECT_EQ(eq.GetCurve()[240].x, 937);
}

TEST_F(BandListTest, InputLayouts)
{
    CKTVEQ music;
    music.BuildMixedEq(30, 32, 20000);
    ASSERT_EQ(music.GetSize(), 33);
    EXPECT_EQ(music[0]->GetFreq(), 20);
    EXPECT_EQ(music[7]->GetFreq(), 632);
    EXPECT_EQ(music[14]->GetFreq(), 20000);
    EXPECT_EQ(music[15]->GetFreq(), 630);
    EXPECT_EQ(music[30]->GetFreq(), 20000);
    for (int i : {31, 32}) {
        const CFilter* f = music[i];
        EXPECT_EQ(f->GetType(), i == 31 ? FILTER_HIGH_PASS : FILTER_LOW_PASS);
        EXPECT_EQ(f->GetFreq(), i == 31 ? 20 : 20000);
        EXPECT_EQ(f->GetFilterClass(), 2);
        EXPECT_EQ(f->GetSlope(), 0);
        EXPECT_EQ(f->GetInputCrossoverMode(), 1);
        EXPECT_EQ(f->GetCurveMode(), 0);
        EXPECT_EQ(f->GetBandIndex(), 32);
        EXPECT_EQ(f->GetModified(), 0);
    }

    CKTVEQ mic;
    mic.BuildShelfEq(8, 10, 20000);
    ASSERT_EQ(mic.GetSize(), 11);
    EXPECT_EQ(mic[0]->GetType(), FILTER_LOW_SHELF);
    EXPECT_EQ(mic[0]->GetFreq(), 20);
    EXPECT_EQ(mic[0]->GetSlope(), 0);
    EXPECT_EQ(mic[8]->GetType(), FILTER_HIGH_SHELF);
    EXPECT_EQ(mic[8]->GetFreq(), 1035);  // built directly: no 2000 Hz limit
    EXPECT_EQ(mic[8]->GetSlope(), 0);
    EXPECT_EQ(mic[4]->GetType(), FILTER_PEQ);
    EXPECT_EQ(mic.GetHighPass(), mic[9]);
    EXPECT_EQ(mic.GetLowPass(), mic[10]);
    EXPECT_EQ(mic[9]->GetBandIndex(), 10);

    CKTVEQ effect;
    effect.Build3BandEq(2, 8, 20000);
    ASSERT_EQ(effect.GetSize(), 5);
    EXPECT_EQ(effect[0]->GetFreq(), 100);
    EXPECT_EQ(effect[1]->GetFreq(), 1000);
    EXPECT_EQ(effect[2]->GetFreq(), 10000);
    for (int i : {3, 4}) {
        EXPECT_EQ(effect[i]->GetSlotIndex(), 8);
        EXPECT_EQ(effect[i]->GetSlope(), 1);
        EXPECT_EQ(effect[i]->GetFilterClass(), 2);
        EXPECT_EQ(effect[i]->GetBandIndex(), 8);
        EXPECT_EQ(effect[i]->GetInputCrossoverMode(), 1);
    }

    // Building again replaces the list; a last band beyond the table ends at its end.
    effect.Build3BandEq(9, 8, 20000);
    EXPECT_EQ(effect.GetSize(), 5);
}

TEST_F(BandListTest, SummedCurve)
{
    CKTVEQ eq;
    eq.Build31BandEq(30, 32, 12, 20, 20000);
    eq.SetCurveRect(kPlot);
    CFilter* band = eq[17];
    band->SetBandwidthIndex(95);
    band->SetGainIndex(260);
    CFilter* hp = eq.GetHighPass();
    hp->SetFilterClass(0, 1);
    hp->SetSlope(1, 1);
    hp->SetFreq(1000, 1);
    eq.CalcCurve();
    // +6 dB band plus a 12 dB/oct Linkwitz-Riley high-pass, both at 1 kHz.
    const struct {
        int index, y;
        float fy;
    } kRows[] = {{112, 202, 201.5317f}, {136, 103, 102.6588f}, {160, 109, 108.6753f}};
    for (const auto& r : kRows) {
        EXPECT_EQ(eq.GetCurve()[r.index].y, r.y) << r.index;
        EXPECT_NEAR(eq.GetFloatCurve()[r.index].y, r.fy, 0.01) << r.index;
    }
    // One filter's own curve: the band alone is +6.0 dB at 1 kHz.
    eq.CalcBandCurve(17);
    EXPECT_EQ(eq.GetCurve()[136].y, 46 + 10);
    eq.CalcIntCurve();
    EXPECT_EQ(eq.GetCurve()[136].y, 103);
}

TEST_F(BandListTest, CopyBandsTakesTheFrequencyAsReference)
{
    CKTVEQ a, b;
    a.Build31BandEq(30, 32, 10, 20, 20000);
    b.Build31BandEq(30, 32, 9, 20, 20000);
    g_bOnline = 1;
    a[3]->SetFreq(4000, 1);  // far from its reference: stepped when sent from a
    a[3]->SetGainIndex(250);
    b.CopyBands(a);
    EXPECT_EQ(b[3]->GetFreq(), 4000);
    EXPECT_EQ(b[3]->GetRefFreq(), 4000);
    EXPECT_NEAR(b[3]->GetGain(), 5.0, 1e-9);
    EXPECT_EQ(b[3]->GetModified(), 0);
    EXPECT_EQ(b.GetHighPass()->GetSlotIndex(), 9);  // the list's own slot stays
}

TEST_F(BandListTest, PackAndUnpack)
{
    CKTVEQ eq;
    eq.Build31BandEq(30, 32, 10, 20, 20000);
    // A new band: its own frequency, 0 dB, 0.57 octave, slope 1, PEQ.
    EXPECT_EQ(Bytes(eq.GetBandPacket(17)), (std::vector<int>{0xE8, 0x03, 0x58, 0x02, 0x34, 0x00, 0x01, 0x00}));

    CFilter* f = eq[17];
    f->SetGainIndex(230);
    EXPECT_EQ(eq.GetBandPacket(17).nGainCode, 630);
    f->SetBypass(1);
    EXPECT_EQ(eq.GetBandPacket(17).nGainCode, 600);
    f->SetBypass(0);
    f->SetMute(1);
    EXPECT_EQ(eq.GetBandPacket(17).nGainCode, 600);

    // 1000 Hz, code 520, bandwidth 100, slope 1, PEQ: -8.0 dB, 1.05 octave, not bypassed.
    g_bOnline = 1;
    CFilter* g = eq[5];
    eq.SetBandPacket(Record({0xE8, 0x03, 0x08, 0x02, 0x64, 0x00, 0x01, 0x00}), 5);
    EXPECT_NEAR(g->GetGain(), -8.0, 1e-9);
    EXPECT_NEAR(g->GetBandwidth(), 1.05, 1e-12);
    EXPECT_EQ(g->GetRefFreq(), 1000);
    EXPECT_EQ(g->GetFreq(), 1000);
    EXPECT_EQ(g->GetModified(), 0);
    EXPECT_FALSE(g->IsBypassed());

    // Code 600 bypasses a band that was not.
    eq.SetBandPacket(Record({0xE8, 0x03, 0x58, 0x02, 0x64, 0x00, 0x01, 0x00}), 5);
    EXPECT_TRUE(g->IsBypassed());
    EXPECT_EQ(g->GetResponse()[136], 0.0);

    // A mute survives a load at 0 dB, not one at another gain.
    g->SetGainIndex(230);
    g->SetMute(1);
    eq.SetBandPacket(Record({0xE8, 0x03, 0x58, 0x02, 0x64, 0x00, 0x01, 0x00}), 5);
    EXPECT_EQ(g->GetMuteFlag(), 1);
    eq.SetBandPacket(Record({0xE8, 0x03, 0x08, 0x02, 0x64, 0x00, 0x01, 0x00}), 5);
    EXPECT_EQ(g->GetMuteFlag(), 0);

    // A low-pass record: the frequency, not 20000, is its reference.
    eq.SetBandPacket(Record({0x10, 0x27, 0x58, 0x02, 0x34, 0x00, 0x03, 0x04}), 32);
    EXPECT_EQ(eq.GetLowPass()->GetRefFreq(), 10000);
    EXPECT_EQ(eq.GetLowPass()->GetModified(), 0);

    // Entries outside the list: a zero record, and nothing loaded.
    EXPECT_EQ(Bytes(eq.GetBandPacket(33)), std::vector<int>(8, 0));
    eq.SetBandPacket(Record({1, 2, 3, 4, 5, 6, 7, 8}), -1);
}

// Every value of every field, as the device or a file may hold it, packs back to the same
// bytes; the filter keeps raw values and only its drawing clamps them.
TEST_F(BandListTest, EveryRecordRoundTripsByteExact)
{
    CKTVEQ eq;
    eq.Build31BandEq(30, 32, 10, 20, 20000);
    const std::vector<int> base = {0xE8, 0x03, 0x08, 0x02, 0x64, 0x00, 0x01, 0x09};  // kind 9: drawn flat
    for (int field = 0; field < 3; ++field) {
        for (int v = 0; v < 65536; ++v) {
            std::vector<int> bytes = base;
            bytes[size_t(2 * field)] = v & 0xFF;
            bytes[size_t(2 * field + 1)] = v >> 8;
            eq.SetBandPacket(Record(bytes), 4);
            ASSERT_EQ(Bytes(eq.GetBandPacket(4)), bytes) << "field " << field << " value " << v;
        }
    }
    // Every slope with every kind, at a gain and bandwidth that draw a curve.
    for (int type = 0; type < 256; ++type) {
        for (int slope = 0; slope < 256; ++slope) {
            const std::vector<int> bytes = {0xE8, 0x03, 0x08, 0x02, 0x64, 0x00, slope, type};
            eq.SetBandPacket(Record(bytes), 4);
            ASSERT_EQ(Bytes(eq.GetBandPacket(4)), bytes) << "type " << type << " slope " << slope;
        }
    }
}
