#include "flashhost/BackendProvider.h"

#include "flashhost/FakeBackend.h"
#include "flashhost/FlashHost.h"
#include "flashhost/WebEngineBackend.h"

namespace flashhost {
namespace {

bool& fakes() {
    static bool on = false;
    return on;
}

// The player answers the automation calls of a version 8 player.
constexpr int kMajor = 8;

} // namespace

bool BackendProvider::available() {
    if (fakes())
        return FakeBackend::options().installed;
    return webPlayerAvailable();
}

MovieBackend* BackendProvider::create(BackendKind kind, QWidget* parent) {
    if (fakes())
        return new FakeBackend(parent);
    return new WebEngineBackend(kind, parent);
}

int BackendProvider::flashVersion() {
    return kMajor << 16;
}

quint32 BackendProvider::packedVersion() {
    return quint32(kMajor) << 24;
}

void BackendProvider::setFakeBackends(bool on) {
    fakes() = on;
}

bool BackendProvider::fakeBackends() {
    return fakes();
}

} // namespace flashhost
