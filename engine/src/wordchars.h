// The word-character table the word anchors consult; shared by every record.
#pragma once

#include <array>

namespace mvf::engine {

extern std::array<unsigned char, 256> g_wordChar;

inline bool IsWordChar(unsigned char c) {
    return g_wordChar[c] != 0;
}

} // namespace mvf::engine
