#include "speed_search.h"

#include <QByteArray>
#include <algorithm>
#include <functional>
#include <string_view>

namespace mvf::view {

namespace {

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool IsAscii(const QByteArray& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

std::optional<std::size_t> FirstFrom(const results::ResultsList& list, std::size_t start,
                                     const std::function<bool(std::string_view)>& matches) {
    const std::size_t rows = list.size();
    if (rows == 0) return std::nullopt;
    if (start >= rows) start = 0;
    for (std::size_t step = 0; step < rows; ++step) {
        const std::size_t row = start + step < rows ? start + step : start + step - rows;
        if (matches(list[row].name())) return row;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::size_t> FindNameStartingWith(const results::ResultsList& list,
                                                const QString& typed, std::size_t start) {
    const QByteArray wanted = typed.toUtf8();
    if (IsAscii(wanted)) {
        // Plain letters: compared byte by byte, A-Z folded; no name is decoded.
        QByteArray folded = wanted;
        std::transform(folded.begin(), folded.end(), folded.begin(), FoldAscii);
        const std::string_view prefix(folded.constData(), std::size_t(folded.size()));
        return FirstFrom(list, start, [&](std::string_view name) {
            if (name.size() < prefix.size()) return false;
            for (std::size_t i = 0; i < prefix.size(); ++i)
                if (FoldAscii(name[i]) != prefix[i]) return false;
            return true;
        });
    }
    // Other letters fold by Unicode's rules, on the decoded name.
    return FirstFrom(list, start, [&](std::string_view name) {
        return QString::fromUtf8(name.data(), qsizetype(name.size()))
            .startsWith(typed, Qt::CaseInsensitive);
    });
}

} // namespace mvf::view
