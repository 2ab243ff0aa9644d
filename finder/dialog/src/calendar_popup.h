// The "Calendar" popup of the date fields: a month calendar with a month spinner and a
// year spinner, OK and Cancel. It opens on the field's date (today when the field holds
// none) and returns the chosen date on OK.
#pragma once

#include <QCalendarWidget>
#include <QDate>
#include <QDialog>

class QLabel;
class QPushButton;

namespace mvf::dialog {

class ArrowSpinner;

// The day cells: the number centred, the selected day raised, other months' days in the
// inactive colours.
class DayCalendar : public QCalendarWidget {
public:
    explicit DayCalendar(QWidget* parent = nullptr);

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
};

class CalendarPopup : public QDialog {
    Q_OBJECT

public:
    CalendarPopup(const QDate& shown, QWidget* parent = nullptr);

    QDate SelectedDate() const;
    DayCalendar* Calendar() const { return calendar_; }
    ArrowSpinner* MonthSpinner() const { return month_; }
    ArrowSpinner* YearSpinner() const { return year_; }
    QLabel* Heading() const { return heading_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

private:
    void ShowHeading();

    DayCalendar* calendar_;
    ArrowSpinner* month_;
    ArrowSpinner* year_;
    QLabel* heading_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace mvf::dialog
