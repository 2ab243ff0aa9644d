#include "print_document.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "viewer/app/print_lines.h"

namespace mvf::viewer {

bool PrintDocument(QPrinter& printer, const QFont& font, const std::vector<std::string>& lines) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setFont(font);
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int charWidth = std::max(metrics.horizontalAdvance(QLatin1Char('M')), 1);
    const int lineHeight = std::max(metrics.lineSpacing(), 1);
    const auto pages = PrintPages(lines, page.width() / charWidth, page.height() / lineHeight);
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage()) return false;
        int y = metrics.ascent();
        for (const std::string& row : pages[p]) {
            painter.drawText(0, y,
                             QString::fromUtf8(row.data(), static_cast<qsizetype>(row.size())));
            y += lineHeight;
        }
    }
    return painter.end();
}

} // namespace mvf::viewer
