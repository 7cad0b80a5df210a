// The link's message box: captions by selector and language, and the boxes that close
// themselves really do end their modal loop.
#include "ShowTimedMessage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

TEST(TimedMessage, CaptionAndCloseTimeBySelector)
{
    struct Case {
        int selector;
        BOOL chinese;
        const char* caption;
        int closeMs;
    };
    const Case cases[] = {
        {2000, TRUE, "提示", 2000},     {2000, FALSE, "Prompting", 2000}, {2001, TRUE, "警告", 2001},
        {2001, FALSE, "Warning", 2001}, {-2, FALSE, "提示", 0},           {-3, TRUE, "Prompting", 0},
        {-4, FALSE, "警告", 0},         {-5, TRUE, "Warning", 0},         {0, TRUE, "Orvane", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selector);
        EXPECT_EQ(TimedMessageCaption(c.selector, c.chinese, "Orvane"), c.caption);
        EXPECT_EQ(TimedMessageCloseMs(c.selector), c.closeMs);
    }
}

TEST(TimedMessage, PromptClosesItselfWithOk)
{
    // Without the test hook the real box runs modally and must end on its own timer.
    ASSERT_FALSE(SetTimedMessageHook({}));
    EXPECT_EQ(ShowTimedMessage(nullptr, "Connection failure!", "Orvane", MB_OK, FALSE, 2000), IDOK);
}

TEST(TimedMessage, CaptionOnlyBoxWaitsForItsButton)
{
    // Selector -5 does not close itself: the answer is the button chosen, Cancel by Escape here.
    QTimer escape;
    QObject::connect(&escape, &QTimer::timeout, [] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        QWidget* target = box->focusWidget() ? box->focusWidget() : box;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    });
    escape.start(100);
    EXPECT_EQ(ShowTimedMessage(nullptr, "Continue?", "Orvane", MB_OKCANCEL, FALSE, -5), IDCANCEL);
}
