#pragma once
// Drawing helpers for the program's generated pictures: chunky bright buttons with a
// colour emoji or a drawn picture and a Chinese label, their hover and pressed looks,
// outlined text, the right/wrong signs and pieces of a sunny scenery. Every picture of
// every form is made from these, so the program looks of one piece.
//
// Colour emoji come from a bitmap font whose glyphs are 136 pixels high: they are drawn
// at that size or smaller and the picture is composed around them.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <functional>

class QPainter;

namespace tools::art {

// Looks of a picture button: at rest, under the mouse, held down.
enum class State { Rest, Hover, Pressed };

// ---- Fonts, canvases, files ----

// "Noto Sans CJK SC" at a pixel size (Latin letters and digits included).
QFont cjkFont(qreal pixelSize, QFont::Weight weight = QFont::Bold);
// True when the colour emoji font is known to the font database.
bool emojiFontInstalled();
// A premultiplied ARGB image of `size` filled with `fill` (transparent by default).
QImage canvas(QSize size, const QColor& fill = Qt::transparent);
// A painter on `image` with antialiasing and smooth scaling switched on.
void prepare(QPainter& p);
// PNG bytes (keeps alpha) / JPEG bytes of an opaque picture.
QByteArray png(const QImage& image);
QByteArray jpeg(const QImage& image, int quality = 90);

// ---- Colour ----

// Linear mix of a and b: t = 0 gives a, t = 1 gives b (alpha mixed too).
QColor mix(const QColor& a, const QColor& b, qreal t);
// Towards white for amount > 0, towards black for amount < 0 (|amount| <= 1).
QColor shade(const QColor& c, qreal amount);

// ---- Soft effects ----

// The image blurred by a three-pass box blur of `radius` pixels (approximately Gaussian).
QImage blurred(const QImage& image, int radius);
// A blurred copy of `shape` in `colour`, moved by `offset`, painted under what follows.
void drawSoftShadow(QPainter& p, const QPainterPath& shape, const QColor& colour, int blur,
                    QPointF offset = {});
// A halo of `colour` spreading `radius` pixels around `shape`.
void drawGlow(QPainter& p, const QPainterPath& shape, const QColor& colour, int radius);

// ---- Text ----

struct TextStyle {
    QFont font = cjkFont(28);
    QColor fill = Qt::white;
    QColor outline = Qt::transparent; // drawn round the letters, `outlineWidth` wide
    qreal outlineWidth = 0;
    QColor shadow = Qt::transparent; // a soft copy under the text, moved by shadowOffset
    QPointF shadowOffset = {0, 2};
};
// Text centred (or aligned) by its visible ink inside `box`, with outline and shadow.
void drawText(QPainter& p, const QRectF& box, const QString& text, const TextStyle& style,
              Qt::Alignment align = Qt::AlignCenter);
// The outline of `text` as a path whose ink is centred on (0, 0).
QPainterPath textPath(const QString& text, const QFont& font);
// `font` made smaller until `text` is at most `maxWidth` wide.
QFont fitFont(QFont font, const QString& text, qreal maxWidth);
// A cheerful logo: each letter in the next colour of `colours`, slightly tilted,
// white outlined, with a soft shadow; fitted into `box`.
void drawLogo(QPainter& p, const QRectF& box, const QString& text, const QList<QColor>& colours);

// ---- Emoji ----

// The emoji at its native bitmap size, cropped to its ink; null when not drawable.
// "@name" is a named drawing at that size (see setNamedDrawings), for the things no emoji
// shows.
QImage emojiImage(const QString& emoji);
// The drawer of "@name" emoji: draws `name` fitted into the box, false when unknown. The
// drawings sit above this kit (they draw with it), so they hand it their drawer.
using NamedDrawer = bool (*)(QPainter& p, const QRectF& box, const QString& name);
void setNamedDrawings(NamedDrawer drawer);
// The emoji fitted into `box` (centred, never larger than native); false when missing.
bool drawEmoji(QPainter& p, const QRectF& box, const QString& emoji);

// ---- Buttons ----

// Paints the picture part of a button into the given box.
using Art = std::function<void(QPainter&, const QRectF&)>;
// A colour emoji as the picture.
Art emojiArt(const QString& emoji);
// Big outlined characters as the picture, each in the next of `colours`.
Art lettersArt(const QString& text, const QList<QColor>& colours,
               const QColor& outline = Qt::white);
// A character in a red writing grid, as on a child's exercise page; a `lifted` grid
// casts a shadow.
Art gridCharArt(const QString& ch, bool lifted = false);

struct CardStyle {
    QSize size = {170, 150};
    QColor colour = QColor(0xff, 0x8a, 0x3d); // the card's main colour
    QString label;                            // Chinese caption along the bottom
    Art art;                                  // the picture above the caption
    qreal labelPx = 28;
};
// A rounded chunky card button on a transparent ground: the picture above, the
// label below; hover is brighter and glows, pressed is darker and sunk in.
QImage cardButton(const CardStyle& style, State state);

// Pictures of the small round buttons.
enum class Glyph { Close, Minimise, Help, Home };
// A round button of `diameter` in `colour` with a white glyph.
QImage roundButton(int diameter, const QColor& colour, Glyph glyph, State state);
// A pill-shaped button with a centred label.
QImage pillButton(QSize size, const QColor& colour, const QString& label, State state,
                  qreal labelPx = 22);

// ---- Signs ----

// A big friendly green tick / red cross on a transparent ground, `size` square.
QImage tickSign(int size);
QImage crossSign(int size);

// ---- Scenery ----

// A vertical sky gradient filling `area`.
void drawSky(QPainter& p, const QRectF& area, const QColor& top, const QColor& bottom);
// A soft white cloud of puffs, `width` wide, centred at `centre`.
void drawCloud(QPainter& p, QPointF centre, qreal width, qreal opacity = 1.0);
// Rolling green ground from `horizon` down to the bottom of `area`: far hills, near meadow.
void drawMeadow(QPainter& p, const QRectF& area, qreal horizon);
// A smiling sun with rays.
void drawSun(QPainter& p, QPointF centre, qreal radius);
// A rainbow arc (upper half) centred at `centre`, outermost band at `radius`.
void drawRainbow(QPainter& p, QPointF centre, qreal radius, qreal bandWidth, qreal opacity);
// A five-pointed star centred on the origin, its points at `outer`, its notches at `inner`.
QPainterPath starPath(qreal outer, qreal inner);
// A plump five-pointed star with a darker rim.
void drawStar(QPainter& p, QPointF centre, qreal radius, const QColor& colour);
// A four-pointed twinkle.
void drawSparkle(QPainter& p, QPointF centre, qreal radius, const QColor& colour);
// A little flower on a stem standing on `base`, `size` high.
void drawFlower(QPainter& p, QPointF base, qreal size, const QColor& petals);
// A simple flying bird (two arcs).
void drawBird(QPainter& p, QPointF centre, qreal width, const QColor& colour);

} // namespace tools::art
