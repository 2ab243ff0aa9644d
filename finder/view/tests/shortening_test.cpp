// The "..." shortening of a cell's text, measured with the real metrics of the list's
// font: the longest beginning that fits with "..." after it, the whole text when it fits,
// and the whole text (clipped by the painter) when not even "..." fits.
#include "shortening.h"

#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include "testsupport/qt_print.h"

namespace mvf::view {
namespace {

class ShorteningTest : public ::testing::Test {
protected:
    QFontMetrics metrics_{QApplication::font()};
    int Width(const QString& text) const { return metrics_.horizontalAdvance(text); }
};

TEST_F(ShorteningTest, ATextThatFitsIsKeptWhole) {
    const QString text = QStringLiteral("report.txt");
    EXPECT_EQ(text, ShortenToWidth(text, metrics_, Width(text)));
    EXPECT_EQ(text, ShortenToWidth(text, metrics_, Width(text) + 50));
    EXPECT_EQ(QString(), ShortenToWidth(QString(), metrics_, 0));
}

TEST_F(ShorteningTest, AWiderTextKeepsTheLongestBeginningThatFitsWithTheDots) {
    const QString text = QStringLiteral("/home/ann/projects/finder/results/a long file name.txt");
    const int dots = Width(QStringLiteral("..."));
    for (int room = dots; room < Width(text); room += 7) {
        const QString shown = ShortenToWidth(text, metrics_, room);
        ASSERT_TRUE(shown.endsWith(QStringLiteral("..."))) << room;
        const QString kept = shown.chopped(3);
        EXPECT_TRUE(text.startsWith(kept)) << room;
        EXPECT_LE(Width(shown), room) << shown.toStdString();
        // One character more would not have fitted.
        EXPECT_GT(Width(text.left(kept.size() + 1) + QStringLiteral("...")), room)
            << "room " << room << ": " << shown.toStdString();
    }
    // A room of exactly "..." keeps no character of the text.
    EXPECT_EQ(QStringLiteral("..."), ShortenToWidth(text, metrics_, dots));
}

TEST_F(ShorteningTest, WhenNotEvenTheDotsFitTheWholeTextIsLeftToTheClip) {
    const QString text = QStringLiteral("abcdefgh");
    const int dots = Width(QStringLiteral("..."));
    EXPECT_EQ(text, ShortenToWidth(text, metrics_, dots - 1));
    EXPECT_EQ(text, ShortenToWidth(text, metrics_, 0));
}

TEST_F(ShorteningTest, CharactersAreRemovedWhole) {
    // A letter with a combining accent, and a character outside the basic plane (a
    // surrogate pair): neither is ever cut in two.
    const QString text = QString::fromUtf8("e\xcc\x81"
                                           "e\xcc\x81"
                                           "\xf0\x9f\x93\x84\xf0\x9f\x93\x84"
                                           "abcdefghijklmnop");
    for (int room = Width(QStringLiteral("...")); room < Width(text); ++room) {
        const QString kept = ShortenToWidth(text, metrics_, room).chopped(3);
        ASSERT_TRUE(text.startsWith(kept));
        if (kept.isEmpty()) continue;
        EXPECT_FALSE(kept.back().isHighSurrogate()) << room;
        EXPECT_FALSE(text[kept.size()].isMark())
            << "an accent was cut from its letter, room " << room;
    }
}

} // namespace
} // namespace mvf::view
