// A fixture for the output page on the running view, linked to the emulator by the USB door.
#pragma once

#include "E2eRig.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "Globals.h"

#include <gtest/gtest.h>

namespace e2e {

class OutputPageE2e : public ::testing::Test {
protected:
    // Starts the view and waits for the connect to run through, then takes its output page with
    // the graph's timer stopped, so that the graph's notifications run on the test's clock.
    // nChannel >= 0 is made the current output by the strip message. Use inside
    // ASSERT_NO_FATAL_FAILURE.
    void StartConnected(int nChannel = -1)
    {
        rig.Start();
        ASSERT_TRUE(rig.WaitConnected());
        page = &rig.view->GetOutputPage();
        page->m_graph.KillTimer(CFStatic::kTimerId);
        if (nChannel >= 0) {
            page->SendMessage(WM_STRIP_SELECT, WPARAM(nChannel), 0);
            ASSERT_EQ(g_nCurOutput, nChannel);
        }
        PumpFor(50);
    }
    CKTV_OutData* Out(int ch) { return page->GetScene()->GetOutData(ch); }

    LinkRig rig{LinkRig::Door::Usb};
    COutputDlg* page = nullptr;
};

}  // namespace e2e
