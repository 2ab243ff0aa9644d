// Shared helpers of the widget tests: a shown, focused editor widget with plain colours,
// text loaded as a file would be, pictures of it, and its cells.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QTest>

#include "viewer/editor/para_list.h"
#include "viewer/editor_widget.h"

namespace mvf::viewer::testing {

inline const QColor kBase = Qt::white;
inline const QColor kText = Qt::black;
inline const QColor kHighlight = QColor(255, 0, 0);
inline const QColor kHighlightedText = QColor(0, 0, 255);
inline const QColor kDisabledText = QColor(0, 160, 0);

// Ten glyphs of 12 x 12, glyph n filled with MarkerColour(n).
inline QColor MarkerColour(int n) {
    return QColor::fromHsv(n * 36, 255, 255);
}

inline QPixmap TestMarkers() {
    QImage image(120, 12, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int n = 0; n < 10; ++n) painter.fillRect(n * 12, 0, 12, 12, MarkerColour(n));
    painter.end();
    return QPixmap::fromImage(image);
}

// A key pressed and let go, with the text it types (QTest cannot make it up for every key).
inline void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                const QString& text = {}) {
    QTest::sendKeyEvent(QTest::Press, target, static_cast<Qt::Key>(key), text, modifiers);
    QTest::sendKeyEvent(QTest::Release, target, static_cast<Qt::Key>(key), text, modifiers);
}

// Characters typed one key each, as a keyboard would send them.
inline void Type(QWidget* target, const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        const int key = c < 128 ? QChar::toUpper(c) : static_cast<int>(QChar::toUpper(c));
        Key(target, key, QChar::isUpper(c) ? Qt::ShiftModifier : Qt::NoModifier, one);
    }
}

struct WidgetFixture : ::testing::Test {
    QWidget window;
    EditorWidget* widget;
    std::vector<int> errors;

    WidgetFixture() {
        // A steady caret, so pictures do not depend on when they are taken.
        QApplication::setCursorFlashTime(0);
        widget = new EditorWidget(&window);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Base, kBase);
        palette.setColor(QPalette::Text, kText);
        palette.setColor(QPalette::Highlight, kHighlight);
        palette.setColor(QPalette::HighlightedText, kHighlightedText);
        palette.setColor(QPalette::Disabled, QPalette::Text, kDisabledText);
        palette.setColor(QPalette::Disabled, QPalette::Base, kBase);
        widget->setPalette(palette);
        widget->SetMarkers(TestMarkers());
        widget->setGeometry(0, 0, 420, 300);
        window.resize(420, 300);
        QObject::connect(widget, &EditorWidget::errorReported,
                         [this](int code) { errors.push_back(code); });
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        widget->setFocus();
        QApplication::processEvents();
    }

    editor::TOvcTextFileEditor& ed() { return widget->Editor(); }
    editor::TParaList& list() { return widget->Editor().Paragraphs(); }

    // Text as a load leaves it (the empty paragraph after the last line end included).
    void Load(const std::vector<std::string>& lines) {
        list().Clear();
        for (const std::string& line : lines) EXPECT_EQ(list().AppendLine(line, false), 0);
        list().LoadFinished();
        QApplication::processEvents();
    }

    QImage Render() {
        QApplication::processEvents();
        QImage image(widget->viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        widget->viewport()->render(&image);
        return image;
    }

    // The pixels of one cell: a row of the view and a display column from its left edge.
    QRect Cell(int row, int cell, int cells = 1) const {
        return {widget->Editor().LeftMargin() + cell * widget->CharWidth(),
                row * widget->LineHeight(), cells * widget->CharWidth(), widget->LineHeight()};
    }

    static int Count(const QImage& image, const QRect& rect, const QColor& colour) {
        int n = 0;
        const QRect r = rect.intersected(image.rect());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += image.pixel(x, y) == colour.rgb();
        return n;
    }

    // Pixels that are not the background: text, caret, marks.
    static int Ink(const QImage& image, const QRect& rect) {
        return rect.intersected(image.rect()).width() * rect.intersected(image.rect()).height() -
               Count(image, rect, kBase);
    }
};

} // namespace mvf::viewer::testing
