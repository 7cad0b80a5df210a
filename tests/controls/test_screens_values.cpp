// Pictures of the value controls in their states, in English and in Chinese, written to
// <build>/screens/ (see ScreenSheet.h): faders, numeric fields with their spins and arrow
// buttons, the tab strip, progress bars, labels, group boxes and the list header. The checks
// make sure the states and languages look different where they should.
#include "ScreenSheet.h"

#include "CBitmapSlider.h"
#include "CEnTabCtrl.h"
#include "CFontStatic.h"
#include "CGradientProgressCtrl.h"
#include "CHeaderCtrlCl.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "CSxGroupBox.h"
#include "Convert.h"
#include "GdiGlobals.h"

namespace {

constexpr COLORREF kLight = RGB(232, 236, 241);

// The stage's picture of an area (stage client coordinates) with a margin of the panel.
QImage AreaShot(CStage& stage, const CRect& area, int margin = 4)
{
    Pump();
    CRect rc = area;
    rc.InflateRect(margin, margin);
    return GrabOf(stage).copy(rc.left, rc.top, rc.Width(), rc.Height()).convertToFormat(QImage::Format_RGB32);
}

CRect PlaceOf(CWnd& stage, CWnd& wnd)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    stage.ScreenToClient(&rc);
    return rc;
}

CRect Union(const CRect& a, const CRect& b)
{
    return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom));
}

void Resize(CStage& stage, int cx, int cy) { stage.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER); }

}  // namespace

TEST_F(ScreensTest, Faders)
{
    Sheet sheet("slider");
    Resize(stage, 360, 260);
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        CBitmapSlider fader;
        ASSERT_TRUE(fader.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(20, 20, 40, 40), &stage, 5100));
        fader.SetBitmapChannel(Faces::kTrack[0], Faces::kTrack[1]);
        fader.SetBitmapThumb(Faces::kThumb[0], Faces::kThumb[1], TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
        fader.SetBitmapThumbDisabled(Faces::kThumb[2]);
        fader.SetMargin(3, 0, 3, 0);
        fader.SetRange(0, 66);
        CNumEdit gain;
        ASSERT_TRUE(gain.Create(WS_CHILD | WS_VISIBLE | ES_CENTER, CRect(60, 110, 130, 128), &stage, 5200));
        gain.SetFont(&g_fontArial14);
        gain.SetRange(0, 66);
        gain.SetScale(1);
        gain.SetOffset(60);
        gain.SetType(23, "");
        fader.SetBuddy(&gain);
        gain.SetBuddySlider(&fader);
        const CRect both = Union(PlaceOf(stage, fader), PlaceOf(stage, gain));
        auto show = [&](int value) {
            fader.SetInvertedPos(value);
            gain.SetValue(value);
        };
        show(60);
        sheet.Add("vertical idle, 0 dB", lang, AreaShot(stage, both));
        show(66);
        sheet.Add("vertical top, +6 dB", lang, AreaShot(stage, both));
        show(0);
        sheet.Add("vertical bottom, off", lang, AreaShot(stage, both));
        show(40);
        fader.SetFocus();
        sheet.Add("vertical focused (buddy lit)", lang, AreaShot(stage, both));
        const CPoint thumb(15, fader.PosToPixel(fader.GetPos()));
        Press(fader, thumb);
        DragTo(fader, CPoint(15, thumb.y - 40));
        gain.SetValue(fader.GetInvertedPos());
        sheet.Add("vertical dragging", lang, AreaShot(stage, both));
        Release(fader, CPoint(15, thumb.y - 40));
        stage.SetFocus();
        fader.Enable(FALSE);
        sheet.Add("vertical disabled", lang, AreaShot(stage, both));
        fader.DestroyWindow();
        gain.DestroyWindow();

        CBitmapSlider mix;
        ASSERT_TRUE(mix.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(20, 20, 40, 40), &stage, 5101));
        mix.SetVertical(FALSE);
        mix.SetBitmapChannel(Faces::kTrackH[0], Faces::kTrackH[1]);
        mix.SetBitmapThumb(Faces::kThumbH[0], Faces::kThumbH[1], TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
        mix.SetMargin(0, 1, 0, 1);
        mix.SetRange(0, 100);
        mix.SetPos(30);
        sheet.Add("horizontal idle", lang, Shot(mix));
        mix.SetFocus();
        sheet.Add("horizontal focused", lang, Shot(mix));
        stage.SetFocus();
    }
    EXPECT_NE(sheet.Get("vertical idle, 0 dB", 0), sheet.Get("vertical top, +6 dB", 0));
    EXPECT_NE(sheet.Get("vertical bottom, off", 0), sheet.Get("vertical bottom, off", 1));  // OFF / 关闭
    EXPECT_NE(sheet.Get("vertical idle, 0 dB", 0), sheet.Get("vertical disabled", 0));
    EXPECT_NE(sheet.Get("horizontal idle", 0), sheet.Get("horizontal focused", 0));
}

TEST_F(ScreensTest, NumericFields)
{
    Sheet sheet("numedit");
    Resize(stage, 360, 120);
    struct Field {
        const char* name;
        int type;
        const char* unit;
        int min, max;
        double scale, offset;
        int value;
        const char* typed;
    };
    const Field fields[] = {
        {"delay ms", NUMTYPE_DELAY_MS, "MS", 0, 960, 0, 0, 480, "12.5"},
        {"delay cm", NUMTYPE_DELAY_CM, "CM", 0, 960, 0, 0, 480, "100"},
        {"delay inch", NUMTYPE_DELAY_INCH, "INCH", 0, 960, 0, 0, 960, "50"},
        {"gain, off end", 23, "", 0, 66, 1, 60, 0, "-12"},
        {"level dBu", 24, "", 0, 420, 0.1, 30, 300, "3.5"},
        {"frequency", NUMTYPE_FREQ_HZ, "", 20, 20000, 0, 0, 1000, "440"},
        {"Q", NUMTYPE_Q, "", 0, 295, 0, 0, 100, "4"},
        {"ratio", NUMTYPE_RATIO, "", 1, 191, 0, 0, 16, ""},
        {"voltage", NUMTYPE_VOLTAGE, "", 0, 420, 0.1, 30, 300, "-1"},
        {"threshold, off end", 30, "", 0, 420, 0.1, 30, 420, "-6"},
    };
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        for (const Field& f : fields) {
            CNumEdit edit;
            ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_CENTER, CRect(20, 20, 113, 38), &stage, 5201));
            edit.SetFont(&g_fontArial14);
            CNumSpin spin;
            ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(116, 18, 132, 40), &stage, 5202));
            spin.SetBuddy(&edit);
            edit.SetScale(f.scale);
            edit.SetOffset(f.offset);
            edit.SetType(f.type, f.unit);
            spin.SetRange(f.min, f.max);
            spin.SetPos(f.value);
            const CRect both = Union(PlaceOf(stage, edit), PlaceOf(stage, spin));
            const std::string n = f.name;
            sheet.Add(n + ": idle", lang, AreaShot(stage, both));
            edit.SetFocus();
            sheet.Add(n + ": focused", lang, AreaShot(stage, both));
            if (*f.typed) {
                QTest::keyClicks(edit.GetWidget(), f.typed);
                sheet.Add(n + ": typing", lang, AreaShot(stage, both));
            }
            stage.SetFocus();
            sheet.Add(n + ": after leaving", lang, AreaShot(stage, both));
        }
    }
    EXPECT_NE(sheet.Get("delay cm: idle", 0), sheet.Get("delay cm: idle", 1));
    EXPECT_NE(sheet.Get("delay cm: idle", 0), sheet.Get("delay cm: focused", 0));
    EXPECT_NE(sheet.Get("gain, off end: idle", 0), sheet.Get("gain, off end: idle", 1));
    EXPECT_NE(sheet.Get("voltage: idle", 0), sheet.Get("voltage: after leaving", 0));
}

TEST_F(ScreensTest, DelayArrowButtons)
{
    Sheet sheet("spinbtn");
    Resize(stage, 360, 120);
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        for (int wide = 0; wide < 2; ++wide) {
            CNumEdit edit;
            const int w = wide ? 93 : 66;
            ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(20, 20, 20 + w, 38), &stage, 5301));
            edit.SetFont(&g_fontArial14);
            CNumSpin spin;
            ASSERT_TRUE(spin.Create(WS_CHILD, CRect(0, 0, 1, 1), &stage, 5302));
            spin.SetBuddy(&edit);
            edit.SetType(NUMTYPE_DELAY_CM, "CM");
            spin.SetRange(0, DELAY_MAX_STEPS);
            spin.SetType(NUMSPIN_STEP_DELAY);
            ASSERT_TRUE(edit.CreateSpinButton(5303));
            const UINT* ids = wide ? Faces::kSpin93 : Faces::kSpin66;
            edit.GetSpinButton().SetBitmaps(ids[0], ids[1], ids[2], ids[3]);
            edit.SetSpinTarget(0, &spin);
            edit.SetReadOnly(TRUE);
            spin.SetPos(500);
            const std::string size = wide ? "93 wide: " : "66 wide: ";
            sheet.Add(size + "inactive", lang, Shot(edit));
            edit.SetFocus();
            sheet.Add(size + "active", lang, Shot(edit));
            CSpinBtn& b = edit.GetSpinButton();
            MoveTo(b, CPoint(3, 9));
            sheet.Add(size + "pointer on the left arrow", lang, Shot(edit));
            MoveTo(b, CPoint(w - 3, 9));
            sheet.Add(size + "pointer on the right arrow", lang, Shot(edit));
            SendMouse(b, QEvent::MouseButtonDblClick, CPoint(w - 3, 9), Qt::LeftButton, Qt::LeftButton);
            sheet.Add(size + "after one step up", lang, Shot(edit));
            stage.SetFocus();
        }
    }
    EXPECT_NE(sheet.Get("93 wide: active", 0), sheet.Get("93 wide: active", 1));
    EXPECT_NE(sheet.Get("93 wide: inactive", 0), sheet.Get("93 wide: active", 0));
    EXPECT_NE(sheet.Get("93 wide: active", 0), sheet.Get("93 wide: after one step up", 0));
}

TEST_F(ScreensTest, TabStrip)
{
    Sheet sheet("tabstrip");
    Resize(stage, 720, 120);
    const char* const names[2][5] = {{"Input", "Output", "Mixer", "", "System"}, {"输入", "输出", "混音", "", "系统"}};
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        CEnTabCtrl tabs;
        ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 690, 90), &stage, 1300));
        tabs.SetFont(&g_fontArial14);
        tabs.SetItemSize(CSize(110, 30));
        tabs.ModifyStyle(0, TCS_FIXEDWIDTH);
        for (int i = 0; i < 5; ++i)
            tabs.InsertItem(i, names[lang][i]);
        tabs.InsertItem(5, lang ? "场景预设" : "Scene presets and files");
        tabs.SetTabBkColor(CLR_DLG_BACK);
        tabs.SetDrawType(TAB_DRAW_SELF);
        CEnTabCtrl::SetLookFlags(TRUE, 0x1F);
        tabs.SetCurSel(1);
        sheet.Add("main view look, output selected", lang, Shot(tabs));
        tabs.SetCurSel(4);
        sheet.Add("main view look, system selected", lang, Shot(tabs));
        CEnTabCtrl::SetLookFlags(TRUE, ETC_FLAT | ETC_SELECTION | ETC_GRADIENT);
        tabs.Invalidate();
        sheet.Add("first scheme, gradient", lang, Shot(tabs));
        CEnTabCtrl::SetLookFlags(FALSE, 0);
        tabs.SetDrawType(TAB_DRAW_SYSTEM);
        sheet.Add("system drawing", lang, Shot(tabs));
    }
    EXPECT_NE(sheet.Get("main view look, output selected", 0), sheet.Get("main view look, output selected", 1));
    EXPECT_NE(sheet.Get("main view look, output selected", 0), sheet.Get("main view look, system selected", 0));
}

TEST_F(ScreensTest, ProgressBars)
{
    Sheet sheet("progress");
    Resize(stage, 360, 120);
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        CGradientProgressCtrl bar;
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(20, 20, 300, 42), &stage, 1400));
        bar.SetFont(&g_fontArial14);
        bar.SetRange(0, 110);
        for (int pos : {0, 1, 55, 110}) {
            bar.SetPos(pos);
            sheet.Add("position " + std::to_string(pos) + " of 110", lang, Shot(bar));
        }
        bar.ShowPercent(TRUE);
        for (int pos : {27, 110}) {
            bar.SetPos(pos);
            sheet.Add("with percentage, " + std::to_string(pos) + " of 110", lang, Shot(bar));
        }
        bar.DestroyWindow();
        CGradientProgressCtrl upright;
        ASSERT_TRUE(upright.Create(WS_CHILD | WS_VISIBLE | PBS_VERTICAL, CRect(20, 10, 40, 100), &stage, 1401));
        upright.SetRange(0, 100);
        upright.SetPos(70);
        sheet.Add("vertical, 70 of 100", lang, Shot(upright));
    }
    EXPECT_NE(sheet.Get("position 1 of 110", 0), sheet.Get("position 55 of 110", 0));
    EXPECT_NE(sheet.Get("with percentage, 27 of 110", 0), sheet.Get("position 55 of 110", 0));
}

TEST_F(ScreensTest, LabelsGroupBoxAndHeader)
{
    Sheet sheet("labels");
    Resize(stage, 360, 160);
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        CFontStatic label;
        ASSERT_TRUE(label.Create(lang ? "输出 1" : "Output 1", WS_CHILD | WS_VISIBLE, CRect(20, 20, 200, 44), &stage, 1));
        label.SetFontStatic("Arial", 18, kLight, FS_LEFT);
        sheet.Add("label left", lang, Shot(label));
        label.SetFontStatic("Arial", 22, RGB(53, 201, 219), FS_CENTER);
        sheet.Add("label centred, larger", lang, Shot(label));
        label.StartBlink();
        sheet.Add("label blinking, red phase", lang, Shot(label));
        label.SendMessage(WM_TIMER, FONTSTATIC_BLINK_TIMER);
        sheet.Add("label blinking, light phase", lang, Shot(label));
        label.StopBlink();
        label.SetBackColor(RGB(61, 70, 82));
        label.SetNumberFormat(0, 0, 50, "dB");
        label.ShowNumber(44);
        sheet.Add("label with background, number", lang, Shot(label));
        label.DestroyWindow();

        for (int style : {SXGB_ETCHED, SXGB_RAISED, SXGB_FLAT}) {
            CSxGroupBox box;
            ASSERT_TRUE(box.Create(lang ? "限幅器" : "Limiter", WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                                   CRect(20, 20, 240, 110), &stage, 2));
            box.SetTextColor(kLight, FALSE);
            box.SetColors(RGB(89, 99, 112), RGB(53, 201, 219), FALSE);
            box.SetFrameStyle(style);
            const char* name = style == SXGB_ETCHED ? "etched" : style == SXGB_RAISED ? "double raised" : "flat";
            sheet.Add(std::string("group box ") + name, lang, Shot(box, 6));
            if (style == SXGB_ETCHED) {
                box.SetAlignment(SXGB_CENTER);
                box.Invalidate();
                sheet.Add("group box etched, centred caption", lang, Shot(box, 6));
                box.EnableWindow(FALSE);
                sheet.Add("group box disabled", lang, Shot(box, 6));
            }
        }

        CHeaderCtrlCl header;
        ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE, CRect(20, 20, 320, 44), &stage, 3));
        const int widths[3] = {60, 140, 70};
        for (int i = 0; i < 3; ++i) {
            HDITEM item{HDI_WIDTH, widths[i], nullptr, 0, 0};
            header.InsertItem(i, &item);
        }
        header.m_HChar = lang ? std::vector<CString>{"场景", "名称", "状态"}
                              : std::vector<CString>{"Scene", "Name", "State"};
        header.m_Format = "012";
        sheet.Add("list header", lang, Shot(header));
    }
    EXPECT_NE(sheet.Get("label left", 0), sheet.Get("label left", 1));
    EXPECT_NE(sheet.Get("label blinking, red phase", 0), sheet.Get("label blinking, light phase", 0));
    EXPECT_NE(sheet.Get("group box etched", 0), sheet.Get("group box disabled", 0));
    EXPECT_NE(sheet.Get("list header", 0), sheet.Get("list header", 1));
}
