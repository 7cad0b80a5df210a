// A firmware update run through the main view over the fake HID backend: the view reopens the
// processor in firmware mode, its worker writes every step to the emulated loader, and the end
// step's notice closes the link with the success text. A file that is not an update file is
// refused before anything is queued.
#include "E2eRig.h"

#include "../link/test_fw_kit.h"

#include "AppMessages.h"
#include "EmuLoader.h"
#include "FirmwareState.h"
#include "FirmwareTexts.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkTexts.h"
#include "ModelUi.h"

#include <gtest/gtest.h>

using namespace e2e;
using namespace fwkit;

namespace {

class E2eFirmwareTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_bChinese = 0;
        g_bUpdateDone = 0;
        g_bAbortingUpdate = 0;
        loader.SetApplyRestartMs(-1);
        rig.emu.SetFirmwareSide(&loader);
        rig.Start();
        ASSERT_TRUE(rig.WaitConnected());
        // The update dialog closes the ordinary link before it starts.
        rig.view->CloseLink();
        rig.messages.Clear();
    }
    void TearDown() override
    {
        rig.view->CloseLink();
        if (rig.view->GetFirmwareUpdate())
            rig.view->GetFirmwareUpdate()->EndUpdate();
        rig.emu.SetFirmwareSide(nullptr);
        g_bUpdateDone = 0;
        g_strFirmwarePath.clear();
    }

    CModelUiRecorder ui;
    CEmuLoader loader;
    LinkRig rig{LinkRig::Door::Usb};
};

}  // namespace

TEST_F(E2eFirmwareTest, GoodFileIsWrittenAndEndsInSuccess)
{
    const int body = 100;
    g_strFirmwarePath = WriteFile("e2e-good.bin", ControllerFile(body));
    ASSERT_TRUE(rig.view->LoadUpdateFile());
    ASSERT_TRUE(rig.view->OpenUsbForUpdate(rig.hid->GetPath()));
    EXPECT_EQ(g_bUpdating, 1);

    // WM_UPDATE_STEP_DONE (57) reaches the view, which closes the link and says so.
    ASSERT_TRUE(PumpUntil([&] { return !rig.messages.Shown().empty(); }));
    const std::vector<ShownMessage> done = {{g_strHexDoneEn, 2000}};
    EXPECT_EQ(rig.messages.Shown(), done);
    EXPECT_EQ(g_bUpdateDone, 1);
    EXPECT_EQ(loader.GetUpdateCount(), 1);
    const Bytes image = McuImage(body);
    EXPECT_EQ(loader.GetMcuStartRecord(), Bytes(image.begin(), image.begin() + 4));
    // The last block is filled with 0xFF to 48 bytes.
    Bytes expectedBody(image.begin() + 4, image.end());
    expectedBody.resize(size_t((body + 47) / 48 * 48), 0xFF);
    EXPECT_EQ(loader.GetMcuBody(), expectedBody);
    EXPECT_EQ(loader.GetStepCount(0x36), 1);
    EXPECT_EQ(loader.GetStepCount(0x39), 1);
    EXPECT_FALSE(rig.view->IsLinked());
    EXPECT_EQ(g_bUpdating, 0);
    EXPECT_EQ(g_nLinkType, 0);
    EXPECT_EQ(g_bUsbOpen, 0);
    EXPECT_FALSE(rig.view->GetCommWorker().HasThread());
    EXPECT_TRUE(ui.m_messages.empty());
}

TEST_F(E2eFirmwareTest, FileWithoutTagIsRefusedAndNothingIsQueued)
{
    g_strFirmwarePath = WriteFile("e2e-bad.bin", Concat({Tag("WMCX"), McuImage(100)}));
    EXPECT_FALSE(rig.view->LoadUpdateFile());
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_EQ(ui.m_messages[0].first, g_strUpdateFileErrorEn);
    EXPECT_EQ(ui.m_messages[0].first, CString("Update file error!"));
    EXPECT_EQ(ui.m_messages[0].second, -3);
    // Closing the link does not empty the queue: a state poll queued just before may still be
    // there. Nothing of the update may be.
    for (int code : rig.TakeQueuedCommandCodes())
        EXPECT_EQ(code, 0) << "a firmware step was queued";
    EXPECT_EQ(rig.view->GetFirmwareUpdate()->GetMcuBytesLeft(), 0);
    EXPECT_EQ(rig.view->GetFirmwareUpdate()->GetDspBytesLeft(), 0);
    EXPECT_EQ(g_bUpdating, 0);
    EXPECT_EQ(loader.GetMode(), CEmuLoader::EMode::Running);
    EXPECT_FALSE(rig.view->IsLinked());
}
