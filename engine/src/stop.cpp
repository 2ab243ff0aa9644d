// The stop query a host installs so that a long regular-expression search can be given up.
#include "internal.h"

namespace {

HGrepStopQuery g_query = nullptr;
void* g_queryContext = nullptr;

} // namespace

namespace mvf::engine {

bool StopAsked() {
    return g_query && g_query(g_queryContext) != 0;
}

} // namespace mvf::engine

extern "C" HGrepStopQuery HGrepSetStopQuery(HGrepStopQuery query, void* context) {
    const HGrepStopQuery previous = g_query;
    g_query = query;
    g_queryContext = context;
    return previous;
}
