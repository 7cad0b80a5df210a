// The skin images: every entry of the program's table is packed into the program with its
// size, the table reader refuses what it cannot read, and the two language sets differ.
#include "CImage.h"
#include "Resources.h"
#include "SkinTable.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

std::vector<SkinEntry> ProgramTable()
{
    std::vector<SkinEntry> entries;
    QString error;
    EXPECT_TRUE(ReadSkinTable(QStringLiteral(ORVANE_SOURCE_DIR "/tools/skingen/skins.txt"), entries, &error))
        << error.toStdString();
    return entries;
}

QImage Resource(const SkinEntry& e)
{
    QByteArray bytes;
    if (!LoadResourceData(e.id, e.type.toUtf8().constData(), bytes))
        return QImage();
    return QImage::fromData(bytes);
}

}  // namespace

TEST(SkinImages, EveryEntryOfTheProgramsTableIsPackedAtItsSize)
{
    const auto entries = ProgramTable();
    ASSERT_FALSE(entries.empty());
    for (const SkinEntry& e : entries) {
        const QImage img = Resource(e);
        ASSERT_FALSE(img.isNull()) << e.type.toStdString() << " " << e.id;
        EXPECT_EQ(img.size(), e.size) << e.id;
        // Bitmaps are opaque; PNG images and cursors carry alpha.
        EXPECT_EQ(img.hasAlphaChannel(), e.type != QLatin1String("bitmap")) << e.id;
    }
}

TEST(SkinImages, HandCursorCarriesItsHotSpotAndAShape)
{
    QByteArray bytes;
    ASSERT_TRUE(LoadResourceData(213, RT_CURSOR, bytes));
    const QImage img = QImage::fromData(bytes);
    EXPECT_EQ(img.text(QStringLiteral("HotspotX")), QStringLiteral("5"));
    EXPECT_EQ(img.text(QStringLiteral("HotspotY")), QStringLiteral("0"));
    EXPECT_GT(qAlpha(img.pixel(5, 1)), 200);   // the fingertip is at the hot spot
    EXPECT_EQ(qAlpha(img.pixel(31, 0)), 0);    // the corner is clear
}

TEST(SkinImages, ChineseAndEnglishFacesOfTheConnectButtonDiffer)
{
    // Same state and light, different label: 8741 / 8743 linked, 8751 / 8753 not linked.
    for (auto ids : {std::pair<UINT, UINT>{8741, 8743}, {8751, 8753}, {8750, 8752}, {8740, 8742}}) {
        CImage cn, en;
        ASSERT_TRUE(cn.LoadFromResource(ids.first, RT_BITMAP));
        ASSERT_TRUE(en.LoadFromResource(ids.second, RT_BITMAP));
        EXPECT_NE(cn.GetQImage(), en.GetQImage()) << ids.first;
        // The status light sits at the same place in both.
        EXPECT_EQ(cn.GetPixelARGB(9, 14), en.GetPixelARGB(9, 14)) << ids.first;
    }
}

TEST(SkinTable, ReadsOptionsAndRefusesBadLines)
{
    SkinEntry e;
    QString error;
    ASSERT_TRUE(ParseSkinLine(QStringLiteral("Bitmap 8741 92x28 button state=hover text=\"断开 连接\"  # note"), e,
                              &error));
    EXPECT_EQ(e.type, QStringLiteral("bitmap"));
    EXPECT_EQ(e.id, 8741u);
    EXPECT_EQ(e.size, QSize(92, 28));
    EXPECT_EQ(e.style, QStringLiteral("button"));
    EXPECT_EQ(e.Option(QStringLiteral("text")), QStringLiteral("断开 连接"));
    EXPECT_EQ(e.Option(QStringLiteral("state")), QStringLiteral("hover"));

    const char* const bad[] = {
        "icon 5 10x10 button",            // unknown type
        "bitmap 0 10x10 button",          // id 0 is "no picture"
        "bitmap x 10x10 button",
        "bitmap 5 10 button",             // no height
        "bitmap 5 0x10 button",
        "bitmap 5 10x10",                 // no style
        "bitmap 5 10x10 button state",    // option without a value
        "bitmap 5 10x10 button text=\"open",
    };
    for (const char* line : bad) {
        SkinEntry x;
        EXPECT_FALSE(ParseSkinLine(QString::fromUtf8(line), x, &error)) << line;
    }
}

TEST(SkinTable, RefusesAnImageListedTwice)
{
    const QString path = QStringLiteral(ORVANE_BINARY_DIR "/twice.skins.txt");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("bitmap 5 10x10 button\n# comment\n\npng 5 10x10 button\nbitmap 5 12x12 button\n");
    f.close();
    std::vector<SkinEntry> entries;
    QString error;
    EXPECT_FALSE(ReadSkinTable(path, entries, &error));
    EXPECT_TRUE(error.contains(QStringLiteral(":5:"))) << error.toStdString();  // png 5 is another image
    QFile::remove(path);
}
