#pragma once
// Windows cursor files from images: static .cur and animated .ani, for the
// generated data and for tests of the loader.

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <vector>

namespace tools {

// A .cur with one 32-bit image (alpha, plus an AND mask set where alpha is 0).
// Images of 1 to 256 pixels a side; the hotspot is clamped into the image.
QByteArray writeCur(const QImage& image, QPoint hotspot);

struct AniFrame {
    QImage image;
    QPoint hotspot;
    int jiffies; // display time in 1/60 s
};

// An .ani: RIFF "ACON" with "anih", a "rate" chunk and a LIST "fram" of .cur icons,
// each frame shown once in order. Empty when there are no frames.
QByteArray writeAni(const std::vector<AniFrame>& frames);

} // namespace tools
