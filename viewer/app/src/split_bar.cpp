#include "split_bar.h"

#include <QMouseEvent>
#include <QRubberBand>

#include "viewer/app/split_geometry.h"

namespace mvf::viewer {

SplitBar::SplitBar(QWidget* window) : QFrame(window), window_(window) {
    setObjectName("SplitBar");
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFixedHeight(kSplitBarHeight);
    setCursor(Qt::SplitVCursor);
}

int SplitBar::WindowY(QMouseEvent* event) const {
    return mapTo(window_, event->position().toPoint()).y();
}

void SplitBar::MoveLine(int windowY) {
    lineY_ = DragLineY(windowY, window_->height());
    line_->setGeometry(0, lineY_, window_->width(), 1);
}

void SplitBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    pressY_ = WindowY(event);
    if (!line_) line_ = new QRubberBand(QRubberBand::Line, window_);
    MoveLine(pressY_);
    line_->show();
    line_->raise();
}

void SplitBar::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) MoveLine(WindowY(event));
}

void SplitBar::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    dragging_ = false;
    line_->hide();
    emit dropped(pressY_, lineY_);
}

} // namespace mvf::viewer
