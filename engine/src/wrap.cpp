// Wrappers over the library's own records: each forwards its arguments unchanged and
// adds the static record of its kind.
#include "internal.h"

namespace {

RegexRecord g_regex; // zeroed: answers -1 (code 20) until the first compile

}  // namespace

extern "C" {

int SCompileRGrep(const char* pattern, int caseSensitive) {
    return CompileRGrep(pattern, caseSensitive, &g_regex);
}

int SRGrep(const char* text) { return RGrep(text, &g_regex); }

}  // extern "C"
