#pragma once
// Pictures drawn from one-line recipes: a card (270 x 270) or a scene (720 x 400) with
// a background and items set on it, framed as a rounded card. A recipe file holds one
// picture a line, '#' starts a comment:
//
//   <file>  <card|scene>  <background>  <item> <item> ...
//
// Backgrounds: white cream paper meadow sky night water pond table room.
// Items:
//   count:<emoji>:<n>          n (1..10) emoji set out evenly over the picture
//   <emoji>@x,y,size           an emoji centred at x,y, at most `size` pixels (136 at most)
//   <shape>:<colour>@x,y,size  circle square triangle rect oval star heart
//   balloon:<colour>@x,y,size  a drawn balloon on its string
//   text:<text>@x,y,size       big bright letters, `size` pixels high
//   plate@x,y,width  tree@x,y,size  sides@x,y,size (a square with four coloured sides)
// Colours: red blue yellow green orange purple pink.
//
// Use:
//   for (const PictureRecipe& r : readPictureRecipes(text, "xml/pictures.txt"))
//       out.writeData("Data/picture/zhlx/" + r.file, png(drawPicture(r)));
// Both throw std::runtime_error naming the source and line of a bad recipe.

#include "tools/lib/ArtKit.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

namespace tools::art {

struct PictureRecipe {
    QString file;
    QSize size;
    QString ground;
    QStringList items;
    QString source; // the recipe file, for messages
    int line = 0;
};

QList<PictureRecipe> readPictureRecipes(const QString& text, const QString& source);
QImage drawPicture(const PictureRecipe& recipe);

} // namespace tools::art
