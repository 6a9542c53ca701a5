#pragma once
// Pictures of things that no colour emoji shows (a mole, a calculator, a box van...),
// drawn as vectors in the art kit's style: bright fills, a darker rim, a glint. And
// picture recipes, which say how a picture is made from emoji and these drawings.
//
// A recipe is one of
//   "🐄"            an emoji
//   "@calculator"   a drawing of this file
//   "6*🍎"          that many copies, in a row or in rows
//   "🧍,🧍‍♀️,🧍‍♂️"    several, side by side in a row (a queue)
//   "🧑&📸"          a person holding a thing in front of them (a job: the person at work)
//   "🧑^🚩"          a person holding a thing up high
//   "🐄+🥛"         the first big, the others small beside it (each part any of the above)

#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace tools::art {

// Draws the named drawing fitted into `box` (kept square, centred); false when unknown.
bool drawThing(QPainter& p, const QRectF& box, const QString& name);
// The names drawThing knows.
QStringList thingNames();

// Draws a recipe fitted into `box`; false when a part cannot be drawn (an unknown
// drawing, an emoji the font lacks, a malformed recipe), in which case nothing is drawn.
bool drawRecipe(QPainter& p, const QRectF& box, const QString& recipe);
// True when every part of the recipe can be drawn.
bool recipeDrawable(const QString& recipe);

} // namespace tools::art
