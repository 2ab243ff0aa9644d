#include "calendar_popup.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include "arrow_spinner.h"
#include "dialog_entries.h"

namespace mvf::dialog {

DayCalendar::DayCalendar(QWidget* parent) : QCalendarWidget(parent) {
    setNavigationBarVisible(false); // the popup's own spinners page through it
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setGridVisible(false);
    setDateRange(QDate(kFirstYear, 1, 1), QDate(kLastYear, 12, 31));
}

void DayCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const {
    const QPalette& colours = palette();
    const bool selected = date == selectedDate();
    const bool thisMonth = date.month() == monthShown() && date.year() == yearShown();
    painter->save();
    if (selected) {
        qDrawShadePanel(painter, rect.adjusted(1, 1, -1, -1), colours, /*sunken=*/false, 2,
                        &colours.brush(QPalette::Button));
    }
    painter->setPen(
        colours.color(thisMonth ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter->drawText(rect, Qt::AlignCenter, QString::number(date.day()));
    painter->restore();
}

CalendarPopup::CalendarPopup(const QDate& shown, QWidget* parent)
    : QDialog(parent), calendar_(new DayCalendar(this)),
      month_(new ArrowSpinner(ArrowSpinner::Kind::UpDown, this)),
      year_(new ArrowSpinner(ArrowSpinner::Kind::UpDown, this)), heading_(new QLabel(this)),
      ok_(new QPushButton("OK", this)), cancel_(new QPushButton("Cancel", this)) {
    setWindowTitle("Calendar");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    month_->setObjectName("MonthSpinner");
    month_->setToolTip("Change the displayed month");
    year_->setObjectName("YearSpinner");
    year_->setToolTip("Change the displayed year");
    for (ArrowSpinner* spinner : {month_, year_})
        for (Qt::ArrowType arrow : {Qt::UpArrow, Qt::DownArrow})
            spinner->Button(arrow)->setToolTip(spinner->toolTip());
    heading_->setAlignment(Qt::AlignCenter);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);

    const QDate date =
        shown.isValid() && shown >= calendar_->minimumDate() && shown <= calendar_->maximumDate()
            ? shown
            : QDate::currentDate();
    calendar_->setSelectedDate(date);
    calendar_->setCurrentPage(date.year(), date.month());

    auto* navigation = new QHBoxLayout;
    navigation->addWidget(new QLabel("Month", this));
    navigation->addWidget(month_);
    navigation->addWidget(heading_, 1);
    navigation->addWidget(year_);
    navigation->addWidget(new QLabel("Year", this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(navigation);
    layout->addWidget(calendar_, 1);
    layout->addLayout(buttons);

    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(calendar_, &QCalendarWidget::activated, this, &QDialog::accept);
    connect(month_, &ArrowSpinner::Stepped, this, [this](Qt::ArrowType arrow) {
        arrow == Qt::UpArrow ? calendar_->showNextMonth() : calendar_->showPreviousMonth();
    });
    connect(year_, &ArrowSpinner::Stepped, this, [this](Qt::ArrowType arrow) {
        arrow == Qt::UpArrow ? calendar_->showNextYear() : calendar_->showPreviousYear();
    });
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, &CalendarPopup::ShowHeading);
    ShowHeading();

    // Centred on the screen.
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    calendar_->setFocus();
}

QDate CalendarPopup::SelectedDate() const {
    return calendar_->selectedDate();
}

void CalendarPopup::ShowHeading() {
    const QDate first(calendar_->yearShown(), calendar_->monthShown(), 1);
    heading_->setText(calendar_->locale().toString(first, "MMMM yyyy"));
}

} // namespace mvf::dialog
