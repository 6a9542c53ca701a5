#pragma once
// Start-up of the movie host and what all players share. The web engine itself lives in
// the web player library (WebPlayer.h), which the program loads only once its main window
// shows; nothing here needs it.

#include "flashhost/PlayerFiles.h"

#include <QString>
#include <QUrl>

namespace flashhost {

// Call first in main(), before the QApplication exists: the web engine takes its process
// options and the GL sharing only then. Safe to call twice.
void initializeHost();
bool hostInitialized();

// Makes the GL context that the web engine's views share (loading the GL driver), once.
// The shared profile does it before the engine starts; the program does it once its main
// window has painted, so that neither the window nor the first movie waits for it. Where
// GL is only a software rasteriser the pages are composited in software instead (without
// a GPU device that is decided as the host starts, and no GL driver is loaded at all).
void ensureGlShareContext();

// "pelumo://player/<path>".
QUrl hostUrl(const QString& path);

// True when the web player can run here: its library, its files and the engine's helper
// process are there and the host was started in time.
bool webPlayerAvailable();
bool engineHelperPresent();

// True when a top-level window can be made per-pixel translucent here (a compositing
// window system).
bool isTransparencySupported();

} // namespace flashhost
