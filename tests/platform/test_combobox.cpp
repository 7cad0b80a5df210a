// The drop-down list combo box: entries, the search the link choice relies on, what the user's
// keys and clicks select and report, and the dropped list.
#include "TestWindows.h"

#include "CComboBox.h"
#include "WinApi.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ComboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP | WS_VISIBLE, CRect(40, 40, 340, 240), nullptr, 0));
    }
    void Fill(const std::vector<const char*>& texts)
    {
        for (const char* t : texts)
            combo.AddString(t);
    }
    std::vector<WORD> Notices() const
    {
        std::vector<WORD> out;
        for (const RecordedMessage& m : parent.m_log)
            if (m.message == WM_COMMAND && LOWORD(m.wParam) == 77)
                out.push_back(HIWORD(m.wParam));
        return out;
    }
    int CountNotice(WORD code) const
    {
        int n = 0;
        for (WORD c : Notices())
            n += c == code ? 1 : 0;
        return n;
    }

    CRecordingWnd parent;
    CComboBox combo;
};

struct FindCase {
    int startAfter;
    const char* text;
    int prefix;  // FindString
    int exact;   // FindStringExact
};

}  // namespace

TEST_F(ComboTest, SearchIgnoresCaseWrapsRoundAndFindsNothingForEmptyText)
{
    Fill({"ttyS1", "ttyS10", "ttyUSB0", "COM7", "ttys1"});
    const FindCase cases[] = {
        {-1, "ttys1", 0, 0},      // case ignored; from the start
        {0, "ttyS1", 1, 4},       // after entry 0: the prefix finds ttyS10, the whole text ttys1
        {1, "ttyS1", 4, 4},       // after entry 1
        {4, "TTYS1", 0, 0},       // after the last: wraps to the first
        {2, "com", 3, CB_ERR},    // a prefix only
        {-1, "ttyUSB0x", CB_ERR, CB_ERR},
        {-1, "", CB_ERR, CB_ERR}, // an empty text names no entry
        {99, "COM7", 3, 3},       // a start outside the list searches all
    };
    for (const FindCase& c : cases) {
        EXPECT_EQ(combo.FindString(c.startAfter, c.text), c.prefix) << c.startAfter << " " << c.text;
        EXPECT_EQ(combo.FindStringExact(c.startAfter, c.text), c.exact) << c.startAfter << " " << c.text;
    }
}

TEST_F(ComboTest, SelectStringSelectsWhatTheSearchFindsAndKeepsTheSelectionOtherwise)
{
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 160, 120), &parent, 77));
    Fill({"alpha", "beta", "gamma"});
    EXPECT_EQ(combo.SelectString(-1, "BE"), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.GetWindowText(), "beta");
    EXPECT_EQ(combo.SelectString(-1, "delta"), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 1);
    // Selecting from the program tells the parent nothing.
    EXPECT_TRUE(Notices().empty());
}

TEST_F(ComboTest, EntriesKeepTheSelectionOnItsEntryAndSortWhenAsked)
{
    Fill({"b", "c"});
    combo.SetCurSel(1);  // "c"
    EXPECT_EQ(combo.InsertString(0, "a"), 0);
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.DeleteString(2), 2);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.DeleteString(5), CB_ERR);
    EXPECT_EQ(combo.InsertString(7, "x"), CB_ERR);
    CString text;
    EXPECT_EQ(combo.GetLBText(9, text), CB_ERR);
    EXPECT_EQ(combo.SetItemData(1, 42), 0);
    EXPECT_EQ(combo.GetItemData(1), 42u);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.GetWindowText(), "");

    CComboBox sorted;
    ASSERT_TRUE(sorted.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, CRect(0, 0, 100, 100), &parent, 78));
    for (const char* t : {"ttyS2", "COM1", "ttyS0"})
        sorted.AddString(t);
    std::vector<CString> order;
    for (int i = 0; i < sorted.GetCount(); ++i) {
        sorted.GetLBText(i, text);
        order.push_back(text);
    }
    EXPECT_EQ(order, (std::vector<CString>{"COM1", "ttyS0", "ttyS2"}));
}

TEST_F(ComboTest, ArrowKeysSelectAndReportOnlyRealChanges)
{
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 160, 120), &parent, 77));
    Fill({"one", "two", "three"});
    struct KeyCase {
        UINT key;
        int sel;
        int notices;  // CBN_SELCHANGE so far
    };
    const KeyCase keys[] = {
        {VK_DOWN, 0, 1}, {VK_DOWN, 1, 2}, {VK_END, 2, 3}, {VK_DOWN, 2, 3},  // at the end: no change, no notice
        {VK_HOME, 0, 4}, {VK_UP, 0, 4},
    };
    for (const KeyCase& k : keys) {
        combo.SendMessage(WM_KEYDOWN, k.key, 0);
        EXPECT_EQ(combo.GetCurSel(), k.sel) << k.key;
        EXPECT_EQ(CountNotice(CBN_SELCHANGE), k.notices) << k.key;
    }
    CString shown;
    combo.GetLBText(combo.GetCurSel(), shown);
    EXPECT_EQ(combo.GetWindowText(), shown);
}

TEST_F(ComboTest, AClickDropsTheListAndAPickInItSelectsAndReports)
{
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 160, 120), &parent, 77));
    Fill({"one", "two", "three"});
    combo.SetCurSel(0);
    EXPECT_EQ(combo.GetWindowText(), "one");
    CRect rc;
    combo.GetClientRect(&rc);
    EXPECT_EQ(rc.Height(), COMBO_FIELD_HEIGHT);  // the rest of the rectangle is the list's

    QTest::mouseClick(combo.GetWidget(), Qt::LeftButton, {}, QPoint(20, 10));
    ASSERT_TRUE(WaitUntil([&] { return combo.GetDroppedState() == TRUE; }));
    EXPECT_EQ(CountNotice(CBN_DROPDOWN), 1);
    CWnd* drop = combo.GetDropList();
    ASSERT_NE(drop, nullptr);
    CRect dropRect, fieldRect;
    drop->GetWindowRect(&dropRect);
    combo.GetWindowRect(&fieldRect);
    EXPECT_EQ(dropRect.top, fieldRect.bottom);  // below the field

    CWnd* list = drop->GetWindow(GW_CHILD);
    ASSERT_NE(list, nullptr);
    QWidget* w = list->GetWidget();
    // Row 2 ("three") at 16 px a row.
    const QPoint at(10, 2 * 16 + 8);
    QCursor::setPos(w->mapToGlobal(at));
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
    ASSERT_TRUE(WaitUntil([&] { return combo.GetDroppedState() == FALSE; }));
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.GetWindowText(), "three");
    EXPECT_EQ(Notices(), (std::vector<WORD>{CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELCHANGE}));
}

TEST_F(ComboTest, EscapeClosesTheListWithoutChangingTheSelection)
{
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 160, 120), &parent, 77));
    Fill({"one", "two"});
    combo.SetCurSel(1);
    combo.ShowDropDown(TRUE);
    ASSERT_TRUE(combo.GetDroppedState());
    CWnd* list = combo.GetDropList()->GetWindow(GW_CHILD);
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list->GetWidget(), Qt::Key_Up);  // the highlight moves
    QTest::keyClick(list->GetWidget(), Qt::Key_Escape);
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(CountNotice(CBN_SELCHANGE), 0);

    combo.ShowDropDown(TRUE);
    QTest::keyClick(list->GetWidget(), Qt::Key_Up);
    QTest::keyClick(list->GetWidget(), Qt::Key_Return);  // Enter takes the highlight
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_EQ(CountNotice(CBN_SELCHANGE), 1);
}

TEST_F(ComboTest, ADisabledBoxDoesNotDrop)
{
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 160, 120), &parent, 77));
    Fill({"one"});
    combo.EnableWindow(FALSE);
    combo.ShowDropDown(TRUE);
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(CountNotice(CBN_DROPDOWN), 0);
}
