// The device preset dialog against the emulator over TCP: recalling a stored scene by double
// click and by the grid's menu sends exactly the recall frames and the device's live scene
// becomes that scene; save-as writes the new name to the device and the list shows it; delete
// asks first, and "No" keeps (and shows again) the name the Delete key emptied.
#include "E2eRig.h"

#include "CProgramDlg.h"
#include "CDisplayDlg.h"
#include "Globals.h"
#include "SceneImage.h"
#include "ShellGlobals.h"
#include "ShowTimedMessage.h"

#include <QApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>

using namespace e2e;

namespace {

// Input as the desktop delivers it (this test program has no QTest).
void Mouse(QWidget* w, QEvent::Type type, QPoint pt, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(pt), w->mapToGlobal(QPointF(pt)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString())
{
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(w, &up);
}
void Type(QWidget* w, const QString& text)
{
    for (QChar c : text)
        Key(w, c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

std::string NameOf(const std::vector<BYTE>& scene) { return std::string(reinterpret_cast<const char*>(scene.data())); }

void SetDeviceName(CDeviceEmulator& emu, int n, const char* name)
{
    std::vector<BYTE> img = emu.GetScene(n);
    std::memset(img.data(), 0, SCENE_NAME_SIZE);
    std::memcpy(img.data(), name, std::strlen(name));
    img[BlockOffset(BLOCK_OUTPUT, 2) + OUT_REC_LEVEL * RECORD_SIZE + 2] = BYTE(0x40 + n);  // marks the scene
    emu.SetScene(n, img);
}

std::vector<Frame> RecallFrames(int scene)
{
    auto master = [](int on) {
        return DeviceFrame(std::string("A1 01 00 09 05 00 00 00 08 00 3C 00 00 00 00 00 ") + (on ? "01" : "00") +
                           " 00");
    };
    std::vector<Frame> f = {master(0)};
    for (int ch = 0; ch < 10; ++ch) {
        char fields[80];
        std::snprintf(fields, sizeof fields, "A2 01 %02X 04 %02X 00 00 00 08 00 00 00 00 00 00 00 00 00", scene, ch);
        f.push_back(DeviceFrame(fields));
    }
    return f;
}

struct PresetRig {
    LinkRig rig{LinkRig::Door::Tcp};
    CProgramDlg dlg;
    std::vector<std::pair<CString, int>> boxes;
    int answer = IDYES;

    explicit PresetRig(int mode)
    {
        for (int n = 1; n <= 6; ++n)
            SetDeviceName(rig.emu, n, ("Scene " + std::to_string(n)).c_str());
        rig.Start();
        connected = rig.WaitConnected();
        SetTimedMessageHook([this](const CString& text, int selector) {
            boxes.push_back({text, selector});
            return answer;
        });
        dlg.m_pView = rig.view.get();
        dlg.m_nMode = mode;
        dlg.Create(IDD_PROGRAM);
        dlg.ShowWindow(SW_SHOW);
        QWidget* top = dlg.GetWidget();
        top->activateWindow();
        QApplication::setActiveWindow(top);
        active = PumpUntil([top] { return top->isActiveWindow(); }, 5000);
        rig.emu.ClearRequestLog();
    }
    ~PresetRig() { SetTimedMessageHook({}); }

    QPoint At(int row, int col)
    {
        CRect rc;
        dlg.m_Grid.GetCellBounds(row, col, &rc);
        return QPoint(rc.left + 4, rc.top + 4);
    }
    void DoubleClick(int row, int col)
    {
        QWidget* w = dlg.m_Grid.GetWidget();
        const QPoint pt = At(row, col);
        Mouse(w, QEvent::MouseButtonPress, pt, Qt::LeftButton);
        Mouse(w, QEvent::MouseButtonRelease, pt, Qt::LeftButton);
        Mouse(w, QEvent::MouseButtonDblClick, pt, Qt::LeftButton);
        Mouse(w, QEvent::MouseButtonRelease, pt, Qt::LeftButton);
    }
    // Right-clicks the cell and picks the menu item at that position.
    void MenuPick(int row, int item)
    {
        QTimer::singleShot(0, [item] {
            if (QWidget* shown = QApplication::activePopupWidget()) {
                for (int i = 0; i <= item; ++i)
                    Key(shown, Qt::Key_Down);
                Key(shown, Qt::Key_Return);
            }
        });
        Mouse(dlg.m_Grid.GetWidget(), QEvent::MouseButtonPress, At(row, 1), Qt::RightButton);
        Mouse(dlg.m_Grid.GetWidget(), QEvent::MouseButtonRelease, At(row, 1), Qt::RightButton);
    }
    // Waits for the requests and the end of the batch.
    std::vector<Frame> WaitRequests(size_t n)
    {
        PumpUntil([&] { return rig.RequestsWithoutPolls().size() >= n && !g_bTransferBusy; });
        PumpFor(200);
        return rig.RequestsWithoutPolls();
    }
    bool connected = false;
    bool active = false;
};

void ExpectRecallOf(PresetRig& p, int scene)
{
    const std::vector<Frame> want = RecallFrames(scene);
    const std::vector<Frame> got = p.WaitRequests(want.size() + 2);
    ASSERT_GE(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(ToHex(got[i]), ToHex(want[i])) << "request " << i;
    // Then the live scene's name read back, and the master output on again.
    ASSERT_TRUE(PumpUntil([&] { return g_bOnline != 0; }));
    EXPECT_EQ(NameOf(p.rig.emu.GetScene(0)), "Scene " + std::to_string(scene));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(g_Scene)), "Scene " + std::to_string(scene));
    EXPECT_EQ(g_Scene[BlockOffset(BLOCK_OUTPUT, 2) + OUT_REC_LEVEL * RECORD_SIZE + 2], BYTE(0x40 + scene));
    EXPECT_EQ(g_byCurScene, scene);
}

}  // namespace

TEST(E2ePresets, RecallByDoubleClick)
{
    PresetRig p(0);
    ASSERT_TRUE(p.connected);
    ASSERT_TRUE(p.active);
    EXPECT_EQ(p.dlg.m_Grid.GetItemText(3, 1), "Scene 3");
    p.DoubleClick(3, 1);
    ExpectRecallOf(p, 3);
}

TEST(E2ePresets, RecallByMenuInDeleteMode)
{
    PresetRig p(2);
    ASSERT_TRUE(p.connected);
    p.MenuPick(3, 0);  // Load, offered in every mode
    ExpectRecallOf(p, 3);
}

TEST(E2ePresets, SaveAsWritesTheNewName)
{
    PresetRig p(1);
    ASSERT_TRUE(p.connected);
    // Types the name into the name box once it is up (it runs modally inside the flow).
    QTimer typer;
    typer.setInterval(20);
    QObject::connect(&typer, &QTimer::timeout, [&typer] {
        QWidget* field = QApplication::focusWidget();
        if (!field || field->window()->windowTitle() != "Please enter the preset name")
            return;
        typer.stop();
        Key(field, Qt::Key_A, Qt::ControlModifier);
        Type(field, "Highway");
        Key(field, Qt::Key_Return, Qt::NoModifier, "\r");
    });
    typer.start();
    p.MenuPick(2, 1);  // Save As on row 2
    ASSERT_TRUE(PumpUntil([&] { return NameOf(p.rig.emu.GetScene(2)) == "Highway"; }));
    EXPECT_EQ(p.dlg.m_Grid.GetItemText(2, 1), "Highway");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(g_StoredScenes[1])), "Highway");
    EXPECT_TRUE(p.boxes.empty());
}

TEST(E2ePresets, DeleteAsksAndNoKeepsTheName)
{
    PresetRig p(0);
    ASSERT_TRUE(p.connected);
    p.dlg.m_Grid.SetFocusCell(4, 1);
    p.answer = IDNO;
    Key(p.dlg.m_Grid.GetWidget(), Qt::Key_Delete);
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].first, "Are you delete No.4 preset?");
    EXPECT_EQ(p.boxes[0].second, -3);
    EXPECT_EQ(p.dlg.m_Grid.GetItemText(4, 1), "Scene 4");  // shown again after "No"
    PumpFor(300);
    EXPECT_EQ(NameOf(p.rig.emu.GetScene(4)), "Scene 4");

    p.answer = IDYES;
    p.dlg.m_Grid.SetFocusCell(4, 1);
    Key(p.dlg.m_Grid.GetWidget(), Qt::Key_Delete);
    ASSERT_EQ(p.boxes.size(), 2u);
    EXPECT_EQ(p.dlg.m_Grid.GetItemText(4, 1), "");
    ASSERT_TRUE(PumpUntil([&] { return NameOf(p.rig.emu.GetScene(4)).empty(); }));
    EXPECT_EQ(g_StoredScenes[3][0], 0);
}

TEST(E2ePresets, EnterAndEscapeDoNotCloseTheDialog)
{
    PresetRig p(0);
    ASSERT_TRUE(p.connected);
    p.dlg.m_Grid.SetFocus();
    Key(p.dlg.m_Grid.GetWidget(), Qt::Key_Return, Qt::NoModifier, "\r");
    Key(p.dlg.m_Grid.GetWidget(), Qt::Key_Escape, Qt::NoModifier, "\x1b");
    PumpFor(100);
    EXPECT_TRUE(p.dlg.IsWindowVisible());
    EXPECT_TRUE(p.rig.RequestsWithoutPolls().empty());
}

namespace {
// Runs xdotool with the arguments while the user-interface loop keeps running.
bool XDoTool(const QStringList& args)
{
    QProcess p;
    p.start("xdotool", args);
    if (!p.waitForStarted(5000))
        return false;
    PumpUntil([&] { return p.state() == QProcess::NotRunning; }, 10000);
    return p.exitCode() == 0;
}
}  // namespace

// With a real pointer and keyboard on an X display:
//   xvfb-run -a env QT_QPA_PLATFORM=xcb ORVANE_LOOPBACK_ONLY=1 tests/e2e/test_e2e --gtest_filter='E2ePresets.Desktop*'
TEST(E2ePresets, DesktopDoubleClickLoadsAndMenuDeletes)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X display (xvfb-run, QT_QPA_PLATFORM=xcb)";
    PresetRig p(0);
    ASSERT_TRUE(p.connected);
    ASSERT_TRUE(p.active);
    QWidget* grid = p.dlg.m_Grid.GetWidget();
    auto screenAt = [&](int row) {
        const QPoint g = grid->mapToGlobal(p.At(row, 1) + QPoint(30, 4));
        return QStringList{"mousemove", "--sync", QString::number(g.x()), QString::number(g.y())};
    };
    ASSERT_TRUE(XDoTool(screenAt(3)));
    ASSERT_TRUE(XDoTool({"click", "--repeat", "2", "--delay", "60", "1"}));
    ExpectRecallOf(p, 3);

    // Right button on row 5, then Delete from the menu with the keyboard; the question is
    // answered "Yes".
    p.rig.emu.ClearRequestLog();
    ASSERT_TRUE(XDoTool(screenAt(5)));
    // One run of the tool: the menu's own loop holds ours until it closes.
    ASSERT_TRUE(XDoTool({"click", "3", "sleep", "0.5", "key", "Down", "Down", "Down", "Return"}));
    ASSERT_TRUE(PumpUntil([&] { return NameOf(p.rig.emu.GetScene(5)).empty(); }));
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].first, "Are you delete No.5 preset?");
    EXPECT_EQ(p.dlg.m_Grid.GetItemText(5, 1), "");
    // The arrows work again after the menu.
    p.dlg.m_Grid.SetFocusCell(2, 1);
    ASSERT_TRUE(XDoTool({"key", "Down"}));
    EXPECT_TRUE(PumpUntil([&] { return p.dlg.m_Grid.GetFocusCell() == CCellPos(3, 1); }, 5000));
}

TEST(E2ePresets, SceneMenuItemsOpenTheDialogInTheirMode)
{
    LinkRig rig(LinkRig::Door::Tcp);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    const struct {
        UINT id;
        int mode;
    } items[] = {{ID_LOAD_DEVICE_SCENE, 0}, {ID_SAVE_DEVICE_SCENE, 1}, {ID_DELETE_DEVICE_SCENE, 2}};
    for (const auto& item : items) {
        SCOPED_TRACE(item.id);
        int mode = -1;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* open = dynamic_cast<CProgramDlg*>(g_pProgramDlg);
            if (open && open->IsWindowVisible() && mode < 0) {
                mode = open->m_nMode;
                open->PostMessage(WM_CLOSE);
            }
        });
        poll.start(20);
        QTimer guard;  // a dialog that never showed must not hang the test
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] {
            if (auto* open = dynamic_cast<CDialog*>(g_pProgramDlg))
                open->EndDialog(IDCANCEL);
        });
        guard.start(15000);
        rig.view->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(item.id), 0), 0);
        EXPECT_EQ(mode, item.mode);
        EXPECT_EQ(g_pProgramDlg, nullptr);
    }
}
