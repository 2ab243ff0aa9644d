// The grid of the special-character map: 32 columns by 7 rows of cells, at least 15 x 20
// pixels each (wider or higher when the font's characters need it), no headers, no
// scroll bars. Selecting a cell, by a click or by the arrow keys, picks its character.
#pragma once

#include <QString>
#include <QWidget>

namespace mvf::dialog {

class CharGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int kLeastCellWidth = 15;
    static constexpr int kLeastCellHeight = 20;

    explicit CharGrid(QWidget* parent = nullptr);

    // Sets the characters' font and sizes the cells to it.
    void SetCharFont(const QFont& font);
    QSize CellSize() const { return cell_; }
    int SelectedRow() const { return row_; }
    int SelectedColumn() const { return column_; }
    // Selects a cell and picks its character (as a click on it does).
    void SelectCell(int row, int column);
    // The cell's rectangle in the grid.
    QRect CellRect(int row, int column) const;

    QSize sizeHint() const override;

signals:
    // A cell was selected; its character (empty for a cell without one).
    void Picked(const QString& character);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize cell_{kLeastCellWidth, kLeastCellHeight};
    int row_ = 0;
    int column_ = 0;
};

} // namespace mvf::dialog
