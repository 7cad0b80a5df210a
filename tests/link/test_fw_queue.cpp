// The order of the update frames, their bytes and their progress indices, for the three kinds
// of update file. The queue is emptied as the loader would answer, and refilled as the write
// loops do when it runs empty.
#include "test_fw_kit.h"
#include "test_net_kit.h"

#include "CKTVCommand.h"
#include "CNet_Socket.h"
#include "FirmwarePackets.h"
#include "FirmwareState.h"
#include "FirmwareUpdate.h"
#include "Globals.h"
#include "ModelUi.h"
#include "UsbLink.h"

#include <map>

using namespace fwkit;

namespace {

struct Item {
    int step;
    int index;
    Bytes frame;
};

// XOR of frame bytes 4 .. length-3, worked out here apart from the program's frame builder.
BYTE FrameXor(const Bytes& f)
{
    BYTE x = 0;
    for (size_t i = 4; i + 2 < f.size(); ++i)
        x ^= f[i];
    return x;
}

// A step frame as it must be: write, address 1, scene 0, type 9, step, 0, 0, 0, N, payload.
Bytes ExpectedFrame(int step, const Bytes& payload)
{
    Bytes f = {0x91, 0x91, 0x91, 0xEE, 0xA1, 0x01, 0x00, 0x09, BYTE(step), 0x00, 0x00, 0x00,
               BYTE(payload.size()), BYTE(payload.size() >> 8)};
    f.insert(f.end(), payload.begin(), payload.end());
    f.push_back(0);
    f.push_back(0xAA);
    f[f.size() - 2] = FrameXor(f);
    return f;
}

class FirmwareQueueTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_update.EndUpdate();
        m_command.RemoveAllSendData();
        g_strFirmwarePath.clear();
    }

    std::vector<Item> LoadAndDrain(const Bytes& file)
    {
        g_strFirmwarePath = WriteFile("queue.bin", file);
        EXPECT_TRUE(m_update.LoadUpdateFile());
        std::vector<Item> items;
        for (int calls = 0; calls < 20000; ++calls) {
            m_update.QueueNextFirmwarePackets();
            if (m_command.GetSendDataCount() == 0)
                break;
            while (const CSendData* head = m_command.GetCurSendData()) {
                items.push_back({head->GetCommand(), head->GetIndex(),
                                 Bytes(head->GetData(), head->GetData() + head->GetLength())});
                m_command.RemoveCurSendData();
            }
        }
        return items;
    }

    static std::vector<int> Steps(const std::vector<Item>& items)
    {
        std::vector<int> out;
        for (const Item& i : items)
            out.push_back(i.step);
        return out;
    }

    CModelUiRecorder m_ui;
    CKTVCommand m_command;
    netkit::FakeReachability m_reach;
    CNet_Socket m_net{&m_reach};
    CUsbLink m_usb{m_command};
    CFirmwareUpdate m_update{m_command, m_usb, m_net};
};

}  // namespace

TEST_F(FirmwareQueueTest, SmallestControllerFileGivesFiveExactItems)
{
    // 52 bytes: tag, start record, 44 body bytes.
    const Bytes file = ControllerFile(44);
    ASSERT_EQ(file.size(), 52u);
    const Bytes body(file.begin() + 8, file.end());
    const std::vector<Item> items = LoadAndDrain(file);
    ASSERT_EQ(Steps(items), (std::vector<int>{0xFF, 0x36, 0x37, 0x38, 0x39}));

    Bytes loader;
    for (int i = 0; i < 24; ++i)
        loader.insert(loader.end(), {0x43, 0x11});
    EXPECT_EQ(items[0].frame, ExpectedFrame(0xFF, loader));
    EXPECT_EQ(items[1].frame, ExpectedFrame(0x36, Bytes(16, 0)));
    EXPECT_EQ(items[2].frame, ExpectedFrame(0x37, {44, 0, 0, 0}));
    Bytes block = body;
    block.resize(48, 0xFF);  // the last block is filled with 0xFF
    EXPECT_EQ(items[3].frame, ExpectedFrame(0x38, block));
    EXPECT_EQ(items[4].frame, ExpectedFrame(0x39, {CheckOf(body)}));
    EXPECT_EQ(items[0].frame.size(), 64u);
    EXPECT_EQ(items[1].frame.size(), 32u);
    EXPECT_EQ(items[2].frame.size(), 20u);
    EXPECT_EQ(items[3].frame.size(), 64u);
    EXPECT_EQ(items[4].frame.size(), 17u);

    // Loader entry 0; one call queued apply, start and the block (1, 2, 3); the end shares
    // the index of the item before it.
    std::vector<int> indices;
    for (const Item& i : items)
        indices.push_back(i.index);
    EXPECT_EQ(indices, (std::vector<int>{0, 1, 2, 3, 3}));
}

TEST_F(FirmwareQueueTest, FullFileSendsApplyOnceAndNoEndBetweenItsParts)
{
    const std::vector<Item> items = LoadAndDrain(FullFile(100));
    std::map<int, int> count;
    for (const Item& i : items)
        ++count[i.step];
    EXPECT_EQ(count[0xFF], 1);
    EXPECT_EQ(count[0x36], 1);
    EXPECT_EQ(count[0x3A], 1);
    EXPECT_EQ(count[0x3B], 5958);
    EXPECT_EQ(count[0x37], 1);
    EXPECT_EQ(count[0x38], 3);  // 100 body bytes
    EXPECT_EQ(count[0x39], 1);
    ASSERT_EQ(items.size(), 1u + 1 + 1 + 5958 + 1 + 3 + 1);
    EXPECT_EQ((std::vector<int>{items[1].step, items[2].step, items[3].step}), (std::vector<int>{0x36, 0x3A, 0x3B}));

    // DSP blocks: consecutive addresses, 44 image bytes each; the last has 35 and zero fill.
    const Bytes dsp = DspImage();
    for (int b = 0; b < 5958; ++b) {
        const Item& item = items[size_t(3 + b)];
        ASSERT_EQ(item.step, 0x3B);
        const DWORD address = DWORD(b * 44);
        Bytes payload = {BYTE(address), BYTE(address >> 8), BYTE(address >> 16), BYTE(address >> 24)};
        const size_t take = b < 5957 ? 44 : 35;
        payload.insert(payload.end(), dsp.begin() + long(address), dsp.begin() + long(address + take));
        payload.resize(48, 0);
        ASSERT_EQ(item.frame, ExpectedFrame(0x3B, payload)) << "block " << b;
        ASSERT_EQ(item.index, b == 0 ? 3 : 1);
    }
    // The controller part follows at once with its start record.
    EXPECT_EQ(items[3 + 5958].step, 0x37);
    EXPECT_EQ(items[3 + 5958].frame, ExpectedFrame(0x37, {100, 0, 0, 0}));
    EXPECT_EQ(items.back().frame, ExpectedFrame(0x39, {CheckOf(Pattern(100, 5))}));
}

TEST_F(FirmwareQueueTest, DspOnlyFileEndsItsDspPartWithTheImageCheck)
{
    const std::vector<Item> items = LoadAndDrain(FullFile(0));
    ASSERT_EQ(items.size(), 1u + 1 + 1 + 5958 + 1);
    EXPECT_EQ(items[items.size() - 2].step, 0x3B);
    EXPECT_EQ(items.back().frame, ExpectedFrame(0x39, {CheckOf(DspImage())}));
    EXPECT_EQ(items.back().index, items[items.size() - 2].index);
    EXPECT_NE(items.back().index, 0) << "the end step must move the bar";
}

TEST_F(FirmwareQueueTest, EndedUpdateQueuesNothingAndItsStepIsIdle)
{
    g_strFirmwarePath = WriteFile("end.bin", ControllerFile(500));
    ASSERT_TRUE(m_update.LoadUpdateFile());
    m_update.QueueNextFirmwarePackets();
    m_command.RemoveAllSendData();
    g_nFirmwareStep = 0x38;

    m_update.EndUpdate();
    EXPECT_EQ(g_nFirmwareStep, FIRMWARE_STEP_IDLE);
    EXPECT_EQ(g_bUpdating, 0);
    m_update.QueueNextFirmwarePackets();
    EXPECT_EQ(m_command.GetSendDataCount(), 0);

    g_nFirmwareStep = 0x36;
    ResetFirmwareStep();  // a link opened for normal work
    EXPECT_EQ(g_nFirmwareStep, FIRMWARE_STEP_IDLE);
}
