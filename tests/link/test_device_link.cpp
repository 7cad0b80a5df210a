// The link's owner: the three transports stand behind one door, each opened through it against
// the emulated processor's matching door (the in-process HID device, the loopback TCP server,
// the pseudo-terminal), and the worker's exchanges reach the transport of the link type
// through the owner alone, with the change scanner's request coming straight from the scene.
#include "test_net_kit.h"

#include "CKTV_Data.h"
#include "CNet_Socket.h"
#include "DeviceLink.h"
#include "EmuPtyDoor.h"
#include "EmuTcpServer.h"
#include "FrameBuilder.h"
#include "LinkGlobals.h"
#include "LinkState.h"
#include "SceneImage.h"
#include "SerialLink.h"
#include "UsbTestBench.h"

#include <memory>

using namespace netkit;

namespace {

using Bytes = std::vector<BYTE>;

Bytes PollFrame()
{
    std::unique_ptr<CSendData> poll = BuildBlockPacket(BLOCK_STATE_POLL, 0, 0);
    return Bytes(poll->GetData(), poll->GetData() + poll->GetLength());
}

class DeviceLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitAllData();
        g_pCommand = &bench.command;
        g_hMainViewWnd = CUsbTestBench::ViewWnd();
        bench.command.SetNotifyWnd(CUsbTestBench::ViewWnd());
        link.SetSceneData(&scene);
        link.Create(CUsbTestBench::ViewWnd(), &reach, &linked, {});
    }
    void TearDown() override
    {
        for (int type = 1; type <= 3; ++type)
            link.GetTransport(type)->Close();
        link.ShutDown();
        bench.command.RemoveAllSendData();
        g_pCommand = nullptr;
        g_hMainViewWnd = nullptr;
        g_bNetOpen = 0;
        g_nLinkType = 0;
        g_strComPort = "NULL";
    }

    // One pass of the worker's send case, through the owner only.
    void Pass(int type)
    {
        {
            CSingleLock lock(g_csComm);
            if (type == 1)
                link.UsbTransact();
            else
                link.NetTransact();
        }
        link.FinishTransact();
    }

    CUsbTestBench bench{false};
    CKTV_Data scene;
    FakeReachability reach;
    std::atomic<int> linked{1};
    CDeviceLink link{bench.command};
};

}  // namespace

TEST_F(DeviceLinkTest, EachLinkTypeHasItsTransport)
{
    for (int type = 1; type <= 3; ++type) {
        ILinkTransport* t = link.GetTransport(type);
        ASSERT_NE(t, nullptr) << type;
        EXPECT_EQ(t->GetLinkType(), type);
    }
    EXPECT_EQ(link.GetTransport(0), nullptr);
    EXPECT_EQ(link.GetTransport(4), nullptr);
    EXPECT_EQ(link.GetTransport(1), static_cast<ILinkTransport*>(link.GetUsbLink()));
    EXPECT_EQ(link.GetTransport(2), static_cast<ILinkTransport*>(link.GetNetSocket()));
    EXPECT_EQ(link.GetTransport(3), static_cast<ILinkTransport*>(link.GetSerialLink()));
}

TEST_F(DeviceLinkTest, ScannerRequestTravelsThroughEveryDoor)
{
    const Bytes poll = PollFrame();

    {
        SCOPED_TRACE("USB HID: the emulator's in-process device");
        ASSERT_TRUE(link.GetTransport(1)->Open());
        EXPECT_EQ(g_nLinkType, 1);
        Pass(1);  // empty queue: the scene's state poll is queued
        EXPECT_EQ(bench.command.GetSendDataCount(), 1);
        Pass(1);  // carried and answered
        EXPECT_EQ(bench.command.GetSendDataCount(), 0);
        ASSERT_TRUE(bench.emu.WaitForRequests(1, kWaitMs));
        EXPECT_EQ(bench.emu.GetRequestLog().back(), poll);
        link.GetTransport(1)->Close();
        EXPECT_EQ(g_nLinkType, 0);
    }
    {
        SCOPED_TRACE("TCP: the emulator's loopback server");
        CDeviceEmulator emu;
        CEmuTcpServer server(emu);
        ASSERT_TRUE(server.Start(0));
        UseLoopbackDevice(server.GetPort());
        link.GetNetSocket()->m_bReachable = 1;
        ASSERT_TRUE(link.GetTransport(2)->Open());
        g_nLinkType = 2;
        g_bNetOpen = 1;
        Pass(2);
        Pass(2);
        EXPECT_EQ(bench.command.GetSendDataCount(), 0);
        ASSERT_TRUE(emu.WaitForRequests(1, kWaitMs));
        EXPECT_EQ(emu.GetRequestLog().front(), poll);
        link.GetTransport(2)->Close();
        g_bNetOpen = 0;
        server.Stop();
    }
    {
        SCOPED_TRACE("serial: the emulator's pseudo-terminal");
        CDeviceEmulator emu;
        CEmuPtyDoor door(emu);
        ASSERT_TRUE(door.Start());
        g_strComPort = door.GetSlavePath();
        g_nLinkType = 3;
        ASSERT_TRUE(link.GetTransport(3)->Open());
        link.StartWorker(FALSE);  // link type 3: the serial link's own worker
        EXPECT_TRUE(link.GetSerialLink()->IsWorkerRunning());
        EXPECT_FALSE(link.GetCommWorker().HasThread());
        ASSERT_TRUE(emu.WaitForRequests(1, kWaitMs));
        EXPECT_EQ(emu.GetRequestLog().front(), poll);
        link.StopWorker(TRUE);
        link.GetTransport(3)->Close();
        door.Stop();
    }
}
