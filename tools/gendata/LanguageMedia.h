#pragma once
// Pictures and content rows shared by the generator steps of the letters, phonetic symbols
// and Chinese activities.

#include "tools/gendata/Generator.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

class QPainterPath;

namespace gendata {

// A picture card: the picture of a recipe (an emoji, a drawing, tools/lib/ThingArt.h; or,
// when it cannot be drawn, the caption's first character) on a light ground in a
// coloured frame, the caption along the bottom.
QImage pictureCard(QSize size, const QString& recipe, const QString& caption, const QColor& colour);

// Rows of a tab-separated content file (lines starting with '#' skipped); `lines`, when
// given, gets the line number of each row in the file.
QList<QStringList> contentRows(Output& out, const QString& relative, QList<int>* lines = nullptr);

// The spoken names and words that the picture and English activities' step writes
// from content/language/speech.txt ("Data/Sound/<name>.mp3": the letters, the animals
// in Chinese and English); the steps here leave those to it.
bool spokenByLanguageStep(Output& out, const QString& relative);

// A bright colour of a fixed palette, by index.
QColor paletteColour(int i);

} // namespace gendata
