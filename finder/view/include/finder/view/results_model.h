// The results list as a Qt model: five columns read straight from the rows of a
// ResultsList, which stays the only copy of the results. A cell is turned into a QString
// only when a view asks for it, that is for the rows on screen.
//
// Changes of the list reach the views through the list's observer. During a bulk change
// (a search adding hundreds of thousands of rows) rows appended at the end are announced
// to the views together, a few times a second, instead of one by one:
//
//   model.BeginBulkChange();    // the search starts
//   ... list.AddItem(...) ...   // rows appear in batches
//   model.EndBulkChange();      // the search ended: every row is shown
#pragma once

#include <QAbstractTableModel>
#include <QTimer>

#include "finder/results/results_list.h"

namespace mvf::view {

class ResultsModel : public QAbstractTableModel, private results::ListObserver {
    Q_OBJECT
public:
    // The model observes `list` from now on and for its whole life; `list` must outlive it.
    explicit ResultsModel(results::ResultsList& list, QObject* parent = nullptr);
    ~ResultsModel() override;

    // The row's type (its image index, results::kNoTypeImage for none) under this role.
    static constexpr int kTypeRole = Qt::UserRole + 1;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Display: the text as drawn (names, folders and sizes as they are, decoded as UTF-8
    // with a replacement mark for a byte that is not; the date columns in lower case);
    // tool tip: the same whole text; decoration (column 0): the type picture; alignment:
    // the size on the right, the others on the left.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The column titles, left-aligned for the name and the path, centred for the rest.
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const results::ResultsList& list() const { return list_; }
    results::ResultsList& list() { return list_; }

    // Bulk changes nest; the views see every row again when the outermost one ends.
    void BeginBulkChange();
    void EndBulkChange();
    bool InBulkChange() const { return bulkDepth_ > 0; }
    // Shows the rows appended since the last announcement now.
    void ShowPendingRows();
    // How often rows appended during a bulk change are announced.
    static constexpr int kBulkAnnounceMilliseconds = 200;

signals:
    // The rows changed: added, removed, sorted, replaced (not a selection).
    void rowsChanged();
    // The list's sort order changed (the sort text may differ).
    void sorted();
    // SearchSummary changed.
    void summaryChanged();

private:
    void BeforeInsert(std::size_t row) override;
    void AfterInsert(std::size_t row) override;
    void BeforeRemove(std::size_t row) override;
    void AfterRemove(std::size_t row) override;
    void BeforeSort() override;
    void AfterSort(std::span<const std::uint32_t> oldRows) override;
    void BeforeReset() override;
    void AfterReset() override;
    void SummaryChanged() override;

    results::ResultsList& list_;
    // The rows the views know of: the list's, less those a bulk change has not announced.
    std::size_t shown_ = 0;
    int bulkDepth_ = 0;
    // Whether the change under way was announced (a change in the unannounced tail is not).
    bool announcing_ = false;
    QTimer announceTimer_;
};

} // namespace mvf::view
