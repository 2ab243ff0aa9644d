#include "finder/view/vf_list.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "finder/view/results_model.h"
#include "platform/qt/wait_cursor.h"
#include "row_painter.h"
#include "type_images.h"

namespace mvf::view {

namespace {

// Every row has the same height, told without looking at any row's texts.
class FixedRowDelegate : public QStyledItemDelegate {
public:
    explicit FixedRowDelegate(const VFList& list) : QStyledItemDelegate(nullptr), list_(list) {}
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {0, list_.RowHeight()};
    }

private:
    const VFList& list_;
};

bool IsLetterAToZ(const QString& text) {
    if (text.size() != 1) return false;
    const QChar c = text.front();
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

VFList::VFList(ResultsModel& model, QWidget* parent) : QTreeView(parent), model_(model) {
    setObjectName(QStringLiteral("VFList"));
    setItemDelegate(new FixedRowDelegate(*this));
    itemDelegate()->setParent(this);
    setModel(&model_);
    setUniformRowHeights(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(0);
    setAllColumnsShowFocus(true);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);
    setDragDropMode(NoDragDrop);
    setAcceptDrops(false);
    setTextElideMode(Qt::ElideNone);
    setIconSize(TypeImageSize());

    QHeaderView* columns = header();
    columns->setSectionsMovable(false);
    columns->setSectionsClickable(true);
    columns->setStretchLastSection(false);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setSortIndicatorShown(true);
    columns->setDefaultSectionSize(100);
    connect(columns, &QHeaderView::sectionClicked, this, &VFList::HeaderClicked);
    // Two quick clicks are two clicks: the second arrives as a double-click.
    connect(columns, &QHeaderView::sectionDoubleClicked, this, &VFList::HeaderClicked);
    connect(&model_, &ResultsModel::sorted, this, &VFList::ShowSortIndicator);
    connect(&model_, &QAbstractItemModel::modelReset, this, &VFList::ShowSortIndicator);
    ShowSortIndicator();
}

void VFList::SetMultiSelect(bool on) {
    if (on == MultiSelect()) return;
    setSelectionMode(on ? ExtendedSelection : SingleSelection);
    if (!on && SelectedCount() > 1) {
        // One entry stays selected: the focused one if it is, else the first.
        const QModelIndex current = currentIndex();
        const std::size_t keep = current.isValid() && selectionModel()->isSelected(current)
                                     ? std::size_t(current.row())
                                     : SelectedRows().front();
        SelectOnly(keep);
    }
}

bool VFList::MultiSelect() const {
    return selectionMode() == ExtendedSelection;
}

void VFList::HoldHeaderClicks(bool hold) {
    headerClicksHeld_ = hold;
}

std::vector<std::size_t> VFList::SelectedRows() const {
    std::vector<std::size_t> rows;
    const QItemSelection selection = selectionModel()->selection();
    for (const QItemSelectionRange& range : selection)
        for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(std::size_t(row));
    if (selection.size() > 1) {
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    }
    return rows;
}

std::size_t VFList::SelectedCount() const {
    const QItemSelection selection = selectionModel()->selection();
    if (selection.size() == 1) return std::size_t(selection.front().height());
    return SelectedRows().size();
}

void VFList::SelectOnly(std::size_t row) {
    if (row >= std::size_t(model_.rowCount())) return;
    const QModelIndex index = model_.index(int(row), 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

bool VFList::SelectFirstIfNone() {
    if (model_.rowCount() == 0 || currentIndex().isValid() || selectionModel()->hasSelection())
        return false;
    SelectOnly(0);
    return true;
}

int VFList::RowHeight() const {
    return std::max(fontMetrics().height(), TypeImageSize().height()) + 2;
}

void VFList::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                     const QModelIndex& index) const {
    const QHeaderView* columns = header();
    RowLook row;
    int left = INT_MAX, right = INT_MIN;
    for (int visual = 0; visual < columns->count(); ++visual) {
        const int column = columns->logicalIndex(visual);
        if (columns->isSectionHidden(column)) continue;
        const int x = columns->sectionViewportPosition(column);
        const int width = columns->sectionSize(column);
        left = std::min(left, x);
        right = std::max(right, x + width);
        const QModelIndex cell = model_.index(index.row(), column);
        row.cells.push_back({model_.data(cell, Qt::DisplayRole).toString(), x, width,
                             column == results::kSizeColumn});
    }
    if (row.cells.empty()) return;
    for (RowCell& cell : row.cells) cell.left -= left;
    row.rect = QRect(left, option.rect.top(), right - left, option.rect.height());
    row.selected = selectionModel()->isSelected(index);
    row.focused = hasFocus() && currentIndex().row() == index.row();

    const QPalette::ColorGroup group = isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    const QColor highlight = palette().color(group, QPalette::Highlight);
    row.typeImage =
        TypePixmap(model_.data(index.siblingAtColumn(0), ResultsModel::kTypeRole).toInt(),
                   devicePixelRatio(), row.selected ? &highlight : nullptr);
    PaintRow(*painter, row, *this, group);
}

void VFList::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == 0;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (selectionModel()->hasSelection()) emit openRequested();
        event->accept();
        return;
    }
    if (plain && event->key() == Qt::Key_Delete) {
        if (selectionModel()->hasSelection()) emit deleteRequested();
        event->accept();
        return;
    }
    if (plain && IsLetterAToZ(event->text())) {
        emit speedSearchRequested(event->text().front());
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void VFList::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid() &&
        selectionModel()->hasSelection())
        emit openRequested();
    event->accept();
}

void VFList::focusInEvent(QFocusEvent* event) {
    // QAbstractItemView would make the first row current here (not selected); the list
    // keeps "focused" meaning what the user or the window made it.
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void VFList::HeaderClicked(int column) {
    results::ResultsList& list = model_.list();
    if (headerClicksHeld_ || !list.AutoSort()) {
        // The header put its own arrow on the click: it goes back to the list's order.
        ShowSortIndicator();
        return;
    }
    const platform::WaitCursor wait;
    if (list.HeaderClick(column)) emit headerSorted();
    ShowSortIndicator();
}

void VFList::ShowSortIndicator() {
    const results::ResultsList& list = model_.list();
    header()->setSortIndicator(list.SortColumn(),
                               list.SortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

} // namespace mvf::view
