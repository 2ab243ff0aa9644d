#include "date_field.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>

#include "dialog_entries.h"

namespace mvf::dialog {

namespace {

constexpr const char* kQtPicture = "MM/dd/yyyy"; // "MM/DD/yyyy" in Qt's letters

} // namespace

QString DateFieldText(const QDate& date) {
    return date.toString(kQtPicture);
}

DateEdit::DateEdit(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(kQtPicture);
    setDateRange(QDate(kFirstYear, 1, 1), QDate(kLastYear, 12, 31));
    setButtonSymbols(QAbstractSpinBox::NoButtons); // the four-way spinner steps it
    setCalendarPopup(false);
    setToolTip("Double click for calendar");
    lineEdit()->installEventFilter(this);
}

bool DateEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonDblClick) {
        emit DoubleClicked();
        return true;
    }
    return QDateEdit::eventFilter(watched, event);
}

DateField::DateField(const QString& name, QWidget* parent)
    : QWidget(parent), edit_(new DateEdit(this)),
      spinner_(new ArrowSpinner(ArrowSpinner::Kind::FourWay, this)) {
    edit_->setObjectName(name);
    spinner_->setObjectName(name + "Spinner");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit_, 1);
    layout->addWidget(spinner_);
    connect(spinner_, &ArrowSpinner::Stepped, this, &DateField::Step);
    connect(edit_, &DateEdit::DoubleClicked, this, &DateField::CalendarWanted);
    setFocusProxy(edit_);
}

QString DateField::Text() const {
    return DateFieldText(edit_->date());
}

void DateField::SetText(const QString& text) {
    const QDate date = QDate::fromString(text, kQtPicture);
    if (date.isValid()) SetDate(date);
}

QDate DateField::Date() const {
    return edit_->date();
}

void DateField::SetDate(const QDate& date) {
    edit_->setDate(date);
}

void DateField::Step(Qt::ArrowType direction) {
    const int section = edit_->currentSectionIndex();
    switch (direction) {
    case Qt::UpArrow: edit_->stepBy(1); break;
    case Qt::DownArrow: edit_->stepBy(-1); break;
    case Qt::LeftArrow: edit_->setCurrentSectionIndex(std::max(0, section - 1)); break;
    case Qt::RightArrow:
        edit_->setCurrentSectionIndex(std::min(edit_->sectionCount() - 1, section + 1));
        break;
    case Qt::NoArrow: break;
    }
}

} // namespace mvf::dialog
