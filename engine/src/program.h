// The compiled form of a regular expression: a byte program ended by END.
// The compiler (rgrep_compile.cpp) writes it; matchers only read it.
#pragma once

#include <cstddef>

namespace mvf::engine::program {

enum Op : unsigned char {
    END = 0, // success
    CHR = 1, // 1 operand: the character
    ANY = 2, // any character but the end of the text
    CCL = 3, // 32 operand bytes: the set
    NCL = 4, // 32 operand bytes: the set as written, matched when the character is not in it
    BOL = 5,
    EOL = 6,
    BOT = 7, // 1 operand: tag number 1-9
    EOT = 8, // 1 operand: tag number
    BOW = 9,
    EOW = 10,
    REF = 11, // 1 operand: tag number
    CLO = 12, // one atom, then END: the atom zero or more times
    OPT = 14, // one atom, then END: the atom zero or one time
};

constexpr int kSetBytes = 32;

inline bool SetHas(const unsigned char* set, unsigned char c) {
    return (set[c >> 3] >> (c & 7)) & 1;
}
inline void SetAdd(unsigned char* set, unsigned char c) {
    set[c >> 3] = static_cast<unsigned char>(set[c >> 3] | (1u << (c & 7)));
}

// Bytes of the element starting at `p` (opcode and operands; for CLO/OPT the atom and
// its END included). 1 for END and for unknown opcodes.
std::size_t ElementSize(const unsigned char* p);

} // namespace mvf::engine::program
