#pragma once
// Pictures of the mathematics activities: their window backgrounds and buttons, the
// things to count, the comparison pictures (drawn so that thick, wide, tall and long
// still read right when a copy is narrowed or shrunk) and the pictures behind the
// pair game's board. Built on ArtKit, so they look like the rest of the program.

#include "tools/lib/ArtKit.h"

#include <QImage>
#include <QList>
#include <QString>
#include <functional>

namespace tools::mathart {

using art::State;

// ---- Buttons ----

// A raised rounded tile; `content` paints on its face (the face rectangle is passed).
using FaceArt = std::function<void(QPainter&, const QRectF&)>;
QImage tile(QSize size, const QColor& colour, State state, const FaceArt& content = {});
// A digit key: a coloured tile with a big outlined digit.
QImage digitKey(QSize size, int digit, const QColor& colour, State state);
// A pill button with a small emoji at the left and a label.
QImage iconPill(QSize size, const QColor& colour, const QString& emoji, const QString& label,
                State state);

// ---- Backgrounds ----

// A soft sky-to-cream backdrop scattered with faint numbers and signs, with a meadow
// strip along the bottom from `meadowTop` (no meadow when it is 0).
void drawBackdrop(QPainter& p, QSize size, const QColor& top, const QColor& bottom,
                  qreal meadowTop);
// The window's name in bright letters on a ribbon.
void drawTitle(QPainter& p, const QRectF& box, const QString& title);
// A card with a soft shadow.
void drawCard(QPainter& p, const QRectF& box, const QColor& fill, const QColor& rim,
              qreal radius = 18, qreal rimWidth = 3);
// A green chalkboard in a wooden frame (the frame lies outside `board`).
void drawChalkboard(QPainter& p, const QRectF& board);
// Plain text in a box.
void drawCaption(QPainter& p, const QRectF& box, const QString& text, qreal px,
                 const QColor& colour, Qt::Alignment align = Qt::AlignCenter,
                 const QColor& outline = Qt::transparent);
// The score box: the captions at the left of each row's value.
void drawScoreBox(QPainter& p, const QRectF& box, const QList<QPair<QString, qreal>>& rows,
                  qreal captionRight);

// ---- Pictures the activities read ----

// n things to count (0..30): apples, stars or balloons in rows of five.
QImage numberPicture(int n);
// Counting picture 1..8: one fruit on a round tile.
QImage countingPicture(int n);

// Comparison pictures: kind 1 big/small (1..10), 2 thick (1..10), 3 wide (1..6),
// 4 tall (1..7), 5 long (1..6).
QImage comparePicture(int kind, int n);

// Picture n (1..15) behind the pair game's board.
QImage pairBackground(int n);

} // namespace tools::mathart
