// The bar between the two editors of a split document window. Dragging it shows a
// one-pixel line across the window that follows the mouse (kept 3 pixels inside the
// window) and, on release, reports where the drag began and where the line was left.
#pragma once

#include <QFrame>

class QRubberBand;

namespace mvf::viewer {

class SplitBar : public QFrame {
    Q_OBJECT

public:
    explicit SplitBar(QWidget* window);

signals:
    // Both in the window's coordinates.
    void dropped(int pressY, int lineY);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int WindowY(QMouseEvent* event) const;
    void MoveLine(int windowY);

    QWidget* window_;
    QRubberBand* line_ = nullptr;
    bool dragging_ = false;
    int pressY_ = 0;
    int lineY_ = 0;
};

} // namespace mvf::viewer
