#include "finder/view/results_view.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "finder/results/list_texts.h"
#include "finder/view/results_model.h"
#include "finder/view/vf_list.h"
#include "speed_search.h"

namespace mvf::view {

namespace {

constexpr int kDefaultColumnWidth = 100;
constexpr int kNoStoredWidth = 9999;
constexpr QSize kSpeedPanelSize(185, 32);

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

ResultsView::ResultsView(results::ResultsList& list, platform::Notifier& notifier, QWidget* parent)
    : QWidget(parent), results_(list), notifier_(notifier), model_(new ResultsModel(list, this)),
      list_(new VFList(*model_, this)), speedPanel_(new QFrame(this)),
      speedBox_(new QLineEdit(speedPanel_)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);

    speedPanel_->setObjectName(QStringLiteral("VFSSPanel"));
    speedPanel_->setFrameShape(QFrame::StyledPanel);
    speedPanel_->setFrameShadow(QFrame::Raised);
    speedPanel_->setAutoFillBackground(true);
    speedPanel_->setFixedSize(kSpeedPanelSize);
    speedBox_->setObjectName(QStringLiteral("VFSS"));
    auto* panelLayout = new QHBoxLayout(speedPanel_);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    panelLayout->addWidget(speedBox_);
    speedBox_->installEventFilter(this);
    speedPanel_->hide();

    connect(model_, &ResultsModel::rowsChanged, this, &ResultsView::listChanged);
    connect(model_, &ResultsModel::sorted, this, [this] { emit sortChanged(SortText()); });
    connect(model_, &ResultsModel::summaryChanged, this,
            [this] { emit summaryChanged(SummaryText()); });
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        emit selectionChanged();
        emit listChanged();
    });
    connect(list_, &VFList::openRequested, this, &ResultsView::openRequested);
    connect(list_, &VFList::deleteRequested, this, &ResultsView::deleteRequested);
    connect(list_, &VFList::speedSearchRequested, this, &ResultsView::StartSpeedSearch);
    SetColumnWidths({kDefaultColumnWidth, kDefaultColumnWidth, kDefaultColumnWidth,
                     kDefaultColumnWidth, kDefaultColumnWidth});
    setFocusProxy(list_);
}

ResultsView::~ResultsView() = default;

void ResultsView::SetColumnWidths(const std::array<int, 5>& widths) {
    for (int column = 0; column < int(widths.size()); ++column) {
        const int width = widths[std::size_t(column)];
        list_->header()->resizeSection(
            column, width < 1 || width == kNoStoredWidth ? kDefaultColumnWidth : width);
    }
}

std::array<int, 5> ResultsView::ColumnWidths() const {
    std::array<int, 5> widths{};
    for (int column = 0; column < int(widths.size()); ++column)
        widths[std::size_t(column)] = list_->header()->sectionSize(column);
    return widths;
}

void ResultsView::SetMultiSelection(bool on) {
    list_->SetMultiSelect(on);
}

void ResultsView::SetSearchRunning(bool running) {
    searchRunning_ = running;
    if (running) FinishSpeedSearch(false);
}

void ResultsView::SetListHeld(bool held) {
    held_ = held;
    list_->HoldHeaderClicks(held);
    if (held) FinishSpeedSearch(false);
}

void ResultsView::BeginBulkChange() {
    model_->BeginBulkChange();
}

void ResultsView::EndBulkChange() {
    model_->EndBulkChange();
}

std::vector<std::size_t> ResultsView::SelectedRows() const {
    return list_->SelectedRows();
}

std::size_t ResultsView::SelectedCount() const {
    return list_->SelectedCount();
}

bool ResultsView::SelectFirstIfNone() {
    return list_->SelectFirstIfNone();
}

QString ResultsView::SelectionText() const {
    return FromUtf8(results::SelectionText(results_, list_->SelectedRows()));
}

QString ResultsView::HitsText() const {
    return FromUtf8(results::HitsText(results_.size()));
}

QString ResultsView::SortText() const {
    return FromUtf8(results::SortText(results_.SortColumn(), results_.SortAscending()));
}

QString ResultsView::SummaryText() const {
    return FromUtf8(results_.SearchSummary());
}

void ResultsView::StartSpeedSearch(QChar letter) {
    if (searchRunning_ || held_) return;
    speedBox_->setText(QString(letter));
    speedBox_->end(false);
    PlaceSpeedSearch();
    speedPanel_->show();
    speedPanel_->raise();
    speedBox_->setFocus(Qt::OtherFocusReason);
}

bool ResultsView::SpeedSearchOpen() const {
    return speedPanel_->isVisible();
}

void ResultsView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceSpeedSearch();
}

bool ResultsView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != speedBox_) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            FinishSpeedSearch(key != Qt::Key_Escape);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && speedPanel_->isVisible()) {
        // Clicking elsewhere closes the box as Escape does.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            FinishSpeedSearch(false);
    }
    return QWidget::eventFilter(watched, event);
}

void ResultsView::PlaceSpeedSearch() {
    // The bottom left corner of the list's rows, clear of the horizontal scroll bar.
    const QRect rows = list_->viewport()->geometry();
    const QPoint corner = list_->mapTo(this, rows.bottomLeft());
    speedPanel_->move(corner.x() + 2, std::max(0, corner.y() - kSpeedPanelSize.height() - 1));
}

std::size_t ResultsView::SpeedSearchStart() const {
    // From the focused entry when it is selected, else from the first selected, else the top.
    const QModelIndex current = list_->currentIndex();
    if (current.isValid() && list_->selectionModel()->isSelected(current))
        return std::size_t(current.row());
    const std::vector<std::size_t> rows = list_->SelectedRows();
    return rows.empty() ? 0 : rows.front();
}

void ResultsView::FinishSpeedSearch(bool search) {
    if (!speedPanel_->isVisible()) return;
    const QString typed = speedBox_->text();
    speedPanel_->hide();
    speedBox_->clear();
    list_->setFocus(Qt::OtherFocusReason);
    if (!search) return;
    if (const auto row = FindNameStartingWith(results_, typed, SpeedSearchStart())) {
        list_->SelectOnly(*row);
        return;
    }
    platform::MessageBox noMatch;
    noMatch.caption = QStringLiteral("Speed Search");
    noMatch.text = QStringLiteral("No Match Found!");
    noMatch.icon = platform::BoxIcon::Information;
    noMatch.parent = window();
    notifier_.Show(noMatch);
    list_->setFocus(Qt::OtherFocusReason);
}

} // namespace mvf::view
