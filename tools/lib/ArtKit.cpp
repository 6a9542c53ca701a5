#include "tools/lib/ArtKit.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QLinearGradient>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

namespace tools::art {
namespace {

const QString kEmojiFamily = QStringLiteral("Noto Color Emoji");
const QString kCjkFamily = QStringLiteral("Noto Sans CJK SC");
// The only bitmap strike of the emoji font is drawn at this pixel size.
constexpr int kEmojiStrikePx = 136;

// One horizontal or vertical pass of a box blur over premultiplied pixels.
void boxPass(std::vector<quint32>& px, int w, int h, int radius, bool horizontal) {
    const int lines = horizontal ? h : w;
    const int len = horizontal ? w : h;
    const int stride = horizontal ? 1 : w;
    const int window = 2 * radius + 1;
    std::vector<quint32> line(static_cast<size_t>(len));
    for (int l = 0; l < lines; ++l) {
        quint32* base = px.data() + (horizontal ? static_cast<size_t>(l) * w : l);
        for (int i = 0; i < len; ++i)
            line[static_cast<size_t>(i)] = base[static_cast<size_t>(i) * stride];
        int sum[4] = {0, 0, 0, 0};
        auto add = [&](int i, int sign) {
            if (i < 0 || i >= len)
                return; // outside is transparent
            const quint32 v = line[static_cast<size_t>(i)];
            for (int c = 0; c < 4; ++c)
                sum[c] += sign * static_cast<int>((v >> (8 * c)) & 0xff);
        };
        for (int i = -radius; i < radius; ++i)
            add(i, 1);
        for (int i = 0; i < len; ++i) {
            add(i + radius, 1);
            quint32 out = 0;
            for (int c = 0; c < 4; ++c)
                out |= static_cast<quint32>((sum[c] + window / 2) / window) << (8 * c);
            base[static_cast<size_t>(i) * stride] = out;
            add(i - radius, -1);
        }
    }
}

// Path of a rounded rectangle.
QPainterPath roundRect(const QRectF& r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// Draws `text` one letter at a time in the given colours, fitted into `box`.
// `tilt` rocks the letters alternately; `rim` is a thin dark edge outside the outline.
void drawColourLetters(QPainter& p, const QRectF& box, const QString& text,
                       const QList<QColor>& colours, const QColor& outline, qreal tilt,
                       const QColor& rim) {
    if (text.isEmpty() || colours.isEmpty())
        return;
    // Size the font by the box height first, then shrink to its width.
    QFont font = cjkFont(box.height() * 0.95, QFont::Black);
    std::vector<QPainterPath> letters;
    std::vector<qreal> advances;
    qreal totalW = 0, inkH = 0;
    auto measure = [&] {
        letters.clear();
        advances.clear();
        totalW = 0;
        inkH = 0;
        const QFontMetricsF fm(font);
        for (const QChar ch : text) {
            QPainterPath path;
            path.addText(0, 0, font, QString(ch));
            letters.push_back(path);
            const qreal adv = fm.horizontalAdvance(ch);
            advances.push_back(adv);
            totalW += adv;
            inkH = std::max(inkH, path.boundingRect().height());
        }
    };
    measure();
    const qreal outlineW = font.pixelSize() * 0.16;
    const qreal limitW = box.width() - 2 * outlineW;
    const qreal limitH = box.height() - 2 * outlineW;
    const qreal factor = std::min(limitW / totalW, limitH / std::max(inkH, 1.0));
    if (factor < 1.0) {
        font.setPixelSize(std::max(6, static_cast<int>(font.pixelSize() * factor)));
        measure();
    }
    const qreal ow = font.pixelSize() * 0.16;
    // Vertical placement by the ink of all letters together.
    QRectF ink;
    qreal x = 0;
    for (size_t i = 0; i < letters.size(); ++i) {
        ink = ink.united(letters[i].boundingRect().translated(x, 0));
        x += advances[i];
    }
    const QPointF origin(box.center().x() - ink.center().x(), box.center().y() - ink.center().y());

    QPainterPath all;
    std::vector<QPainterPath> placed;
    x = 0;
    for (size_t i = 0; i < letters.size(); ++i) {
        const QRectF lb = letters[i].boundingRect();
        const QPointF c(origin.x() + x + lb.center().x(), origin.y() + lb.center().y());
        QTransform t;
        t.translate(c.x(), c.y() + (i % 2 ? -1 : 1) * tilt * 0.25);
        t.rotate((i % 2 ? 1 : -1) * tilt);
        t.translate(-lb.center().x(), -lb.center().y());
        placed.push_back(t.map(letters[i]));
        all.addPath(placed.back());
        x += advances[i];
    }
    QPainterPathStroker stroker;
    stroker.setWidth(2 * ow + (rim.alpha() ? 4 : 0));
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    const QPainterPath body = stroker.createStroke(all).united(all);
    drawSoftShadow(p, body, QColor(0, 0, 0, 70), 3, {0, ow * 0.5 + 1});
    p.save();
    if (rim.alpha())
        p.strokePath(all, QPen(rim, 2 * ow + 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(all, QPen(outline, 2 * ow, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (size_t i = 0; i < placed.size(); ++i) {
        const QColor c = colours[static_cast<int>(i % colours.size())];
        const QRectF r = placed[i].boundingRect();
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, shade(c, 0.35));
        g.setColorAt(0.55, c);
        g.setColorAt(1, shade(c, -0.12));
        p.fillPath(placed[i], g);
    }
    p.restore();
}

// A chunky raised face: a darker base under it, the face with a gentle gradient, a
// glossy top and a light rim. `depth` is how far the base shows below the face; a hovered
// face glows, a pressed one is shaded from the top as if pushed in.
void drawRaisedFace(QPainter& p, const QPainterPath& face, const QColor& colour, qreal depth,
                    bool glow, bool pressed) {
    const QRectF fr = face.boundingRect();
    if (glow) {
        // A sunny ring with a soft halo round the whole button, base included.
        QPainterPath whole = face.united(face.translated(0, depth));
        drawGlow(p, whole, QColor(255, 244, 150, 200), 6);
        p.strokePath(whole,
                     QPen(QColor(255, 214, 40), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    drawSoftShadow(p, face.translated(0, depth), QColor(0, 0, 0, pressed ? 50 : 80), 3, {0, 1.5});
    p.fillPath(face.translated(0, depth), shade(colour, -0.35));
    QLinearGradient g(fr.topLeft(), fr.bottomLeft());
    g.setColorAt(0, shade(colour, pressed ? 0.05 : 0.32));
    g.setColorAt(0.55, colour);
    g.setColorAt(1, shade(colour, -0.08));
    p.fillPath(face, g);
    p.save();
    p.setClipPath(face);
    if (pressed) {
        // Pushed in: a shadow falling from the top edge inside the face.
        QLinearGradient inner(fr.topLeft(), QPointF(fr.left(), fr.top() + fr.height() * 0.3));
        inner.setColorAt(0, QColor(0, 0, 0, 70));
        inner.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(fr, inner);
    } else {
        // Gloss over the upper part.
        QPainterPath gloss;
        gloss.addRoundedRect(QRectF(fr.left() + fr.width() * 0.06, fr.top() + fr.height() * 0.04,
                                    fr.width() * 0.88, fr.height() * 0.42),
                             fr.height() * 0.2, fr.height() * 0.2);
        QLinearGradient gg(fr.topLeft(), QPointF(fr.left(), fr.top() + fr.height() * 0.46));
        gg.setColorAt(0, QColor(255, 255, 255, 110));
        gg.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillPath(gloss, gg);
    }
    p.restore();
    const qreal rimW = std::clamp(fr.height() * 0.04, 1.5, 3.5);
    p.strokePath(face, QPen(QColor(255, 255, 255, pressed ? 130 : 210), rimW));
}

QPainterPath glyphPath(Glyph glyph, const QRectF& r) {
    QPainterPath path;
    const qreal w = r.width();
    switch (glyph) {
    case Glyph::Close: {
        QPainterPath lines;
        const qreal a = w * 0.28;
        lines.moveTo(r.left() + a, r.top() + a);
        lines.lineTo(r.right() - a, r.bottom() - a);
        lines.moveTo(r.right() - a, r.top() + a);
        lines.lineTo(r.left() + a, r.bottom() - a);
        QPainterPathStroker s;
        s.setWidth(w * 0.15);
        s.setCapStyle(Qt::RoundCap);
        path = s.createStroke(lines);
        break;
    }
    case Glyph::Minimise:
        path.addRoundedRect(
            QRectF(r.left() + w * 0.26, r.center().y() + w * 0.04, w * 0.48, w * 0.15), w * 0.075,
            w * 0.075);
        break;
    case Glyph::Help: {
        path = textPath(QStringLiteral("?"), cjkFont(w * 0.9, QFont::Black));
        path.translate(r.center());
        break;
    }
    case Glyph::Home: {
        const QPointF c = r.center();
        QPainterPath roof;
        roof.moveTo(c.x(), c.y() - w * 0.3);
        roof.lineTo(c.x() + w * 0.3, c.y() - w * 0.02);
        roof.lineTo(c.x() - w * 0.3, c.y() - w * 0.02);
        roof.closeSubpath();
        QPainterPathStroker s;
        s.setWidth(w * 0.06);
        s.setJoinStyle(Qt::RoundJoin);
        roof = s.createStroke(roof).united(roof);
        QPainterPath body;
        body.addRect(QRectF(c.x() - w * 0.2, c.y() - w * 0.06, w * 0.4, w * 0.32));
        QPainterPath door;
        door.addRoundedRect(QRectF(c.x() - w * 0.065, c.y() + w * 0.08, w * 0.13, w * 0.19),
                            w * 0.05, w * 0.05);
        path = roof.united(body).subtracted(door);
        break;
    }
    }
    return path;
}

} // namespace

QFont cjkFont(qreal pixelSize, QFont::Weight weight) {
    QFont f(kCjkFamily);
    f.setPixelSize(std::max(1, qRound(pixelSize)));
    f.setWeight(weight);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

bool emojiFontInstalled() {
    // Asked once: the fonts do not change while the program runs, and drawing threads
    // then need not go to the font database for it.
    static const bool installed = QFontDatabase::families().contains(kEmojiFamily);
    return installed;
}

QImage canvas(QSize size, const QColor& fill) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_ARGB32).save(&buf, "PNG");
    return bytes;
}

QByteArray jpeg(const QImage& image, int quality) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buf, "JPEG", quality);
    return bytes;
}

QColor mix(const QColor& a, const QColor& b, qreal t) {
    auto lerp = [t](qreal x, qreal y) { return x + (y - x) * t; };
    return QColor::fromRgbF(lerp(a.redF(), b.redF()), lerp(a.greenF(), b.greenF()),
                            lerp(a.blueF(), b.blueF()), lerp(a.alphaF(), b.alphaF()));
}

QColor shade(const QColor& c, qreal amount) {
    QColor target = amount >= 0 ? QColor(255, 255, 255) : QColor(0, 0, 0);
    target.setAlpha(c.alpha());
    return mix(c, target, std::min(1.0, std::abs(amount)));
}

QImage blurred(const QImage& image, int radius) {
    QImage src = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (radius < 1 || src.isNull())
        return src;
    const int w = src.width(), h = src.height();
    std::vector<quint32> px(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const quint32*>(src.constScanLine(y));
        std::copy(line, line + w, px.begin() + static_cast<ptrdiff_t>(y) * w);
    }
    const int r = std::max(1, radius / 2); // three passes of r spread about 2r
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(px, w, h, r, true);
        boxPass(px, w, h, r, false);
    }
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<quint32*>(src.scanLine(y));
        std::copy(px.begin() + static_cast<ptrdiff_t>(y) * w,
                  px.begin() + static_cast<ptrdiff_t>(y + 1) * w, line);
    }
    return src;
}

void drawSoftShadow(QPainter& p, const QPainterPath& shape, const QColor& colour, int blur,
                    QPointF offset) {
    const int margin = 2 * blur + 2;
    const QRect bounds =
        shape.boundingRect().toAlignedRect().adjusted(-margin, -margin, margin, margin);
    QImage layer = canvas(bounds.size());
    {
        QPainter lp(&layer);
        prepare(lp);
        lp.translate(-bounds.topLeft());
        lp.fillPath(shape, colour);
    }
    p.drawImage(QPointF(bounds.topLeft()) + offset, blurred(layer, blur));
}

void drawGlow(QPainter& p, const QPainterPath& shape, const QColor& colour, int radius) {
    QPainterPathStroker s;
    s.setWidth(radius);
    s.setJoinStyle(Qt::RoundJoin);
    drawSoftShadow(p, s.createStroke(shape).united(shape), colour, radius);
}

QPainterPath textPath(const QString& text, const QFont& font) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF r = path.boundingRect();
    path.translate(-r.center());
    return path;
}

void drawText(QPainter& p, const QRectF& box, const QString& text, const TextStyle& style,
              Qt::Alignment align) {
    QPainterPath path = textPath(text, style.font);
    const QRectF ink = path.boundingRect();
    const qreal pad = style.outlineWidth;
    QPointF c = box.center();
    if (align & Qt::AlignLeft)
        c.setX(box.left() + pad + ink.width() / 2);
    else if (align & Qt::AlignRight)
        c.setX(box.right() - pad - ink.width() / 2);
    if (align & Qt::AlignTop)
        c.setY(box.top() + pad + ink.height() / 2);
    else if (align & Qt::AlignBottom)
        c.setY(box.bottom() - pad - ink.height() / 2);
    path.translate(c);
    if (style.shadow.alpha() > 0) {
        QPainterPathStroker s;
        s.setWidth(2 * style.outlineWidth + 1);
        s.setJoinStyle(Qt::RoundJoin);
        drawSoftShadow(p, s.createStroke(path).united(path), style.shadow, 2, style.shadowOffset);
    }
    if (style.outline.alpha() > 0 && style.outlineWidth > 0)
        p.strokePath(path, QPen(style.outline, 2 * style.outlineWidth, Qt::SolidLine, Qt::RoundCap,
                                Qt::RoundJoin));
    p.fillPath(path, style.fill);
}

QFont fitFont(QFont font, const QString& text, qreal maxWidth) {
    qreal px = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
    while (px > 6 && QFontMetricsF(font).horizontalAdvance(text) > maxWidth) {
        px = std::floor(px * 0.94);
        font.setPixelSize(static_cast<int>(px));
    }
    return font;
}

void drawLogo(QPainter& p, const QRectF& box, const QString& text, const QList<QColor>& colours) {
    drawColourLetters(p, box, text, colours, Qt::white, 5, QColor(40, 70, 140, 200));
}

namespace {
std::atomic<NamedDrawer> namedDrawer{nullptr};
} // namespace

void setNamedDrawings(NamedDrawer drawer) {
    namedDrawer = drawer;
}

QImage emojiImage(const QString& emoji) {
    // Generator steps draw from several threads at once; the cache is shared by all.
    static QMutex mutex;
    static QHash<QString, QImage> cache;
    {
        const QMutexLocker lock(&mutex);
        const auto hit = cache.constFind(emoji);
        if (hit != cache.constEnd())
            return *hit;
    }
    // Drawn outside the lock so that threads wanting different emoji do not wait on each
    // other; when two draw the same one, the first copy stored is the one kept.
    QImage result;
    QImage img;
    if (emoji.startsWith(QLatin1Char('@'))) {
        // A drawing of our own where no emoji shows the thing, at the emoji's size, so
        // that whatever places emoji places it alike.
        QImage drawing = canvas({kEmojiStrikePx, kEmojiStrikePx});
        QPainter p(&drawing);
        prepare(p);
        const NamedDrawer draw = namedDrawer;
        const bool known = draw && draw(p, drawing.rect(), emoji.mid(1));
        p.end();
        if (known)
            img = drawing;
    } else if (emojiFontInstalled()) {
        QFont f(kEmojiFamily);
        f.setPixelSize(kEmojiStrikePx);
        img = canvas({200, 200});
        QPainter p(&img);
        p.setFont(f);
        p.drawText(img.rect(), Qt::AlignCenter, emoji);
    }
    if (!img.isNull()) {
        // Crop to the ink.
        int left = img.width(), right = -1, top = img.height(), bottom = -1;
        for (int y = 0; y < img.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                if (qAlpha(line[x]) > 8) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        if (right >= left)
            result = img.copy(left, top, right - left + 1, bottom - top + 1);
    }
    const QMutexLocker lock(&mutex);
    const auto drawn = cache.constFind(emoji);
    return drawn != cache.constEnd() ? *drawn : *cache.insert(emoji, result);
}

bool drawEmoji(QPainter& p, const QRectF& box, const QString& emoji) {
    const QImage img = emojiImage(emoji);
    if (img.isNull())
        return false;
    const qreal scale = std::min({box.width() / img.width(), box.height() / img.height(), 1.0});
    const QSize size(qRound(img.width() * scale), qRound(img.height() * scale));
    const QImage scaled =
        scale < 1.0 ? img.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation) : img;
    p.drawImage(
        QPointF(box.center().x() - scaled.width() / 2.0, box.center().y() - scaled.height() / 2.0),
        scaled);
    return true;
}

Art emojiArt(const QString& emoji) {
    return [emoji](QPainter& p, const QRectF& box) {
        // A soft shadow of the emoji's own shape lifts it off the card.
        const QImage img = emojiImage(emoji);
        if (img.isNull())
            return;
        QImage shadow = canvas(box.size().toSize() + QSize(16, 16));
        {
            QPainter sp(&shadow);
            prepare(sp);
            drawEmoji(sp, QRectF(8, 8, box.width(), box.height()), emoji);
            sp.setCompositionMode(QPainter::CompositionMode_SourceIn);
            sp.fillRect(shadow.rect(), QColor(0, 0, 0, 80));
        }
        p.drawImage(box.topLeft() + QPointF(-8, -5), blurred(shadow, 4));
        drawEmoji(p, box, emoji);
    };
}

Art lettersArt(const QString& text, const QList<QColor>& colours, const QColor& outline) {
    return [=](QPainter& p, const QRectF& box) {
        drawColourLetters(p, box, text, colours, outline, 0, QColor(0, 0, 0, 0));
    };
}

Art gridCharArt(const QString& ch, bool lifted) {
    return [ch, lifted](QPainter& p, const QRectF& box) {
        const qreal side = std::min(box.width(), box.height()) - 4;
        const QRectF sq(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
        const QColor red(0xe5, 0x3d, 0x3d);
        p.save();
        if (lifted) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 45));
            p.drawRoundedRect(sq.translated(0, 3), 10, 10);
        }
        p.setPen(QPen(red, 3));
        p.setBrush(QColor(0xff, 0xfb, 0xee));
        p.drawRoundedRect(sq, 10, 10);
        p.setPen(QPen(QColor(red.red(), red.green(), red.blue(), 150), 1.5, Qt::DashLine));
        p.drawLine(QPointF(sq.center().x(), sq.top() + 3),
                   QPointF(sq.center().x(), sq.bottom() - 3));
        p.drawLine(QPointF(sq.left() + 3, sq.center().y()),
                   QPointF(sq.right() - 3, sq.center().y()));
        p.restore();
        TextStyle t;
        t.font = cjkFont(side * 0.78, QFont::Black);
        t.fill = QColor(0x1f, 0x3a, 0x8a);
        drawText(p, sq, ch, t);
    };
}

QImage cardButton(const CardStyle& style, State state) {
    QImage img = canvas(style.size);
    QPainter p(&img);
    prepare(p);
    const qreal w = style.size.width(), h = style.size.height();
    const qreal depth = state == State::Pressed ? 1.5 : 6;
    QRectF face;
    switch (state) {
    case State::Rest:
        face = QRectF(9, 7, w - 18, h - 7 - 9 - depth);
        break;
    case State::Hover:
        face = QRectF(7, 5, w - 14, h - 5 - 7 - depth);
        break;
    case State::Pressed:
        face = QRectF(10, 12, w - 20, h - 12 - 9 - depth);
        break;
    }
    const QColor colour = state == State::Hover     ? shade(style.colour, 0.16)
                          : state == State::Pressed ? shade(style.colour, -0.16)
                                                    : style.colour;
    const QPainterPath facePath = roundRect(face, 26);
    drawRaisedFace(p, facePath, colour, depth, state == State::Hover, state == State::Pressed);

    const qreal labelH = style.labelPx * 1.25;
    const QRectF labelBox(face.left() + 4, face.bottom() - labelH - 8, face.width() - 8, labelH);
    const QRectF artBox(face.left() + 10, face.top() + 8, face.width() - 20,
                        labelBox.top() - face.top() - 10);
    if (style.art) {
        p.save();
        p.setClipPath(facePath);
        style.art(p, artBox);
        p.restore();
    }
    TextStyle label;
    label.outline = shade(colour, -0.5);
    label.outlineWidth = std::max(2.5, style.labelPx * 0.15);
    label.font = fitFont(cjkFont(style.labelPx, QFont::Black), style.label,
                         labelBox.width() - 2 * label.outlineWidth - 6);
    label.shadow = QColor(0, 0, 0, 90);
    label.shadowOffset = {0, 2};
    drawText(p, labelBox, style.label, label);
    return img;
}

QImage roundButton(int diameter, const QColor& colour, Glyph glyph, State state) {
    QImage img = canvas({diameter, diameter});
    QPainter p(&img);
    prepare(p);
    const qreal d = diameter;
    const qreal depth = state == State::Pressed ? 0.8 : d * 0.06;
    const qreal margin = state == State::Hover ? d * 0.04 : d * 0.08;
    const qreal top = state == State::Pressed ? margin + d * 0.05 : margin;
    const qreal size = d - 2 * margin - depth - (state == State::Pressed ? d * 0.05 : 0);
    const QRectF face(margin + (d - 2 * margin - size) / 2, top, size, size);
    QPainterPath facePath;
    facePath.addEllipse(face);
    const QColor c = state == State::Hover     ? shade(colour, 0.18)
                     : state == State::Pressed ? shade(colour, -0.18)
                                               : colour;
    if (state == State::Hover) {
        // A sunny ring round the face instead of a wide glow, which a small button lacks room for.
        QPainterPath ring;
        ring.addEllipse(face.adjusted(-d * 0.04, -d * 0.04, d * 0.04, d * 0.04));
        p.fillPath(ring.translated(0, depth * 0.5), QColor(255, 226, 80, 240));
    }
    drawRaisedFace(p, facePath, c, depth, false, state == State::Pressed);
    const QPainterPath g = glyphPath(glyph, face);
    p.fillPath(g.translated(0, d * 0.025), QColor(0, 0, 0, 70));
    p.fillPath(g, Qt::white);
    return img;
}

QImage pillButton(QSize size, const QColor& colour, const QString& label, State state,
                  qreal labelPx) {
    QImage img = canvas(size);
    QPainter p(&img);
    prepare(p);
    const qreal w = size.width(), h = size.height();
    const qreal depth = state == State::Pressed ? 1.5 : 5;
    QRectF face;
    switch (state) {
    case State::Rest:
        face = QRectF(6, 5, w - 12, h - 5 - 6 - depth);
        break;
    case State::Hover:
        face = QRectF(5, 4, w - 10, h - 4 - 5 - depth);
        break;
    case State::Pressed:
        face = QRectF(7, 9, w - 14, h - 9 - 6 - depth);
        break;
    }
    const QColor c = state == State::Hover     ? shade(colour, 0.16)
                     : state == State::Pressed ? shade(colour, -0.16)
                                               : colour;
    const QPainterPath facePath = roundRect(face, face.height() / 2);
    drawRaisedFace(p, facePath, c, depth, state == State::Hover, state == State::Pressed);
    TextStyle style;
    style.font = fitFont(cjkFont(labelPx, QFont::Black), label, face.width() - face.height());
    style.outline = shade(c, -0.5);
    style.outlineWidth = std::max(2.0, labelPx * 0.13);
    style.shadow = QColor(0, 0, 0, 70);
    drawText(p, face, label, style);
    return img;
}

namespace {

// The body of the right/wrong signs: `mark` stroked thick in a top-to-bottom gradient on a
// white rim with a soft shadow, and a thin shine along it. `s` is the sign's size.
void drawSignStroke(QPainter& p, const QPainterPath& mark, qreal s, const QColor& top,
                    const QColor& bottom, int shineAlpha) {
    const qreal width = s * 0.15;
    QPainterPathStroker outer;
    outer.setWidth(width + s * 0.08);
    outer.setCapStyle(Qt::RoundCap);
    outer.setJoinStyle(Qt::RoundJoin);
    const QPainterPath body = outer.createStroke(mark);
    drawSoftShadow(p, body, QColor(0, 0, 0, 80), 4, {0, s * 0.03});
    p.fillPath(body, Qt::white);
    QLinearGradient g(0, s * 0.2, 0, s * 0.8);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.strokePath(mark, QPen(QBrush(g), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(mark.translated(-s * 0.012, -s * 0.02),
                 QPen(QColor(255, 255, 255, shineAlpha), width * 0.25, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
}

} // namespace

QImage tickSign(int size) {
    QImage img = canvas({size, size});
    QPainter p(&img);
    prepare(p);
    const qreal s = size;
    QPainterPath tick;
    tick.moveTo(s * 0.2, s * 0.52);
    tick.lineTo(s * 0.41, s * 0.72);
    tick.lineTo(s * 0.8, s * 0.26);
    drawSignStroke(p, tick, s, QColor(0x7b, 0xe0, 0x4b), QColor(0x1f, 0x9e, 0x2f), 90);
    drawSparkle(p, {s * 0.82, s * 0.62}, s * 0.09, QColor(0xff, 0xd2, 0x3f));
    drawSparkle(p, {s * 0.18, s * 0.24}, s * 0.07, QColor(0xff, 0xd2, 0x3f));
    return img;
}

QImage crossSign(int size) {
    QImage img = canvas({size, size});
    QPainter p(&img);
    prepare(p);
    const qreal s = size;
    QPainterPath cross;
    cross.moveTo(s * 0.25, s * 0.25);
    cross.lineTo(s * 0.75, s * 0.75);
    cross.moveTo(s * 0.75, s * 0.25);
    cross.lineTo(s * 0.25, s * 0.75);
    drawSignStroke(p, cross, s, QColor(0xff, 0x6b, 0x6b), QColor(0xd6, 0x1f, 0x2c), 80);
    return img;
}

void drawSky(QPainter& p, const QRectF& area, const QColor& top, const QColor& bottom) {
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(area, g);
}

void drawCloud(QPainter& p, QPointF c, qreal width, qreal opacity) {
    const qreal u = width / 10.0;
    QPainterPath cloud;
    cloud.addRoundedRect(QRectF(c.x() - 5 * u, c.y() - 0.2 * u, 10 * u, 2.4 * u), 1.2 * u, 1.2 * u);
    cloud.addEllipse(QPointF(c.x() - 2.6 * u, c.y() + 0.2 * u), 2.0 * u, 1.8 * u);
    cloud.addEllipse(QPointF(c.x() + 0.2 * u, c.y() - 0.9 * u), 2.8 * u, 2.6 * u);
    cloud.addEllipse(QPointF(c.x() + 3.0 * u, c.y() + 0.3 * u), 1.9 * u, 1.7 * u);
    cloud.setFillRule(Qt::WindingFill);
    cloud = cloud.simplified();
    p.save();
    p.setOpacity(opacity);
    drawSoftShadow(p, cloud, QColor(70, 130, 190, 50), 5, {0, u * 0.5});
    QLinearGradient g(0, c.y() - 3.5 * u, 0, c.y() + 2.2 * u);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(0.6, QColor(250, 253, 255));
    g.setColorAt(1, QColor(222, 238, 252));
    p.fillPath(cloud, g);
    p.restore();
}

void drawMeadow(QPainter& p, const QRectF& area, qreal horizon) {
    const qreal w = area.width();
    const qreal bottom = area.bottom();
    auto hill = [&](qreal y, qreal amp, qreal phase, const QColor& top, const QColor& low) {
        QPainterPath path;
        path.moveTo(area.left(), bottom);
        const int steps = 48;
        for (int i = 0; i <= steps; ++i) {
            const qreal x = area.left() + w * i / steps;
            const qreal t = i / static_cast<qreal>(steps);
            const qreal yy = y + amp * std::sin(t * 2 * M_PI * 1.3 + phase) +
                             amp * 0.4 * std::sin(t * 2 * M_PI * 3.1 + phase * 2);
            path.lineTo(x, yy);
        }
        path.lineTo(area.right(), bottom);
        path.closeSubpath();
        QLinearGradient g(0, y - amp, 0, bottom);
        g.setColorAt(0, top);
        g.setColorAt(1, low);
        p.fillPath(path, g);
    };
    hill(horizon - 22, 16, 0.6, QColor(0xb4, 0xe8, 0x8c), QColor(0x8c, 0xd1, 0x6a));
    hill(horizon, 12, 2.4, QColor(0x8e, 0xd8, 0x5e), QColor(0x5a, 0xb8, 0x3c));
}

void drawSun(QPainter& p, QPointF c, qreal r) {
    p.save();
    // Rays: rounded wedges alternating long and short.
    for (int i = 0; i < 12; ++i) {
        QPainterPath ray;
        const qreal len = (i % 2 ? 1.42 : 1.62) * r;
        ray.moveTo(-r * 0.2, -r * 1.05);
        ray.lineTo(0, -len);
        ray.lineTo(r * 0.2, -r * 1.05);
        ray.closeSubpath();
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(i * 30.0 + 8);
        QPainterPath placed = t.map(ray);
        p.strokePath(placed, QPen(QColor(0xff, 0xc8, 0x2e), r * 0.1, Qt::SolidLine, Qt::RoundCap,
                                  Qt::RoundJoin));
        p.fillPath(placed, QColor(0xff, 0xc8, 0x2e));
    }
    QRadialGradient g(c - QPointF(r * 0.3, r * 0.35), r * 1.3);
    g.setColorAt(0, QColor(0xff, 0xf5, 0x9d));
    g.setColorAt(0.6, QColor(0xff, 0xd8, 0x3a));
    g.setColorAt(1, QColor(0xff, 0xa9, 0x1f));
    p.setPen(QPen(QColor(0xf5, 0x9a, 0x14), r * 0.06));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    // Face: happy closed eyes, rosy cheeks, a wide smile.
    const QPen featurePen(QColor(0x9a, 0x4a, 0x10), r * 0.09, Qt::SolidLine, Qt::RoundCap);
    p.setBrush(Qt::NoBrush);
    p.setPen(featurePen);
    p.drawArc(QRectF(c.x() - r * 0.5, c.y() - r * 0.32, r * 0.3, r * 0.26), 0, 180 * 16);
    p.drawArc(QRectF(c.x() + r * 0.2, c.y() - r * 0.32, r * 0.3, r * 0.26), 0, 180 * 16);
    p.drawArc(QRectF(c.x() - r * 0.4, c.y() - r * 0.25, r * 0.8, r * 0.65), 200 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 120, 110, 120));
    p.drawEllipse(QPointF(c.x() - r * 0.55, c.y() + r * 0.15), r * 0.16, r * 0.11);
    p.drawEllipse(QPointF(c.x() + r * 0.55, c.y() + r * 0.15), r * 0.16, r * 0.11);
    p.restore();
}

void drawRainbow(QPainter& p, QPointF c, qreal radius, qreal band, qreal opacity) {
    static const QColor bands[] = {QColor(0xff, 0x5a, 0x5a), QColor(0xff, 0xa2, 0x3a),
                                   QColor(0xff, 0xe0, 0x4a), QColor(0x6c, 0xd6, 0x5a),
                                   QColor(0x4a, 0xb4, 0xff), QColor(0x9a, 0x6c, 0xf0)};
    p.save();
    p.setOpacity(opacity);
    p.setBrush(Qt::NoBrush);
    qreal r = radius - band / 2;
    for (const QColor& col : bands) {
        p.setPen(QPen(col, band + 0.6, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 0, 180 * 16);
        r -= band;
    }
    p.restore();
}

QPainterPath starPath(qreal outer, qreal inner) {
    QPolygonF pts;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const qreal r = i % 2 ? inner : outer;
        pts << QPointF(r * std::cos(a), r * std::sin(a));
    }
    QPainterPath path;
    path.addPolygon(pts);
    path.closeSubpath();
    return path;
}

void drawStar(QPainter& p, QPointF c, qreal r, const QColor& colour) {
    const QPainterPath star = starPath(r, r * 0.5).translated(c);
    p.save();
    p.setPen(QPen(shade(colour, -0.25), std::max(1.0, r * 0.18), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    QRadialGradient g(c - QPointF(r * 0.2, r * 0.3), r);
    g.setColorAt(0, shade(colour, 0.45));
    g.setColorAt(1, colour);
    p.setBrush(g);
    p.drawPath(star);
    p.restore();
}

void drawSparkle(QPainter& p, QPointF c, qreal r, const QColor& colour) {
    QPainterPath s;
    s.moveTo(c.x(), c.y() - r);
    s.quadTo(c, QPointF(c.x() + r, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() + r));
    s.quadTo(c, QPointF(c.x() - r, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() - r));
    p.fillPath(s, colour);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(c, r * 0.16, r * 0.16);
    p.restore();
}

void drawFlower(QPainter& p, QPointF base, qreal size, const QColor& petals) {
    p.save();
    const QPointF head(base.x(), base.y() - size * 0.7);
    const qreal pr = size * 0.17;
    QPainterPath stem;
    stem.moveTo(base);
    stem.quadTo(QPointF(base.x() - size * 0.08, base.y() - size * 0.35), head);
    p.strokePath(stem, QPen(QColor(0x3e, 0x9a, 0x2e), std::max(1.5, size * 0.06), Qt::SolidLine,
                            Qt::RoundCap));
    QPainterPath leaf;
    leaf.moveTo(base.x() - size * 0.03, base.y() - size * 0.2);
    leaf.quadTo(QPointF(base.x() + size * 0.2, base.y() - size * 0.42),
                QPointF(base.x() + size * 0.28, base.y() - size * 0.3));
    leaf.quadTo(QPointF(base.x() + size * 0.12, base.y() - size * 0.16),
                QPointF(base.x() - size * 0.03, base.y() - size * 0.2));
    p.fillPath(leaf, QColor(0x4c, 0xb0, 0x3a));
    p.setPen(QPen(shade(petals, -0.2), std::max(1.0, size * 0.025)));
    p.setBrush(petals);
    for (int i = 0; i < 5; ++i) {
        const qreal a = -M_PI / 2 + i * 2 * M_PI / 5;
        p.drawEllipse(
            QPointF(head.x() + pr * 1.05 * std::cos(a), head.y() + pr * 1.05 * std::sin(a)), pr,
            pr);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd8, 0x3a));
    p.drawEllipse(head, pr * 0.8, pr * 0.8);
    p.restore();
}

void drawBird(QPainter& p, QPointF c, qreal width, const QColor& colour) {
    QPainterPath bird;
    bird.moveTo(c.x() - width / 2, c.y() - width * 0.12);
    bird.quadTo(QPointF(c.x() - width / 4, c.y() - width * 0.32), c);
    bird.quadTo(QPointF(c.x() + width / 4, c.y() - width * 0.32),
                QPointF(c.x() + width / 2, c.y() - width * 0.12));
    p.strokePath(bird, QPen(colour, std::max(1.5, width * 0.09), Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
}

} // namespace tools::art
