// A host window for grids under test: it records the grid's notices and commands, and builds a
// grid set up as the preset list is (7 x 2, one fixed row and column, column 1 262 px wide).
#pragma once

#include "CGridCtrl.h"
#include "EventLoopWait.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "SettingsStore.h"
#include "WinApi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace GridKit {

struct Notice {
    UINT code;
    int row;
    int col;
};

// The grid's parent: a top-level window that keeps every GV_CELLNOTIFY and WM_COMMAND.
class CHost : public CWnd {
public:
    std::vector<Notice> m_notices;
    std::vector<WPARAM> m_commands;

    BOOL Make(int cx, int cy)
    {
        return CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, cx, cy), nullptr, 0);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const auto* nm = reinterpret_cast<const GV_CELLNOTIFY*>(lParam);
            m_notices.push_back({nm->hdr.code, nm->iRow, nm->iColumn});
            return 0;
        }
        if (message == WM_COMMAND)
            m_commands.push_back(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<Notice> Of(UINT code) const
    {
        std::vector<Notice> out;
        for (const auto& n : m_notices)
            if (n.code == code)
                out.push_back(n);
        return out;
    }
};

inline void Pump()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

inline void EnsureFonts()
{
    if (!g_fontArial16.GetSafeHandle())
        CreateSharedGdiObjects();
}

// The preset list's set-up, in the order its dialog makes the calls: the font comes last, so
// the rows keep the heights of the font the grid had before.
inline void ConfigureAsPresetList(CGridCtrl& grid, bool chinese = false)
{
    EnsureFonts();
    grid.SetRowCount(7);
    grid.SetFixedRowCount(1);
    grid.SetColumnCount(2);
    grid.SetFixedColumnCount(1);
    grid.SetColumnWidth(1, 262);
    grid.SetRowResize(FALSE);
    grid.SetSingleRowSelect(TRUE);
    grid.SetEditEnabled(FALSE);
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 2; ++c)
            grid.SetItemFormat(r, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    grid.SetItemText(0, 0, chinese ? "序号" : "No.");
    grid.SetItemText(0, 1, chinese ? "名称" : "Name");
    grid.SetSelectedRange(1, 0, 1, 1);
    grid.EnsureVisible(1, 0);
    grid.SetLineColour(0xFF9933);
    grid.SendMessage(WM_SETFONT, WPARAM(HFONT(g_fontArial16)), TRUE);
}

// A grid window of the size on a host of its own.
struct Fixture {
    CHost host;
    std::unique_ptr<CGridCtrl> grid;

    explicit Fixture(int cx = 320, int cy = 200, CGridCtrl* pGrid = nullptr)
        : grid(pGrid ? pGrid : new CGridCtrl)
    {
        host.Make(cx + 20, cy + 20);
        grid->Create(CRect(0, 0, cx, cy), &host, 2724);
        Pump();
    }
};

// Fills rows x cols with one fixed row and column, every size given, texts "r,c".
inline void FillPlain(CGridCtrl& grid, int rows, int cols, int rowHeight = 20, int colWidth = 50)
{
    grid.SetRowCount(rows);
    grid.SetColumnCount(cols);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int r = 0; r < rows; ++r)
        grid.SetRowHeight(r, rowHeight);
    for (int c = 0; c < cols; ++c)
        grid.SetColumnWidth(c, colWidth);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            grid.SetItemText(r, c, (std::to_string(r) + "," + std::to_string(c)).c_str());
    grid.UpdateScrollBars();
}

inline QImage Grab(CWnd& wnd) { return wnd.GetWidget()->grab().toImage(); }

inline COLORREF PixelOf(const QImage& img, int x, int y)
{
    const QRgb c = img.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

// Screens go to build*/screens/.
inline std::string ScreenPath(const std::string& name)
{
    const std::string dir = std::string(ORVANE_BINARY_DIR) + "/screens";
    QDir().mkpath(QString::fromStdString(dir));
    return dir + "/" + name;
}

inline void SendKey(CWnd& wnd, UINT vk) { wnd.SendMessage(WM_KEYDOWN, vk, 1); }

}  // namespace GridKit
