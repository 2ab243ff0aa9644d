// A plain table over the results list, in the place of the results view `VFList` until
// that view is merged: the five columns with their widths, the rows as their texts,
// selection and header clicks. It has the methods and signals the main window uses of
// the real view, so swapping one for the other touches only the window's construction.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <span>
#include <vector>

#include <QAbstractTableModel>
#include <QTableView>

#include "finder/results/results_list.h"

namespace mvf::shell {

class ResultsTableModel final : public QAbstractTableModel, public results::ListObserver {
public:
    explicit ResultsTableModel(results::ResultsList& list, QObject* parent = nullptr);
    ~ResultsTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void BeforeInsert(std::size_t row) override;
    void AfterInsert(std::size_t row) override;
    void BeforeRemove(std::size_t row) override;
    void AfterRemove(std::size_t row) override;
    void BeforeSort() override;
    void AfterSort(std::span<const std::uint32_t> oldRows) override;
    void BeforeReset() override;
    void AfterReset() override;
    void SummaryChanged() override;

    std::function<void()> onSummaryChanged;

private:
    results::ResultsList& list_;
};

class ResultsViewPlaceholder final : public QTableView {
    Q_OBJECT
public:
    ResultsViewPlaceholder(results::ResultsList& list, QWidget* parent);

    void SetColumnWidths(const std::array<int, 5>& widths);
    std::array<int, 5> ColumnWidths() const;
    void SetMultiSelection(bool multi);
    // Selects and focuses the first row when rows exist and none is selected or focused.
    void SelectFirstIfNone();
    std::vector<std::size_t> SelectedRows() const;
    ResultsTableModel& Model() { return model_; }

signals:
    void selectionChanged();
    void sortChanged();
    void summaryChanged();

private:
    results::ResultsList& list_;
    ResultsTableModel model_;
};

} // namespace mvf::shell
