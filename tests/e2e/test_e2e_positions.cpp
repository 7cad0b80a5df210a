// The output page's speaker types and the view's left/right link against the emulator: the
// frames a strip's type change and the speaker-map reset send, and what the left/right link
// button does with and without left/right pairs.
#include "E2eRig.h"

#include "AppMessages.h"
#include "CAll_Link_Dlg.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "CReMap_Dlg.h"
#include "CWndWidget.h"
#include "Globals.h"
#include "SceneImage.h"
#include "SpeakerTable.h"
#include "SpeakerTypes.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace e2e;

namespace {

// Runs act on the next modal dialog of type T once it shows.
template <typename T>
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(T&)> act)
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this, act] {
            auto* w = dynamic_cast<CWndWidget*>(QApplication::activeModalWidget());
            T* dlg = w ? dynamic_cast<T*>(w->Owner()) : nullptr;
            if (!dlg || m_bDone)
                return;
            m_bDone = true;
            act(*dlg);
        });
        m_poll.start(10);
    }
    bool Done() const { return m_bDone; }

private:
    QTimer m_poll;
    bool m_bDone = false;
};

std::vector<Frame> WithoutSceneName(const std::vector<Frame>& frames)
{
    // A write of the live scene makes it a custom one, whose name the scanner sends later.
    std::vector<Frame> out;
    for (const Frame& f : frames)
        if (!(f.size() > 8 && f[7] == 0x09 && f[8] == 0x00))
            out.push_back(f);
    return out;
}

// The frames other than polls once n of those that `counts` has arrived and a poll came after them.
std::vector<Frame> WaitFrames(LinkRig& rig, size_t n,
                              const std::function<bool(const Frame&)>& counts = [](const Frame&) { return true; })
{
    const Frame poll = PollFrame();
    PumpUntil([&] {
        size_t others = 0;
        bool pollAfter = false;
        for (const Frame& f : rig.emu.GetRequestLog()) {
            if (f == poll)
                pollAfter = others >= n;
            else if (counts(f))
                ++others;
        }
        return others >= n && pollAfter;
    });
    return WithoutSceneName(rig.RequestsWithoutPolls());
}

std::string Head(const Frame& f, size_t n) { return ToHex(Frame(f.begin(), f.begin() + std::min(n, f.size()))); }

int TypeOf(int ch) { return g_bySpeakerType[SPEAKER_CHANNEL_BASE + ch]; }

}  // namespace

TEST(PositionsE2e, StripTypeChangeSendsTheTypesAndThatChannelsCrossover)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    rig.emu.ClearRequestLog();
    // The emulated device keeps types for outputs 1..8 and 10 only (output 9 has none).
    ASSERT_EQ(TypeOf(8), 0);
    // Channel 10 changes from the right subwoofer (23) to the centre full-range speaker (21).
    rig.view->GetOutputPage().SendMessage(WM_STRIP_SPEAKER_TYPE, 9, 21);
    const std::vector<Frame> sent = WaitFrames(rig, 3);
    ASSERT_GE(sent.size(), 3u);
    // Sub-command 6: the types of outputs 1..8; sub-command 7 begins with those of 9 and 10.
    EXPECT_EQ(ToHex(sent[0]), ToHex(DeviceFrame("A1 01 00 09 06 00 00 00 08 00 01 07 02 08 03 09 0F 12")));
    EXPECT_EQ(Head(sent[1], 16), ToHex(Hex("91 91 91 EE A1 01 00 09 07 00 00 00 08 00 00 15")));
    EXPECT_EQ(sent[1].size(), 24u);
    // Record 32 of output 10 with the crossover the new type brings.
    ASSERT_EQ(sent[2].size(), 24u);
    EXPECT_EQ(Head(sent[2], 14), ToHex(Hex("91 91 91 EE A1 01 00 04 09 20 00 00 08 00")));
    Frame record;
    {
        CSingleLock lock(g_csComm);
        const auto frame = rig.scene->GetOutData(9)->PutFiltersRecord(TRUE);
        ASSERT_TRUE(frame && frame->GetLength() == 24);
        record.assign(frame->GetData(), frame->GetData() + 24);
    }
    EXPECT_EQ(ToHex(sent[2]), ToHex(record));
    // Then only the channel's two mix records, which follow the new type.
    for (size_t i = 3; i < sent.size(); ++i) {
        ASSERT_GE(sent[i].size(), 10u);
        EXPECT_EQ(Head(sent[i], 9), ToHex(Hex("91 91 91 EE A1 01 00 04 09"))) << i;
        EXPECT_TRUE(sent[i][9] == 0x21 || sent[i][9] == 0x22) << i;
    }
    EXPECT_EQ(TypeOf(9), 21);
    EXPECT_EQ(g_bySysSpeakerType[9], 21);
    EXPECT_TRUE(rig.view->GetOutputPage().m_btnPosition[2].GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(rig.view->GetOutputPage().m_btnPosition[22].GetStyle() & WS_VISIBLE);
}

TEST(PositionsE2e, MapResetSendsEmptyTwiceAndDefaultOnce)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    struct Case {
        UINT button;
        int batches;  // sub-commands 6, 7 and the ten crossover records, each time
        const char* types1to8;
    };
    const Case cases[] = {
        {IDOK, 2, "00 00 00 00 00 00 00 00"},
        {IDC_REMAP_DEFAULT, 1, "01 07 02 08 03 09 0F 12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        rig.emu.ClearRequestLog();
        ModalAnswer<CReMap_Dlg> answer([&](CReMap_Dlg& dlg) {
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(c.button), BN_CLICKED), 0);
        });
        rig.view->GetOutputPage().OnResetMap();
        ASSERT_TRUE(answer.Done());
        // Mix records follow the types (the scanner sends them after the batches): set aside.
        // The scanner may also send a changed crossover record on its own while the map is
        // rewritten; only the batches, each opened by its sub-command 6 frame, are checked.
        const auto typesOrCrossover = [](const Frame& f) {
            return f.size() > 9 && ((f[7] == 0x09 && f[8] != 0x00) || (f[7] == 0x04 && f[9] == 0x20));
        };
        std::vector<Frame> sent;
        for (const Frame& f : WaitFrames(rig, size_t(12 * c.batches), typesOrCrossover))
            if (typesOrCrossover(f))
                sent.push_back(f);
        std::vector<size_t> starts;
        for (size_t i = 0; i < sent.size(); ++i)
            if (sent[i][7] == 0x09 && sent[i][8] == 0x06)
                starts.push_back(i);
        ASSERT_EQ(starts.size(), size_t(c.batches));
        for (const size_t at : starts) {
            ASSERT_LE(at + 12, sent.size());
            EXPECT_EQ(ToHex(sent[at]), ToHex(DeviceFrame(std::string("A1 01 00 09 06 00 00 00 08 00 ") + c.types1to8)));
            EXPECT_EQ(Head(sent[at + 1], 10), ToHex(Hex("91 91 91 EE A1 01 00 09 07 00")));
            for (int ch = 0; ch < 10; ++ch) {
                char head[64];
                std::snprintf(head, sizeof head, "91 91 91 EE A1 01 00 04 %02X 20", ch);
                EXPECT_EQ(Head(sent[at + 2 + size_t(ch)], 10), ToHex(Hex(head))) << ch;
            }
        }
    }
}

TEST(PositionsE2e, LeftRightLinkWithoutPairsOnlyShowsItsMessage)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    for (int ch = 0; ch < 10; ++ch) {
        ReleaseSpeakerType(TypeOf(ch), ch);
        g_bySpeakerType[SPEAKER_CHANNEL_BASE + ch] = 0;
    }
    rig.messages.Clear();
    rig.emu.ClearRequestLog();
    rig.view->OnLinkLR();
    PumpFor(300);
    EXPECT_EQ(rig.messages.Shown(), (std::vector<ShownMessage>{{"No link L&R output !", -3}}));
    EXPECT_EQ(g_bLRLink, 0);
    EXPECT_EQ(g_bAssignFlag, 0);
    EXPECT_FALSE(rig.view->GetLinkLRButton().GetCheck());
    EXPECT_TRUE(WithoutSceneName(rig.RequestsWithoutPolls()).empty());
}

TEST(PositionsE2e, LeftRightLinkCopiesEachPairsDestinationAndLocksTheTypes)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    struct Case {
        int direction;
        std::vector<int> destinations;
    };
    // The device's map: pairs CH1/CH2, CH3/CH4, CH5/CH6, CH7/CH8 (CH9 has no type).
    ASSERT_EQ(TypeOf(8), 0);
    const Case cases[] = {{0, {1, 3, 5, 7}}, {1, {0, 2, 4, 6}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        rig.emu.ClearRequestLog();
        ModalAnswer<CAll_Link_Dlg> answer([&](CAll_Link_Dlg& dlg) {
            dlg.m_radioLeftToRight.SetCheck(c.direction ? BST_UNCHECKED : BST_CHECKED);
            dlg.m_radioRightToLeft.SetCheck(c.direction ? BST_CHECKED : BST_UNCHECKED);
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        rig.view->OnLinkLR();
        ASSERT_TRUE(answer.Done());
        std::vector<int> blocks;
        PumpUntil([&] {
            blocks.clear();
            for (const Frame& f : rig.RequestsWithoutPolls())
                if (f.size() == 312 && f[7] == 0x04 && f[9] == 0x00)  // a whole output block
                    blocks.push_back(f[8]);
            return blocks.size() >= c.destinations.size();
        });
        EXPECT_EQ(blocks, c.destinations);
        EXPECT_EQ(g_bLRLink, 1);
        EXPECT_EQ(g_bAssignFlag, 1);
        EXPECT_TRUE(rig.view->GetLinkLRButton().GetCheck());
        for (int k = 0; k < 4; ++k)
            EXPECT_TRUE(IsLinkedOutput(2 * k, 2 * k + 1)) << k;
        EXPECT_FALSE(IsLinkedOutput(8, 9));
        for (int ch = 0; ch < 10; ++ch)
            EXPECT_FALSE(rig.view->GetOutputPage().m_strip[ch].m_btnSpeakerType.IsWindowEnabled()) << ch;

        // Pressed again: the link ends, the types are free and every output stands alone.
        rig.view->OnLinkLR();
        EXPECT_EQ(g_bLRLink, 0);
        EXPECT_EQ(g_bAssignFlag, 0);
        EXPECT_FALSE(rig.view->GetLinkLRButton().GetCheck());
        for (int k = 0; k < 4; ++k)
            EXPECT_FALSE(IsLinkedOutput(2 * k, 2 * k + 1)) << k;
        for (int ch = 0; ch < 10; ++ch)
            EXPECT_TRUE(rig.view->GetOutputPage().m_strip[ch].m_btnSpeakerType.IsWindowEnabled()) << ch;
    }
    EXPECT_TRUE(rig.messages.Shown().empty());
}
