// The drop-down combo box's edit field: it is the window text, an entry picked in the list fills
// it, characters and focus given to the combo box reach it, and a derived class can put its own
// edit object in its place.
#include "TestWindows.h"

#include "CComboBox.h"
#include "CEdit.h"
#include "WinApi.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

// A combo box whose edit field is taken over by an object of the derived class.
class COwnEditCombo : public CComboBox {
public:
    BOOL TakeEdit() { return SubclassEdit(m_own); }
    CEdit m_own;
};

class ComboEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP | WS_VISIBLE, CRect(40, 40, 340, 240), nullptr, 0));
        QWidget* top = parent.GetWidget();
        top->activateWindow();
        QApplication::setActiveWindow(top);
        ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    }
    void Make(CComboBox& box, DWORD comboStyle)
    {
        ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | comboStyle, CRect(10, 10, 160, 120), &parent, 77));
        for (const char* t : {"one", "two", "three"})
            box.AddString(t);
    }

    CRecordingWnd parent;
};

}  // namespace

TEST_F(ComboEditTest, OnlyTheDropDownStyleHasAnEditField)
{
    struct Case {
        DWORD style;
        bool edit;
    } cases[] = {{CBS_DROPDOWN, true}, {CBS_DROPDOWN | CBS_AUTOHSCROLL, true}, {CBS_DROPDOWNLIST, false}};
    for (const Case& c : cases) {
        CComboBox box;
        Make(box, c.style);
        CEdit* pEdit = box.GetEditCtrl();
        EXPECT_EQ(pEdit != nullptr, c.edit) << c.style;
        EXPECT_EQ(box.GetDlgItem(COMBO_EDIT_ID), static_cast<CWnd*>(pEdit)) << c.style;
        if (!pEdit)
            continue;
        EXPECT_EQ(pEdit->GetParent(), &box);
        EXPECT_EQ(pEdit->GetDlgCtrlID(), int(COMBO_EDIT_ID));
        EXPECT_EQ((pEdit->GetStyle() & ES_AUTOHSCROLL) != 0, (c.style & CBS_AUTOHSCROLL) != 0) << c.style;
        // Inside the field, clear of the drop button.
        CRect field, edit;
        box.GetWindowRect(&field);
        pEdit->GetWindowRect(&edit);
        EXPECT_GT(edit.left, field.left);
        EXPECT_LT(edit.right, field.right - GetSystemMetrics(SM_CXVSCROLL));
        EXPECT_GT(edit.Height(), 0);
    }
}

TEST_F(ComboEditTest, TheWindowTextIsTheEditFieldsText)
{
    CComboBox box;
    Make(box, CBS_DROPDOWN);
    CEdit* pEdit = box.GetEditCtrl();
    ASSERT_NE(pEdit, nullptr);

    box.SetWindowText("set on the box");
    EXPECT_EQ(pEdit->GetWindowText(), "set on the box");
    box.SetCurSel(1);
    EXPECT_EQ(pEdit->GetWindowText(), "two");
    EXPECT_EQ(box.GetWindowText(), "two");

    // Typing: into the field directly, and as characters sent to the box.
    pEdit->SetSel(0, -1);
    QTest::keyClicks(pEdit->GetWidget(), "tw");
    EXPECT_EQ(box.GetWindowText(), "tw");
    box.SendMessage(WM_CHAR, 'x');
    EXPECT_EQ(pEdit->GetWindowText(), "twx");
    EXPECT_EQ(box.GetWindowText(), "twx");
    EXPECT_EQ(box.GetCurSel(), 1);  // typing does not change the selected entry

    // The focus given to the box goes to its field.
    parent.SetFocus();
    box.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(pEdit));
}

TEST_F(ComboEditTest, APickInTheListFillsTheEditField)
{
    struct Case {
        int start;          // selected before
        const char* typed;  // typed over it
        int steps;          // Up presses in the list before Enter
        const char* text;
        int sel;
    } cases[] = {
        {2, nullptr, 1, "two", 1},
        {1, "zz", 1, "one", 0},
        {1, "zz", 0, "two", 1},  // the same entry again puts its text back over the typing
    };
    for (const Case& c : cases) {
        CComboBox box;
        Make(box, CBS_DROPDOWN);
        CEdit* pEdit = box.GetEditCtrl();
        ASSERT_NE(pEdit, nullptr);
        box.SetCurSel(c.start);
        if (c.typed)
            box.SetWindowText(c.typed);
        box.ShowDropDown(TRUE);
        ASSERT_TRUE(box.GetDroppedState());
        CWnd* list = box.GetDropList()->GetWindow(GW_CHILD);
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < c.steps; ++i)
            QTest::keyClick(list->GetWidget(), Qt::Key_Up);
        QTest::keyClick(list->GetWidget(), Qt::Key_Return);
        EXPECT_FALSE(box.GetDroppedState());
        EXPECT_EQ(box.GetCurSel(), c.sel) << c.text;
        EXPECT_EQ(pEdit->GetWindowText(), c.text);
        EXPECT_EQ(box.GetWindowText(), c.text);
        int s = -1, e = -1;
        pEdit->GetSel(s, e);
        EXPECT_EQ(s, 0);
        EXPECT_EQ(e, int(std::string(c.text).size()));
        EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(pEdit));
    }
}

TEST_F(ComboEditTest, ADerivedClassPutsItsOwnEditFieldInPlace)
{
    COwnEditCombo box;
    Make(box, CBS_DROPDOWN);
    box.SetCurSel(2);
    CEdit* pFirst = box.GetEditCtrl();
    ASSERT_NE(pFirst, nullptr);
    CRect before;
    pFirst->GetWindowRect(&before);

    ASSERT_TRUE(box.TakeEdit());
    EXPECT_FALSE(box.TakeEdit());  // already in place
    EXPECT_EQ(box.GetEditCtrl(), &box.m_own);
    EXPECT_EQ(box.GetDlgItem(COMBO_EDIT_ID), static_cast<CWnd*>(&box.m_own));
    EXPECT_EQ(box.m_own.GetWindowText(), "three");
    CRect after;
    box.m_own.GetWindowRect(&after);
    EXPECT_EQ(after, before);
    box.SetWindowText("new");
    EXPECT_EQ(box.m_own.GetWindowText(), "new");
    box.m_own.SetWindowText("own");
    EXPECT_EQ(box.GetWindowText(), "own");
    EXPECT_TRUE(box.IsPartOf(&box.m_own));
    EXPECT_FALSE(box.IsPartOf(&parent));

    COwnEditCombo list;
    Make(list, CBS_DROPDOWNLIST);
    EXPECT_FALSE(list.TakeEdit());
    EXPECT_EQ(list.GetEditCtrl(), nullptr);
}
