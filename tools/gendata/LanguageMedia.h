#pragma once
// Speech and pictures shared by the generator steps of the letters, phonetic symbols
// and Chinese activities.

#include "tools/gendata/Generator.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

class QPainterPath;

namespace gendata {

// `text` spoken by espeak-ng in `voice` ("cmn", "en"), as a small mono MP3 at
// 22.05 kHz (a rate movies can hold), cached by voice and text.
QByteArray speech(Output& out, const QString& voice, const QString& text);

// A picture card: the emoji (or, when it cannot be drawn, the caption's first
// character) on a light ground in a coloured frame, the caption along the bottom.
QImage pictureCard(QSize size, const QString& emoji, const QString& caption, const QColor& colour);

// Rows of a tab-separated content file (lines starting with '#' skipped).
QList<QStringList> contentRows(Output& out, const QString& relative);

// A bright colour of a fixed palette, by index.
QColor paletteColour(int i);

} // namespace gendata
