#pragma once
// Makes the players behind the host controls and answers which player version they
// stand for.

#include <QtGlobal>

class QWidget;

namespace flashhost {

class MovieBackend;

enum class BackendKind { Windowed, Transparent };

class BackendProvider {
public:
    // True when a player can run here: the web player's files are present and the
    // host was started before the application object (or fakes are switched on).
    static bool available();
    // A new player owned by `parent` (the control); never null.
    static MovieBackend* create(BackendKind kind, QWidget* parent);

    // The player version the wrappers report: major in bits 16-23, as FlashVersion gives it.
    static int flashVersion();
    // The same packed as major.minor.release.build, one byte each.
    static quint32 packedVersion();

    // Every control made while this is on gets a FakeBackend (tests of forms).
    static void setFakeBackends(bool on);
    static bool fakeBackends();
};

} // namespace flashhost
