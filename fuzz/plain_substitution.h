// Substitution written out plainly from the rules of the library's header, for the fuzz
// targets to hold the library to: what SubsBuild and Substitute must answer and leave in
// a destination of `size` bytes, given the bounds a search left.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "mvfindgrep.h"

namespace mvf::fuzz {

struct SubstAnswer {
    int code = 0;
    std::string text; // what the destination holds (when it holds a terminator)
    bool operator==(const SubstAnswer&) const = default;
};

class PlainSubstitution {
public:
    PlainSubstitution(const char* const* start, const char* const* end)
        : start_(start), end_(end) {}

    SubstAnswer Build(const char* tmpl, int size) const {
        Out out(size);
        if (!tmpl || !*tmpl) return {HGREP_ERR_NO_PATTERN, ""};
        if (!start_[0]) return {HGREP_ERR_NO_PREVIOUS, ""};
        if (const int code = Expand(tmpl, out)) return {code, ""};
        if (out.room < 0) return {HGREP_ERR_NO_SPACE, ""};
        return {0, out.text};
    }

    SubstAnswer Substitute(const char* text, const char* tmpl, int size) const {
        Out out(size);
        if (!tmpl || !*tmpl) return {HGREP_ERR_NO_PATTERN, ""};
        if (!start_[0]) return {HGREP_ERR_NO_PREVIOUS, ""};
        if (!end_[0] || !text) return {HGREP_ERR_BAD_STATE, ""};
        const auto first = reinterpret_cast<std::uintptr_t>(text);
        const auto from = reinterpret_cast<std::uintptr_t>(start_[0]);
        const auto to = reinterpret_cast<std::uintptr_t>(end_[0]);
        if (!(first <= from && from <= to && to <= first + std::strlen(text)))
            return {HGREP_ERR_BAD_STATE, ""};
        for (const char* p = text; p != start_[0]; ++p)
            if (!out.Put(*p)) return {HGREP_ERR_NO_SPACE, ""};
        const std::string before = out.text;
        int code = Expand(tmpl, out);
        for (const char* p = end_[0]; !code && *p; ++p)
            if (!out.Put(*p)) code = HGREP_ERR_NO_SPACE;
        if (code) return {code, before};
        if (out.room < 0) return {HGREP_ERR_NO_SPACE, ""};
        return {0, out.text};
    }

private:
    struct Out {
        explicit Out(int size) : room(size > 0 ? size - 1 : -1) {}
        bool Put(char c) {
            if (static_cast<int>(text.size()) >= room) return false;
            text += c;
            return true;
        }
        int room;
        std::string text;
    };

    int Entry(Out& out, int n) const {
        if (!start_[n] || !end_[n]) return 0;
        for (const char* p = start_[n]; p != end_[n]; ++p) {
            if (!*p) return HGREP_ERR_BAD_STATE;
            if (!out.Put(*p)) return HGREP_ERR_NO_SPACE;
        }
        return 0;
    }

    int Expand(const char* t, Out& out) const {
        for (; *t; ++t) {
            char c = *t;
            if (c == '&') {
                if (const int code = Entry(out, 0)) return code;
                continue;
            }
            if (c == '\\' && t[1]) {
                c = *++t;
                if (c >= '0' && c <= '9') {
                    if (const int code = Entry(out, c - '0')) return code;
                    continue;
                }
                switch (c) {
                case 'b': c = 8; break;
                case 'f': c = 12; break;
                case 'n': c = 10; break;
                case 'r': c = 13; break;
                case 't': c = 9; break;
                }
            }
            if (!out.Put(c)) return HGREP_ERR_NO_SPACE;
        }
        return 0;
    }

    const char* const* start_;
    const char* const* end_;
};

// What a destination of `size` bytes holds after a call: its text up to the terminator,
// which must lie inside it.
inline bool ReadDestination(const char* destination, int size, std::string& text) {
    if (!destination || size <= 0) return false;
    const void* zero = std::memchr(destination, 0, static_cast<std::size_t>(size));
    if (!zero) return false;
    text.assign(destination, static_cast<const char*>(zero));
    return true;
}

} // namespace mvf::fuzz
