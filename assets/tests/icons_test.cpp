// The compiled-in icons: every size there, drawn, and the forms that must differ do.
#include "assets/icons.h"

#include "gui_application.h"

#include <QPixmap>
#include <QSet>

#include <gtest/gtest.h>

namespace {

using namespace mvf::assets;

class IconsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { mvf::testing::EnsureGuiApplication(); }
};

QImage at(const QIcon& icon, int size) {
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

QByteArray bytes(const QImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
}

// The share of the picture's pixels that are drawn (not transparent).
double coverage(const QImage& image) {
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) drawn += qAlpha(image.pixel(x, y)) > 0;
    return double(drawn) / (image.width() * image.height());
}

bool allGrey(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) && (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c))) return false;
        }
    return true;
}

TEST_F(IconsTest, TrayIconsHaveAPictureForEveryTraySize) {
    for (const QIcon& icon : {trayIcon(), trayDisabledIcon()}) {
        const QList<QSize> sizes = icon.availableSizes();
        for (int size : traySizes) {
            EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
            const QImage image = at(icon, size);
            EXPECT_EQ(image.size(), QSize(size, size));
            EXPECT_GT(coverage(image), 0.3) << size;
            EXPECT_LT(coverage(image), 1.0) << "the ground is transparent, size " << size;
        }
    }
}

TEST_F(IconsTest, DisabledTrayIconIsTheGreyedFormOfTheNormalOne) {
    for (int size : traySizes) {
        const QImage normal = at(trayIcon(), size), disabled = at(trayDisabledIcon(), size);
        EXPECT_NE(bytes(normal), bytes(disabled)) << size;
        EXPECT_FALSE(allGrey(normal)) << size;
        EXPECT_TRUE(allGrey(disabled)) << size;
        // Same outline: greyed, not a different picture.
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                EXPECT_EQ(qAlpha(normal.pixel(x, y)) > 0, qAlpha(disabled.pixel(x, y)) > 0);
    }
}

TEST_F(IconsTest, AnimationHasNineMovingFramesA103ToA111) {
    EXPECT_EQ(trayFrameName(0), "A103");
    EXPECT_EQ(trayFrameName(8), "A111");
    EXPECT_TRUE(trayFrameName(9).isEmpty());
    EXPECT_TRUE(trayFrame(-1).isNull());
    EXPECT_TRUE(trayFrame(trayFrameCount).isNull());
    for (int size : traySizes) {
        QSet<QByteArray> frames;
        QByteArray previous = bytes(at(trayFrame(trayFrameCount - 1), size));
        for (int frame = 0; frame < trayFrameCount; ++frame) {
            const QImage image = at(trayFrame(frame), size);
            EXPECT_EQ(image.size(), QSize(size, size));
            EXPECT_GT(coverage(image), 0.3);
            EXPECT_NE(bytes(image), previous) << "frame " << frame << " does not move";
            previous = bytes(image);
            frames.insert(previous);
        }
        EXPECT_EQ(frames.size(), trayFrameCount) << size;
    }
}

TEST_F(IconsTest, ApplicationIconsHaveEveryThemeSize) {
    for (Program program : {Program::Finder, Program::Viewer}) {
        const QList<QSize> sizes = appIcon(program).availableSizes();
        EXPECT_EQ(sizes.size(), int(appIconSizes.size()));
        for (int size : appIconSizes) {
            EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
            const QImage image = appIconImage(program, size);
            ASSERT_FALSE(image.isNull()) << size;
            EXPECT_EQ(image.size(), QSize(size, size));
            EXPECT_GT(coverage(image), 0.3) << size;
        }
        EXPECT_TRUE(appIconImage(program, 40).isNull());
    }
    for (int size : appIconSizes)
        EXPECT_NE(bytes(appIconImage(Program::Finder, size).convertToFormat(QImage::Format_ARGB32)),
                  bytes(appIconImage(Program::Viewer, size).convertToFormat(QImage::Format_ARGB32)))
            << size;
}

TEST_F(IconsTest, ViewerButtonsHaveSixDistinctGlyphs) {
    for (int size : viewerButtonSizes) {
        QSet<QByteArray> glyphs;
        for (ViewerButton button : {ViewerButton::Open, ViewerButton::Save, ViewerButton::Cut,
                                    ViewerButton::Copy, ViewerButton::Paste, ViewerButton::Exit}) {
            const QImage image = at(viewerButtonIcon(button), size);
            EXPECT_EQ(image.size(), QSize(size, size));
            EXPECT_GT(coverage(image), 0.2);
            EXPECT_EQ(qAlpha(image.pixel(0, size - 1)), 0) << "corner of button " << int(button);
            glyphs.insert(bytes(image));
        }
        EXPECT_EQ(glyphs.size(), 6) << size;
    }
}

TEST_F(IconsTest, LineEndPicturesAreFourDistinctPicturesAtBothScales) {
    for (int scale : {1, 2}) {
        const QSize size(lineEndIconWidth * scale, lineEndIconHeight * scale);
        QSet<QByteArray> pictures;
        for (LineEnds kind : {LineEnds::Dos, LineEnds::Mac, LineEnds::Unix, LineEnds::Binary}) {
            const QIcon icon = lineEndIcon(kind);
            EXPECT_TRUE(icon.availableSizes().contains(size)) << scale;
            const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(image.size(), size) << int(kind);
            EXPECT_GT(coverage(image), 0.4) << int(kind);
            EXPECT_FALSE(allGrey(image)) << int(kind);
            // The top-right corner is clear, where the sheet's corner is folded away.
            EXPECT_EQ(qAlpha(image.pixel(size.width() - 1, 0)), 0) << int(kind);
            pictures.insert(bytes(image));
        }
        EXPECT_EQ(pictures.size(), 4) << scale;
    }
}

} // namespace
