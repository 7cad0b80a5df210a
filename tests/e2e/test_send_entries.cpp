// The view's send entry points, each against a linked device: the exact frames that reach the
// device, in order, byte for byte (long block writes by their header, length and check byte),
// and what the device holds afterwards where the frames wrote something.
#include "E2eRig.h"

#include "CDisplayDlg.h"
#include "CKTV_OutData.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "SceneImage.h"
#include "ShellGlobals.h"
#include "SpeakerTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace e2e;

namespace {

// One expected frame: the whole frame as hex, or (length > 0) its first bytes and its length.
struct ExpectedFrame {
    std::string hex;
    size_t length = 0;
};

// A whole frame from its fields (command byte to last payload byte).
ExpectedFrame Full(const std::string& fields) { return {ToHex(DeviceFrame(fields)), 0}; }
// A long frame: preamble and the fields given, then payload up to length bytes in all.
ExpectedFrame Long(const std::string& fields, size_t length) { return {ToHex(Hex("91 91 91 EE " + fields)), length}; }

// System sub-command 5 with the master output switch (byte 4 of the parameters) as given; the
// device's master level is 60 (3C) and its other parameters 0.
ExpectedFrame MasterSwitch(int on)
{
    return Full(std::string("A1 01 00 09 05 00 00 00 08 00 3C 00 00 00 00 00 ") + (on ? "01" : "00") + " 00");
}
// The level record of output 4 (on, 0 dB, no speaker type from the device) with the on/off
// byte as given.
ExpectedFrame Output4Level(int on)
{
    return Full(std::string("A1 01 00 04 04 1F 00 00 08 00 ") + (on ? "01" : "00") + " 00 58 02 00 00 00 00");
}
// Record 31 of music input 1 (EQ mode 1) with the on/off byte as given.
ExpectedFrame Input1Volume(int on)
{
    return Full(std::string("A1 01 00 03 01 1F 00 00 08 00 00 00 01 ") + (on ? "01" : "00") + " 00 00 00 00");
}
// The whole 296-byte block of an output, addressed to a scene; linked: the output shares its
// link group with another.
ExpectedFrame OutputBlock(int scene, int ch, int linked = 0)
{
    char fields[64];
    std::snprintf(fields, sizeof fields, "A1 01 %02X 04 %02X 00 %02X 00 28 01", scene, ch, linked);
    return Long(fields, 312);
}

struct SendCase {
    const char* name;
    std::function<void(CKRV330View&)> call;
    std::vector<ExpectedFrame> frames;
    int batchCount = -1;  // the view's batch count afterwards; -1: not a counted batch
};

// An 8-byte system window of sub-command cmd (its bytes follow the device's state).
ExpectedFrame SystemWindow(int cmd)
{
    char fields[48];
    std::snprintf(fields, sizeof fields, "A1 01 00 09 %02X 00 00 00 08 00", cmd);
    return Long(fields, 24);
}
// The 16-byte name write of scene s.
ExpectedFrame SceneName(int scene)
{
    char fields[48];
    std::snprintf(fields, sizeof fields, "A1 01 %02X 09 00 00 00 00 10 00", scene);
    return Long(fields, 32);
}

bool CheckByteAndEndHold(const Frame& f)
{
    if (f.size() < 6 || f.back() != 0xAA)
        return false;
    BYTE x = 0;
    for (size_t i = 4; i + 2 < f.size(); ++i)
        x ^= f[i];
    return x == f[f.size() - 2];
}

void ExpectFrames(const std::vector<Frame>& sent, const std::vector<ExpectedFrame>& expected)
{
    ASSERT_GE(sent.size(), expected.size());
    // A whole-block write of the live image makes the live scene a custom one, whose name the
    // change scanner sends after the entry point's frames.
    const Frame custom = DeviceFrame("A1 01 00 09 00 00 00 00 10 00 43 75 73 74 6F 6D 00*10");
    for (size_t i = expected.size(); i < sent.size(); ++i)
        EXPECT_EQ(ToHex(sent[i]), ToHex(custom)) << "request " << i;
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        if (expected[i].length == 0) {
            EXPECT_EQ(ToHex(sent[i]), expected[i].hex);
            continue;
        }
        EXPECT_EQ(sent[i].size(), expected[i].length);
        EXPECT_EQ(ToHex(sent[i]).substr(0, expected[i].hex.size()), expected[i].hex);
        EXPECT_TRUE(CheckByteAndEndHold(sent[i]));
    }
}

// Waits until n requests other than polls have reached the device and a poll came after them.
bool WaitForRequests(LinkRig& rig, size_t n)
{
    const Frame poll = PollFrame();
    return PumpUntil([&] {
        const std::vector<Frame> log = rig.emu.GetRequestLog();
        size_t others = 0;
        bool pollAfter = false;
        for (const Frame& f : log) {
            if (f == poll) {
                pollAfter = others >= n;
            } else {
                ++others;
            }
        }
        return others >= n && pollAfter && !g_bTransferBusy;
    });
}

}  // namespace

TEST(SendEntries, EachEntryPointSendsItsFramesInOrder)
{
    const SendCase cases[] = {
        {"master output held around a transfer",
         [](CKRV330View& v) {
             CSingleLock lock(g_csComm);
             v.HoldSystemOutput(FALSE);
             v.HoldSystemOutput(TRUE);
         },
         {MasterSwitch(0), MasterSwitch(1)}},
        {"system sub-command",
         [](CKRV330View& v) { v.SendCommand(SYS_SCENE_SELECT, 0); },
         {Full("A1 01 00 09 34 00 00 00 01 00 00")}},
        {"scene name and no scene in use after a delete",
         [](CKRV330View& v) { v.SendSceneNameAndDeselect(2); },
         {Long("A1 01 02 09 00 00 00 00 10 00", 32), Full("A1 01 00 09 34 00 00 00 01 00 00")}},
        {"output re-sent switched off",
         [](CKRV330View& v) { v.SendOutputChannelMuted(4); },
         {Output4Level(0), OutputBlock(0, 4), Output4Level(1)}},
        {"output re-sent under the caller's lock",
         [](CKRV330View& v) {
             CSingleLock lock(g_csComm);
             v.SendOutputLevelMuted(4);
             v.SendOutputChannelMutedNoLock(4);
         },
         {Output4Level(0), Output4Level(0), OutputBlock(0, 4), Output4Level(1)}},
        {"input re-sent switched off inside the master mute",
         [](CKRV330View& v) {
             {
                 CSingleLock lock(g_csComm);
                 v.GetSceneData()->GetMusicData(1)->SetOn(1);
                 v.GetSceneData()->GetMusicData(1)->SetVolumeModified(0);
             }
             v.SendInputChannelMuted(1);
         },
         {MasterSwitch(0), Input1Volume(0), Long("A1 01 00 03 01 00 00 00 20 01", 304), Input1Volume(1),
          MasterSwitch(1)}},
        {"copy of an output's equaliser and level",
         [](CKRV330View& v) {
             CSingleLock lock(g_csComm);
             v.CopyOutputSettings(4, 5);
         },
         {OutputBlock(0, 5)}},
        {"equaliser grid reset of the current output",
         [](CKRV330View& v) {
             g_nCurOutput = 2;
             v.ResetOutputEqFrequencies();
         },
         {MasterSwitch(0), OutputBlock(0, 2), MasterSwitch(1)}},
        {"recall of a stored scene",
         [](CKRV330View& v) { v.RecallScene(3); },
         [] {
             std::vector<ExpectedFrame> f = {MasterSwitch(0)};
             for (int ch = 0; ch < 10; ++ch)
                 f.push_back(Full("A2 01 03 04 0" + std::to_string(ch) + " 00 00 00 08 00 00*8"));
             f.push_back(Long("A1 01 00 09 00 00 00 00 10 00", 32));
             f.push_back(MasterSwitch(1));
             return f;
         }(),
         10},
        {"live scene written to a stored scene",
         [](CKRV330View& v) { v.WriteSceneToDevice(3, FALSE); },
         [] {
             std::vector<ExpectedFrame> f = {MasterSwitch(0), Long("A1 01 03 09 00 00 00 00 10 00", 32)};
             for (int ch = 0; ch < 10; ++ch)
                 f.push_back(OutputBlock(3, ch));
             f.push_back(MasterSwitch(1));
             return f;
         }(),
         11},
        {"live scene packed and written under the caller's lock",
         [](CKRV330View& v) {
             CSingleLock lock(g_csComm);
             v.WriteSceneToDevice(0, TRUE);
         },
         [] {
             std::vector<ExpectedFrame> f = {SceneName(0), SceneName(0), Full("A1 01 00 09 34 00 00 00 01 00 00")};
             for (int ch = 0; ch < 10; ++ch)
                 f.push_back(OutputBlock(0, ch));
             return f;
         }(),
         13},
        {"live scene and the six stored scenes",
         [](CKRV330View& v) {
             CSingleLock lock(g_csComm);
             v.WriteAllScenesToDevice();
         },
         [] {
             std::vector<ExpectedFrame> f = {MasterSwitch(0), SystemWindow(6), SystemWindow(7)};
             for (int ch = 0; ch < 10; ++ch)
                 f.push_back(OutputBlock(0, ch));
             for (int s = 1; s <= 6; ++s) {
                 f.push_back(SceneName(s));
                 for (int ch = 0; ch < 10; ++ch)
                     f.push_back(OutputBlock(s, ch));
             }
             // The saved master switch goes back with sub-command 5 between 2 and 8.
             f.push_back(SystemWindow(2));
             f.push_back(MasterSwitch(1));
             f.push_back(SystemWindow(8));
             return f;
         }(),
         76},
        {"speaker types of every output",
         [](CKRV330View& v) { v.SendSpeakerTypes(0, TRUE); },
         [] {
             std::vector<ExpectedFrame> f = {SystemWindow(6), SystemWindow(7)};
             for (int ch = 0; ch < 10; ++ch) {
                 char fields[48];
                 std::snprintf(fields, sizeof fields, "A1 01 00 04 %02X 20", ch);
                 f.push_back(Long(fields, 24));
             }
             return f;
         }()},
        {"copy of a whole output channel",
         [](CKRV330View& v) {
             CSingleLock lock(g_csComm);
             v.CopyOutputChannel(4, 6);
         },
         {OutputBlock(0, 6)}},
        {"input equaliser grid reset inside the master mute",
         [](CKRV330View& v) { v.ResetInputEqFrequencies(2); },
         {MasterSwitch(0), Long("A1 01 00 03 02 00 00 00 20 01", 304), MasterSwitch(1)}},
        {"left outputs copied to their right partners",
         [](CKRV330View& v) {
             g_arLeftRightPair[0] = {2, 3, 1};
             g_arLeftRightPair[1] = {6, 7, 0};  // not in use: not copied
             g_arLeftRightPair[2] = {8, 9, 1};
             g_nCurOutput = 9;
             EXPECT_TRUE(v.CopyPairedChannels(0));
             EXPECT_EQ(g_nLinkGroup[3], 2);
             EXPECT_EQ(g_nLinkGroup[9], 8);
             EXPECT_EQ(g_nLinkGroup[7], 7);
             g_nCurOutput = 0;
             EXPECT_FALSE(v.CopyPairedChannels(1));
             EXPECT_EQ(g_nLinkGroup[2], 3);
             for (SpeakerPair& p : g_arLeftRightPair)
                 p = {0, 0, 0};
         },
         // Right to left leaves 2 and 8 in groups no other output shares.
         {OutputBlock(0, 3, 1), OutputBlock(0, 9, 1), OutputBlock(0, 2), OutputBlock(0, 8)}},
    };

    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    for (const SendCase& c : cases) {
        SCOPED_TRACE(c.name);
        // The previous case's block writes make the live scene "Custom", and the window asks for
        // its name once more when it handles the scanner's notice: wait until nothing more comes
        // before clearing the log.
        ASSERT_TRUE(rig.WaitSettled());
        rig.emu.ClearRequestLog();
        c.call(*rig.view);
        ASSERT_TRUE(WaitForRequests(rig, c.frames.size()));
        ExpectFrames(rig.RequestsWithoutPolls(), c.frames);
        if (c.batchCount >= 0) {
            EXPECT_EQ(rig.view->GetBatchCount(), c.batchCount);
        }
        // The outputs are never left muted.
        EXPECT_EQ(g_bySysParams[4], 1);
    }
    EXPECT_TRUE(rig.messages.Shown().empty());
}

TEST(SendEntries, SceneWriteReachesTheStoredSceneAndDrivesThePopup)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    ASSERT_TRUE(PumpUntil([] { return !g_pDisplayDlg->IsWindowVisible(); }));
    rig.view->WriteSceneToDevice(5, FALSE);
    // Mode 1: the preset dialog (none open here) waits, not the view.
    EXPECT_TRUE(g_pDisplayDlg->IsWindowVisible());
    EXPECT_TRUE(rig.view->IsWindowEnabled());
    EXPECT_EQ(g_bTransferBusy, 1);
    EXPECT_EQ(rig.view->GetBatchCount(), 11);
    EXPECT_EQ(g_pProgress->GetUpper(), 11);
    ASSERT_TRUE(WaitForRequests(rig, 14));
    ASSERT_TRUE(PumpUntil([] { return !g_pDisplayDlg->IsWindowVisible(); }));
    EXPECT_EQ(g_byCurScene, 5);
    const std::vector<BYTE> stored = rig.emu.GetScene(5);
    for (int ch = 0; ch < OUTPUT_CHANNELS; ++ch) {
        SCOPED_TRACE(ch);
        EXPECT_EQ(std::memcmp(stored.data() + BlockOffset(BLOCK_OUTPUT, ch), g_Scene + BlockOffset(BLOCK_OUTPUT, ch),
                              OUTPUT_BLOCK_SIZE),
                  0);
    }
}

TEST(SendEntries, NothingIsQueuedWhileNotLinked)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.hid->Unplug();
    rig.Start();
    PumpFor(100);
    ASSERT_FALSE(rig.view->IsLinked());
    const std::function<void(CKRV330View&)> calls[] = {
        [](CKRV330View& v) { v.SendCommand(SYS_WIFI_DEFAULT, 0); },
        [](CKRV330View& v) { v.SendSceneNameAndDeselect(1); },
        [](CKRV330View& v) { v.SendOutputChannelMuted(0); },
        [](CKRV330View& v) { v.SendInputChannelMuted(0); },
        [](CKRV330View& v) { v.WriteSceneToDevice(0, FALSE); },
        [](CKRV330View& v) {
            CSingleLock lock(g_csComm);
            v.CopyOutputSettings(0, 1);
            v.WriteAllScenesToDevice();
        },
    };
    for (const auto& call : calls) {
        call(*rig.view);
        EXPECT_EQ(rig.QueuedCount(), 0);
        EXPECT_EQ(g_bTransferBusy, 0);
        EXPECT_FALSE(g_pDisplayDlg->IsWindowVisible());
    }
    EXPECT_TRUE(rig.messages.Shown().empty());
}
