#include "KeyStroke.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
int QtKeyOf(UINT nVirtKey)
{
    switch (nVirtKey) {
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_TAB: return Qt::Key_Tab;
    default: return 0;
    }
}

QString TextOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return: return QStringLiteral("\r");
    case Qt::Key_Escape: return QString(QChar(0x1B));
    case Qt::Key_Space: return QStringLiteral(" ");
    case Qt::Key_Tab: return QStringLiteral("\t");
    default: return QString();
    }
}

QWidget* KeyTarget()
{
    // The modal dialog first: while it is up no other window may take keys.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal->focusWidget() ? modal->focusWidget() : modal;
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    return QApplication::activeWindow();
}
}  // namespace

BOOL PressKeyInFocusWindow(UINT nVirtKey)
{
    const int key = QtKeyOf(nVirtKey);
    QWidget* target = key ? KeyTarget() : nullptr;
    if (!target)
        return FALSE;
    const QString text = TextOf(key);
    QApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
    QApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
    return TRUE;
}
