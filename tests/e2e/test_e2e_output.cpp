// The output page on the running view against the emulator: a band dragged on the response
// graph reaches the device as its band record (a jump of more than an octave one octave per
// frame), the page's fields follow the drag, and a strip's on/off, gain and polarity each
// reach the device as the channel's level record.
#include "E2eRig.h"
#include "OutputPageE2e.h"

#include "AppMessages.h"
#include "CFilter.h"
#include "CKTVEQ.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "Convert.h"
#include "Globals.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdio>

using namespace e2e;

namespace {

CPoint operator+(CPoint a, CPoint b) { return CPoint(a.x + b.x, a.y + b.y); }

void Mouse(CWnd& wnd, QEvent::Type type, CPoint pt, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(pt.x, pt.y), wnd.GetWidget()->mapToGlobal(QPointF(pt.x, pt.y)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(wnd.GetWidget(), &e);
}

std::string Hex16(int v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X %02X", v & 0xFF, (v >> 8) & 0xFF);
    return buf;
}

std::string Hex8(int v)
{
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02X", v & 0xFF);
    return buf;
}

// The write of record nRecord of output nCh's block with its eight payload bytes.
Frame OutputRecordFrame(int nCh, int nRecord, const std::string& payloadHex)
{
    return DeviceFrame("A1 01 00 04 " + Hex8(nCh) + " " + Hex8(nRecord) + " 00 00 08 00 " + payloadHex);
}

// Index of the first request equal to f at or after position from; -1 when none.
int FindFrom(const std::vector<Frame>& log, const Frame& f, int from)
{
    for (int i = from; i < int(log.size()); ++i)
        if (log[i] == f)
            return i;
    return -1;
}

bool WaitForFrames(LinkRig& rig, const std::vector<Frame>& frames)
{
    return PumpUntil([&] {
        const std::vector<Frame> log = rig.RequestsWithoutPolls();
        int at = 0;
        for (const Frame& f : frames) {
            at = FindFrom(log, f, at);
            if (at < 0)
                return false;
            ++at;
        }
        return true;
    });
}

class OutputE2e : public OutputPageE2e {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartConnected(2));
        rig.emu.ClearRequestLog();
    }
    void Tick()
    {
        page->m_graph.SendMessage(WM_TIMER, CFStatic::kTimerId, 0);
        PumpFor(20);
    }
};

TEST_F(OutputE2e, DraggedBandReachesTheDeviceOneOctavePerFrame)
{
    const int n = 17;
    CFilter* f = Out(2)->GetFilter(n);
    ASSERT_FALSE(f->GetFreqLock());
    // Flat bands on the third-octave centres (the emulator's scene keeps every band at 1000 Hz,
    // all handles in one place); band 18 at 1000 Hz. Nothing of this is stamped.
    for (int i = 0; i < 31; ++i)
        Out(2)->GetFilter(i)->ResetBand(g_nGeqFreq[i]);
    Out(2)->GetEq().SetCurveRect(page->m_graph.GetPlotRect());
    const int bw = f->GetBandwidthIndex();
    const int slope = f->GetSlope();
    const int type = f->GetType();
    ASSERT_EQ(type, FILTER_PEQ);
    CFStatic& graph = page->m_graph;
    const CPoint c = f->m_rcHandle.CenterPoint();

    // Hover, press, one move 400 pixels right (past 20 kHz) and 47 up (+6.0 dB), release.
    Mouse(graph, QEvent::MouseMove, c, Qt::NoButton);
    ASSERT_EQ(graph.GetHotFilter(), f);
    Mouse(graph, QEvent::MouseButtonPress, c, Qt::LeftButton);
    Mouse(graph, QEvent::MouseMove, c + CPoint(400, -47), Qt::LeftButton);
    Tick();
    Mouse(graph, QEvent::MouseButtonRelease, c + CPoint(400, -47), Qt::NoButton);
    Tick();

    EXPECT_EQ(f->GetFreq(), 20000);
    EXPECT_EQ(f->GetGainIndex(), 200 + int(YToDb(c.y - 47 - 10, graph.GetPlotRect().Height()) * 10 + 0.5));
    // The page's fields and slider show the dragged band, the drag is over.
    EXPECT_EQ(page->m_spinBandFreq[n].GetPos(), 20000);
    EXPECT_EQ(page->m_spinBandGain[n].GetPos(), f->GetGainIndex());
    EXPECT_EQ(page->m_sliderBandGain[n].GetValue(), f->GetGainIndex());
    EXPECT_FALSE(page->m_btnBypass[n].GetCheck());
    EXPECT_FALSE(graph.IsMouseReleased());

    // 1000 Hz to 20000 Hz: 2000, 4000, 8000, 16000, then 20000.
    const std::string tail = " " + Hex16(f->GetGainIndex() + 400) + " " + Hex16(bw) + " " + Hex8(slope) + " " +
                             Hex8(type);
    std::vector<Frame> frames;
    for (int ref : {2000, 4000, 8000, 16000, 20000})
        frames.push_back(OutputRecordFrame(2, n, Hex16(ref) + tail));
    EXPECT_TRUE(WaitForFrames(rig, frames));
    for (const Frame& fr : rig.RequestsWithoutPolls())
        EXPECT_NE(fr, OutputRecordFrame(2, n, Hex16(1000) + tail)) << "no frame at the old reference";
}

TEST_F(OutputE2e, StripOnGainAndPolarityReachTheDeviceAsTheLevelRecord)
{
    COutRoute_Dlg& strip = page->m_strip[5];
    CKTV_OutData* out = Out(5);
    auto level = [&] {
        return OutputRecordFrame(5, OUT_REC_LEVEL, Hex8(out->GetOn()) + " " + Hex8(out->GetPolarity()) + " " +
                                                       Hex16(out->GetGain()) + " " + Hex16(out->GetDelay()) + " " +
                                                       Hex8(out->GetEqMode()) + " " + Hex8(out->GetSpeakerType()));
    };
    const int on = out->GetOn();
    CRect rc;
    strip.m_btnOn.GetClientRect(&rc);
    Mouse(strip.m_btnOn, QEvent::MouseButtonPress, rc.CenterPoint(), Qt::LeftButton);
    Mouse(strip.m_btnOn, QEvent::MouseButtonRelease, rc.CenterPoint(), Qt::NoButton);
    ASSERT_TRUE(PumpUntil([&] { return out->GetOn() != on; }));
    EXPECT_TRUE(WaitForFrames(rig, {level()}));

    strip.m_spinGain.SetPos(480);
    strip.SendMessage(WM_COMMAND, IDC_STRIP_GAIN_EDIT, 0);
    ASSERT_TRUE(PumpUntil([&] { return out->GetGain() == 480; }));
    EXPECT_EQ(out->GetOn(), 1);  // a gain switches the channel on
    EXPECT_TRUE(WaitForFrames(rig, {level()}));

    const int pol = out->GetPolarity();
    strip.m_btnPolarity.GetClientRect(&rc);
    Mouse(strip.m_btnPolarity, QEvent::MouseButtonPress, rc.CenterPoint(), Qt::LeftButton);
    Mouse(strip.m_btnPolarity, QEvent::MouseButtonRelease, rc.CenterPoint(), Qt::NoButton);
    ASSERT_TRUE(PumpUntil([&] { return out->GetPolarity() != pol; }));
    EXPECT_TRUE(WaitForFrames(rig, {level()}));
}

}  // namespace
