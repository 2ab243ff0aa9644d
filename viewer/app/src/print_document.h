// Printing lines on a printer (or into a PDF file): each line at the left edge in the
// editor's font, one below the other; a line wider than the page goes on in the next
// printed line and a new page begins when the next one would not fit.
#pragma once

#include <string>
#include <vector>

class QFont;
class QPrinter;

namespace mvf::viewer {

// False when the printer could not be opened or a new page could not be begun.
bool PrintDocument(QPrinter& printer, const QFont& font, const std::vector<std::string>& lines);

} // namespace mvf::viewer
