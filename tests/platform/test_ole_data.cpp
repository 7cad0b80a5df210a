// Clipboard text: a data source's block reaches the desktop clipboard as UTF-8 text without its
// terminator, and a data object reads it back as a block with exactly one terminator.
#include "OleData.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <gtest/gtest.h>

TEST(OleData, BlocksTravelThroughTheClipboard)
{
    struct Case {
        std::string block;
        QString onClipboard;
        std::string readBack;
    } cases[] = {
        {std::string("a\t \nc\td\0", 8), "a\t \nc\td", std::string("a\t \nc\td\0", 8)},
        {std::string("x\0garbage after the end", 24), "x", std::string("x\0", 2)},
        {std::string("no terminator"), "no terminator", std::string("no terminator\0", 14)},
        {std::string("名称\0", 7), QString::fromUtf8("名称"), std::string("名称\0", 7)},
    };
    for (const auto& c : cases) {
        auto* src = new COleDataSource;
        src->CacheText(c.block);
        src->SetClipboard();  // deletes the source
        EXPECT_EQ(QApplication::clipboard()->text(), c.onClipboard);
        COleDataObject obj;
        ASSERT_TRUE(obj.AttachClipboard());
        EXPECT_TRUE(obj.IsDataAvailable(CF_TEXT));
        EXPECT_FALSE(obj.IsDataAvailable(CF_TEXT + 1));
        EXPECT_EQ(obj.GetTextBlock(), c.readBack);
    }
}

TEST(OleData, DataWithoutTextOffersNone)
{
    QMimeData mime;
    mime.setData("application/octet-stream", QByteArray("\x01\x02", 2));
    COleDataObject obj;
    obj.Attach(&mime);
    EXPECT_FALSE(obj.IsDataAvailable(CF_TEXT));
    EXPECT_TRUE(obj.GetTextBlock().empty());
    COleDataObject none;
    EXPECT_FALSE(none.IsDataAvailable(CF_TEXT));
}
