// VFList: the results list on screen, a report of five columns whose rows it draws
// itself (see ResultsView for the whole widget the main window embeds).
//
// It turns the user's gestures into the list's rules: a click on a column header sorts
// by that column (the same column again flips the direction) unless automatic sorting is
// off or header clicks are held; Enter and a double-click ask to open, Delete to delete
// the selected entries (only while one is selected); a letter A-Z asks for the speed
// search. Nothing can be dropped onto it.
#pragma once

#include <QTreeView>
#include <cstddef>
#include <vector>

namespace mvf::view {

class ResultsModel;

class VFList : public QTreeView {
    Q_OBJECT
public:
    explicit VFList(ResultsModel& model, QWidget* parent = nullptr);

    // Several entries may be selected at once (the default), or only one.
    void SetMultiSelect(bool on);
    bool MultiSelect() const;

    // While held (a results file is being loaded or saved from the list) a header click
    // changes nothing.
    void HoldHeaderClicks(bool hold);

    // The selected rows in list order.
    std::vector<std::size_t> SelectedRows() const;
    std::size_t SelectedCount() const;
    // Selects and focuses `row` alone and scrolls it into view.
    void SelectOnly(std::size_t row);
    // When the list has rows but none is selected or focused: selects and focuses the
    // first. True when it did.
    bool SelectFirstIfNone();

    // The height of every row.
    int RowHeight() const;

signals:
    void openRequested();
    void deleteRequested();
    // A letter A-Z typed in the list.
    void speedSearchRequested(QChar letter);
    // A header click sorted the list.
    void headerSorted();

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Taking the focus focuses no row by itself: a list with rows but no row selected or
    // focused gets its first row selected by SelectFirstIfNone, when the window says so.
    void focusInEvent(QFocusEvent* event) override;
    // Typing looks nothing up by itself: letters open the speed search instead.
    void keyboardSearch(const QString&) override {}

private:
    void HeaderClicked(int column);
    void ShowSortIndicator();

    ResultsModel& model_;
    bool headerClicksHeld_ = false;
};

} // namespace mvf::view
