#pragma once
// The web player's compiled code comes in two builds: one for engines with the newer
// WebAssembly features and a plain one. Its loader script picks one and fetches it only
// when the first movie loads; the host page fetches and compiles it ahead, so it needs
// the two file names, which this reads from the loader script.

#include <QByteArray>
#include <QString>

namespace flashhost {

struct PlayerCodeFiles {
    QString extended; // needs the newer features
    QString plain;
    bool isValid() const { return !extended.isEmpty() && !plain.isEmpty(); }
};

// The two code files named by a loader script; both empty when it does not name them
// the way the pinned player does (the page then leaves the loading to the player).
PlayerCodeFiles playerCodeFilesIn(const QByteArray& loaderScript);

// The files of the installed player, read once.
const PlayerCodeFiles& playerCodeFiles();

// Tests: pages started from now on are told these names instead.
void overridePlayerCodeFiles(const PlayerCodeFiles& files);

} // namespace flashhost
