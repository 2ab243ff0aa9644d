// How many files the process may hold open at once.
#pragma once

namespace mvf::platform {

// Raises the process's limit on open files to the most it is permitted: a search holds
// one descriptor per folder level it is in, so a deep tree can pass a low soft limit.
// Nothing changes when the limit is already at its maximum or cannot be read.
void RaiseOpenFileLimit();

} // namespace mvf::platform
