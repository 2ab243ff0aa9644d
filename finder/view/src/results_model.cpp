#include "finder/view/results_model.h"

#include <vector>

#include "finder/results/list_texts.h"
#include "type_images.h"

namespace mvf::view {

namespace {

// The created and modified columns show their time texts in lower case ("03:15:42 pm").
bool ShownInLowerCase(int column) {
    return column == results::kCreatedColumn || column == results::kModifiedColumn;
}

QString CellText(const results::ResultEntry& entry, int column) {
    const std::string_view text = entry.ColumnText(column);
    QString shown = QString::fromUtf8(text.data(), qsizetype(text.size()));
    return ShownInLowerCase(column) ? shown.toLower() : shown;
}

} // namespace

ResultsModel::ResultsModel(results::ResultsList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), shown_(list.size()) {
    list_.SetObserver(this);
    announceTimer_.setSingleShot(true);
    announceTimer_.setInterval(kBulkAnnounceMilliseconds);
    connect(&announceTimer_, &QTimer::timeout, this, &ResultsModel::ShowPendingRows);
}

ResultsModel::~ResultsModel() {
    list_.SetObserver(nullptr);
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(shown_);
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : results::kColumnCount;
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || std::size_t(index.row()) >= shown_) return {};
    const results::ResultEntry& entry = list_[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return CellText(entry, index.column());
    case Qt::DecorationRole:
        if (index.column() == results::kNameColumn && !TypeIcon(entry.type()).isNull())
            return TypeIcon(entry.type());
        return {};
    case Qt::TextAlignmentRole:
        return int(Qt::AlignVCenter |
                   (index.column() == results::kSizeColumn ? Qt::AlignRight : Qt::AlignLeft));
    case kTypeRole: return entry.type();
    default: return {};
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= results::kColumnCount) return {};
    if (role == Qt::DisplayRole) {
        const std::string_view title = results::ColumnTitle(section);
        return QString::fromUtf8(title.data(), qsizetype(title.size()));
    }
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignVCenter |
                   (section <= results::kPathColumn ? Qt::AlignLeft : Qt::AlignHCenter));
    return {};
}

void ResultsModel::BeginBulkChange() {
    ++bulkDepth_;
}

void ResultsModel::EndBulkChange() {
    if (bulkDepth_ == 0 || --bulkDepth_ > 0) return;
    announceTimer_.stop();
    ShowPendingRows();
}

void ResultsModel::ShowPendingRows() {
    if (shown_ >= list_.size()) return;
    beginInsertRows({}, int(shown_), int(list_.size() - 1));
    shown_ = list_.size();
    endInsertRows();
    emit rowsChanged();
}

void ResultsModel::BeforeInsert(std::size_t row) {
    if (bulkDepth_ > 0 && row >= shown_) {
        // A row in the tail the views do not know yet: announced with the next batch.
        announcing_ = false;
        return;
    }
    // The rows before it must be known before a row can go among them.
    ShowPendingRows();
    beginInsertRows({}, int(row), int(row));
    announcing_ = true;
}

void ResultsModel::AfterInsert(std::size_t) {
    if (!announcing_) {
        if (!announceTimer_.isActive()) announceTimer_.start();
        return;
    }
    ++shown_;
    endInsertRows();
    emit rowsChanged();
}

void ResultsModel::BeforeRemove(std::size_t row) {
    announcing_ = row < shown_;
    if (announcing_) beginRemoveRows({}, int(row), int(row));
}

void ResultsModel::AfterRemove(std::size_t) {
    if (announcing_) {
        --shown_;
        endRemoveRows();
    }
    emit rowsChanged();
}

void ResultsModel::BeforeSort() {
    ShowPendingRows();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultsModel::AfterSort(std::span<const std::uint32_t> oldRows) {
    // The selection and the current row follow their rows to their new places.
    const QModelIndexList before = persistentIndexList();
    if (!before.isEmpty()) {
        std::vector<std::uint32_t> newRowOf(oldRows.size());
        for (std::size_t row = 0; row < oldRows.size(); ++row)
            newRowOf[oldRows[row]] = std::uint32_t(row);
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& old : before)
            after.push_back(std::size_t(old.row()) < newRowOf.size()
                                ? index(int(newRowOf[std::size_t(old.row())]), old.column())
                                : QModelIndex());
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit sorted();
    emit rowsChanged();
}

void ResultsModel::BeforeReset() {
    announceTimer_.stop();
    beginResetModel();
}

void ResultsModel::AfterReset() {
    shown_ = list_.size();
    endResetModel();
    emit rowsChanged();
}

void ResultsModel::SummaryChanged() {
    emit summaryChanged();
}

} // namespace mvf::view
