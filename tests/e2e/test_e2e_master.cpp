// The master-level panel on the running view: the user drags the fader, the field shows the
// level and the worker's next pass sends system command 5 with it.
#include "E2eRig.h"

#include "CGainDlg.h"
#include "COutputDlg.h"
#include "Globals.h"
#include "SceneImage.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

using namespace e2e;

namespace {

void Mouse(CWnd& wnd, QEvent::Type type, CPoint pt, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(pt.x, pt.y), wnd.GetWidget()->mapToGlobal(QPointF(pt.x, pt.y)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(wnd.GetWidget(), &e);
}

}  // namespace

TEST(MasterE2e, FaderDraggedToFiftySendsCommandFiveWithThatLevel)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    CGainDlg& panel = rig.view->GetOutputPage().m_dlgGain;
    CBitmapSlider& fader = panel.m_sliderLevel;
    ASSERT_EQ(fader.GetValue(), 60);  // the device's level
    rig.emu.ClearRequestLog();

    CRect rc;
    fader.GetClientRect(&rc);
    CPoint at(rc.Width() / 2, fader.PosToPixel(fader.GetPos()));
    Mouse(fader, QEvent::MouseButtonPress, at, Qt::LeftButton);
    ASSERT_TRUE(fader.IsDragging());
    while (fader.GetValue() > 50 && at.y < rc.bottom) {
        ++at.y;
        Mouse(fader, QEvent::MouseMove, at, Qt::LeftButton);
    }
    Mouse(fader, QEvent::MouseButtonRelease, at, Qt::NoButton);
    PumpFor(100);

    EXPECT_EQ(panel.m_editLevel.GetWindowText(), "-10.0dB");
    EXPECT_EQ(g_wMasterLevel, 50);
    const Frame expected = DeviceFrame("A1 01 00 09 05 00 00 00 08 00 32 00 00 00 00 00 01 00");
    ASSERT_TRUE(PumpUntil([&] {
        for (const Frame& f : rig.RequestsWithoutPolls())
            if (f == expected)
                return true;
        return false;
    }));
}
