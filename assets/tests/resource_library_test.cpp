// bin/mvfinder.rcc: every name the finder and the viewer read, at its exact pixel size.
#include "resource_library.h"

#include <QDir>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

namespace {

using mvf::testing::ResourceLibrary;

const char* const toolbarBases[] = {"BACKGROUNDFIND", "FILEOPEN", "DELETECURRENTFILE",
                                    "CLEARTRACKER",   "OPENLIST", "SAVE",
                                    "STOP",           "HELP",     "EXIT"};

QImage picture(const QString& name) {
    return QImage(ResourceLibrary::path(name));
}

int opaquePixels(const QImage& image, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += qAlpha(image.pixel(x, y)) > 128;
    return n;
}

bool cornersClear(const QImage& image) {
    const int r = image.width() - 1, b = image.height() - 1;
    return qAlpha(image.pixel(0, 0)) == 0 && qAlpha(image.pixel(r, 0)) == 0 &&
           qAlpha(image.pixel(0, b)) == 0 && qAlpha(image.pixel(r, b)) == 0;
}

TEST(ResourceLibraryTest, HoldsExactlyTheNamesTheProgramsRead) {
    ResourceLibrary library;
    ASSERT_TRUE(library.registered()) << MVF_RCC_FILE;
    QSet<QString> expected{"SPLASH.png", "BARKSOUND.wav", "MARKERS.png"};
    for (const char* base : toolbarBases) {
        expected.insert(QString("S_%1.png").arg(base));
        expected.insert(QString("M_%1.png").arg(base));
    }
    const QStringList entries = QDir(":/mvfinder").entryList(QDir::AllEntries);
    EXPECT_EQ(QSet<QString>(entries.begin(), entries.end()), expected);
    EXPECT_EQ(entries.size(), 21);
}

TEST(ResourceLibraryTest, ToolbarGlyphsHaveTheButtonSizesOnClearGround) {
    ResourceLibrary library;
    ASSERT_TRUE(library.registered());
    QSet<QByteArray> looks;
    for (const char* base : toolbarBases) {
        for (const auto& [prefix, size] : {std::pair{"S_", QSize(24, 22)}, {"M_", QSize(38, 38)}}) {
            const QString name = QString("%1%2.png").arg(prefix, base);
            const QImage image = picture(name);
            ASSERT_FALSE(image.isNull()) << name.toStdString();
            EXPECT_EQ(image.size(), size) << name.toStdString();
            EXPECT_TRUE(image.hasAlphaChannel()) << name.toStdString();
            EXPECT_TRUE(cornersClear(image)) << name.toStdString();
            // Something is drawn, and not just a speck.
            EXPECT_GT(opaquePixels(image, image.rect()), size.width() * size.height() / 10)
                << name.toStdString();
            looks.insert(
                QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        }
    }
    EXPECT_EQ(looks.size(), 18) << "two glyphs look the same";
}

TEST(ResourceLibraryTest, SplashIsAnOpaquePictureOfTheWindowSize) {
    ResourceLibrary library;
    ASSERT_TRUE(library.registered());
    const QImage splash = picture("SPLASH.png");
    ASSERT_FALSE(splash.isNull());
    EXPECT_EQ(splash.size(), QSize(510, 263));
    EXPECT_EQ(opaquePixels(splash, splash.rect()), 510 * 263);
    // The name is written in white on the blue field: the picture holds both.
    int white = 0;
    for (int y = 0; y < splash.height(); ++y)
        for (int x = 0; x < splash.width(); ++x) white += splash.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_GT(white, 2000);
    EXPECT_LT(white, 510 * 263 / 4);
}

TEST(ResourceLibraryTest, MarkersAreTenDistinctGlyphsOnClearGround) {
    ResourceLibrary library;
    ASSERT_TRUE(library.registered());
    const QImage strip = picture("MARKERS.png");
    ASSERT_FALSE(strip.isNull());
    EXPECT_EQ(strip.size(), QSize(120, 12));
    QSet<QByteArray> glyphs;
    for (int n = 0; n < 10; ++n) {
        const QImage one = strip.copy(12 * n, 0, 12, 12).convertToFormat(QImage::Format_ARGB32);
        EXPECT_TRUE(cornersClear(one)) << n;
        EXPECT_GT(opaquePixels(one, one.rect()), 40) << n;
        glyphs.insert(
            QByteArray(reinterpret_cast<const char*>(one.constBits()), one.sizeInBytes()));
    }
    EXPECT_EQ(glyphs.size(), 10);
}

} // namespace
