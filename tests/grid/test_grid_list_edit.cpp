// The option list's edit field: which keys it passes to the list and which it edits, the first
// key, the one end-of-edit notice on focus loss, and typed text against the column's options.
#include "GridTestKit.h"

#include "CComboGridCtrl.h"
#include "CInPlaceList.h"

#include <gtest/gtest.h>

using namespace GridKit;

namespace {

struct EditEnd {
    CString text;
    UINT key;
    int row, col;
};

// The list's owner: keeps every end-of-edit record it is sent, and counts the key presses and
// releases its pre-translation sees (a host dialog would act on Enter and Esc there).
class CEndHost : public CWnd {
public:
    std::vector<EditEnd> m_ends;
    int m_nKeysSeen = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP)
            ++m_nKeysSeen;
        return CWnd::PreTranslateMessage(pMsg);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const auto* pNotify = reinterpret_cast<const GV_EDITNOTIFY*>(lParam);
            if (pNotify->hdr.code == GVN_ENDEDIT)
                m_ends.push_back({pNotify->item.strText, UINT(pNotify->item.lParam), pNotify->item.row,
                                  pNotify->item.col});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct ListFixture {
    CEndHost host;
    CInPlaceList* list = nullptr;
    bool activeOk = false;

    ListFixture()
    {
        host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0);
        QWidget* top = host.GetWidget();
        top->activateWindow();
        QApplication::setActiveWindow(top);
        activeOk = QTest::qWaitForWindowActive(top);
        host.SetFocus();
    }
    ~ListFixture()
    {
        if (CInPlaceList::LiveCount() > 0) {
            host.SetFocus();
            WaitUntil([] { return CInPlaceList::LiveCount() == 0; });
        }
    }
    CEdit* Open(const char* init, UINT firstKey, DWORD style = CBS_DROPDOWN)
    {
        CRect rc(20, 20, 120, 40);
        list = new CInPlaceList(&host, rc, style, IDC_INCELL_EDIT, 2, 3, {"Low", "Mid", "High"}, init, firstKey);
        return list->GetEditCtrl();
    }
    bool Closed() { return WaitUntil([] { return CInPlaceList::LiveCount() == 0; }); }
};

}  // namespace

TEST(ListEdit, KeysPassedToTheListOrEdited)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        bool typeFirst;  // "x" typed before the key
        bool ends;
        UINT endKey;
        const char* text;  // the text reported (or still shown)
    } cases[] = {
        {Qt::Key_Down, Qt::ControlModifier, false, true, VK_DOWN, "Mid"},
        {Qt::Key_Up, Qt::ControlModifier, true, true, VK_UP, "Midx"},
        {Qt::Key_Left, Qt::ControlModifier, false, true, VK_LEFT, "Mid"},
        {Qt::Key_Right, Qt::ControlModifier, false, true, VK_RIGHT, "Mid"},
        {Qt::Key_PageUp, Qt::ControlModifier, false, true, VK_PRIOR, "Mid"},
        {Qt::Key_PageDown, Qt::ControlModifier, false, true, VK_NEXT, "Mid"},
        {Qt::Key_Tab, Qt::NoModifier, true, true, VK_TAB, "Midx"},
        {Qt::Key_Return, Qt::NoModifier, true, true, VK_RETURN, "Midx"},
        {Qt::Key_Escape, Qt::NoModifier, true, true, VK_ESCAPE, "Mid"},  // typing undone
        {Qt::Key_Down, Qt::NoModifier, false, false, 0, "Mid"},
        {Qt::Key_PageDown, Qt::NoModifier, false, false, 0, "Mid"},
        {Qt::Key_Home, Qt::ControlModifier, false, false, 0, "Mid"},
        {Qt::Key_End, Qt::NoModifier, false, false, 0, "Mid"},
        {Qt::Key_Z, Qt::NoModifier, false, false, 0, "Midz"},
        {Qt::Key_Backspace, Qt::NoModifier, false, false, 0, "Mi"},
    };
    for (const Case& c : cases) {
        ListFixture f;
        ASSERT_TRUE(f.activeOk);
        CEdit* pEdit = f.Open("Mid", VK_LBUTTON);
        ASSERT_NE(pEdit, nullptr);
        ASSERT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(pEdit));
        QWidget* w = pEdit->GetWidget();
        if (c.typeFirst)
            QTest::keyClicks(w, "x");
        QTest::keyClick(w, c.key, c.mods);
        EXPECT_EQ(f.host.m_nKeysSeen, 0) << c.key;  // the field keeps its keys from the host
        if (c.ends) {
            ASSERT_TRUE(f.Closed()) << c.key;
            ASSERT_EQ(f.host.m_ends.size(), 1u) << c.key;
            EXPECT_EQ(f.host.m_ends[0].key, c.endKey) << c.key;
            EXPECT_EQ(f.host.m_ends[0].text, c.text) << c.key;
            EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(&f.host)) << c.key;
        } else {
            Pump();
            EXPECT_EQ(CInPlaceList::LiveCount(), 1) << c.key;
            EXPECT_TRUE(f.host.m_ends.empty()) << c.key;
            EXPECT_EQ(f.list->GetWindowText(), c.text) << c.key;
            EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(pEdit)) << c.key;
        }
    }
}

TEST(ListEdit, FocusLossEndsTheEditOnce)
{
    ListFixture f;
    CEdit* pEdit = f.Open("Hi", VK_LBUTTON);
    ASSERT_NE(pEdit, nullptr);
    EXPECT_EQ(pEdit->GetWindowText(), "High");  // the first option beginning with the text

    // Dropping the list and closing it again moves the focus within the editor only.
    f.list->ShowDropDown(TRUE);
    ASSERT_TRUE(f.list->GetDroppedState());
    Pump();  // the user looks at the list
    EXPECT_EQ(CInPlaceList::LiveCount(), 1);
    f.list->ShowDropDown(FALSE);
    Pump();
    EXPECT_EQ(CInPlaceList::LiveCount(), 1);
    EXPECT_TRUE(f.host.m_ends.empty());
    EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(pEdit));

    QTest::keyClicks(pEdit->GetWidget(), "!");
    f.host.SetFocus();
    f.host.SetFocus();
    ASSERT_TRUE(f.Closed());
    Pump();
    ASSERT_EQ(f.host.m_ends.size(), 1u);
    EXPECT_EQ(f.host.m_ends[0].text, "Hi!gh");  // typed after the initial text's length
    EXPECT_EQ(f.host.m_ends[0].key, 0u);
    EXPECT_EQ(f.host.m_ends[0].row, 2);
    EXPECT_EQ(f.host.m_ends[0].col, 3);
}

TEST(ListEdit, FirstKeyAppliedToTheEditField)
{
    struct Case {
        UINT key;
        const char* init;
        const char* text;
        int selStart, selEnd;
    } cases[] = {
        {VK_LBUTTON, "Mid", "Mid", 3, 3}, {VK_RETURN, "Mid", "Mid", 3, 3}, {VK_BACK, "Mid", "Mi", 2, 2},
        {VK_TAB, "Mid", "Mid", 0, 3},     {VK_SPACE, "Mid", " ", 1, 1},    {VK_DOWN, "Mid", "Mid", 0, 3},
        {VK_NEXT, "Mid", "Mid", 0, 3},    {'q', "Mid", "q", 1, 1},         {VK_LBUTTON, "Zed", "Zed", 3, 3},
        {VK_RETURN, "Hi", "High", 2, 2},
    };
    for (const Case& c : cases) {
        ListFixture f;
        CEdit* pEdit = f.Open(c.init, c.key);
        ASSERT_NE(pEdit, nullptr) << c.key;
        EXPECT_EQ(pEdit->GetWindowText(), c.text) << c.key << " " << c.init;
        EXPECT_EQ(f.list->GetWindowText(), c.text) << c.key;
        int s = -1, e = -1;
        pEdit->GetSel(s, e);
        EXPECT_EQ(s, c.selStart) << c.key << " " << c.init;
        EXPECT_EQ(e, c.selEnd) << c.key << " " << c.init;
    }

    // Without an edit field the first key is not applied.
    ListFixture f;
    EXPECT_EQ(f.Open("Mid", 'q', CBS_DROPDOWNLIST), nullptr);
    EXPECT_EQ(f.list->GetWindowText(), "Mid");
    EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(f.list));
}

TEST(ListEdit, TypedTextIsStoredOnlyWhenItIsAnOption)
{
    struct Case {
        const char* typed;
        const char* stored;
    } cases[] = {{"High", "High"}, {"high", "Low"}, {"Medium", "Low"}, {"Lo", "Low"}, {"Low", "Low"}};
    for (const Case& c : cases) {
        auto* combo = new CComboGridCtrl;
        Fixture f(320, 200, combo);
        FillPlain(*combo, 4, 3);
        combo->SetEditEnabled(TRUE);
        combo->SetColumnOptions(2, {"Low", "High"});
        ASSERT_TRUE(combo->SetItemText(1, 2, "Low"));
        QWidget* top = f.host.GetWidget();
        top->activateWindow();
        QApplication::setActiveWindow(top);
        ASSERT_TRUE(QTest::qWaitForWindowActive(top));
        combo->SetFocus();
        combo->SetFocusCell(1, 2);
        ASSERT_TRUE(combo->BeginCellEdit(1, 2, VK_LBUTTON)) << c.typed;
        auto* pList = dynamic_cast<CInPlaceList*>(combo->GetDlgItem(IDC_INCELL_EDIT));
        ASSERT_NE(pList, nullptr);
        CEdit* pEdit = pList->GetEditCtrl();
        ASSERT_NE(pEdit, nullptr);
        pEdit->SetSel(0, -1);
        QTest::keyClicks(pEdit->GetWidget(), c.typed);
        QTest::keyClick(pEdit->GetWidget(), Qt::Key_Return);
        ASSERT_TRUE(WaitUntil([] { return CInPlaceList::LiveCount() == 0; })) << c.typed;
        EXPECT_EQ(combo->GetItemText(1, 2), c.stored) << c.typed;
        EXPECT_EQ(f.host.Of(GVN_ENDEDIT).size(), 1u) << c.typed;
        EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(combo)) << c.typed;
    }
}

TEST(ListEdit, TheFieldShowsTheTextOnceBesideTheDropButton)
{
    auto* combo = new CComboGridCtrl;
    Fixture f(320, 200, combo);
    FillPlain(*combo, 4, 3, 22, 90);
    combo->SetColumnOptions(2, {"Low", "High"});
    ASSERT_TRUE(combo->SetItemText(1, 2, "High"));
    ASSERT_TRUE(combo->BeginCellEdit(1, 2, VK_LBUTTON));
    auto* pList = dynamic_cast<CInPlaceList*>(combo->GetDlgItem(IDC_INCELL_EDIT));
    ASSERT_NE(pList, nullptr);
    CEdit* pEdit = pList->GetEditCtrl();
    ASSERT_NE(pEdit, nullptr);
    // The field lies over the cell, one cell high; the dropped list takes the rest.
    CRect cell, box;
    ASSERT_TRUE(combo->GetCellBounds(1, 2, &cell));
    pList->GetWindowRect(&box);
    combo->ScreenToClient(&box);
    EXPECT_EQ(box.top, cell.top);
    EXPECT_EQ(box.Height(), cell.Height());
    Pump();
    const QImage img = Grab(*pList);
    img.save(QString::fromStdString(ScreenPath("grid_list_edit_field.png")));

    // Text ink inside the edit field, none in the combo's strip left of it.
    CRect field;
    pEdit->GetWindowRect(&field);
    pList->ScreenToClient(&field);
    auto inked = [&](int x0, int x1) {
        int n = 0;
        for (int y = field.top; y < field.bottom; ++y)
            for (int x = x0; x < x1; ++x)
                n += GetRValue(PixelOf(img, x, y)) < 100 ? 1 : 0;
        return n;
    };
    EXPECT_GT(inked(field.left, field.right), 0);
    EXPECT_EQ(inked(1, field.left), 0);
    f.grid->SetFocus();
    ASSERT_TRUE(WaitUntil([] { return CInPlaceList::LiveCount() == 0; }));
}
