#include "finder/actions/command_state.h"

namespace mvf::actions {

results::ToolbarState CommandState(std::size_t selectedRows, std::size_t rows, bool searchRunning,
                                   bool listBusy) {
    results::ToolbarState state = results::UpdateTB(selectedRows, rows, searchRunning);
    if (listBusy) {
        // Opening only reads the list; everything else waits until it holds still.
        state.remove = state.clear = state.load = state.save = state.newSearch = false;
    }
    return state;
}

} // namespace mvf::actions
