// The preset dialog without a device: the name checks and their messages, the name box's byte
// limit, a save-as without a link, and pictures of the dialog with the grid's menu open in both
// languages (screens/program_dlg_en.png, screens/program_dlg_zh.png).
#include "CProgramDlg.h"
#include "CSaveDlg.h"
#include "DialogScreens.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "SceneImage.h"
#include "ShowTimedMessage.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>

namespace {

void SetStoredName(int n, const char* name)
{
    std::memset(g_StoredScenes[n - 1], 0, SCENE_NAME_SIZE);
    std::memcpy(g_StoredScenes[n - 1], name, std::strlen(name));
}

struct Boxes {
    std::vector<std::pair<CString, int>> shown;
    Boxes()
    {
        SetTimedMessageHook([this](const CString& text, int selector) {
            shown.push_back({text, selector});
            return IDOK;
        });
    }
    ~Boxes() { SetTimedMessageHook({}); }
};

void SendKey(QWidget* w, int key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &down);
}

void RightClick(QWidget* w, QPoint pt)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pt), w->mapToGlobal(QPointF(pt)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pt), w->mapToGlobal(QPointF(pt)), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

void EnsureFonts()
{
    if (!g_fontArial16.GetSafeHandle())
        CreateSharedGdiObjects();
}

}  // namespace

TEST(ProgramDlg, NameChecksGiveTheirMessages)
{
    EnsureFonts();
    const int saved = g_bChinese;
    for (int i = 1; i <= 6; ++i)
        SetStoredName(i, ("Scene " + std::to_string(i)).c_str());
    SetStoredName(4, "ABCDEFGHIJKLMxy");
    struct Case {
        int chinese;
        int scene;
        const char* name;
        const char* message;
        int selector;
    } cases[] = {
        {0, 2, "", "The machine preset name can not be empty!", -3},
        {1, 2, "", "机器预置场景名不能为空!", -2},
        {0, 2, "   ", "The machine preset name can not be all spaces!", -3},
        {1, 2, " \t ", "机器预置场景名不能全为空格!", -2},
        {0, 2, "Scene 3", "Have been the same machine preset name!", -3},
        {1, 2, "ABCDEFGHIJKLM", "已有相同的机器预置场景名!", -2},  // the same first 13 bytes
        {0, 2, "ABCDEFGHIJKLMzz", "Have been the same machine preset name!", -3},
    };
    for (const auto& c : cases) {
        g_bChinese = c.chinese;
        Boxes boxes;
        CProgramDlg dlg;
        dlg.m_nScene = c.scene;
        dlg.m_strName = c.name;
        EXPECT_FALSE(dlg.SaveName()) << c.name;
        ASSERT_EQ(boxes.shown.size(), 1u) << c.name;
        EXPECT_EQ(boxes.shown[0].first, c.message);
        EXPECT_EQ(boxes.shown[0].second, c.selector);
        EXPECT_STREQ(reinterpret_cast<const char*>(g_StoredScenes[1]), "Scene 2");
    }
    g_bChinese = saved;
}

TEST(ProgramDlg, SavingUnderItsOwnNameOrWithoutALinkRenamesNothing)
{
    EnsureFonts();
    SetStoredName(2, "Scene 2");
    Boxes boxes;
    CProgramDlg dlg;
    dlg.m_nScene = 2;
    // Its own name passes the checks (the scene itself is skipped); without a view there is no
    // link, and the name must not change before the device has it.
    dlg.m_strName = "Scene 2";
    EXPECT_FALSE(dlg.SaveName());
    EXPECT_TRUE(boxes.shown.empty());
    dlg.m_strName = "Fresh";
    EXPECT_FALSE(dlg.SaveName());
    EXPECT_STREQ(reinterpret_cast<const char*>(g_StoredScenes[1]), "Scene 2");
}

TEST(ProgramDlg, NameBoxCutsAChineseNameOnAWholeCharacter)
{
    EnsureFonts();
    const int saved = g_bChinese;
    g_bChinese = 1;
    SetStoredName(3, "Old");
    CSaveDlg box;
    box.m_nScene = 3;
    ASSERT_TRUE(box.Create(IDD_SAVE_PRESET));
    EXPECT_EQ(box.m_editName.GetWindowText(), "Old");
    EXPECT_EQ(box.m_stNumber.GetWindowText(), "序号:3");
    EXPECT_EQ(box.GetWindowText(), "请输入场景名");
    box.m_editName.SetWindowText("");
    QInputMethodEvent typed;
    typed.setCommitString(QString::fromUtf8("高速公路之夜曲"));  // seven characters, 14 bytes
    QCoreApplication::sendEvent(box.m_editName.GetWidget(), &typed);
    EXPECT_EQ(box.m_editName.GetWindowText(), "高速公路之夜");  // six whole characters, 12 bytes
    g_bChinese = saved;
    box.DestroyWindow();
}

TEST(ProgramDlg, RightClickOutsideTheScenesDoesNothing)
{
    EnsureFonts();
    Boxes boxes;
    CProgramDlg dlg;
    for (int row : {-1, 0, 7, 99})
        dlg.DeleteScene(row);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(ProgramDlg, ScreensWithThePresetMenuOpen)
{
    EnsureFonts();
    const int saved = g_bChinese;
    const char* names[] = {"Road trip", "Bass heavy", "Vocal", "Night drive", "Concert hall", "Flat"};
    for (int i = 0; i < 6; ++i)
        SetStoredName(i + 1, names[i]);
    QDir().mkpath(QStringLiteral(ORVANE_BINARY_DIR "/screens"));
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        CProgramDlg dlg;
        dlg.m_nMode = 0;
        ASSERT_TRUE(dlg.Create(IDD_PROGRAM));
        dlg.ShowWindow(SW_SHOW);
        dialogscreens::Pump();
        EXPECT_EQ(dlg.m_Grid.GetItemText(0, 1), chinese ? "场景名" : "Preset");
        EXPECT_EQ(dlg.GetWindowText(), chinese ? "加载 机器预置场景" : "Load Machine Preset");

        QImage shot;
        std::vector<QString> texts;
        QTimer::singleShot(0, [&] {
            QWidget* menu = QApplication::activePopupWidget();
            if (!menu)
                return;
            if (auto* m = qobject_cast<QMenu*>(menu))
                for (QAction* a : m->actions())
                    texts.push_back(a->text());
            // The dialog (the clicked row now selected) with the menu drawn where it stands.
            shot = dlg.GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QPainter p(&shot);
            const QPoint at = dlg.GetWidget()->mapFromGlobal(menu->mapToGlobal(QPoint(0, 0)));
            p.drawImage(at, menu->grab().toImage());
            p.end();
            SendKey(menu, Qt::Key_Escape);
        });
        CRect rc;
        ASSERT_TRUE(dlg.m_Grid.GetCellBounds(3, 1, &rc));
        const QPoint pt(rc.left + 20, rc.top + 5);
        QCursor::setPos(dlg.m_Grid.GetWidget()->mapToGlobal(pt));
        RightClick(dlg.m_Grid.GetWidget(), pt);
        ASSERT_FALSE(shot.isNull());
        const QString file = QStringLiteral(ORVANE_BINARY_DIR "/screens/program_dlg_%1.png").arg(chinese ? "zh" : "en");
        ASSERT_TRUE(dialogscreens::Framed(shot, dlg.GetWindowText()).save(file));
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[2].toStdString(), chinese ? "删除 机器预置场景(&D)" : "Delete Machine Preset(&D)");
        EXPECT_EQ(dlg.m_Grid.GetRightClickCell(), CCellPos(3, 1));
        dlg.DestroyWindow();
    }
    g_bChinese = saved;
}
