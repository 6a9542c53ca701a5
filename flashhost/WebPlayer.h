#pragma once
// The web player: the players drawn by the web engine, kept in a library of their own
// ("libpelumo_webplayer.so" beside the program). Linking the engine's hundred libraries
// costs every start some 25 ms before main() and slows every later library load, so the
// program maps them only once its main window shows, on a worker thread. A program or
// test linked with the web player's code (pelumo_webplayer) uses that instead.

#include "flashhost/MovieBackend.h"

class QWidget;

namespace flashhost {

// What the web player library offers the host.
struct WebPlayerEntry {
    MovieBackend* (*create)(BackendKind kind, QWidget* parent);
    void (*warmUp)();
};

// True when the web player is linked in or its library file is there (nothing is loaded).
bool webPlayerPresent();

// Starts mapping the library on a worker thread. Call once the main window shows.
void loadWebPlayerInBackground();

// The web player, loaded now if it was not (waiting for a load in the background);
// nullptr when it cannot be loaded (the reason is logged once).
const WebPlayerEntry* webPlayer();

// Starts a player page in the background so that the next movie window's player is ready
// sooner; does nothing without the web player.
void warmUpWebPlayer();

} // namespace flashhost
