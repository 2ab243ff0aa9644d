// The texts of the status bar's six panels, Panel2 to Panel7.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace mvf::viewer {

// What the status bar shows of the active document's active editor.
struct StatusFacts {
    int32_t line = 1;   // the caret's display line
    int32_t column = 1; // the caret's column
    bool modified = false;
    int32_t lineCount = 1; // display lines
    int32_t topLine = 1;   // the first visible display line
    int64_t byteCount = 0;
    bool insertMode = true;
};

inline constexpr int kStatusPanelCount = 6;

// Panel2 "12:5", Panel3 "Modified" or empty, Panel4 "Total: n", Panel5 "Top: n",
// Panel6 "Bytes: n", Panel7 "Insert" or "Overwrite"; all empty without a document.
std::array<std::string, kStatusPanelCount>
StatusPanelTexts(const std::optional<StatusFacts>& facts);

} // namespace mvf::viewer
