// The mouse on the preset list: presses on the heading row, column 0 acting as column 1, the
// double click notice, the right-click menu and the mouse mode after it.
#include "GridTestKit.h"

#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

using namespace GridKit;

namespace {
struct Preset : Fixture {
    Preset() : Fixture(300, 230)
    {
        ConfigureAsPresetList(*grid);
        for (int r = 1; r < 7; ++r)
            grid->SetItemText(r, 1, ("Scene " + std::to_string(r)).c_str());
    }
    QPoint At(int row, int col)
    {
        CRect rc;
        grid->GetCellBounds(row, col, &rc);
        return QPoint(rc.left + 4, rc.top + 4);
    }
};

// Picks the menu item at position nItem (0 based), or closes it with -1, once it is up, and
// records the texts it showed.
void AnswerMenu(int nItem, std::vector<QString>* pTexts)
{
    QTimer::singleShot(0, [=] {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            return;
        if (auto* menu = qobject_cast<QMenu*>(shown))
            for (QAction* a : menu->actions())
                pTexts->push_back(a->text());
        if (nItem < 0) {
            QTest::keyClick(shown, Qt::Key_Escape);
            return;
        }
        for (int i = 0; i <= nItem; ++i)
            QTest::keyClick(shown, Qt::Key_Down);
        QTest::keyClick(shown, Qt::Key_Return);
    });
}
}  // namespace

TEST(GridMouse, PressOnColumnZeroActsOnColumnOne)
{
    Preset f;
    QTest::mouseClick(f.grid->GetWidget(), Qt::LeftButton, Qt::NoModifier, f.At(3, 0));
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(3, 1));
    EXPECT_EQ(f.grid->GetItemState(3, 1), GVS_SELECTED);
    EXPECT_EQ(f.grid->GetMouseMode(), MODE_IDLE);
    Pump();
    ASSERT_FALSE(f.host.m_commands.empty());  // the click command, posted on release
    EXPECT_EQ(LOWORD(f.host.m_commands.back()), 2724);
    EXPECT_EQ(HIWORD(f.host.m_commands.back()), BN_CLICKED);
}

TEST(GridMouse, PressOnTheHeadingRowDoesNothing)
{
    Preset f;
    f.grid->SetFocusCell(2, 1);
    QTest::mouseClick(f.grid->GetWidget(), Qt::LeftButton, Qt::NoModifier, f.At(0, 1));
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(2, 1));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    QTest::mouseClick(f.grid->GetWidget(), Qt::RightButton, Qt::NoModifier, f.At(0, 1));
    EXPECT_EQ(f.grid->GetRightClickCell(), CCellPos(-1, -1));
}

TEST(GridMouse, DoubleClickNotifiesTheRowOfANonEditableGrid)
{
    Preset f;
    QWidget* w = f.grid->GetWidget();
    struct Case {
        int row, col;
        bool notified;
    } cases[] = {{3, 0, true}, {5, 1, true}, {0, 1, false}};
    for (const auto& c : cases) {
        f.host.m_notices.clear();
        const QPoint pt = f.At(c.row, c.col);
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, pt);
        QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, pt);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(pt), w->mapToGlobal(QPointF(pt)), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &dbl);
        QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, pt);
        const auto dbls = f.host.Of(NM_DBLCLK);
        ASSERT_EQ(dbls.size(), c.notified ? 1u : 0u) << c.row << "," << c.col;
        if (c.notified) {
            EXPECT_EQ(dbls[0].row, c.row);
            EXPECT_EQ(dbls[0].col, c.col);
            EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(c.row, 1));
        }
    }
}

TEST(GridMouse, RightPressSelectsTheRowAndOpensThePresetMenu)
{
    const int saved = g_bChinese;
    g_bChinese = 0;
    Preset f;
    f.grid->SetFocusCell(2, 1);
    g_bChinese = 1;  // Delete follows the language of the moment; Load and Save As do not
    std::vector<QString> texts;
    AnswerMenu(2, &texts);
    QTest::mouseClick(f.grid->GetWidget(), Qt::RightButton, Qt::NoModifier, f.At(4, 1));
    EXPECT_EQ(f.grid->GetRightClickCell(), CCellPos(4, 1));
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(-1, -1));
    EXPECT_TRUE(f.grid->GetItemState(4, 1) & GVS_SELECTED);
    EXPECT_FALSE(f.grid->GetItemState(2, 1) & GVS_SELECTED);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].toStdString(), "Load     Machine Preset(&E)");
    EXPECT_EQ(texts[1].toStdString(), "Save As Machine Preset(&I)");
    EXPECT_EQ(texts[2].toStdString(), "删除 机器预置场景(&D)");
    Pump();
    ASSERT_FALSE(f.host.m_commands.empty());
    EXPECT_EQ(LOWORD(f.host.m_commands.back()), ID_PRESET_DELETE);

    // Once the menu is gone the arrows work again.
    EXPECT_EQ(f.grid->GetMouseMode(), MODE_IDLE);
    f.grid->SetFocusCell(4, 1);
    SendKey(*f.grid, VK_DOWN);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(5, 1));
    g_bChinese = saved;
}

TEST(GridMouse, WheelPostsScrollSteps)
{
    Fixture f(320, 200);
    FillPlain(*f.grid, 40, 3);
    SettingsStore::DeleteKey("Control Panel\\Desktop");
    f.grid->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-240))), 0);
    EXPECT_EQ(f.grid->GetFirstScrolledCell().row, 1);  // posted, not yet handled
    Pump();
    EXPECT_EQ(f.grid->GetFirstScrolledCell().row, 7);
}
