// A readable listing of a compiled program, for the tests' messages and comparisons.
#include "program_dump.h"

#include <cstdio>

#include "mvfindgrep.h"
#include "program.h"

namespace mvf::engine::program {

namespace {

std::string CharText(unsigned char c) {
    char buffer[8];
    if (c >= 0x20 && c < 0x7f && c != '\'' && c != '\\') {
        std::snprintf(buffer, sizeof buffer, "'%c'", c);
    } else {
        std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
    }
    return buffer;
}

// A set as ranges: [0-9A-Z_]; characters outside printable ASCII in \xNN form.
std::string SetText(const unsigned char* set) {
    std::string out = "[";
    auto put = [&](int c) {
        char buffer[8];
        if (c > 0x20 && c < 0x7f && c != ']' && c != '-' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
            out += buffer;
        }
    };
    for (int c = 0; c < 256;) {
        if (!SetHas(set, static_cast<unsigned char>(c))) {
            ++c;
            continue;
        }
        int last = c;
        while (last + 1 < 256 && SetHas(set, static_cast<unsigned char>(last + 1))) ++last;
        put(c);
        if (last > c) {
            if (last > c + 1) out += '-';
            put(last);
        }
        c = last + 1;
    }
    return out + "]";
}

std::string AtomText(const unsigned char* p) {
    switch (p[0]) {
    case CHR: return "CHR " + CharText(p[1]);
    case ANY: return "ANY";
    case CCL: return "CCL " + SetText(p + 1);
    case NCL: return "NCL " + SetText(p + 1);
    default: return "?" + std::to_string(p[0]);
    }
}

} // namespace

std::string Dump(const unsigned char* program) {
    std::string out;
    for (std::size_t at = 0; at < MVFG_PROGRAM_SIZE; at += ElementSize(program + at)) {
        const unsigned char* p = program + at;
        switch (p[0]) {
        case END: return out + "END\n";
        case BOL: out += "BOL\n"; break;
        case EOL: out += "EOL\n"; break;
        case BOW: out += "BOW\n"; break;
        case EOW: out += "EOW\n"; break;
        case BOT: out += "BOT " + std::to_string(p[1]) + "\n"; break;
        case EOT: out += "EOT " + std::to_string(p[1]) + "\n"; break;
        case REF: out += "REF " + std::to_string(p[1]) + "\n"; break;
        case CLO: out += "CLO " + AtomText(p + 1) + "\n"; break;
        case OPT: out += "OPT " + AtomText(p + 1) + "\n"; break;
        case CHR:
        case ANY:
        case CCL:
        case NCL: out += AtomText(p) + "\n"; break;
        default: return out + "?" + std::to_string(p[0]) + "\n";
        }
    }
    return out + "(no END)\n";
}

} // namespace mvf::engine::program
