// The library's string table, its captions, version and debug query.
#include <cstring>

#include "internal.h"

namespace {

constexpr int kCaptionSize = 128;

// The library's string resources, identifiers 13 to 27.
constexpr const char* kStrings[] = {
    "Pattern too long or too many approximation errors", // 13
    "Approximative Find Error",                          // 14
    "Regular Expression Error",                          // 15
    "No regular expression provided",                    // 16
    "Missing ]",                                         // 17
    "Empty closure in beginning of pattern",             // 18
    "Illegal closure after special character",           // 19
    "Null pattern inside \\<\\>",                        // 20
    "Too many \\(\\) pairs",                             // 21
    "Null pattern inside \\(\\)",                        // 22
    "Unmatched \\)",                                     // 23
    "Cyclical reference in tag \\number",                // 24
    "Undetermined reference",                            // 25
    "Unmatched \\(",                                     // 26
    "Soundex Error",                                     // 27
};
constexpr int kFirstString = 13;
constexpr int kStringCount = sizeof(kStrings) / sizeof(kStrings[0]);

char g_approxCaption[kCaptionSize];
char g_regexCaption[kCaptionSize];
char g_soundexCaption[kCaptionSize];

// Loads one string into a caption buffer, cut to the buffer as a resource loader would.
bool LoadString(int id, char* buffer) {
    const char* text = mvf::engine::LibraryString(id);
    if (!text) return false;
    std::strncpy(buffer, text, kCaptionSize - 1);
    buffer[kCaptionSize - 1] = '\0';
    return true;
}

} // namespace

namespace mvf::engine {

const char* LibraryString(int id) {
    if (id < kFirstString || id >= kFirstString + kStringCount) return nullptr;
    return kStrings[id - kFirstString];
}

const char* Caption(NoticeKind kind) {
    switch (kind) {
    case NoticeKind::Approximate: return g_approxCaption;
    case NoticeKind::RegularExpression: return g_regexCaption;
    case NoticeKind::Soundex: return g_soundexCaption;
    }
    return "";
}

} // namespace mvf::engine

extern "C" {

int LibMain(void* /*instance*/, int /*unused1*/, int /*unused2*/, const char* /*unused3*/) {
    if (!LoadString(14, g_approxCaption)) return 0;
    if (!LoadString(15, g_regexCaption)) return 0;
    if (!LoadString(27, g_soundexCaption)) return 0;
    return 1;
}

uint16_t HGrepVersion(void) {
    return 0x6011;
}

int HGrepIsDebug(void) {
    return 0;
}

} // extern "C"
