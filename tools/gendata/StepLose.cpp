// The keyboard game's explosion: a comic burst with flying sparks and a "砰!"
// that grows and fades in one second, on a transparent background. It plays once
// and stops on its last, empty frame, so a stopped player shows nothing.
#include "tools/gendata/Generator.h"
#include "tools/lib/SwfWriter.h"

#include <QFont>
#include <QPainter>
#include <QtMath>
#include <algorithm>

namespace gendata {
namespace {

using tools::Pose;

constexpr int kSize = 100; // frame pixels, the player's default size
constexpr int kFrames = 24;
constexpr qreal kRate = 24;
const QPointF kCentre(kSize / 2.0, kSize / 2.0);

// One filled and outlined path of an actor, drawn around the actor's origin.
struct Piece {
    QPainterPath path;
    QColor fill; // invalid: no fill
    QColor outline = Qt::black;
    qreal outlineWidth = 0;
};

// Something that moves: vector pieces, or a picture with its anchor at the origin.
struct Actor {
    std::vector<Piece> pieces;
    QImage image;
    QPointF anchor;
};

struct Key {
    int frame;
    Pose pose;
};

// An actor on one depth, posed by linear interpolation between keys; shown from
// the first key's frame to the last key's frame.
struct Track {
    int depth;
    int actor;
    std::vector<Key> keys;

    int first() const { return keys.front().frame; }
    int last() const { return keys.back().frame; }
    Pose poseAt(int frame) const {
        for (size_t i = 1; i < keys.size(); ++i) {
            if (frame <= keys[i].frame) {
                const Key& a = keys[i - 1];
                const Key& b = keys[i];
                return Pose::interpolate(a.pose, b.pose,
                                         qreal(frame - a.frame) / std::max(1, b.frame - a.frame));
            }
        }
        return keys.back().pose;
    }
};

struct Scene {
    std::vector<Actor> actors;
    std::vector<Track> tracks;
};

// A jagged comic burst: spikes of uneven length around the origin.
QPainterPath burst(qreal outer, qreal inner, qreal turn) {
    static const qreal kSpike[] = {1.0,  0.82, 0.95, 0.78, 1.0, 0.86,
                                   0.92, 0.8,  0.98, 0.84, 0.9, 0.76};
    constexpr int n = int(std::size(kSpike));
    QPolygonF points;
    for (int i = 0; i < 2 * n; ++i) {
        const qreal angle = qDegreesToRadians(turn + i * 180.0 / n);
        const qreal r = i % 2 == 0 ? outer * kSpike[i / 2] : inner;
        points << QPointF(r * std::cos(angle), r * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

QPainterPath circle(qreal r) {
    QPainterPath path;
    path.addEllipse(QPointF(0, 0), r, r);
    return path;
}

// A four-pointed sparkle.
QPainterPath sparkle(qreal r) {
    QPolygonF points;
    for (int i = 0; i < 8; ++i) {
        const qreal angle = qDegreesToRadians(i * 45.0);
        const qreal d = i % 2 == 0 ? r : r * 0.35;
        points << QPointF(d * std::cos(angle), d * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

// "砰!" in bold strokes: a dark rim, a white band and a red face.
QImage bangText() {
    QImage image(84, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setBold(true);
    font.setPixelSize(40);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("砰!"));
    const QRectF box = text.boundingRect();
    text.translate(QPointF(image.width(), image.height()) / 2 - box.center());
    p.strokePath(text,
                 QPen(QColor(0x5A, 0x10, 0x00), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(text, QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(text, QColor(0xE8, 0x20, 0x2A));
    return image;
}

Scene loseScene() {
    Scene s;
    const auto actor = [&s](std::vector<Piece> pieces) {
        s.actors.push_back({std::move(pieces), {}, {}});
        return int(s.actors.size()) - 1;
    };
    const int ring = actor({{circle(36), QColor(), QColor(0xFF, 0xF3, 0xA0), 4}});
    const int outer =
        actor({{burst(44, 24, 0), QColor(0xFF, 0x7A, 0x00), QColor(0xC0, 0x39, 0x2B), 2}});
    const int inner = actor({{burst(30, 16, 15), QColor(0xFF, 0xE1, 0x4D), QColor(), 0}});
    const int core = actor({{circle(14), QColor(0xFF, 0xFF, 0xF0), QColor(), 0}});
    static const QColor kSparks[] = {QColor(0xFF, 0x4D, 0x4D), QColor(0xFF, 0xD2, 0x3F),
                                     QColor(0x3E, 0xC1, 0xF3), QColor(0xB1, 0x5C, 0xFF),
                                     QColor(0x5C, 0xE6, 0x5C)};
    std::vector<int> sparks;
    for (const QColor& c : kSparks) {
        sparks.push_back(actor({{circle(4), c, Qt::white, 1}}));
        sparks.push_back(actor({{sparkle(6), c, QColor(), 0}}));
    }
    s.actors.push_back({{}, bangText(), QPointF(42, 30)});
    const int bang = int(s.actors.size()) - 1;

    s.tracks.push_back(
        {1, ring, {{0, Pose::at(kCentre, 0.3, 0.9)}, {10, Pose::at(kCentre, 1.35, 0)}}});
    s.tracks.push_back({2,
                        outer,
                        {{0, Pose::at(kCentre, 0.25, 1)},
                         {4, Pose::at(kCentre, 1.0, 1, 8)},
                         {12, Pose::at(kCentre, 1.08, 0.9, 14)},
                         {18, Pose::at(kCentre, 1.12, 0, 18)}}});
    s.tracks.push_back({3,
                        inner,
                        {{0, Pose::at(kCentre, 0.2, 1)},
                         {3, Pose::at(kCentre, 0.9, 1, -6)},
                         {10, Pose::at(kCentre, 0.95, 0.9, -10)},
                         {15, Pose::at(kCentre, 0.9, 0, -14)}}});
    s.tracks.push_back({4,
                        core,
                        {{0, Pose::at(kCentre, 0.4, 1)},
                         {3, Pose::at(kCentre, 1.1, 0.8)},
                         {6, Pose::at(kCentre, 1.2, 0)}}});
    constexpr int kSparkCount = 16;
    for (int i = 0; i < kSparkCount; ++i) {
        const qreal angle = qDegreesToRadians(i * 360.0 / kSparkCount + (i % 2 ? 9 : 0));
        const QPointF dir(std::cos(angle), std::sin(angle));
        const qreal reach = 34 + (i % 3) * 4;
        const int a = sparks[size_t(i) % sparks.size()];
        s.tracks.push_back({10 + i,
                            a,
                            {{3, Pose::at(kCentre + dir * 14, 1, 1)},
                             {14, Pose::at(kCentre + dir * reach * 0.85, 0.8, 1, 90)},
                             {20, Pose::at(kCentre + dir * reach, 0.4, 0, 140)}}});
    }
    s.tracks.push_back({30,
                        bang,
                        {{2, Pose::at(kCentre, 0.3, 1, -8)},
                         {5, Pose::at(kCentre, 1.1, 1, 4)},
                         {7, Pose::at(kCentre, 0.95, 1, 0)},
                         {15, Pose::at(kCentre, 0.95, 1, 0)},
                         {21, Pose::at(kCentre, 1.0, 0, 0)}}});
    return s;
}

QByteArray writeLose(const Scene& scene) {
    tools::SwfWriter w(QSize(kSize, kSize), kRate, 8);
    w.setCompression('C');
    std::vector<int> ids;
    for (const Actor& a : scene.actors) {
        if (!a.image.isNull()) {
            ids.push_back(w.defineImageShape(a.image, a.anchor));
            continue;
        }
        tools::SwfShape shape;
        for (const Piece& p : a.pieces) {
            shape.add(p.path,
                      p.fill.isValid() ? tools::ShapeFill::solid(p.fill) : tools::ShapeFill::none(),
                      {p.outlineWidth, p.outline});
        }
        ids.push_back(w.defineShape(shape));
    }
    tools::SwfTimeline& root = w.root();
    root.ensureFrames(kFrames);
    for (const Track& t : scene.tracks) {
        for (int f = t.first(); f <= t.last(); ++f)
            root.place(f, t.depth, ids[size_t(t.actor)], t.poseAt(f));
        if (t.last() + 1 < kFrames)
            root.remove(t.last() + 1, t.depth);
    }
    root.stop(kFrames - 1);
    return w.finish();
}

void makeLose(Output& out) {
    out.writeResource(QStringLiteral("flash/lose"), writeLose(loseScene()));
}

const RegisterStep registered{"lose", &makeLose};

} // namespace
} // namespace gendata
