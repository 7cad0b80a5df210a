// Pictures of controls for people to look at: a Sheet collects a control's pictures per state
// and language and writes them to <build>/screens/ when it goes (one sheet per control, states
// down, languages across, twice the size; each picture on its own under <build>/screens/<name>/).
// ScreensTest gives the stage the controls stand on and takes their pictures.
#pragma once

#include "ControlTestKit.h"

#include "Globals.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace screens {

const char* const kLanguages[2] = {"en", "cn"};

// The pictures of one control, written when it goes.
class Sheet {
public:
    explicit Sheet(std::string name) : m_name(std::move(name)) {}
    ~Sheet() { Write(); }

    void Add(const std::string& state, int lang, const QImage& img)
    {
        if (m_index.find(state) == m_index.end()) {
            m_index[state] = int(m_states.size());
            m_states.push_back(state);
        }
        m_cells[{state, lang}] = img;
    }
    const QImage& Get(const std::string& state, int lang) { return m_cells[{state, lang}]; }

private:
    void Write()
    {
        const QString dir = QStringLiteral(ORVANE_BINARY_DIR "/screens");
        QDir().mkpath(dir + "/" + QString::fromStdString(m_name));
        const int scale = 2;
        int cellW = 0, cellH = 0;
        for (const auto& kv : m_cells) {
            cellW = std::max(cellW, kv.second.width() * scale);
            cellH = std::max(cellH, kv.second.height() * scale);
            QString state = QString::fromStdString(kv.first.first);
            state.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
            const QString file = QStringLiteral("%1/%2/%3_%4.png")
                                     .arg(dir, QString::fromStdString(m_name), state, kLanguages[kv.first.second]);
            EXPECT_TRUE(kv.second.save(file)) << file.toStdString();
        }
        const int labelW = 200, pad = 8, head = 22;
        QImage sheet(labelW + 2 * (cellW + pad) + pad, head + int(m_states.size()) * (cellH + pad) + pad,
                     QImage::Format_RGB32);
        sheet.fill(QColor(60, 64, 70));
        QPainter p(&sheet);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(12);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(pad, 0, labelW, head), Qt::AlignVCenter, QString::fromStdString(m_name));
        for (int lang = 0; lang < 2; ++lang)
            p.drawText(QRect(labelW + lang * (cellW + pad), 0, cellW, head), Qt::AlignCenter,
                       lang ? QStringLiteral("Chinese") : QStringLiteral("English"));
        for (size_t row = 0; row < m_states.size(); ++row) {
            const int y = head + int(row) * (cellH + pad);
            p.drawText(QRect(pad, y, labelW - pad, cellH), Qt::AlignVCenter, QString::fromStdString(m_states[row]));
            for (int lang = 0; lang < 2; ++lang) {
                auto it = m_cells.find({m_states[row], lang});
                if (it == m_cells.end())
                    continue;
                const QImage& img = it->second;
                const int top = y + (cellH - img.height() * scale) / 2;
                p.drawImage(QRect(labelW + lang * (cellW + pad), top, img.width() * scale, img.height() * scale), img);
            }
        }
        p.end();
        EXPECT_TRUE(sheet.save(dir + "/" + QString::fromStdString(m_name) + ".png"));
    }

    std::string m_name;
    std::vector<std::string> m_states;
    std::map<std::string, int> m_index;
    std::map<std::pair<std::string, int>, QImage> m_cells;
};

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        ASSERT_TRUE(stage.Make(60, 60, 360, 120));
        QWidget* w = stage.GetWidget();
        w->activateWindow();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    void TearDown() override { g_bChinese = 0; }
    // What the stage shows at the window's place, with a margin of the panel round it.
    QImage Shot(CWnd& wnd, int margin = 4)
    {
        Pump();
        CRect rc;
        wnd.GetWindowRect(&rc);
        stage.ScreenToClient(&rc);
        rc.InflateRect(margin, margin);
        return GrabOf(stage).copy(rc.left, rc.top, rc.Width(), rc.Height()).convertToFormat(QImage::Format_RGB32);
    }
    CStage stage;
};

}  // namespace screens

using screens::Sheet;
using screens::ScreensTest;
