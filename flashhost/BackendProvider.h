#pragma once
// Makes the players behind the host controls and answers which player version they
// stand for.

#include "flashhost/MovieBackend.h"
#include <QtGlobal>

class QWidget;

namespace flashhost {

class MovieBackend;

// Where players come from: the web player unless another factory is set.
class PlayerFactory {
public:
    virtual ~PlayerFactory() = default;
    // True when this factory can make players here.
    virtual bool installed() const = 0;
    // A new player owned by `parent` (the control); nullptr when there is none.
    virtual MovieBackend* create(BackendKind kind, QWidget* parent) = 0;
};

class BackendProvider {
public:
    // True when a player can run here (IsFlashInstalled).
    static bool available();
    // A new player owned by `parent`; nullptr when no player can run here (its files are
    // missing or the host was not started in time): the control then stays empty.
    static MovieBackend* create(BackendKind kind, QWidget* parent);

    // The version of the player that can be made here: major in bits 16-23, as FlashVersion
    // gives it; 0 when no player can run here.
    static int flashVersion();
    // The version a player that was made reports.
    static int playerVersion();
    // The same packed as major.minor.release.build, one byte each.
    static quint32 packedVersion();

    // Controls made from now on get their players from `factory` (not owned); nullptr
    // goes back to the web player.
    static void setFactory(PlayerFactory* factory);
};

} // namespace flashhost
