// The search dialog's own modal questions, behind an interface so that tests can answer
// them: the calendar of the date fields and the font of the special-character map.
#pragma once

#include <optional>

#include <QDate>
#include <QFont>
#include <QString>

class QWidget;

namespace mvf::dialog {

class Prompts {
public:
    virtual ~Prompts() = default;
    // The "Calendar" popup showing `shown` (today when it is no valid date): the chosen
    // date on OK, none on Cancel.
    virtual std::optional<QDate> PickDate(const QDate& shown, QWidget* parent) = 0;
    // The font dialog of "Select Font", starting at `current`: the chosen family, none
    // when cancelled. Size and style are not the user's to choose.
    virtual std::optional<QString> PickFontFamily(const QFont& current, QWidget* parent) = 0;
};

// The real questions: the calendar popup and Qt's font dialog.
class QtPrompts : public Prompts {
public:
    std::optional<QDate> PickDate(const QDate& shown, QWidget* parent) override;
    std::optional<QString> PickFontFamily(const QFont& current, QWidget* parent) override;
};

} // namespace mvf::dialog
