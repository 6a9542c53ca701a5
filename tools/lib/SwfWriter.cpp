#include "tools/lib/SwfWriter.h"

#include "platform/Gbk.h"

#include <QBuffer>
#include <QLineF>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace tools {
namespace {

using swf::BitWriter;

constexpr int kTwips = 20;
constexpr int kMaxEdgeBits = 17; // the 4-bit field stores the width less 2

void appendU16(QByteArray& out, int v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void appendU32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

void appendRgba(QByteArray& out, const QColor& c) {
    out.append(char(c.red()));
    out.append(char(c.green()));
    out.append(char(c.blue()));
    out.append(char(c.alpha()));
}

int twips(qreal pixels) {
    return int(std::lround(pixels * kTwips));
}

// zlib data without the length that qCompress puts in front.
QByteArray zlib(const QByteArray& data) {
    return qCompress(data, 9).mid(4);
}

qint32 fixed16(qreal v) {
    return qint32(std::lround(std::clamp<qreal>(v, -32767.0, 32767.0) * 65536));
}

// MATRIX with scale/rotate terms as given and translation in twips.
QByteArray encodeMatrix(qreal a, qreal b, qreal c, qreal d, int tx, int ty) {
    BitWriter w;
    const qint32 sx = fixed16(a), sy = fixed16(d), r0 = fixed16(b), r1 = fixed16(c);
    const bool hasScale = sx != 65536 || sy != 65536;
    w.writeUB(hasScale, 1);
    if (hasScale) {
        const int bits = std::max(BitWriter::bitsForSigned(sx), BitWriter::bitsForSigned(sy));
        w.writeUB(quint32(bits), 5);
        w.writeSB(sx, bits);
        w.writeSB(sy, bits);
    }
    const bool hasRotate = r0 != 0 || r1 != 0;
    w.writeUB(hasRotate, 1);
    if (hasRotate) {
        const int bits = std::max(BitWriter::bitsForSigned(r0), BitWriter::bitsForSigned(r1));
        w.writeUB(quint32(bits), 5);
        w.writeSB(r0, bits);
        w.writeSB(r1, bits);
    }
    const int bits = tx == 0 && ty == 0
                         ? 0
                         : std::max(BitWriter::bitsForSigned(tx), BitWriter::bitsForSigned(ty));
    w.writeUB(quint32(bits), 5);
    w.writeSB(tx, bits);
    w.writeSB(ty, bits);
    return w.bytes();
}

// A placement matrix: the transform in pixels, translation turned into twips.
QByteArray encodeMatrix(const QTransform& t) {
    return encodeMatrix(t.m11(), t.m12(), t.m21(), t.m22(), twips(t.dx()), twips(t.dy()));
}

QByteArray encodeColorTransform(const ColorTransform& cx) {
    const auto mul = [](qreal m) {
        return std::clamp<int>(int(std::lround(m * 256)), -16383, 16383);
    };
    const auto add = [](int a) { return std::clamp(a, -16383, 16383); };
    const int mults[4] = {mul(cx.mulR), mul(cx.mulG), mul(cx.mulB), mul(cx.mulA)};
    const int adds[4] = {add(cx.addR), add(cx.addG), add(cx.addB), add(cx.addA)};
    const bool hasMult = std::any_of(mults, mults + 4, [](int m) { return m != 256; });
    const bool hasAdd = std::any_of(adds, adds + 4, [](int a) { return a != 0; });
    int bits = 0;
    for (int i = 0; i < 4; ++i) {
        if (hasMult)
            bits = std::max(bits, BitWriter::bitsForSigned(mults[i]));
        if (hasAdd)
            bits = std::max(bits, BitWriter::bitsForSigned(adds[i]));
    }
    BitWriter w;
    w.writeUB(hasAdd, 1);
    w.writeUB(hasMult, 1);
    w.writeUB(quint32(bits), 4);
    if (hasMult)
        for (int m : mults)
            w.writeSB(m, bits);
    if (hasAdd)
        for (int a : adds)
            w.writeSB(a, bits);
    return w.bytes();
}

QByteArray soundInfoPlain() {
    return QByteArray(1, '\0'); // no sync flags, envelope, loops or points
}

// Shape records in twips, written as edges from the current point.
class EdgeWriter {
public:
    explicit EdgeWriter(BitWriter& w) : w_(w) {}

    void styleChange(bool setStyles, int fillBits, int fill, int lineBits, int line, QPointF to) {
        cur_ = to;
        curTw_ = {twips(to.x()), twips(to.y())};
        w_.writeUB(0, 1); // non-edge record
        w_.writeUB(0, 1); // new styles
        w_.writeUB(setStyles, 1);
        w_.writeUB(0, 1); // fill style 1
        w_.writeUB(setStyles, 1);
        w_.writeUB(1, 1); // move to
        const int bits =
            std::max(BitWriter::bitsForSigned(curTw_.x()), BitWriter::bitsForSigned(curTw_.y()));
        w_.writeUB(quint32(bits), 5);
        w_.writeSB(curTw_.x(), bits);
        w_.writeSB(curTw_.y(), bits);
        if (setStyles) {
            w_.writeUB(quint32(fill), fillBits);
            w_.writeUB(quint32(line), lineBits);
        }
    }

    void lineTo(QPointF to) {
        const QPoint toTw(twips(to.x()), twips(to.y()));
        const int dx = toTw.x() - curTw_.x(), dy = toTw.y() - curTw_.y();
        if (dx == 0 && dy == 0)
            return;
        const int bits = std::max({2, BitWriter::bitsForSigned(dx), BitWriter::bitsForSigned(dy)});
        if (bits > kMaxEdgeBits) {
            const QPointF mid = (cur_ + to) / 2;
            lineTo(mid);
            lineTo(to);
            return;
        }
        w_.writeUB(1, 1); // edge
        w_.writeUB(1, 1); // straight
        w_.writeUB(quint32(bits - 2), 4);
        if (dx != 0 && dy != 0) {
            w_.writeUB(1, 1);
            w_.writeSB(dx, bits);
            w_.writeSB(dy, bits);
        } else {
            w_.writeUB(0, 1);
            w_.writeUB(dx == 0, 1);
            w_.writeSB(dx == 0 ? dy : dx, bits);
        }
        cur_ = to;
        curTw_ = toTw;
    }

    void quadTo(QPointF c, QPointF to) {
        const QPoint cTw(twips(c.x()), twips(c.y())), toTw(twips(to.x()), twips(to.y()));
        const int cdx = cTw.x() - curTw_.x(), cdy = cTw.y() - curTw_.y();
        const int adx = toTw.x() - cTw.x(), ady = toTw.y() - cTw.y();
        if (cdx == 0 && cdy == 0 && adx == 0 && ady == 0)
            return;
        const int bits = std::max({2, BitWriter::bitsForSigned(cdx), BitWriter::bitsForSigned(cdy),
                                   BitWriter::bitsForSigned(adx), BitWriter::bitsForSigned(ady)});
        if (bits > kMaxEdgeBits) {
            const QPointF c1 = (cur_ + c) / 2, c2 = (c + to) / 2, mid = (c1 + c2) / 2;
            quadTo(c1, mid);
            quadTo(c2, to);
            return;
        }
        w_.writeUB(1, 1); // edge
        w_.writeUB(0, 1); // curved
        w_.writeUB(quint32(bits - 2), 4);
        w_.writeSB(cdx, bits);
        w_.writeSB(cdy, bits);
        w_.writeSB(adx, bits);
        w_.writeSB(ady, bits);
        cur_ = to;
        curTw_ = toTw;
    }

    // A cubic as quadratics, split until the midpoint approximation is within
    // a twentieth of a pixel.
    void cubicTo(QPointF c1, QPointF c2, QPointF to, int depth = 0) {
        const QPointF p0 = cur_;
        const qreal error =
            QLineF(QPointF(0, 0), to - 3 * c2 + 3 * c1 - p0).length() * std::sqrt(3.0) / 36;
        if (error <= 0.05 || depth >= 6) {
            quadTo((3 * (c1 + c2) - p0 - to) / 4, to);
            return;
        }
        const QPointF a = (p0 + c1) / 2, b = (c1 + c2) / 2, c = (c2 + to) / 2;
        const QPointF ab = (a + b) / 2, bc = (b + c) / 2, mid = (ab + bc) / 2;
        cubicTo(a, ab, mid, depth + 1);
        cubicTo(bc, c, to, depth + 1);
    }

    void end() { w_.writeUB(0, 6); }

private:
    BitWriter& w_;
    QPointF cur_;
    QPoint curTw_;
};

void appendStyleCount(QByteArray& out, int n) {
    if (n < 0xFF) {
        out.append(char(n));
    } else {
        out.append(char(0xFF));
        appendU16(out, n);
    }
}

bool hasTransparency(const QImage& premultiplied) {
    for (int y = 0; y < premultiplied.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
        for (int x = 0; x < premultiplied.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return true;
    }
    return false;
}

QImage checkedImage(const QImage& image) {
    if (image.isNull() || image.width() > 0xFFFF || image.height() > 0xFFFF)
        throw std::invalid_argument("image is empty or too large for a SWF bitmap");
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

// ---- Pose

QTransform Pose::transform() const {
    QTransform t;
    t.translate(pos.x(), pos.y());
    t.rotate(rotation);
    t.scale(scaleX, scaleY);
    return t;
}

ColorTransform Pose::colorTransform() const {
    ColorTransform cx;
    cx.mulA = alpha;
    return cx;
}

Pose Pose::at(QPointF pos, qreal scale, qreal alpha, qreal rotation) {
    Pose p;
    p.pos = pos;
    p.scaleX = p.scaleY = scale;
    p.alpha = alpha;
    p.rotation = rotation;
    return p;
}

Pose Pose::interpolate(const Pose& a, const Pose& b, qreal t) {
    const auto mix = [t](qreal x, qreal y) { return x + (y - x) * t; };
    Pose p;
    p.pos = QPointF(mix(a.pos.x(), b.pos.x()), mix(a.pos.y(), b.pos.y()));
    p.scaleX = mix(a.scaleX, b.scaleX);
    p.scaleY = mix(a.scaleY, b.scaleY);
    p.rotation = mix(a.rotation, b.rotation);
    p.alpha = mix(a.alpha, b.alpha);
    return p;
}

// ---- SwfShape

SwfShape& SwfShape::add(const QPainterPath& path, const ShapeFill& fill, const ShapeLine& line) {
    parts_.push_back({path, fill, line});
    return *this;
}

SwfShape& SwfShape::rect(const QRectF& r, const ShapeFill& fill, const ShapeLine& line) {
    QPainterPath p;
    p.addRect(r);
    return add(p, fill, line);
}

SwfShape& SwfShape::roundedRect(const QRectF& r, qreal radius, const ShapeFill& fill,
                                const ShapeLine& line) {
    QPainterPath p;
    p.addRoundedRect(r, radius, radius);
    return add(p, fill, line);
}

SwfShape& SwfShape::ellipse(const QRectF& r, const ShapeFill& fill, const ShapeLine& line) {
    QPainterPath p;
    p.addEllipse(r);
    return add(p, fill, line);
}

SwfShape& SwfShape::polygon(const QPolygonF& points, const ShapeFill& fill, const ShapeLine& line) {
    QPainterPath p;
    p.addPolygon(points);
    p.closeSubpath();
    return add(p, fill, line);
}

QByteArray SwfShape::encode() const {
    QRectF bounds;
    for (const Part& part : parts_) {
        const qreal half = part.line.width / 2;
        bounds |= part.path.controlPointRect().adjusted(-half, -half, half, half);
    }
    QByteArray out = swf::encodeRect(
        {int(std::floor(bounds.left() * kTwips)), int(std::ceil(bounds.right() * kTwips)),
         int(std::floor(bounds.top() * kTwips)), int(std::ceil(bounds.bottom() * kTwips))});

    // Each part gets its own fill and line style (index 0 means none).
    std::vector<int> fillIndex, lineIndex;
    QByteArray fills, lines;
    int fillCount = 0, lineCount = 0;
    for (const Part& part : parts_) {
        const ShapeFill& f = part.fill;
        if (f.kind == ShapeFill::Kind::None) {
            fillIndex.push_back(0);
        } else if (f.kind == ShapeFill::Kind::Solid) {
            fills.append(char(0x00));
            appendRgba(fills, f.color);
            fillIndex.push_back(++fillCount);
        } else {
            fills.append(char(0x40 | (f.repeat ? 0 : 0x01) | (f.smooth ? 0 : 0x02)));
            appendU16(fills, f.bitmapId);
            const QTransform& t = f.bitmapToShape;
            // Bitmap space is in pixels, shape space in twips.
            fills.append(encodeMatrix(t.m11() * kTwips, t.m12() * kTwips, t.m21() * kTwips,
                                      t.m22() * kTwips, twips(t.dx()), twips(t.dy())));
            fillIndex.push_back(++fillCount);
        }
        if (part.line.width > 0) {
            appendU16(lines, std::clamp(twips(part.line.width), 1, 0xFFFF));
            appendRgba(lines, part.line.color);
            lineIndex.push_back(++lineCount);
        } else {
            lineIndex.push_back(0);
        }
    }
    appendStyleCount(out, fillCount);
    out.append(fills);
    appendStyleCount(out, lineCount);
    out.append(lines);
    const int fillBits = BitWriter::bitsForUnsigned(quint32(fillCount));
    const int lineBits = BitWriter::bitsForUnsigned(quint32(lineCount));
    out.append(char(fillBits << 4 | lineBits));

    BitWriter w;
    EdgeWriter edges(w);
    for (size_t i = 0; i < parts_.size(); ++i) {
        const QPainterPath& path = parts_[i].path;
        const bool filled = fillIndex[i] != 0;
        bool firstSubpath = true;
        QPointF start, last;
        const auto closeIfFilled = [&] {
            if (filled && last != start)
                edges.lineTo(start);
        };
        for (int e = 0; e < path.elementCount(); ++e) {
            const QPainterPath::Element el = path.elementAt(e);
            const QPointF p(el.x, el.y);
            if (el.isMoveTo()) {
                if (!firstSubpath)
                    closeIfFilled();
                edges.styleChange(firstSubpath, fillBits, fillIndex[i], lineBits, lineIndex[i], p);
                firstSubpath = false;
                start = last = p;
            } else if (el.isLineTo()) {
                edges.lineTo(p);
                last = p;
            } else if (el.isCurveTo() && e + 2 < path.elementCount()) {
                const QPainterPath::Element c2 = path.elementAt(e + 1);
                const QPainterPath::Element to = path.elementAt(e + 2);
                edges.cubicTo(p, QPointF(c2.x, c2.y), QPointF(to.x, to.y));
                last = QPointF(to.x, to.y);
                e += 2;
            }
        }
        if (!firstSubpath)
            closeIfFilled();
    }
    edges.end();
    out.append(w.bytes());
    return out;
}

void SwfShape::paint(QPainter& p, const std::map<int, QImage>& bitmaps) const {
    // The player fills every part of a shape first and outlines them after, and fills
    // a path by the even-odd rule (the format knows no other).
    for (const Part& part : parts_) {
        QPainterPath path = part.path;
        path.setFillRule(Qt::OddEvenFill);
        if (part.fill.kind == ShapeFill::Kind::Solid) {
            p.fillPath(path, part.fill.color);
        } else if (part.fill.kind == ShapeFill::Kind::Bitmap) {
            const auto it = bitmaps.find(part.fill.bitmapId);
            if (it == bitmaps.end())
                continue;
            QBrush brush(it->second);
            brush.setTransform(part.fill.bitmapToShape);
            p.save();
            p.setRenderHint(QPainter::SmoothPixmapTransform, part.fill.smooth);
            p.fillPath(path, brush);
            p.restore();
        }
    }
    for (const Part& part : parts_)
        if (part.line.width > 0)
            p.strokePath(part.path, QPen(part.line.color, part.line.width, Qt::SolidLine,
                                         Qt::RoundCap, Qt::RoundJoin));
}

// ---- SwfTimeline

void SwfTimeline::ensureFrames(int count) {
    if (count > int(frames_.size()))
        frames_.resize(size_t(count));
}

std::vector<SwfTimeline::Op>& SwfTimeline::frame(int index) {
    if (index < 0 || index > 0xFFFE)
        throw std::invalid_argument("frame number out of range");
    ensureFrames(index + 1);
    return frames_[size_t(index)];
}

void SwfTimeline::place(int frame, int depth, int characterId, const QTransform& matrix,
                        const ColorTransform& cx, const QString& name) {
    Op op;
    op.kind = Op::Kind::Set;
    op.depth = depth;
    op.characterId = characterId;
    op.matrix = matrix;
    op.cx = cx;
    op.name = name;
    this->frame(frame).push_back(op);
}

void SwfTimeline::remove(int frame, int depth) {
    Op op;
    op.kind = Op::Kind::Remove;
    op.depth = depth;
    this->frame(frame).push_back(op);
}

void SwfTimeline::tween(int depth, int characterId, int first, int count, const Pose& from,
                        const Pose& to) {
    for (int i = 0; i < count; ++i) {
        const qreal t = count > 1 ? qreal(i) / (count - 1) : 1.0;
        place(first + i, depth, characterId, Pose::interpolate(from, to, t));
    }
}

void SwfTimeline::actions(int frame, const swf::ActionBuilder& actions) {
    if (!actions.isValid())
        throw std::invalid_argument("invalid action code");
    Op op;
    op.kind = Op::Kind::Tag;
    op.tag = {swf::kTagDoAction, actions.bytes() + QByteArray(1, '\0')};
    this->frame(frame).push_back(op);
}

void SwfTimeline::stop(int frame) {
    actions(frame, actionBuilder().stop());
}

void SwfTimeline::play(int frame) {
    actions(frame, actionBuilder().play());
}

void SwfTimeline::gotoAndPlay(int frame, int targetFrame0) {
    actions(frame, actionBuilder().gotoAndPlay(targetFrame0));
}

void SwfTimeline::fsCommand(int frame, const QString& command, const QString& args) {
    actions(frame, actionBuilder().fsCommand(command, args));
}

void SwfTimeline::startSound(int frame, int soundId, Sync sync) {
    Op op;
    op.kind = Op::Kind::Tag;
    QByteArray body;
    appendU16(body, soundId);
    body.append(char(sync == Sync::Stop ? 0x20 : sync == Sync::NoMultiple ? 0x10 : 0));
    op.tag = {swf::kTagStartSound, body};
    this->frame(frame).push_back(op);
}

std::vector<swf::Tag> SwfTimeline::tags() const {
    std::vector<swf::Tag> out;
    std::map<int, int> shown;          // depth -> character
    std::map<int, ColorTransform> cxs; // depth -> colour transform in force
    for (int f = 0; f < frameCount(); ++f) {
        const std::vector<Op> none;
        const std::vector<Op>& ops = f < int(frames_.size()) ? frames_[size_t(f)] : none;
        for (const Op& op : ops) {
            if (op.kind == Op::Kind::Tag) {
                out.push_back(op.tag);
            } else if (op.kind == Op::Kind::Remove) {
                QByteArray body;
                appendU16(body, op.depth);
                out.push_back({swf::kTagRemoveObject2, body});
                shown.erase(op.depth);
                cxs.erase(op.depth);
            } else {
                const auto it = shown.find(op.depth);
                const bool occupied = it != shown.end();
                const bool newCharacter = !occupied || it->second != op.characterId;
                const bool writeCx = op.cx != (occupied ? cxs[op.depth] : ColorTransform{});
                quint8 flags = 0x04; // matrix
                if (occupied)
                    flags |= 0x01; // move
                if (newCharacter)
                    flags |= 0x02;
                if (writeCx)
                    flags |= 0x08;
                if (!op.name.isEmpty())
                    flags |= 0x20;
                QByteArray body(1, char(flags));
                appendU16(body, op.depth);
                if (newCharacter)
                    appendU16(body, op.characterId);
                body.append(encodeMatrix(op.matrix));
                if (writeCx)
                    body.append(encodeColorTransform(op.cx));
                if (!op.name.isEmpty())
                    body.append(actionBuilder().encode(op.name) + '\0');
                out.push_back({swf::kTagPlaceObject2, body});
                shown[op.depth] = op.characterId;
                cxs[op.depth] = op.cx;
            }
        }
        out.push_back({swf::kTagShowFrame, {}});
    }
    return out;
}

std::map<int, SwfTimeline::Placed> SwfTimeline::displayAt(int frame) const {
    std::map<int, Placed> shown;
    for (int f = 0; f <= frame && f < int(frames_.size()); ++f)
        for (const Op& op : frames_[size_t(f)]) {
            if (op.kind == Op::Kind::Remove)
                shown.erase(op.depth);
            else if (op.kind == Op::Kind::Set)
                shown[op.depth] = {op.characterId, op.matrix, op.cx};
        }
    return shown;
}

QByteArray SwfTimeline::encodeTags() const {
    QByteArray out;
    for (const swf::Tag& t : tags())
        out.append(swf::tagRecord(t.code, t.body));
    return out;
}

// ---- SwfWriter

SwfWriter::SwfWriter(QSize framePixels, qreal frameRate, int version)
    : size_(framePixels), rate_(frameRate), version_(version), root_(version, legacy()) {}

swf::LegacyEncoder SwfWriter::legacy() const {
    return version_ <= 5 ? &platform::toGbk : nullptr;
}

int SwfWriter::nextId() {
    if (lastId_ >= 0xFFFF)
        throw std::invalid_argument("too many characters in one movie");
    return ++lastId_;
}

void SwfWriter::define(quint16 code, int id, const QByteArray& body) {
    QByteArray withId;
    appendU16(withId, id);
    definitions_.push_back({code, withId + body});
}

int SwfWriter::defineShape(const SwfShape& shape) {
    const int id = nextId();
    define(swf::kTagDefineShape3, id, shape.encode());
    if (drawing_)
        drawing_->shapes.emplace(id, shape);
    return id;
}

int SwfWriter::defineBitmap(const QImage& image) {
    const QImage img = checkedImage(image);
    QByteArray argb;
    argb.reserve(qsizetype(img.width()) * img.height() * 4);
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            argb.append(char(qAlpha(line[x])));
            argb.append(char(qRed(line[x])));
            argb.append(char(qGreen(line[x])));
            argb.append(char(qBlue(line[x])));
        }
    }
    QByteArray body(1, char(5)); // 32-bit premultiplied ARGB
    appendU16(body, img.width());
    appendU16(body, img.height());
    body.append(zlib(argb));
    const int id = nextId();
    define(swf::kTagDefineBitsLossless2, id, body);
    if (drawing_)
        drawing_->bitmaps.emplace(id, img.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    return id;
}

int SwfWriter::defineJpeg(const QImage& image, int quality, QImage* shown) {
    QImage kept;
    if (drawing_ && !shown)
        shown = &kept;
    const QImage img = checkedImage(image);
    // JPEG has no alpha: the colour goes in as it is, not premultiplied (the player
    // multiplies it by the alpha plane when it draws: premultiplied colour would come
    // out darker wherever the picture is translucent), and the alpha plane beside it.
    const QImage straight = img.convertToFormat(QImage::Format_ARGB32);
    QImage colour(img.size(), QImage::Format_RGB888);
    for (int y = 0; y < img.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        uchar* out = colour.scanLine(y);
        for (int x = 0; x < img.width(); ++x) {
            out[3 * x] = uchar(qRed(in[x]));
            out[3 * x + 1] = uchar(qGreen(in[x]));
            out[3 * x + 2] = uchar(qBlue(in[x]));
        }
    }
    const bool transparent = hasTransparency(img);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!colour.save(&buffer, "JPEG", quality))
        throw std::invalid_argument("JPEG encoding is not available");
    if (shown) {
        // As the player shows it: the decoded colour, clamped to the alpha plane as if
        // it were premultiplied, then drawn under the alpha plane all the same.
        *shown = QImage::fromData(jpeg, "JPEG").convertToFormat(QImage::Format_ARGB32);
        if (transparent && shown->size() == img.size()) {
            for (int y = 0; y < img.height(); ++y) {
                const auto* a = reinterpret_cast<const QRgb*>(img.constScanLine(y));
                auto* c = reinterpret_cast<QRgb*>(shown->scanLine(y));
                for (int x = 0; x < img.width(); ++x) {
                    const int alpha = qAlpha(a[x]);
                    c[x] = qRgba(std::min(qRed(c[x]), alpha), std::min(qGreen(c[x]), alpha),
                                 std::min(qBlue(c[x]), alpha), alpha);
                }
            }
        }
        *shown = shown->convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    const int id = nextId();
    if (drawing_)
        drawing_->bitmaps.emplace(id, *shown);
    if (!transparent) {
        define(swf::kTagDefineBitsJpeg2, id, jpeg);
        return id;
    }
    QByteArray alpha;
    alpha.reserve(qsizetype(img.width()) * img.height());
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            alpha.append(char(qAlpha(line[x])));
    }
    QByteArray body;
    appendU32(body, quint32(jpeg.size()));
    body.append(jpeg);
    body.append(zlib(alpha));
    define(swf::kTagDefineBitsJpeg3, id, body);
    return id;
}

int SwfWriter::defineBitmapShape(int bitmap, QSize size, QPointF anchor) {
    SwfShape shape;
    const QRectF area(-anchor, QSizeF(size));
    shape.rect(area,
               ShapeFill::bitmap(bitmap, QTransform::fromTranslate(-anchor.x(), -anchor.y())));
    return defineShape(shape);
}

int SwfWriter::defineImageShape(const QImage& image, QPointF anchor) {
    return defineBitmapShape(defineBitmap(image), image.size(), anchor);
}

int SwfWriter::defineJpegShape(const QImage& image, int quality, QPointF anchor, QImage* shown) {
    return defineBitmapShape(defineJpeg(image, quality, shown), image.size(), anchor);
}

int SwfWriter::defineSprite(const SwfTimeline& timeline) {
    QByteArray body;
    appendU16(body, timeline.frameCount());
    body.append(timeline.encodeTags());
    body.append(swf::tagRecord(swf::kTagEnd, {}));
    const int id = nextId();
    define(swf::kTagDefineSprite, id, body);
    if (drawing_)
        drawing_->sprites.emplace(id, timeline);
    return id;
}

int SwfWriter::defineButton(const Button& button) {
    QByteArray records;
    for (const ButtonRecord& r : button.records) {
        records.append(char((r.hit ? 0x08 : 0) | (r.down ? 0x04 : 0) | (r.over ? 0x02 : 0) |
                            (r.up ? 0x01 : 0)));
        appendU16(records, r.characterId);
        appendU16(records, r.depth);
        records.append(encodeMatrix(r.matrix));
        records.append(encodeColorTransform({}));
    }
    records.append(char(0)); // end of records

    QByteArray body(1, char(0)); // not tracked as a menu
    if (button.releaseActions.isEmpty()) {
        appendU16(body, 0);
        body.append(records);
    } else {
        appendU16(body, 2 + int(records.size())); // counted from the offset field itself
        body.append(records);
        appendU16(body, 0);      // the only (last) condition
        appendU16(body, 0x0008); // OverDownToOverUp: released inside
        body.append(button.releaseActions);
        body.append(char(0));
    }
    const int id = nextId();
    define(swf::kTagDefineButton2, id, body);
    if (drawing_) {
        std::vector<ButtonRecord> up;
        std::copy_if(button.records.begin(), button.records.end(), std::back_inserter(up),
                     [](const ButtonRecord& r) { return r.up; });
        std::stable_sort(up.begin(), up.end(), [](const ButtonRecord& a, const ButtonRecord& b) {
            return a.depth < b.depth;
        });
        drawing_->buttons.emplace(id, up);
    }

    if (button.pressSound != 0) {
        QByteArray sounds;
        appendU16(sounds, id);
        appendU16(sounds, 0); // OverUpToIdle
        appendU16(sounds, 0); // IdleToOverUp
        appendU16(sounds, button.pressSound);
        sounds.append(soundInfoPlain());
        appendU16(sounds, 0); // OverDownToOverUp
        definitions_.push_back({swf::kTagDefineButtonSound, sounds});
    }
    return id;
}

int SwfWriter::defineCommandButton(int up, int over, int down, int hit, const QString& command,
                                   const QString& args, int pressSound) {
    const int states[4] = {up, over ? over : up, down ? down : up, hit ? hit : up};
    // One record per distinct character, flagged for every state it shows in.
    Button b;
    for (int s = 0; s < 4; ++s) {
        auto it = std::find_if(b.records.begin(), b.records.end(),
                               [&](const ButtonRecord& r) { return r.characterId == states[s]; });
        if (it == b.records.end()) {
            ButtonRecord r;
            r.characterId = states[s];
            r.depth = int(b.records.size()) + 1;
            b.records.push_back(r);
            it = b.records.end() - 1;
        }
        (s == 0 ? it->up : s == 1 ? it->over : s == 2 ? it->down : it->hit) = true;
    }
    const swf::ActionBuilder actions = actionBuilder().fsCommand(command, args);
    b.releaseActions = actions.bytes();
    b.pressSound = pressSound;
    return defineButton(b);
}

int SwfWriter::defineSound(const QByteArray& mp3) {
    const Mp3Info info = readMp3(mp3);
    int rateCode = 0;
    switch (info.sampleRate) {
    case 11025:
        rateCode = 1;
        break;
    case 22050:
        rateCode = 2;
        break;
    case 44100:
        rateCode = 3;
        break;
    default:
        throw std::invalid_argument("MP3 sounds must be at 11.025, 22.05 or 44.1 kHz");
    }
    const qint64 total = qint64(info.frames) * info.samplesPerFrame;
    const qint64 samples = std::max<qint64>(0, total - info.encoderDelay - info.encoderPadding);
    // Samples the decoder produces before the music starts: the encoder's delay and
    // the 529 of the decoder's own filter bank.
    const int seek = info.encoderDelay > 0 ? std::min(info.encoderDelay + 529, 0x7FFF) : 0;
    QByteArray body(1, char(2 << 4 | rateCode << 2 | 1 << 1 | (info.stereo ? 1 : 0)));
    appendU32(body, quint32(samples));
    appendU16(body, seek);
    body.append(info.data);
    const int id = nextId();
    define(swf::kTagDefineSound, id, body);
    return id;
}

swf::Movie SwfWriter::movie() const {
    swf::Movie m;
    m.header.compression = compression_;
    m.header.version = quint8(version_);
    m.header.frameSize = {0, size_.width() * kTwips, 0, size_.height() * kTwips};
    m.header.frameRateFixed8 = quint16(std::clamp<long>(std::lround(rate_ * 256), 1, 0xFFFF));
    m.header.frameCount = quint16(root_.frameCount());
    if (version_ >= 8)
        m.tags.push_back({swf::kTagFileAttributes, QByteArray(4, '\0')}); // AVM1, no network
    if (background_.isValid()) {
        QByteArray rgb;
        rgb.append(char(background_.red()));
        rgb.append(char(background_.green()));
        rgb.append(char(background_.blue()));
        m.tags.push_back({swf::kTagSetBackgroundColor, rgb});
    }
    m.tags.insert(m.tags.end(), definitions_.begin(), definitions_.end());
    const std::vector<swf::Tag> frames = root_.tags();
    m.tags.insert(m.tags.end(), frames.begin(), frames.end());
    return m;
}

QImage SwfWriter::drawFrame(int frame) const {
    if (!drawing_)
        return {};
    QImage image(size_, QImage::Format_ARGB32_Premultiplied);
    image.fill(background_.isValid() ? background_ : QColor(Qt::white));
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    for (const auto& [depth, placed] : root_.displayAt(frame)) {
        p.save();
        p.setTransform(placed.matrix, true);
        p.setOpacity(p.opacity() * std::clamp(placed.cx.mulA, 0.0, 1.0));
        drawCharacter(p, placed.characterId, 0);
        p.restore();
    }
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

void SwfWriter::drawCharacter(QPainter& p, int id, int nesting) const {
    if (nesting > 16) // a sprite that holds itself
        return;
    if (const auto shape = drawing_->shapes.find(id); shape != drawing_->shapes.end()) {
        shape->second.paint(p, drawing_->bitmaps);
    } else if (const auto sprite = drawing_->sprites.find(id); sprite != drawing_->sprites.end()) {
        for (const auto& [depth, placed] : sprite->second.displayAt(0)) {
            p.save();
            p.setTransform(placed.matrix, true);
            p.setOpacity(p.opacity() * std::clamp(placed.cx.mulA, 0.0, 1.0));
            drawCharacter(p, placed.characterId, nesting + 1);
            p.restore();
        }
    } else if (const auto button = drawing_->buttons.find(id); button != drawing_->buttons.end()) {
        for (const ButtonRecord& r : button->second) {
            p.save();
            p.setTransform(r.matrix, true);
            drawCharacter(p, r.characterId, nesting + 1);
            p.restore();
        }
    }
}

// ---- MP3

namespace {

struct FrameHeader {
    int sampleRate = 0;
    int length = 0;
    int samplesPerFrame = 0;
    bool mono = false;
    bool mpeg1 = false;
};

bool readFrameHeader(const uchar* p, qsizetype available, FrameHeader& h) {
    if (available < 4 || p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return false;
    const int versionBits = (p[1] >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    const int layerBits = (p[1] >> 1) & 3;   // 1 Layer III
    const int bitrateIndex = p[2] >> 4;
    const int rateIndex = (p[2] >> 2) & 3;
    if (versionBits == 1 || layerBits != 1 || bitrateIndex == 0 || bitrateIndex == 15 ||
        rateIndex == 3)
        return false;
    static const int kBitrates[2][15] = {
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}};
    static const int kRates[3] = {44100, 48000, 32000};
    h.mpeg1 = versionBits == 3;
    h.sampleRate = kRates[rateIndex] / (h.mpeg1 ? 1 : versionBits == 2 ? 2 : 4);
    const int bitrate = kBitrates[h.mpeg1 ? 1 : 0][bitrateIndex] * 1000;
    h.samplesPerFrame = h.mpeg1 ? 1152 : 576;
    h.length = (h.samplesPerFrame / 8) * bitrate / h.sampleRate + ((p[2] >> 1) & 1);
    h.mono = (p[3] >> 6) == 3;
    return true;
}

// The encoder's delay and padding from a "Xing"/"Info" frame with a LAME tag;
// true when the frame is such an info frame (it holds no audio).
bool readInfoFrame(const uchar* p, const FrameHeader& h, Mp3Info& info) {
    const int sideInfo = h.mpeg1 ? (h.mono ? 17 : 32) : (h.mono ? 9 : 17);
    const int at = 4 + sideInfo;
    if (h.length >= at + 8 && (memcmp(p + at, "Xing", 4) == 0 || memcmp(p + at, "Info", 4) == 0)) {
        const quint32 flags =
            quint32(p[at + 4]) << 24 | p[at + 5] << 16 | p[at + 6] << 8 | p[at + 7];
        int lame = at + 8;
        lame +=
            (flags & 1 ? 4 : 0) + (flags & 2 ? 4 : 0) + (flags & 4 ? 100 : 0) + (flags & 8 ? 4 : 0);
        if (h.length >= lame + 24) {
            const uchar* d = p + lame + 21;
            info.encoderDelay = d[0] << 4 | d[1] >> 4;
            info.encoderPadding = (d[1] & 0x0F) << 8 | d[2];
        }
        return true;
    }
    return h.length >= 36 + 4 && memcmp(p + 36, "VBRI", 4) == 0;
}

} // namespace

Mp3Info readMp3(const QByteArray& file) {
    const auto* p = reinterpret_cast<const uchar*>(file.constData());
    qsizetype pos = 0, size = file.size();
    if (size >= 10 && memcmp(p, "ID3", 3) == 0) {
        const qsizetype tagSize =
            (p[6] & 0x7F) << 21 | (p[7] & 0x7F) << 14 | (p[8] & 0x7F) << 7 | (p[9] & 0x7F);
        pos = 10 + tagSize + ((p[5] & 0x10) ? 10 : 0);
    }
    if (size >= 128 && memcmp(p + size - 128, "TAG", 3) == 0)
        size -= 128;

    Mp3Info info;
    bool first = true;
    FrameHeader h;
    while (pos < size && readFrameHeader(p + pos, size - pos, h) && h.length <= size - pos) {
        if (first) {
            info.sampleRate = h.sampleRate;
            info.stereo = !h.mono;
            info.samplesPerFrame = h.samplesPerFrame;
        } else if (h.sampleRate != info.sampleRate || h.mono == info.stereo) {
            throw std::invalid_argument("MP3 frames change their format");
        }
        if (!(first && readInfoFrame(p + pos, h, info))) {
            info.data.append(file.constData() + pos, h.length);
            ++info.frames;
        }
        first = false;
        pos += h.length;
    }
    if (info.frames == 0)
        throw std::invalid_argument("no MPEG Layer III audio");
    return info;
}

} // namespace tools
