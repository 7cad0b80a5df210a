// The transfer popup: what it disables and re-enables, its texts in both languages, the blink
// while the work runs, hiding on the first tick after the work, the factory-reset steps, and
// the keys and close requests it ignores. Ticks are given as WM_TIMER 8 directly, with the
// popup's own timer stopped, so no test waits for the clock.
#include "CAdv_Seting.h"
#include "CDisplayDlg.h"
#include "Globals.h"
#include "ShellGlobals.h"
#include "TopMost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

bool PumpUntil(const std::function<bool()>& done, int limitMs = 10000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limitMs)
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A main frame with the view inside it, a preset dialog and an advanced-settings dialog, and
// the popup made the way the view makes it.
class DisplayDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(40, 30, 1040, 730), nullptr, 0));
        ASSERT_TRUE(view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1000, 700), &frame, 59648));
        ASSERT_TRUE(preset.CreateEx(0, nullptr, "preset", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300), &frame, 0));
        ASSERT_TRUE(advanced.CreateEx(0, nullptr, "adv", WS_POPUP | WS_VISIBLE, CRect(120, 120, 420, 320), &frame, 0));
        popup = std::make_unique<CDisplayDlg>(&view);
        ASSERT_TRUE(popup->CreatePopup());
        g_pDisplayDlg = popup.get();
        g_bTransferBusy = 0;
    }
    void TearDown() override
    {
        popup.reset();
        g_pProgramDlg = nullptr;
        g_pAdvSetingDlg = nullptr;
        g_bTransferBusy = 0;
        g_bChinese = 0;
    }
    // Shows the popup and takes its ticks over.
    void Show(int nMode)
    {
        popup->ShowProgress(nMode);
        EXPECT_TRUE(popup->KillTimer(DISPLAY_TIMER));  // ShowProgress started the tick
    }
    void Tick() { popup->SendMessage(WM_TIMER, DISPLAY_TIMER); }
    bool Shown() const { return popup->IsWindowVisible() != FALSE; }
    CString Text() const { return popup->m_stText.GetWindowText(); }

    CWnd frame, view, preset;
    CAdv_Seting advanced;  // its window only: the dialog's own set-up never runs here
    std::unique_ptr<CDisplayDlg> popup;
};

}  // namespace

TEST_F(DisplayDlgTest, CreatedHiddenWithItsControls)
{
    EXPECT_FALSE(Shown());
    EXPECT_EQ(popup->m_stText.GetDlgCtrlID(), int(IDC_DISPLAY_TEXT));
    EXPECT_EQ(popup->m_progress.GetDlgCtrlID(), int(IDC_DISPLAY_PROGRESS));
    EXPECT_EQ(popup->m_pParent, &view);
    EXPECT_EQ(popup->m_strTextCn, "数据正在传输中");
    EXPECT_EQ(popup->m_strTextEn, "Data transmission");
    EXPECT_EQ(popup->m_nMode, 0);
    EXPECT_EQ(popup->m_bFactory, 0);
    EXPECT_EQ(popup->m_stText.GetTextColor(), DISPLAY_TEXT_NAVY);
    EXPECT_EQ(popup->m_stText.GetFontSize(), 18);
    EXPECT_TRUE(view.IsWindowEnabled());
    CRect text, bar;
    popup->m_stText.GetWindowRect(&text);
    popup->m_progress.GetWindowRect(&bar);
    EXPECT_LT(text.bottom, bar.top);  // the text line above the bar, same width
    EXPECT_EQ(text.Width(), bar.Width());
    // A caption, but no close box to press.
    const Qt::WindowFlags f = popup->GetWidget()->windowFlags();
    EXPECT_FALSE(f & Qt::FramelessWindowHint);
    EXPECT_TRUE(f & Qt::CustomizeWindowHint);
    EXPECT_FALSE(f & Qt::WindowCloseButtonHint);
}

TEST_F(DisplayDlgTest, ShowsTopmostCentredAndDisablesTheWindowOfTheWork)
{
    struct Case {
        int mode;
        bool factory;
        bool presetOpen;
        bool advancedSet;
        bool viewDisabled;
        bool presetDisabled;
        bool advancedDisabled;
    };
    const Case cases[] = {
        {0, false, true, true, true, false, false},   // the main view's own work
        {1, false, true, true, false, true, false},   // a transfer from the preset dialog
        {1, false, false, false, false, false, false}, // no preset dialog open: nothing
        {1, true, true, true, false, false, true},    // the Wi-Fi reset of the advanced dialog
        {1, true, true, false, false, false, false},  // advanced dialog never opened
        {0, true, true, true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " factory " << c.factory << " preset "
                                        << c.presetOpen << " advanced " << c.advancedSet);
        g_pProgramDlg = c.presetOpen ? &preset : nullptr;
        g_pAdvSetingDlg = c.advancedSet ? &advanced : nullptr;
        if (c.factory)
            popup->SetFactoryMode();
        g_bTransferBusy = 1;
        Show(c.mode);
        EXPECT_TRUE(Shown());
        EXPECT_TRUE(IsWindowTopMost(popup.get()));
        EXPECT_EQ(popup->m_nMode, c.mode);
        EXPECT_EQ(!view.IsWindowEnabled(), c.viewDisabled);
        EXPECT_EQ(!preset.IsWindowEnabled(), c.presetDisabled);
        EXPECT_EQ(!advanced.IsWindowEnabled(), c.advancedDisabled);
        CRect rcPopup, rcFrame;
        popup->GetWindowRect(&rcPopup);
        frame.GetWindowRect(&rcFrame);
        EXPECT_LE(std::abs(rcPopup.CenterPoint().x - rcFrame.CenterPoint().x), 1);
        EXPECT_LE(std::abs(rcPopup.CenterPoint().y - rcFrame.CenterPoint().y), 1);

        popup->HideProgress();
        EXPECT_FALSE(Shown());
        EXPECT_TRUE(view.IsWindowEnabled());
        EXPECT_TRUE(preset.IsWindowEnabled());
        EXPECT_TRUE(advanced.IsWindowEnabled());
        EXPECT_EQ(popup->m_nMode, 0);
        EXPECT_EQ(popup->m_bFactory, 0);
        EXPECT_FALSE(popup->KillTimer(DISPLAY_TIMER));
    }
}

TEST_F(DisplayDlgTest, TextsAndCaptionFollowTheLanguageAndTheKindOfWork)
{
    struct Case {
        BOOL chinese;
        bool factory;
        const char* text;
        const char* caption;
        const char* endText;
    };
    const Case cases[] = {
        {FALSE, false, "Data transmission", "Data transmission", "End of data transmission"},
        {TRUE, false, "数据正在传输中", "数据传输", "数据传输结束"},
        {FALSE, true, "Load factory defaults", "Advanced", "Load factory default success"},
        {TRUE, true, "正在恢复出厂设置", "高级", "恢复出厂设置成功"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "chinese " << c.chinese << " factory " << c.factory);
        g_bChinese = c.chinese;
        if (c.factory)
            popup->SetFactoryMode();
        g_bTransferBusy = 1;
        Show(1);
        EXPECT_EQ(Text(), c.text);
        EXPECT_EQ(popup->GetWindowText(), c.caption);
        g_bTransferBusy = 0;
        for (int i = 0; i < 40 && Shown(); ++i)
            Tick();
        EXPECT_FALSE(Shown());
        EXPECT_EQ(Text(), c.endText);
    }
}

TEST_F(DisplayDlgTest, BlinksNavyAndRedWhileBusyThenHidesOnTheNextTick)
{
    g_bTransferBusy = 1;
    Show(0);
    // The phase starts at 0, so the first tick turns it to 1: navy, then red, navy, ...
    for (int i = 0; i < 6; ++i) {
        Tick();
        EXPECT_EQ(popup->m_bBlink, i % 2 == 0 ? 1 : 0);
        EXPECT_EQ(popup->m_stText.GetTextColor(), i % 2 == 0 ? DISPLAY_TEXT_NAVY : DISPLAY_TEXT_RED);
        EXPECT_TRUE(Shown());
        EXPECT_FALSE(view.IsWindowEnabled());
    }
    g_bTransferBusy = 0;
    Tick();
    EXPECT_FALSE(Shown());
    EXPECT_TRUE(view.IsWindowEnabled());
}

TEST_F(DisplayDlgTest, BatchDoneWithinOnePeriodHidesOnTheFirstTick)
{
    g_pProgramDlg = &preset;
    Show(1);
    EXPECT_FALSE(preset.IsWindowEnabled());
    Tick();  // g_bTransferBusy was 0 all along
    EXPECT_FALSE(Shown());
    EXPECT_TRUE(preset.IsWindowEnabled());
}

TEST_F(DisplayDlgTest, ItsOwnTimerBlinksAndHidesIt)
{
    g_bTransferBusy = 1;
    popup->ShowProgress(0);
    const COLORREF start = popup->m_stText.GetTextColor();
    EXPECT_TRUE(PumpUntil([&] { return popup->m_stText.GetTextColor() != start; }));
    EXPECT_TRUE(Shown());
    g_bTransferBusy = 0;
    EXPECT_TRUE(PumpUntil([&] { return !Shown(); }));
    EXPECT_TRUE(view.IsWindowEnabled());
}

TEST_F(DisplayDlgTest, FactoryModeCreepsToTheEndAndHoldsTheFullBar)
{
    g_pAdvSetingDlg = &advanced;
    popup->SetFactoryMode();
    EXPECT_EQ(popup->m_progress.GetRangeUpper(), DISPLAY_FACTORY_RANGE);
    EXPECT_EQ(popup->m_progress.GetPos(), 0);
    g_bTransferBusy = 1;
    Show(1);
    for (int i = 1; i <= 108; ++i) {
        Tick();
        ASSERT_EQ(popup->m_progress.GetPos(), i);  // one step a tick
    }
    for (int i = 0; i < 50; ++i)
        Tick();
    EXPECT_EQ(popup->m_progress.GetPos(), 108);  // never full while the work runs
    EXPECT_TRUE(Shown());

    g_bTransferBusy = 0;
    Tick();
    EXPECT_EQ(popup->m_progress.GetPos(), DISPLAY_FACTORY_RANGE);  // the jump to the end
    int ticksFull = 0;
    while (Shown() && ticksFull < 100) {
        Tick();
        ++ticksFull;
    }
    // 110 .. 121 counted, then hidden: twelve more ticks of 200 ms, about 2.4 s of a full bar.
    EXPECT_EQ(ticksFull, 12);
    EXPECT_EQ(Text(), "Load factory default success");
    EXPECT_TRUE(advanced.IsWindowEnabled());
    EXPECT_EQ(popup->m_bFactory, 0);
}

TEST_F(DisplayDlgTest, FactoryWorkEndingEarlyStillShowsTheFullBar)
{
    popup->SetFactoryMode();
    g_bTransferBusy = 1;
    Show(1);
    for (int i = 0; i < 5; ++i)
        Tick();
    EXPECT_EQ(popup->m_progress.GetPos(), 5);
    g_bTransferBusy = 0;
    Tick();
    EXPECT_EQ(popup->m_progress.GetPos(), DISPLAY_FACTORY_RANGE);
    EXPECT_TRUE(Shown());
}

TEST_F(DisplayDlgTest, CloseEnterAndEscDoNotCloseIt)
{
    g_bTransferBusy = 1;
    Show(0);
    popup->SendMessage(WM_CLOSE);
    EXPECT_TRUE(Shown());
    popup->SendMessage(WM_COMMAND, IDOK);
    popup->SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_TRUE(Shown());
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter}) {
        for (QWidget* target : {popup->GetWidget(), popup->m_stText.GetWidget()}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(target, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
            QApplication::sendEvent(target, &release);
        }
    }
    EXPECT_TRUE(Shown());
    EXPECT_FALSE(view.IsWindowEnabled());
}

TEST_F(DisplayDlgTest, KeysGoOnToTheWindowTheyWereMeantFor)
{
    // A control of the popup still hears its keys: the popup swallows none of them.
    struct CKeyLog : public CWnd {
        std::vector<UINT> keys;
        void OnKeyDown(UINT nChar, UINT, UINT) override { keys.push_back(nChar); }
    } child;
    ASSERT_TRUE(child.Create(nullptr, "keys", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), popup.get(), 4000));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_A}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(child.GetWidget(), &press);
    }
    EXPECT_EQ(child.keys, (std::vector<UINT>{VK_RETURN, VK_ESCAPE, 'A'}));
}

TEST_F(DisplayDlgTest, EverythingItDisabledComesBackEvenWhenTheModeChangedMeanwhile)
{
    g_pProgramDlg = &preset;
    g_bTransferBusy = 1;
    Show(1);
    Show(0);  // a second transfer from the view before the first one was over
    EXPECT_FALSE(preset.IsWindowEnabled());
    EXPECT_FALSE(view.IsWindowEnabled());
    g_pProgramDlg = nullptr;  // the preset dialog let go of its pointer meanwhile
    popup->HideProgress();
    EXPECT_TRUE(preset.IsWindowEnabled());
    EXPECT_TRUE(view.IsWindowEnabled());
}

TEST_F(DisplayDlgTest, AWindowThatWentMeanwhileIsSkipped)
{
    auto transient = std::make_unique<CWnd>();
    ASSERT_TRUE(transient->CreateEx(0, nullptr, "preset", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), &frame, 0));
    g_pProgramDlg = transient.get();
    Show(1);
    EXPECT_FALSE(transient->IsWindowEnabled());
    transient.reset();
    g_pProgramDlg = nullptr;
    popup->HideProgress();  // must not touch the object that is gone
    EXPECT_FALSE(Shown());
}

TEST_F(DisplayDlgTest, GoingAwayGivesBackWhatItDisabledAndClearsTheGlobal)
{
    g_bTransferBusy = 1;
    Show(0);
    EXPECT_FALSE(view.IsWindowEnabled());
    popup.reset();
    EXPECT_TRUE(view.IsWindowEnabled());
    EXPECT_EQ(g_pDisplayDlg, nullptr);
}
