#pragma once
// Marks of the program's start for the start-up benchmark. With PELUMO_STARTUP_TRACE naming
// a file, each mark appends a line "<step> <monotonic clock in ns>" to it, so that the
// benchmark can say which step a slower start comes from. Without it a mark does nothing.

namespace startup {

void mark(const char* step);

} // namespace startup
