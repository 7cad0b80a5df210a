// In-cell editing: the editors' first-key and end-key rules, the end-of-edit notice, self-
// deletion, and the combo grid's option rule.
#include "GridTestKit.h"

#include "CComboGridCtrl.h"
#include "CInPlaceEdit.h"
#include "CInPlaceList.h"

#include <gtest/gtest.h>

using namespace GridKit;

namespace {
struct Editable : Fixture {
    Editable(CGridCtrl* pGrid = nullptr) : Fixture(320, 200, pGrid)
    {
        FillPlain(*grid, 5, 4);
        QWidget* top = host.GetWidget();
        top->activateWindow();
        QApplication::setActiveWindow(top);
        activeOk = QTest::qWaitForWindowActive(top);
        grid->SetFocus();
    }
    bool activeOk = false;
    CEdit* Editor() { return dynamic_cast<CEdit*>(grid->GetDlgItem(IDC_INCELL_EDIT)); }
};
}  // namespace

TEST(GridEditors, FirstKeyOfTheFreeTextEditor)
{
    struct Case {
        UINT key;
        const char* text;
        int selStart, selEnd;
    } cases[] = {
        {VK_LBUTTON, "abc", 3, 3}, {VK_RETURN, "abc", 3, 3}, {VK_BACK, "ab", 2, 2}, {VK_TAB, "abc", 0, 3},
        {VK_SPACE, "abc", 0, 3},   {VK_DOWN, "abc", 0, 3},   {VK_PRIOR, "abc", 0, 3}, {'x', "x", 1, 1},
    };
    for (const auto& c : cases) {
        Editable f;
        f.grid->SetItemText(2, 2, "abc");
        f.grid->SetFocusCell(2, 2);
        ASSERT_TRUE(f.grid->BeginCellEdit(2, 2, c.key)) << c.key;
        CEdit* pEdit = f.Editor();
        ASSERT_NE(pEdit, nullptr) << c.key;
        EXPECT_EQ(pEdit->GetWindowText(), c.text) << c.key;
        int s = -1, e = -1;
        pEdit->GetSel(s, e);
        EXPECT_EQ(s, c.selStart) << c.key;
        EXPECT_EQ(e, c.selEnd) << c.key;
        EXPECT_EQ(UINT(pEdit->SendMessage(WM_GETDLGCODE)), DLGC_WANTALLKEYS);
        f.grid->SetFocus();  // ends it
        Pump();
    }
    EXPECT_EQ(CInPlaceEdit::LiveCount(), 0);
}

TEST(GridEditors, KeysThatEndAnEdit)
{
    struct Case {
        UINT key;
        BOOL arrowsEnd, ctrl, ends;
    } cases[] = {
        {VK_DOWN, TRUE, FALSE, TRUE},  {VK_DOWN, FALSE, FALSE, FALSE}, {VK_DOWN, FALSE, TRUE, TRUE},
        {VK_LEFT, TRUE, FALSE, TRUE},  {VK_PRIOR, TRUE, FALSE, TRUE},  {VK_NEXT, FALSE, TRUE, TRUE},
        {VK_HOME, TRUE, TRUE, FALSE},  {VK_END, TRUE, FALSE, FALSE},   {'A', TRUE, TRUE, FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CInPlaceEdit::KeyEndsEdit(c.key, c.arrowsEnd, c.ctrl), c.ends) << c.key << " " << c.arrowsEnd;
}

TEST(GridEditors, EscapeRestoresAndReportsKey27)
{
    Editable f;
    f.grid->SetItemText(1, 1, "keep");
    f.grid->SetFocusCell(1, 1);
    ASSERT_TRUE(f.grid->BeginCellEdit(1, 1, 'q'));
    CEdit* pEdit = f.Editor();
    ASSERT_NE(pEdit, nullptr);
    EXPECT_EQ(pEdit->GetWindowText(), "q");
    f.host.m_notices.clear();
    QTest::keyClick(pEdit->GetWidget(), Qt::Key_Escape);
    ASSERT_TRUE(WaitUntil([] { return CInPlaceEdit::LiveCount() == 0; }));
    EXPECT_EQ(f.grid->GetItemText(1, 1), "keep");
    EXPECT_FALSE(f.grid->GetModified(1, 1));
    ASSERT_EQ(f.host.Of(GVN_ENDEDIT).size(), 1u);
}

TEST(GridEditors, TabCommitsAndOpensTheNextCell)
{
    Editable f;
    f.grid->SetFocusCell(1, 1);
    ASSERT_TRUE(f.grid->BeginCellEdit(1, 1, 'z'));
    CEdit* pEdit = f.Editor();
    ASSERT_NE(pEdit, nullptr);
    QTest::keyClicks(pEdit->GetWidget(), "123456789");  // the ninth character is refused
    QTest::keyClick(pEdit->GetWidget(), Qt::Key_Tab);
    ASSERT_TRUE(WaitUntil([&] { return f.grid->GetItemText(1, 1) == "z1234567"; }));
    EXPECT_TRUE(f.grid->GetModified(1, 1));
    EXPECT_TRUE(f.grid->GetModified());
    const auto ends = f.host.Of(GVN_ENDEDIT);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].row, 1);
    EXPECT_EQ(ends[0].col, 1);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(1, 2));
    // The next editor is open on the new focus cell, its text selected; the old one is gone.
    ASSERT_TRUE(WaitUntil([&] { return CInPlaceEdit::LiveCount() == 1; }));
    ASSERT_NE(f.Editor(), nullptr);
    EXPECT_EQ(f.Editor()->GetWindowText(), "1,2");
    f.grid->SetFocus();
    ASSERT_TRUE(WaitUntil([] { return CInPlaceEdit::LiveCount() == 0; }));
}

TEST(GridEditors, AlignmentFollowsTheCellFormat)
{
    struct Case {
        UINT format;
        DWORD style;
    } cases[] = {{0x8025, ES_CENTER}, {DT_RIGHT | DT_SINGLELINE, ES_RIGHT}, {DT_SINGLELINE, ES_LEFT}};
    for (const auto& c : cases) {
        Editable f;
        f.grid->SetItemFormat(2, 1, c.format);
        ASSERT_TRUE(f.grid->BeginCellEdit(2, 1, VK_LBUTTON));
        ASSERT_NE(f.Editor(), nullptr);
        EXPECT_EQ(f.Editor()->GetStyle() & (ES_CENTER | ES_RIGHT), c.style) << c.format;
        f.grid->SetFocus();
        Pump();
    }
}

TEST(GridEditors, NoEditorOnANonEditableGridOrWithoutAWindow)
{
    Editable f;
    f.grid->SetEditEnabled(FALSE);
    EXPECT_FALSE(f.grid->BeginCellEdit(1, 1, 'a'));
    EXPECT_EQ(f.Editor(), nullptr);

    // An editor whose window cannot be made is deleted at once, not left behind.
    CGridCtrl loose(3, 3, 1, 1);
    loose.CreateCellEditor(CRect(0, 0, 40, 20), 0, IDC_INCELL_EDIT, 1, 1, "t", 'a');
    EXPECT_EQ(CInPlaceEdit::LiveCount(), 0);
    CComboGridCtrl combo;
    combo.SetColumnCount(2);
    combo.SetColumnOptions(1, {"x", "y"});
    combo.CreateCellEditor(CRect(0, 0, 40, 20), 0, IDC_INCELL_EDIT, 1, 1, "x", 'a');
    EXPECT_EQ(CInPlaceList::LiveCount(), 0);
}

TEST(GridEditors, DoubleClickOpensTheEditorOnRelease)
{
    Editable f;
    CRect rc;
    ASSERT_TRUE(f.grid->GetCellBounds(2, 2, &rc));
    const QPoint pt(rc.left + 5, rc.top + 5);
    QTest::mouseClick(f.grid->GetWidget(), Qt::LeftButton, Qt::NoModifier, pt);
    EXPECT_EQ(f.Editor(), nullptr);  // a single click never opens it
    QWidget* w = f.grid->GetWidget();
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, pt);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, pt);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(pt), w->mapToGlobal(QPointF(pt)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &dbl);
    EXPECT_EQ(f.Editor(), nullptr);  // opens on the release
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, pt);
    ASSERT_NE(f.Editor(), nullptr);
    int s = -1, e = -1;
    f.Editor()->GetSel(s, e);
    EXPECT_EQ(s, 3);  // caret after "2,2"
    EXPECT_EQ(e, 3);
    f.grid->SetFocus();
    Pump();
}

TEST(ComboGrid, ExactOptionRule)
{
    CComboGridCtrl g;
    g.SetRowCount(4);
    g.SetColumnCount(3);
    g.SetFixedRowCount(1);
    g.SetFixedColumnCount(1);
    EXPECT_FALSE(g.SetColumnOptions(0, {"a"}));
    ASSERT_TRUE(g.SetColumnOptions(1, {"Low", "High"}));
    EXPECT_TRUE(g.SetColumnOptions(1, {"never used"}));
    EXPECT_EQ(g.FindColumnOptions(1), 0);
    EXPECT_EQ(g.FindColumnOptions(2), -1);
    struct Case {
        int row, col;
        const char* text;
        BOOL taken;
    } cases[] = {
        {1, 1, "High", TRUE}, {1, 1, "high", FALSE}, {2, 1, "Medium", FALSE}, {2, 1, "never used", FALSE},
        {0, 1, "Heading", TRUE}, {2, 2, "anything", TRUE}, {3, 1, "Low", TRUE},
    };
    for (const auto& c : cases) {
        const CString before = g.GetItemText(c.row, c.col);
        EXPECT_EQ(g.SetItemText(c.row, c.col, c.text), c.taken) << c.text;
        EXPECT_EQ(g.GetItemText(c.row, c.col), c.taken ? CString(c.text) : before) << c.text;
    }
    EXPECT_TRUE(g.SetItemOption(2, 1, 1));
    EXPECT_EQ(g.GetItemText(2, 1), "High");
    EXPECT_FALSE(g.SetItemOption(2, 1, 2));
    EXPECT_FALSE(g.SetItemOption(2, 2, 0));

    GV_CELLINFO item;
    item.row = 3;
    item.col = 1;
    item.mask = GVM_TEXT | GVM_BKCLR | GVM_FORMAT;
    item.strText = "LOW";
    item.clrBack = RGB(1, 2, 3);
    item.nFormat = 0x25;
    EXPECT_FALSE(g.SetOptionItem(&item));
    EXPECT_EQ(g.GetItemBkColor(3, 1), CLR_DEFAULT);
    EXPECT_EQ(g.GetItemFormat(3, 1), 0u);
    item.strText = "Low";
    EXPECT_TRUE(g.SetOptionItem(&item));
    EXPECT_EQ(g.GetItemBkColor(3, 1), RGB(1, 2, 3));
    EXPECT_FALSE(g.SetOptionItem(nullptr));
}

TEST(ComboGrid, OptionColumnsEditWithTheList)
{
    auto* combo = new CComboGridCtrl;
    Editable f(combo);
    combo->SetColumnOptions(2, {"Low", "High"});
    f.grid->SetItemText(1, 2, "High");
    ASSERT_TRUE(f.grid->BeginCellEdit(1, 2, VK_LBUTTON));
    auto* pList = dynamic_cast<CInPlaceList*>(f.grid->GetDlgItem(IDC_INCELL_EDIT));
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->GetCurSel(), 1);
    pList->SetCurSel(0);
    f.grid->SetFocus();
    ASSERT_TRUE(WaitUntil([] { return CInPlaceList::LiveCount() == 0; }));
    EXPECT_EQ(f.grid->GetItemText(1, 2), "Low");
    // Other columns keep the free-text editor.
    ASSERT_TRUE(f.grid->BeginCellEdit(1, 1, VK_LBUTTON));
    EXPECT_NE(dynamic_cast<CInPlaceEdit*>(f.grid->GetDlgItem(IDC_INCELL_EDIT)), nullptr);
    f.grid->SetFocus();
    Pump();
}
