// The speed search's rule: the first row whose name begins with the typed text.
#pragma once

#include <QString>
#include <cstddef>
#include <optional>

#include "finder/results/results_list.h"

namespace mvf::view {

// The first row, from `start` (inclusive) to the last and then from the first, whose
// name begins with `typed`, letter case ignored. Nothing when no name does (or the list is
// empty); a `start` past the end starts at the first row.
std::optional<std::size_t> FindNameStartingWith(const results::ResultsList& list,
                                                const QString& typed, std::size_t start);

} // namespace mvf::view
