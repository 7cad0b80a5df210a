// The drop-down selector: where its popup opens, what a pick reports, the wheel, the keyboard,
// hover in the list, group entries, null text and emphasis.
#include "ControlTestKit.h"

#include "AppMessages.h"
#include "CComBoxBtn.h"
#include "CDropWnd.h"
#include "ControlGlobals.h"
#include "Globals.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

TEST(DropPlacement, BelowOrAboveTheButton)
{
    const CRect work(0, 0, 800, 600);
    const CRect button(100, 200, 220, 222);
    struct Case {
        const char* what;
        CRect button;
        int count, itemHeight;
        CRect drop;
    };
    const Case cases[] = {
        {"empty list: the whole limit, one row over the button", button, 0, 14, CRect(100, 221, 220, 352)},
        {"nine entries fit", button, 9, 14, CRect(100, 221, 220, 348)},
        {"ten entries reach the limit", button, 10, 14, CRect(100, 221, 220, 352)},
        {"taller entries", button, 3, 16, CRect(100, 221, 220, 270)},
        {"ending exactly at the work area's bottom stays below", CRect(100, 470, 220, 492), 9, 12,
         CRect(100, 491, 220, 600)},
        {"one pixel more goes above, ending at the button's top", CRect(100, 471, 220, 493), 9, 12,
         CRect(100, 363, 220, 471)},
        {"empty list above the button", CRect(100, 560, 220, 582), 0, 14, CRect(100, 430, 220, 560)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CComBoxBtn::CalcDropRect(c.button, 120, c.count, c.itemHeight, DROP_HEIGHT_LIMIT, work), c.drop)
            << c.what;
}

TEST(DropWheel, StepsAtEveryNotch)
{
    struct Case {
        const char* what;
        std::vector<short> deltas;
        int count, sel;
        bool step;
        int index;
        int accAfter;
    };
    const Case cases[] = {
        {"towards the user: next entry", {-120}, 5, 2, true, 3, 0},
        {"away: previous entry", {120}, 5, 2, true, 1, 0},
        {"held at the last entry", {-120}, 5, 4, true, 4, 0},
        {"held at the first entry", {120}, 5, 0, true, 0, 0},
        {"no selection steps to the first", {-120}, 5, -1, true, 0, 0},
        {"three small turns make a notch", {-40, -40, -40}, 5, 1, true, 2, 0},
        {"two small turns do not", {-40, -40}, 5, 1, false, 0, -80},
        {"opposite turns cancel", {-40, 40}, 5, 1, false, 0, 0},
        {"a big turn counts once", {-360}, 5, 1, true, 2, 0},
        {"an empty list never steps", {-120}, 0, -1, false, 0, 0},
    };
    for (const Case& c : cases) {
        int acc = 0;
        int index = -7;
        bool step = false;
        for (short d : c.deltas)
            step = CComBoxBtn::WheelStep(acc, d, c.count, c.sel, &index);
        EXPECT_EQ(step, c.step) << c.what;
        if (c.step) {
            EXPECT_EQ(index, c.index) << c.what;
        }
        EXPECT_EQ(acc, c.accAfter) << c.what;
    }
}

TEST(DropList, GroupsHeadersAndDeletion)
{
    CDropListBox list;  // the entries live in the object: no window needed
    EXPECT_EQ(list.AddGroupString("x", 2, 0, 0), -1);  // group 1 does not exist yet
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.AddGroupString("Front", 1, RGB(0, 255, 255), RGB(0, 0, 0)), 0);
    EXPECT_EQ(list.AddGroupString("Tweeter", 1, RGB(255, 255, 255), RGB(0, 0, 0)), 1);
    EXPECT_EQ(list.AddGroupString("Rear", 2, RGB(0, 255, 255), RGB(0, 0, 0)), 2);
    EXPECT_EQ(list.AddGroupString("Woofer", 1, RGB(255, 255, 255), RGB(0, 0, 0)), 3);  // appended all the same
    EXPECT_EQ(list.AddGroupString("Full", 2, RGB(255, 255, 255), RGB(0, 0, 0)), 4);
    EXPECT_EQ(list.GetGroupCount(), 2);
    EXPECT_TRUE(list.GetEntry(0)->bHeader);
    EXPECT_FALSE(list.GetEntry(1)->bHeader);
    EXPECT_TRUE(list.GetEntry(2)->bHeader);
    EXPECT_EQ(list.GetEntry(1)->clrText, RGB(255, 255, 255));

    EXPECT_EQ(list.DeleteString(9), -1);
    EXPECT_EQ(list.DeleteString(1), 4);  // a plain entry
    EXPECT_EQ(list.DeleteString(0), 1);  // a header goes with its group, up to the next header
    EXPECT_EQ(list.GetCount(), 3);
    CString text;
    list.GetText(0, text);
    EXPECT_EQ(text, "Rear");
    EXPECT_EQ(list.GetGroupCount(), 1);

    list.ResetContent();
    EXPECT_EQ(list.GetGroupCount(), 0);
    EXPECT_EQ(list.GetSelIndex(), 0);
    list.SetSelIndex(0);
    list.AddString("a");
    EXPECT_EQ(list.GetGroupCount(), 1);
    EXPECT_EQ(list.GetCurSel(), -1);
    list.AddString("b");  // the second entry selects the remembered one
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_FALSE(list.GetEntry(1)->bHeader);
    EXPECT_EQ(list.GetEntry(1)->clrHighlight, RGB(255, 255, 255));
}

namespace {

constexpr UINT kNotifyId = 13110;

class DropTest : public ::testing::Test {
protected:
    void MakeAt(int x, int y, int entries, UINT id = 4001)
    {
        ASSERT_TRUE(stage.Make(x, y, 200, 40));
        QWidget* w = stage.GetWidget();
        w->activateWindow();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        ASSERT_TRUE(sel.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 30, 20), &stage, id));
        sel.SetBitmaps(Faces::kDrop[0], Faces::kDrop[1]);
        sel.SetDisabledBitmap(Faces::kDrop[2]);
        ASSERT_TRUE(sel.CreateDropList(&stage, kNotifyId));
        for (int i = 0; i < entries; ++i)
            sel.AddString((std::string("entry ") + char('A' + i)).c_str());
        sel.SetMoveNotify(TRUE);
        stage.Forget();
    }
    CDropWnd& Drop() { return *sel.GetDropWnd(); }
    CDropListBox& List() { return Drop().GetListBox(); }
    CRect ButtonOnScreen()
    {
        CRect rc;
        sel.GetWindowRect(&rc);
        return rc;
    }
    CRect PopupOnScreen()
    {
        CRect rc;
        Drop().GetWindowRect(&rc);
        return rc;
    }
    // Picks entry n with the mouse, the pointer over it.
    void PickWithMouse(int n)
    {
        CRect item;
        List().GetItemRect(n, &item);
        const CPoint at(item.left + 10, item.top + item.Height() / 2);
        PointerAt(List(), at);
        MoveTo(List(), at);
        Press(List(), at);
        Release(List(), at);
    }
    std::vector<std::pair<WPARAM, LPARAM>> Reports()
    {
        std::vector<std::pair<WPARAM, LPARAM>> out;
        for (const auto& m : stage.All(WM_DROPLIST_SELCHANGE))
            out.emplace_back(m.wParam, m.lParam);
        return out;
    }
    CStage stage;
    CComBoxBtn sel;
};

}  // namespace

TEST_F(DropTest, OpensBelowOrAboveAndReportsThePick)
{
    // One table: where the stage stands, how many entries, where the popup must open (relative
    // to the button), which entry is picked.
    struct Case {
        const char* what;
        int stageY;
        int entries;
        bool above;
        int height;  // of the popup
        int pick;
    };
    CRect work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    const Case cases[] = {
        {"room below, nine entries", 100, 9, false, 127, 4},
        {"room below, twelve entries scroll", 100, 12, false, 131, 0},
        {"no room below", work.bottom - 60, 5, true, 70, 2},
        {"no room below, empty tail of the list", work.bottom - 60, 12, true, 130, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sel.DestroyWindow();
        stage.DestroyWindow();
        MakeAt(100, c.stageY, c.entries);
        sel.SetCurSel(0);
        const CRect b = ButtonOnScreen();
        Click(sel, CPoint(5, 5));
        ASSERT_TRUE(Drop().IsShown());
        const CRect p = PopupOnScreen();
        EXPECT_EQ(p.left, b.left);
        EXPECT_EQ(p.Width(), 120);
        EXPECT_EQ(p.Height(), c.height);
        if (c.above)
            EXPECT_EQ(p.bottom, b.top);
        else
            EXPECT_EQ(p.top, b.bottom - 1);
        EXPECT_EQ(List().HasScrollBar(), c.entries * 14 > c.height);

        stage.Forget();
        PickWithMouse(c.pick);
        EXPECT_FALSE(Drop().IsShown());
        EXPECT_TRUE(Reports().empty());  // posted, not sent
        Pump();
        ASSERT_EQ(Reports().size(), 1u);
        EXPECT_EQ(Reports()[0], std::make_pair(WPARAM(kNotifyId), LPARAM(c.pick)));
        EXPECT_EQ(sel.GetCurSel(), c.pick);
        EXPECT_EQ(sel.GetWindowText(), std::string("entry ") + char('A' + c.pick));
        EXPECT_EQ(List().GetSelIndex(), c.pick);
        EXPECT_TRUE(sel.GetHover());  // the hover look stays after a pick
    }
}

TEST_F(DropTest, ClickOnTheButtonClosesAnOpenPopup)
{
    MakeAt(100, 100, 3);
    Click(sel, CPoint(5, 5));
    ASSERT_TRUE(Drop().IsShown());
    Click(sel, CPoint(5, 5));
    EXPECT_FALSE(Drop().IsShown());
    Click(sel, CPoint(5, 5));
    EXPECT_TRUE(Drop().IsShown());
}

TEST_F(DropTest, SetCurSelNeverReportsTheWheelAlwaysDoes)
{
    MakeAt(100, 100, 3);
    sel.SetCurSel(1);
    EXPECT_EQ(sel.GetWindowText(), "entry B");
    sel.SetCurSel(7);  // names no entry: no selection, the caption stays
    EXPECT_EQ(sel.GetCurSel(), -1);
    EXPECT_EQ(sel.GetWindowText(), "entry B");
    sel.SetCurSel(2);
    Pump();
    EXPECT_TRUE(Reports().empty());

    Wheel(sel, -120);  // at the last entry: it stays, and the step is reported all the same
    Wheel(sel, 120);
    Wheel(sel, -40);
    Wheel(sel, 40);
    Pump();
    const std::vector<std::pair<WPARAM, LPARAM>> expected = {{kNotifyId, 2}, {kNotifyId, 1}};
    EXPECT_EQ(Reports(), expected);
    EXPECT_EQ(sel.GetWindowText(), "entry B");
}

TEST_F(DropTest, KeyboardChangeAwayFromThePopupClosesItWithoutAPick)
{
    MakeAt(100, 100, 4);
    sel.SetCurSel(1);
    List().SetSelIndex(1);
    Click(sel, CPoint(5, 5));
    List().SetFocus();
    PointerAt(stage, CPoint(190, 35));  // not over the popup
    List().SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_FALSE(Drop().IsShown());
    EXPECT_EQ(sel.GetCurSel(), 1);  // back on the last pick
    Pump();
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(sel.GetWindowText(), "entry B");
}

TEST_F(DropTest, HoverInTheListSelectsAndClosingKeepsThatSelection)
{
    MakeAt(100, 100, 5);
    sel.SetCurSel(0);
    Click(sel, CPoint(5, 5));
    CRect item;
    List().GetItemRect(3, &item);
    MoveTo(List(), CPoint(20, item.top + 2));
    EXPECT_EQ(List().GetCurSel(), 3);
    // Closing without a pick: the list keeps the hovered entry, the caption the last pick.
    List().SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return CWnd::GetFocus() == &List(); }));
    sel.SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return !Drop().IsShown(); }));
    EXPECT_EQ(sel.GetCurSel(), 3);
    EXPECT_EQ(sel.GetWindowText(), "entry A");
    Pump();
    EXPECT_TRUE(Reports().empty());
}

TEST_F(DropTest, PickingAGroupHeaderKeepsThePopupOpen)
{
    MakeAt(100, 100, 0);
    List().AddGroupString("Front", 1, RGB(0, 255, 255), 0);
    List().AddGroupString("Tweeter", 1, RGB(255, 255, 255), 0);
    Click(sel, CPoint(5, 5));
    PickWithMouse(0);
    EXPECT_TRUE(Drop().IsShown());
    PickWithMouse(1);
    EXPECT_FALSE(Drop().IsShown());
    Pump();
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0].second, 1);
}

TEST_F(DropTest, MoveNoticeAndListFocusWhileOpen)
{
    MakeAt(100, 100, 3);
    MoveTo(sel, CPoint(3, 3));
    auto notices = stage.All(WM_CTRL_MOUSEMOVE);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wParam, WPARAM(0));
    EXPECT_EQ(notices[0].lParam, 4001);
    MoveTo(sel, CPoint(3, 3));  // the same point: nothing
    EXPECT_EQ(stage.Count(WM_CTRL_MOUSEMOVE), 1);

    Click(sel, CPoint(4, 3));
    stage.Forget();
    MoveTo(sel, CPoint(5, 3));
    notices = stage.All(WM_CTRL_MOUSEMOVE);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wParam, WPARAM(-1));
    EXPECT_TRUE(WaitUntil([&] { return CWnd::GetFocus() == &List(); }));
}

TEST_F(DropTest, NullTextWhileDisabledAndTheSelectionBackWhenEnabled)
{
    MakeAt(100, 100, 3);
    sel.SetNullTextMode(1);
    sel.SetCurSel(1);
    sel.EnableWindow(FALSE);
    const CComBoxBtn::Look look = sel.ChooseLook(ODS_DISABLED);
    EXPECT_TRUE(look.nullText);
    EXPECT_EQ(look.bitmap, Faces::kDrop[2]);
    EXPECT_EQ(look.text, RGB(155, 155, 155));
    sel.SetWindowText("something else");
    sel.EnableWindow(TRUE);
    EXPECT_EQ(sel.GetWindowText(), "entry B");
    EXPECT_FALSE(sel.ChooseLook(0).nullText);
}

TEST_F(DropTest, EmphasisColourOnRequestAndOnTheSourceSelectorWhileSourcesMatch)
{
    MakeAt(100, 100, 2, SOURCE_SELECTOR_ID);
    g_bSourceMatch = 0;
    EXPECT_EQ(sel.ChooseLook(0).text, RGB(255, 255, 255));
    g_bSourceMatch = 1;
    EXPECT_EQ(sel.ChooseLook(0).text, RGB(255, 0, 0));
    CComBoxBtn other;
    ASSERT_TRUE(other.Create("", WS_CHILD, CRect(0, 0, 10, 10), &stage, 2820));
    EXPECT_EQ(other.ChooseLook(0).text, RGB(255, 255, 255));
    other.SetEmphasis(TRUE);
    other.SetEmphasisColor(RGB(1, 2, 3));
    EXPECT_EQ(other.ChooseLook(0).text, RGB(1, 2, 3));
    g_bSourceMatch = 0;
}

TEST_F(DropTest, SizeFromThePictureAndButtonFaceWhenItIsMissing)
{
    MakeAt(100, 100, 2);
    EXPECT_EQ(SizeOf(sel), CSize(120, 22));
    sel.SetBitmaps(Faces::kMissing, Faces::kNotAPicture);
    EXPECT_EQ(SizeOf(sel), CSize(120, 22));
    sel.SetWindowText("");
    EXPECT_EQ(PixelOf(GrabOf(sel), 60, 11), GetSysColor(COLOR_BTNFACE));
}
