#pragma once
// File names arrive as 8-bit strings in code page 936 (GBK); the file system
// here speaks UTF-8.

#include <optional>
#include <string>

namespace snd {

// The UTF-8 path for a GBK path. Bytes that are already UTF-8 and name an existing
// file are taken as they are. Empty when the bytes are neither.
std::optional<std::string> localPathFromAnsi(const char* path);

// True when the bytes are well-formed UTF-8.
bool isUtf8(const std::string& bytes);

} // namespace snd
