// Wrappers over the library's own records: each forwards its arguments unchanged and
// adds the static record of its kind.
#include "internal.h"

namespace {

RegexRecord g_regex;     // zeroed: answers -1 (code 20) until the first compile
SoundexRecord g_soundex; // zeroed: answers 0 with "no pattern" until the first compile
ApproxRecord g_approx;   // zeroed: holds no vectors and answers -1 until compiled

} // namespace

extern "C" {

int SCompileRGrep(const char* pattern, int caseSensitive) {
    return CompileRGrep(pattern, caseSensitive, &g_regex);
}

int SRGrep(const char* text) {
    return RGrep(text, &g_regex);
}

int SRGrepSubsBuild(const char* replacement, char* destination, int size) {
    return RGrepSubsBuild(replacement, destination, size, &g_regex);
}

int SRGrepSubstitute(const char* text, const char* replacement, char* destination, int size) {
    return RGrepSubstitute(text, replacement, destination, size, &g_regex);
}

int SCompileSGrep(const char* pattern, int unused) {
    return CompileSGrep(pattern, unused, &g_soundex);
}

int SSGrep(const char* text) {
    return SGrep(text, &g_soundex);
}

int SSGrepSubsBuild(const char* replacement, char* destination, int size) {
    return SGrepSubsBuild(replacement, destination, size, &g_soundex);
}

int SSGrepSubstitute(const char* text, const char* replacement, char* destination, int size) {
    return SGrepSubstitute(text, replacement, destination, size, &g_soundex);
}

int SCompileAGrep(const char* pattern, int k, int caseSensitive) {
    return CompileAGrep(pattern, k, caseSensitive, &g_approx);
}

int SAGrep(const char* text) {
    return AGrep(text, &g_approx);
}

// The library knows what its own record holds, so a second initialisation (every
// SFileSetFlags runs one) releases the vectors of the first instead of losing them.
int SAGrepInit(void) {
    AGrepEmpty(&g_approx);
    return AGrepInit(&g_approx);
}

int SAGrepEmpty(void) {
    return AGrepEmpty(&g_approx);
}

int SAGrepSubsBuild(const char* replacement, char* destination, int size) {
    return AGrepSubsBuild(replacement, destination, size, &g_approx);
}

int SAGrepSubstitute(const char* text, const char* replacement, char* destination, int size) {
    return AGrepSubstitute(text, replacement, destination, size, &g_approx);
}

} // extern "C"
