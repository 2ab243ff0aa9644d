#include "program.h"

namespace mvf::engine::program {

namespace {

std::size_t AtomSize(unsigned char op) {
    switch (op) {
    case CHR: return 2;
    case ANY: return 1;
    case CCL:
    case NCL: return 1 + kSetBytes;
    default: return 1;
    }
}

} // namespace

std::size_t ElementSize(const unsigned char* p) {
    switch (p[0]) {
    case CHR:
    case ANY:
    case CCL:
    case NCL: return AtomSize(p[0]);
    case BOT:
    case EOT:
    case REF: return 2;
    case CLO:
    case OPT: return 1 + AtomSize(p[1]) + 1;
    default: return 1;
    }
}

} // namespace mvf::engine::program
