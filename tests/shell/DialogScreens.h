// Pictures of dialogs for the screen sheets: a window's client area grabbed after the loop has
// run, and the same picture under a drawn title strip with its caption (the offscreen platform
// draws no window frames).
#pragma once

#include "CWnd.h"

#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace dialogscreens {

inline void Pump()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

inline QImage Grab(CWnd& wnd)
{
    Pump();
    return wnd.GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QImage Framed(const QImage& client, const CString& caption)
{
    const int strip = 22;
    QImage out(client.width(), client.height() + strip, QImage::Format_RGB32);
    out.fill(QColor(0, 84, 166));
    QPainter p(&out);
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(6, 0, client.width() - 12, strip), Qt::AlignVCenter, QString::fromStdString(caption));
    p.drawImage(0, strip, client);
    return out;
}

}  // namespace dialogscreens
