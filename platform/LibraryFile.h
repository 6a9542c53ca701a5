#pragma once
// Whether a shared library file is whole before it is loaded. The dynamic loader maps
// the file's segments straight into memory; a segment of a cut file reaches past its
// end, and the first touch of such a page ends the process with SIGBUS.

#include <QString>

namespace platform {

// Why the 64-bit ELF file at `path` cannot be loaded safely (not ELF, headers or a
// segment beyond the end of the file), or an empty string when it is whole.
QString libraryFileProblem(const QString& path);

} // namespace platform
