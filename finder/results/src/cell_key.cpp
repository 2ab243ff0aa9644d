#include "cell_key.h"

#include "text_util.h"
#include "time_text.h"

namespace mvf::results::detail {

CellKey ReadCell(std::string_view text, int column) {
    // -999 reads as "no number": the list's number reading answers -999 for a text that is none,
    // so a row holding exactly "-999" sorts as text.
    if (const auto number = ReadWholeNumber(text); number && *number != -999)
        return {CellKind::Number, *number};
    if (column == 0) return {};
    const std::string_view trimmed = TrimSpaces(text);
    if (!HasDatePattern(trimmed)) return {};
    if (const auto seconds = ReadTimeText(trimmed)) return {CellKind::Date, *seconds};
    return {CellKind::BadDate, 0};
}

} // namespace mvf::results::detail
