// Positions in a document: 1-based paragraph and character position.
#pragma once

#include <compare>
#include <cstdint>

namespace mvf::editor {

struct ParaPos {
    int32_t para = 1;
    int32_t pos = 1;
    friend bool operator==(const ParaPos&, const ParaPos&) = default;
    friend auto operator<=>(const ParaPos&, const ParaPos&) = default;
};

// A display line and a 1-based column inside it.
struct LineCol {
    int32_t line = 1;
    int32_t col = 1;
    friend bool operator==(const LineCol&, const LineCol&) = default;
};

} // namespace mvf::editor
