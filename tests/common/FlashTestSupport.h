#pragma once
// What the tests of the Flash host controls share: the fake player switched on for each
// test, plain movies of a given length, and loading a movie from memory.

#include "flashhost/BackendProvider.h"
#include "flashhost/FakeBackend.h"
#include "flashhost/FlashHostControl.h"
#include "flashhost/swf/Swf.h"

#include <QBuffer>
#include <QByteArray>

namespace flashtest {

// Every control made from now on gets a fresh fake player.
inline void useFakePlayers() {
    flashhost::FakeBackend::install(true);
    flashhost::FakeBackend::reset();
}

// Back to the real players, with the fake player's settings forgotten.
inline void dropFakePlayers() {
    flashhost::FakeBackend::reset();
    flashhost::FakeBackend::install(false);
}

// A movie of `frames` empty frames on a stage of `frameSize` (twips).
inline QByteArray movieBytes(int frames, int version = 8, char compression = 'F',
                             swf::Rect frameSize = swf::Rect{0, 3200, 0, 2400}) {
    swf::Movie m;
    m.header.compression = compression;
    m.header.version = static_cast<quint8>(version);
    m.header.frameSize = frameSize;
    m.header.frameCount = static_cast<quint16>(frames);
    for (int f = 0; f < frames; ++f)
        m.tags.push_back({swf::kTagShowFrame, {}});
    return swf::serialize(m);
}

inline void load(TFlashHostControl& flash, const QByteArray& bytes) {
    QBuffer stream;
    stream.setData(bytes);
    stream.open(QIODevice::ReadOnly);
    flash.LoadMovieFromStream(0, stream);
}

} // namespace flashtest
