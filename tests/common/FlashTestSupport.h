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

// Runs player calls written as "Name arg arg; Name arg" ("TGotoFrame /mc 4; Rewind");
// a name that is no call sets the property of that name ("FrameNum 9").
inline void runCalls(TFlashHostControl& f, const QString& script) {
    for (const QString& call : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList w = call.trimmed().split(QLatin1Char(' '));
        const QString n = w[0], a = w.value(1), b = w.value(2), c = w.value(3);
        if (n == "TGotoFrame" || n == "TCallFrame")
            n == "TGotoFrame" ? f.TGotoFrame(a, b.toInt()) : f.TCallFrame(a, b.toInt());
        else if (n == "TGotoLabel" || n == "TCallLabel")
            n == "TGotoLabel" ? f.TGotoLabel(a, b) : f.TCallLabel(a, b);
        else if (n == "TPlay" || n == "TStopPlay")
            n == "TPlay" ? f.TPlay(a) : f.TStopPlay(a);
        else if (n == "SetVariable" || n == "LoadMovie")
            n == "SetVariable" ? f.SetVariable(a, b) : f.LoadMovie(a.toInt(), b);
        else if (n == "TSetPropertyNum")
            f.TSetPropertyNum(a, b.toInt(), c.toDouble());
        else if (n == "Zoom" || n == "Pan")
            n == "Zoom" ? f.Zoom(a.toInt()) : f.Pan(a.toInt(), b.toInt(), c.toInt());
        else if (n == "SetZoomRect")
            f.SetZoomRect(a.toInt(), b.toInt(), c.toInt(), w.value(4).toInt());
        else if (n == "Rewind" || n == "Back" || n == "Forward")
            n == "Rewind" ? f.Rewind() : n == "Back" ? f.Back() : f.Forward();
        else
            f.setProperty(qPrintable(n), a);
    }
}

inline void load(TFlashHostControl& flash, const QByteArray& bytes) {
    QBuffer stream;
    stream.setData(bytes);
    stream.open(QIODevice::ReadOnly);
    flash.LoadMovieFromStream(0, stream);
}

} // namespace flashtest
