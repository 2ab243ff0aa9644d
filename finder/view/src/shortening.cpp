#include "shortening.h"

#include <QTextBoundaryFinder>
#include <vector>

namespace mvf::view {

namespace {
const QString kShorteningMark = QStringLiteral("...");
} // namespace

QString ShortenToWidth(const QString& text, const QFontMetrics& metrics, int room) {
    if (metrics.horizontalAdvance(text) <= room) return text;
    if (metrics.horizontalAdvance(kShorteningMark) > room) return text;

    // The places a character ends (a letter and its accents, a surrogate pair stay whole).
    std::vector<qsizetype> cuts;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = characters.toNextBoundary(); at > 0 && at < text.size();
         at = characters.toNextBoundary())
        cuts.push_back(at);

    // Removing characters from the end one by one until the rest fits finds the longest
    // beginning that fits; widths grow with the length, so halving finds the same one.
    const auto fits = [&](qsizetype length) {
        return metrics.horizontalAdvance(text.left(length) + kShorteningMark) <= room;
    };
    qsizetype keep = 0;
    std::size_t low = 0, high = cuts.size();
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (fits(cuts[middle])) {
            keep = cuts[middle];
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return text.left(keep) + kShorteningMark;
}

} // namespace mvf::view
