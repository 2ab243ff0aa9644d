// Small arrow buttons that step a value: a pair (up and down) beside a number box, or four
// (up, down, left and right) beside a date field. They repeat while held.
#pragma once

#include <QWidget>

class QToolButton;

namespace mvf::dialog {

class ArrowSpinner : public QWidget {
    Q_OBJECT

public:
    enum class Kind { UpDown, FourWay };

    ArrowSpinner(Kind kind, QWidget* parent = nullptr);

    // The button of one direction; null when this spinner has none.
    QToolButton* Button(Qt::ArrowType direction) const;

signals:
    void Stepped(Qt::ArrowType direction);

private:
    QToolButton* AddButton(Qt::ArrowType direction);

    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    QToolButton* left_ = nullptr;
    QToolButton* right_ = nullptr;
};

} // namespace mvf::dialog
