// Which of the results window's commands are enabled: the list's rule (UpdateTB), and
// while the list is busy (a results file being saved or loaded, files being removed)
// nothing that would change the list or start a search.
#pragma once

#include <cstddef>

#include "finder/results/list_texts.h"

namespace mvf::actions {

results::ToolbarState CommandState(std::size_t selectedRows, std::size_t rows, bool searchRunning,
                                   bool listBusy);

} // namespace mvf::actions
