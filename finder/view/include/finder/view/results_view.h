// The results window's list, as one widget for the main window to embed: the list
// `VFList` over the results (the list's rows are the only copy) and the speed-search panel
// `VFSSPanel` with its box `VFSS`.
//
// The main window owns the ResultsList and this widget, and wires it like this:
//
//   ResultsView view(list, notifier);
//   view.SetColumnWidths(settings.VFCol);            // at creation
//   view.SetMultiSelection(!settings.NoMulti);
//   connect(&view, &ResultsView::listChanged, ...);   // panels 0 and 1, UpdateTB
//   connect(&view, &ResultsView::sortChanged, ...);   // panel 2
//   connect(&view, &ResultsView::summaryChanged, ...);// the Progress panel
//   connect(&view, &ResultsView::openRequested, ...); // OpenBtnClick(view.SelectedRows())
//   connect(&view, &ResultsView::deleteRequested, ...);
//   view.SetSearchRunning(true); view.BeginBulkChange();   // a search starts
//   view.EndBulkChange(); view.SetSearchRunning(false);    // ... and ends
//   settings.VFCol = view.ColumnWidths();            // at close
#pragma once

#include <QWidget>
#include <array>
#include <cstddef>
#include <vector>

#include "finder/results/results_list.h"
#include "platform/qt/notifier.h"

class QFrame;
class QLineEdit;

namespace mvf::view {

class ResultsModel;
class VFList;

class ResultsView : public QWidget {
    Q_OBJECT
public:
    // `list` and `notifier` must outlive the widget.
    ResultsView(results::ResultsList& list, platform::Notifier& notifier,
                QWidget* parent = nullptr);
    ~ResultsView() override;

    VFList& List() { return *list_; }
    ResultsModel& Model() { return *model_; }

    // The five columns' widths as the settings keep them; 9999 (nothing stored) and
    // widths below 1 give 100.
    void SetColumnWidths(const std::array<int, 5>& widths);
    std::array<int, 5> ColumnWidths() const;

    // Multiple selection on (the default) or off (the setting NoMulti).
    void SetMultiSelection(bool on);

    // While a search runs the speed search stays closed.
    void SetSearchRunning(bool running);
    // While a results file is loaded or saved, or files are being removed, header clicks
    // change nothing and the speed search stays closed (the list must hold still).
    void SetListHeld(bool held);

    // Rows appended during a bulk change are shown a few times a second, not one by one.
    void BeginBulkChange();
    void EndBulkChange();

    // The selected rows in list order.
    std::vector<std::size_t> SelectedRows() const;
    std::size_t SelectedCount() const;
    // With rows but none selected or focused: the first is selected and focused (the
    // window's activation, after a load, after a search).
    bool SelectFirstIfNone();

    // Status panel 0: nothing, the selected entry's name, or "3 Files Selected".
    QString SelectionText() const;
    // Status panel 1: "Files With Hits: " and the count.
    QString HitsText() const;
    // Status panel 2: e.g. "Sort: Name - (A-Z)"; empty when the list is not sorted.
    QString SortText() const;
    // The Progress panel: SearchSummary.
    QString SummaryText() const;

    // The speed search: opened by a letter typed in the list, or here.
    void StartSpeedSearch(QChar letter);
    bool SpeedSearchOpen() const;

signals:
    // A row was added, removed, the list sorted or replaced, or the selection changed.
    void listChanged();
    // The selection changed (also told by listChanged).
    void selectionChanged();
    // The list was sorted (a header click, or automatic sorting switched on again).
    void sortChanged(const QString& sortText);
    void summaryChanged(const QString& summary);
    void openRequested();
    void deleteRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceSpeedSearch();
    void FinishSpeedSearch(bool search);
    std::size_t SpeedSearchStart() const;

    results::ResultsList& results_;
    platform::Notifier& notifier_;
    ResultsModel* model_;
    VFList* list_;
    QFrame* speedPanel_;
    QLineEdit* speedBox_;
    bool searchRunning_ = false;
    bool held_ = false;
};

} // namespace mvf::view
