// The web player library's one entry point: what WebPlayer.h loads.
#include "flashhost/PlayerPage.h"
#include "flashhost/WebEngineBackend.h"
#include "flashhost/WebPlayer.h"

namespace {

flashhost::MovieBackend* createPlayer(flashhost::BackendKind kind, QWidget* parent) {
    return new flashhost::WebEngineBackend(kind, parent);
}

constexpr flashhost::WebPlayerEntry kEntry{createPlayer, flashhost::warmUp};

} // namespace

extern "C" __attribute__((visibility("default"))) const flashhost::WebPlayerEntry*
pelumo_web_player();

const flashhost::WebPlayerEntry* pelumo_web_player() {
    return &kEntry;
}
