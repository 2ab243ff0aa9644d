// A readable listing of a compiled regular-expression program, for the engine's tests.
// It lives beside the tests, not in the shipped library.
#pragma once

#include <string>

namespace mvf::engine::program {

// One element per line, e.g.
//   BOL / BOT 1 / CHR 'a' / CLO CCL [0-9] / EOT 1 / END
std::string Dump(const unsigned char* program);

} // namespace mvf::engine::program
