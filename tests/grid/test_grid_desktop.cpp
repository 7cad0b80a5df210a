// The grid on a real X display: Ctrl+C typed with xdotool puts the cell text on the desktop's
// clipboard (read back with xclip), and Ctrl+V pastes text that xclip put there. Skipped on the
// offscreen platform; run it with
//   xvfb-run -a env QT_QPA_PLATFORM=xcb tests/grid/test_grid --gtest_filter='GridDesktop*'
#include "GridTestKit.h"

#include <QGuiApplication>
#include <QProcess>

#include <gtest/gtest.h>

using namespace GridKit;

namespace {
// Runs a desktop tool while our event loop keeps answering clipboard requests.
QByteArray RunTool(const QString& program, const QStringList& args, const QByteArray& input = QByteArray())
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(5000))
        return QByteArray("<did not start>");
    if (!input.isNull()) {
        p.write(input);
        p.closeWriteChannel();
    }
    WaitUntil([&] { return p.state() == QProcess::NotRunning; });
    return p.readAllStandardOutput();
}

void ActivateAndFocus(CHost& host, CGridCtrl& grid)
{
    QWidget* top = host.GetWidget();
    top->show();
    top->activateWindow();
    QApplication::setActiveWindow(top);
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    grid.SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return CWnd::GetFocus() == &grid; }));
}
}  // namespace

TEST(GridDesktop, CopyAndPasteThroughTheRealClipboard)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X display (xvfb-run, QT_QPA_PLATFORM=xcb)";

    Fixture f(320, 200);
    FillPlain(*f.grid, 4, 4);
    f.grid->SetItemText(1, 1, "a");
    f.grid->SetItemText(1, 2, "");
    f.grid->SetItemText(2, 1, "c");
    f.grid->SetItemText(2, 2, "d");
    ActivateAndFocus(f.host, *f.grid);
    f.grid->SetFocusCell(1, 1);
    f.grid->SetSelectedRange(1, 1, 2, 2);

    RunTool("xdotool", {"key", "--clearmodifiers", "ctrl+c"});
    QByteArray text;
    ASSERT_TRUE(WaitUntil([&] {
        text = RunTool("xclip", {"-o", "-selection", "clipboard"});
        return text == QByteArray("a\t \nc\td");
    })) << text.toStdString();

    // Text from another program: the fields land from the focus cell on.
    RunTool("xclip", {"-i", "-selection", "clipboard"}, QByteArray("1,2\t3\r\n4"));
    f.grid->SetFocusCell(1, 1);
    RunTool("xdotool", {"key", "--clearmodifiers", "ctrl+v"});
    ASSERT_TRUE(WaitUntil([&] { return f.grid->GetItemText(2, 1) == "4"; }));
    EXPECT_EQ(f.grid->GetItemText(1, 1), "1");
    EXPECT_EQ(f.grid->GetItemText(1, 2), "2");
    EXPECT_EQ(f.grid->GetItemText(1, 3), "3");
    EXPECT_EQ(f.grid->GetItemText(2, 1), "4");
}
