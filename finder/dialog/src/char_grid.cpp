#include "char_grid.h"

#include <algorithm>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "char_codes.h"

namespace mvf::dialog {

namespace {

QString CharacterText(int row, int column) {
    const std::optional<char16_t> c = CharacterOfCode(CharMapCode(row, column));
    return c ? QString(QChar(*c)) : QString();
}

} // namespace

CharGrid::CharGrid(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setToolTip("Click on a character to add to search string");
    // Black on white, whatever the desktop's colours.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
    SetCharFont(font());
}

void CharGrid::SetCharFont(const QFont& font) {
    setFont(font);
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int row = 0; row < kCharMapRows; ++row)
        for (int column = 0; column < kCharMapColumns; ++column)
            widest = std::max(widest, metrics.horizontalAdvance(CharacterText(row, column)));
    cell_ = QSize(std::max(kLeastCellWidth, widest + 3),
                  std::max(kLeastCellHeight, metrics.height() + 4));
    setFixedSize(sizeHint());
    update();
}

QSize CharGrid::sizeHint() const {
    return {kCharMapColumns * cell_.width() + 1, kCharMapRows * cell_.height() + 1};
}

QRect CharGrid::CellRect(int row, int column) const {
    return {column * cell_.width(), row * cell_.height(), cell_.width(), cell_.height()};
}

void CharGrid::SelectCell(int row, int column) {
    row_ = std::clamp(row, 0, kCharMapRows - 1);
    column_ = std::clamp(column, 0, kCharMapColumns - 1);
    update();
    emit Picked(CharacterText(row_, column_));
}

void CharGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Base));
    painter.setPen(colours.color(QPalette::Mid));
    for (int column = 0; column <= kCharMapColumns; ++column)
        painter.drawLine(column * cell_.width(), 0, column * cell_.width(), height() - 1);
    for (int row = 0; row <= kCharMapRows; ++row)
        painter.drawLine(0, row * cell_.height(), width() - 1, row * cell_.height());
    for (int row = 0; row < kCharMapRows; ++row) {
        for (int column = 0; column < kCharMapColumns; ++column) {
            const QRect cell = CellRect(row, column).adjusted(1, 1, 0, 0);
            const bool selected = row == row_ && column == column_;
            if (selected)
                painter.fillRect(cell,
                                 colours.color(hasFocus() ? QPalette::Active : QPalette::Inactive,
                                               QPalette::Highlight));
            painter.setPen(selected ? colours.color(QPalette::HighlightedText)
                                    : colours.color(QPalette::Text));
            painter.drawText(cell, Qt::AlignCenter, CharacterText(row, column));
        }
    }
}

void CharGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    const int column = at.x() / cell_.width(), row = at.y() / cell_.height();
    if (row < kCharMapRows && column < kCharMapColumns) SelectCell(row, column);
}

void CharGrid::keyPressEvent(QKeyEvent* event) {
    int row = row_, column = column_;
    switch (event->key()) {
    case Qt::Key_Left: --column; break;
    case Qt::Key_Right: ++column; break;
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Home: column = 0; break;
    case Qt::Key_End: column = kCharMapColumns - 1; break;
    default: QWidget::keyPressEvent(event); return;
    }
    // Reaching a cell picks it; pressing against the edge reaches none.
    if (row < 0 || row >= kCharMapRows || column < 0 || column >= kCharMapColumns) return;
    if (row == row_ && column == column_) return;
    SelectCell(row, column);
}

} // namespace mvf::dialog
