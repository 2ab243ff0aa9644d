// Option bits and error notices.
#include <cstdio>

#include "internal.h"

namespace mvf::engine {
int g_options = HGREP_OPT_DEFAULT;
}

namespace {

using mvf::engine::g_options;
HGrepNoticeHandler g_handler = nullptr;
void* g_handlerContext = nullptr;

} // namespace

namespace mvf::engine {

void ReportWithCaption(const char* caption, const char* text) {
    if (!(g_options & HGREP_OPT_MESSAGES)) return;
    if (g_handler) {
        g_handler(caption, text, g_handlerContext);
    } else {
        std::fprintf(stderr, "%s: %s\n", caption, text);
    }
}

void Report(NoticeKind kind, const char* text) {
    ReportWithCaption(Caption(kind), text);
}

} // namespace mvf::engine

extern "C" {

int HGrepOptions(int options) {
    g_options = options;
    return g_options;
}

int HGrepMessages(int /*unused*/) {
    g_options |= HGREP_OPT_MESSAGES;
    return g_options;
}

HGrepNoticeHandler HGrepSetNoticeHandler(HGrepNoticeHandler handler, void* context) {
    HGrepNoticeHandler previous = g_handler;
    g_handler = handler;
    g_handlerContext = context;
    return previous;
}

} // extern "C"
