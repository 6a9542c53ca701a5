#include "flashhost/BackendProvider.h"

#include "flashhost/FlashHost.h"
#include "flashhost/WebPlayer.h"

namespace flashhost {
namespace {

PlayerFactory*& factory() {
    static PlayerFactory* current = nullptr;
    return current;
}

// The player answers the automation calls of a version 8 player.
constexpr int kMajor = 8;

} // namespace

bool BackendProvider::available() {
    if (factory())
        return factory()->installed();
    return webPlayerAvailable();
}

MovieBackend* BackendProvider::create(BackendKind kind, QWidget* parent) {
    if (factory())
        return factory()->create(kind, parent);
    if (!webPlayerAvailable())
        return nullptr;
    const WebPlayerEntry* web = webPlayer();
    return web ? web->create(kind, parent) : nullptr;
}

// Without a player there is no version to report: 0.
int BackendProvider::flashVersion() {
    return available() ? playerVersion() : 0;
}

int BackendProvider::playerVersion() {
    return kMajor << 16;
}

quint32 BackendProvider::packedVersion() {
    return available() ? quint32(kMajor) << 24 : 0;
}

void BackendProvider::setFactory(PlayerFactory* f) {
    factory() = f;
}

} // namespace flashhost
