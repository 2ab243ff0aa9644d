// A date field of the search dialog: the date in the picture "MM/DD/yyyy" (valid dates
// from 01/01/1600 to 12/31/3999 only, so nothing else can be typed), a four-way spinner
// bound to it (up and down step the part under the caret, left and right move between
// month, day and year), and the calendar on a double click.
#pragma once

#include <QDateEdit>
#include <QString>
#include <QWidget>

#include "arrow_spinner.h"

namespace mvf::dialog {

// The date box itself; it tells of double clicks, which its line edit would take.
class DateEdit : public QDateEdit {
    Q_OBJECT

public:
    explicit DateEdit(QWidget* parent = nullptr);

signals:
    void DoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

class DateField : public QWidget {
    Q_OBJECT

public:
    // `name`: the field's name (DBetLow, ...), given to the date box.
    DateField(const QString& name, QWidget* parent = nullptr);

    QString Text() const;              // "MM/DD/YYYY"
    void SetText(const QString& text); // ignored unless a valid date
    QDate Date() const;
    void SetDate(const QDate& date);

    DateEdit* Edit() const { return edit_; }
    ArrowSpinner* Spinner() const { return spinner_; }

signals:
    void CalendarWanted();

private:
    void Step(Qt::ArrowType direction);

    DateEdit* edit_;
    ArrowSpinner* spinner_;
};

// The text of a date in the fields' picture.
QString DateFieldText(const QDate& date);

} // namespace mvf::dialog
