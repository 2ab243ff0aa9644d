#include "results_view_placeholder.h"

#include <algorithm>

#include <QHeaderView>
#include <QItemSelectionModel>

#include "finder/results/list_texts.h"
#include "qt_text.h"

namespace mvf::shell {

ResultsTableModel::ResultsTableModel(results::ResultsList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
    list_.SetObserver(this);
}

ResultsTableModel::~ResultsTableModel() {
    list_.SetObserver(nullptr);
}

int ResultsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.size());
}

int ResultsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : results::kColumnCount;
}

QVariant ResultsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= list_.size()) return {};
    if (role == Qt::DisplayRole)
        return QText(list_[static_cast<std::size_t>(index.row())].ColumnText(index.column()));
    if (role == Qt::TextAlignmentRole && index.column() == results::kSizeColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return QText(results::ColumnTitle(section));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(section < results::kSizeColumn ? Qt::AlignLeft | Qt::AlignVCenter
                                                                  : Qt::AlignCenter);
    return {};
}

void ResultsTableModel::BeforeInsert(std::size_t row) {
    beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
}
void ResultsTableModel::AfterInsert(std::size_t) {
    endInsertRows();
}
void ResultsTableModel::BeforeRemove(std::size_t row) {
    beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
}
void ResultsTableModel::AfterRemove(std::size_t) {
    endRemoveRows();
}
void ResultsTableModel::BeforeSort() {
    emit layoutAboutToBeChanged();
}
void ResultsTableModel::AfterSort(std::span<const std::uint32_t> oldRows) {
    // The selection and the current row follow their rows to their new places.
    std::vector<int> newRowOf(oldRows.size());
    for (std::size_t i = 0; i < oldRows.size(); ++i) newRowOf[oldRows[i]] = static_cast<int>(i);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    for (const QModelIndex& index : from)
        to << this->index(newRowOf[static_cast<std::size_t>(index.row())], index.column());
    changePersistentIndexList(from, to);
    emit layoutChanged();
}
void ResultsTableModel::BeforeReset() {
    beginResetModel();
}
void ResultsTableModel::AfterReset() {
    endResetModel();
}
void ResultsTableModel::SummaryChanged() {
    if (onSummaryChanged) onSummaryChanged();
}

ResultsViewPlaceholder::ResultsViewPlaceholder(results::ResultsList& list, QWidget* parent)
    : QTableView(parent), list_(list), model_(list) {
    setObjectName(QStringLiteral("VFList"));
    setModel(&model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (list_.HeaderClick(column)) emit sortChanged();
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit selectionChanged(); });
    model_.onSummaryChanged = [this] { emit summaryChanged(); };
}

void ResultsViewPlaceholder::SetColumnWidths(const std::array<int, 5>& widths) {
    for (int i = 0; i < 5; ++i) setColumnWidth(i, widths[static_cast<std::size_t>(i)]);
}

std::array<int, 5> ResultsViewPlaceholder::ColumnWidths() const {
    std::array<int, 5> widths{};
    for (int i = 0; i < 5; ++i) widths[static_cast<std::size_t>(i)] = columnWidth(i);
    return widths;
}

void ResultsViewPlaceholder::SetMultiSelection(bool multi) {
    setSelectionMode(multi ? QAbstractItemView::ExtendedSelection
                           : QAbstractItemView::SingleSelection);
}

void ResultsViewPlaceholder::SelectFirstIfNone() {
    if (list_.empty() || selectionModel()->hasSelection() || currentIndex().isValid()) return;
    const QModelIndex first = model_.index(0, 0);
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
}

std::vector<std::size_t> ResultsViewPlaceholder::SelectedRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace mvf::shell
