// Declarations shared between the engine's modules; not part of the public interface.
#pragma once

#include "mvfindgrep.h"

namespace mvf::engine {

// Which caption a notice carries.
enum class NoticeKind { Approximate, RegularExpression, Soundex };

// Option bits (HGrepOptions); read by the matcher for its line mode, on every call.
extern int g_options;
inline int OptionBits() {
    return g_options;
}

// Reports an error as a notice when option bit 8 is set: with the caption of its kind,
// or with an explicit caption.
void Report(NoticeKind kind, const char* text);
void ReportWithCaption(const char* caption, const char* text);

// What a backslash makes of the letters b, f, n, r, t (backspace, form feed, line feed,
// carriage return, tab) in patterns and replacement templates; any other character
// stands for itself.
inline unsigned char EscapedControl(unsigned char c) {
    switch (c) {
    case 'b': return 8;
    case 'f': return 12;
    case 'n': return 10;
    case 'r': return 13;
    case 't': return 9;
    }
    return c;
}

// Forgets the bounds of the last search. A failed compile does so: a record it leaves
// unusable must hold nothing a substitution could still build from (a successful
// substitution would make its state 0 again).
template <class Record> void ForgetMatch(Record& record) {
    for (int n = 0; n < MVFG_BOUNDS; ++n) record.matchStart[n] = record.matchEnd[n] = nullptr;
}

// The stop query (HGrepSetStopQuery): whether the search running now should give up.
// False while none is installed.
bool StopAsked();

// The library's string table (identifiers 13-27); nullptr for any other identifier.
const char* LibraryString(int id);

// The caption LibMain loaded for a kind; empty until then.
const char* Caption(NoticeKind kind);

} // namespace mvf::engine
