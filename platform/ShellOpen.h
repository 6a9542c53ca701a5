#pragma once
// Opening a document, mail link or web page with the desktop's handler.

#include <QString>
#include <functional>

namespace platform {

// Opens a file path or URL; false when nothing could open it.
bool shellOpen(const QString& fileOrUrl);

// Replaces the desktop for tests; nullptr restores it.
void setShellOpenHandler(std::function<bool(const QString&)> handler);

} // namespace platform
