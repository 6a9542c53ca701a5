#include "flashhost/BackendProvider.h"

#include "flashhost/FlashHost.h"
#include "flashhost/WebEngineBackend.h"

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
    return new WebEngineBackend(kind, parent);
}

int BackendProvider::flashVersion() {
    return kMajor << 16;
}

quint32 BackendProvider::packedVersion() {
    return quint32(kMajor) << 24;
}

void BackendProvider::setFactory(PlayerFactory* f) {
    factory() = f;
}

} // namespace flashhost
