// The file operations of the in-memory desktop: real files of the host, with
// the Windows rules the program meets (a read-only file cannot be opened for
// writing or replaced, also for root) and a log of the calls, so that a test
// sees their order. Never shipped.
#pragma once

namespace sim {

// The file calls since reset, one letter each: C create, W write, F flush,
// X close, D remove, R replace (the last 63; fixed storage, no allocation).
const char* fileLog();
void clearFileLog();

}  // namespace sim
