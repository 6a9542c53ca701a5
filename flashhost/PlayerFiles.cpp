#include "flashhost/PlayerFiles.h"

#include "platform/ProgramDir.h"

#include <QDir>
#include <QFileInfo>

namespace flashhost {
namespace {

QString& playerDirOverride() {
    static QString dir;
    return dir;
}

bool holdsPlayer(const QString& dir) {
    if (dir.isEmpty() || !QFileInfo::exists(dir + QStringLiteral("/ruffle.js")))
        return false;
    return !QDir(dir).entryList({QStringLiteral("*.wasm")}, QDir::Files).isEmpty();
}

} // namespace

QString playerDir() {
    const QString dir = playerDirOverride().isEmpty()
                            ? platform::programDir() + QStringLiteral("/ruffle")
                            : playerDirOverride();
    return holdsPlayer(dir) ? dir : QString();
}

void setPlayerDir(const QString& dir) {
    playerDirOverride() = dir;
}

} // namespace flashhost
