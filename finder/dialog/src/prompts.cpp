#include "finder/dialog/prompts.h"

#include <QFontDialog>

#include "calendar_popup.h"

namespace mvf::dialog {

std::optional<QDate> QtPrompts::PickDate(const QDate& shown, QWidget* parent) {
    CalendarPopup popup(shown, parent);
    if (popup.exec() != QDialog::Accepted) return std::nullopt;
    return popup.SelectedDate();
}

std::optional<QString> QtPrompts::PickFontFamily(const QFont& current, QWidget* parent) {
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, current, parent, "Select Font");
    if (!chosen) return std::nullopt;
    return font.family();
}

} // namespace mvf::dialog
