// Data of the character lessons: the pack "Data/kjfile/XHZ.dat" with a movie per
// character ("XHZ1".."XHZ30") in which the character is written stroke by stroke, in
// writing order and direction, in a writing grid, its pinyin appearing above it (the
// strokes come from the stroke-data package in node_modules, see
// licenses/README.md); and the spoken characters and words
// "Data/Sound/<character>.mp3", "Data/Sound/<word>.mp3" (the words' pictures are in
// the picture catalogue).
#include "tools/gendata/Generator.h"
#include "tools/gendata/LanguageMedia.h"
#include "tools/gendata/Speech.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/PackWriter.h"
#include "tools/lib/SwfWriter.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainterPathStroker>
#include <QSet>
#include <algorithm>
#include <functional>

namespace gendata {
namespace {

using namespace tools::art;
using tools::ShapeFill;
using tools::ShapeLine;
using tools::SwfShape;
using tools::SwfWriter;

constexpr QSize kStage(400, 400);
const QPointF kCentre(200, 225);
constexpr qreal kGrid = 300;

// One stroke of a character from the stroke data: its outline and the line along its
// middle from where the brush lands to where it lifts, in stage pixels.
struct Stroke {
    QPainterPath outline;
    QPolygonF median;
};

// The stroke data's em square is 1024 units with y pointing up and the baseline at 900.
QPointF toStage(qreal x, qreal y) {
    const qreal s = kGrid / 1024;
    return {kCentre.x() - kGrid / 2 + x * s, kCentre.y() - kGrid / 2 + (900 - y) * s};
}

// An outline in the data's path syntax (M, L, Q, C, Z with absolute coordinates).
QPainterPath outlineOf(const QString& d) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const QStringList t = d.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const auto point = [&](qsizetype i) {
        if (i + 1 >= t.size())
            throw std::runtime_error("stroke outline ends early: " + d.toStdString());
        return toStage(t[i].toDouble(), t[i + 1].toDouble());
    };
    for (qsizetype i = 0; i < t.size();) {
        const QString op = t[i++];
        if (op == QLatin1String("M"))
            path.moveTo(point(i)), i += 2;
        else if (op == QLatin1String("L"))
            path.lineTo(point(i)), i += 2;
        else if (op == QLatin1String("Q"))
            path.quadTo(point(i), point(i + 2)), i += 4;
        else if (op == QLatin1String("C"))
            path.cubicTo(point(i), point(i + 2), point(i + 4)), i += 6;
        else if (op == QLatin1String("Z"))
            path.closeSubpath();
        else
            throw std::runtime_error("unknown command in a stroke outline: " + op.toStdString());
    }
    return path;
}

// The strokes of `character` in writing order, from the stroke-data package (one JSON
// file per character with "strokes" and "medians").
std::vector<Stroke> strokesOf(const Output& out, const QString& character) {
    const QString file = out.contentDir() + QStringLiteral("/../node_modules/hanzi-writer-data/") +
                         character + QStringLiteral(".json");
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("no stroke data for " + character.toStdString() + " (" +
                                 file.toStdString() + "); run scripts/install-deps");
    const QJsonObject data = QJsonDocument::fromJson(f.readAll()).object();
    const QJsonArray outlines = data.value(QStringLiteral("strokes")).toArray();
    const QJsonArray medians = data.value(QStringLiteral("medians")).toArray();
    if (outlines.isEmpty() || outlines.size() != medians.size())
        throw std::runtime_error("bad stroke data for " + character.toStdString());
    std::vector<Stroke> strokes;
    for (qsizetype k = 0; k < outlines.size(); ++k) {
        Stroke s;
        s.outline = outlineOf(outlines[k].toString());
        for (const QJsonValue& pt : medians[k].toArray())
            s.median << toStage(pt.toArray().at(0).toDouble(), pt.toArray().at(1).toDouble());
        if (s.median.size() < 2)
            throw std::runtime_error("a stroke without a median in " + character.toStdString());
        strokes.push_back(s);
    }
    return strokes;
}

qreal lengthOf(const QPolygonF& line) {
    qreal len = 0;
    for (qsizetype i = 1; i < line.size(); ++i)
        len += QLineF(line[i - 1], line[i]).length();
    return len;
}

// The part of a stroke the brush has covered after travelling `t` (0..1) of its median:
// the outline cut by a broad round brush run along the median so far.
QPainterPath partOf(const Stroke& stroke, qreal t) {
    qreal left = lengthOf(stroke.median) * t;
    QPainterPath brush(stroke.median.first());
    for (qsizetype i = 1; i < stroke.median.size() && left > 0; ++i) {
        const QLineF seg(stroke.median[i - 1], stroke.median[i]);
        if (seg.length() <= left) {
            brush.lineTo(seg.p2());
        } else {
            brush.lineTo(seg.pointAt(left / seg.length()));
        }
        left -= seg.length();
    }
    QPainterPathStroker stroker;
    stroker.setWidth(56);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroke.outline.intersected(stroker.createStroke(brush));
}

SwfShape gridShape() {
    SwfShape s;
    const QRectF box(kCentre.x() - 150, kCentre.y() - 150, 300, 300);
    s.rect(box, ShapeFill::solid(QColor(0xff, 0xfd, 0xf6)), ShapeLine{5, QColor(0xd8, 0x3a, 0x2e)});
    const QColor guide(0xf0, 0xa8, 0xa0);
    for (int k = 1; k < 15; k += 2) {
        const qreal d = box.width() * k / 16.0;
        s.rect(QRectF(box.left() + d - 5, kCentre.y() - 1, 10, 2), ShapeFill::solid(guide));
        s.rect(QRectF(kCentre.x() - 1, box.top() + d - 5, 2, 10), ShapeFill::solid(guide));
    }
    return s;
}

// The character in a writing grid, written stroke by stroke: the whole character
// shows faintly first, then each stroke is brushed in red along its median and stays
// in ink, one depth per stroke from 10 on; the pinyin comes in last.
QByteArray characterMovie(const std::vector<Stroke>& strokes, const QString& pinyin) {
    SwfWriter w(kStage, 12, 8);
    w.setCompression('C');
    w.setBackgroundColor(QColor(0xe6, 0xf6, 0xff));
    tools::SwfTimeline& root = w.root();
    root.place(0, 1, w.defineShape(gridShape()));
    SwfShape faint;
    for (const Stroke& s : strokes)
        faint.add(s.outline, ShapeFill::solid(QColor(0xdc, 0xd6, 0xd0)));
    root.place(0, 2, w.defineShape(faint));

    const ShapeFill ink = ShapeFill::solid(QColor(0x22, 0x22, 0x2a));
    const ShapeFill wet = ShapeFill::solid(QColor(0xe0, 0x30, 0x28));
    int frame = 4;
    for (size_t k = 0; k < strokes.size(); ++k) {
        // Long strokes take longer, as with a brush.
        const int frames = std::clamp(int(lengthOf(strokes[k].median) / 22), 4, 10);
        for (int f = 1; f <= frames; ++f) {
            const QPainterPath part = partOf(strokes[k], qreal(f) / frames);
            if (!part.isEmpty())
                root.place(frame, 3, w.defineShape(SwfShape().add(part, wet)));
            ++frame;
        }
        root.remove(frame, 3);
        root.place(frame, 10 + int(k), w.defineShape(SwfShape().add(strokes[k].outline, ink)));
        frame += 3;
    }
    SwfShape label;
    QPainterPath py = textPath(pinyin, cjkFont(44, QFont::Black));
    py.translate(200, 40);
    label.add(py, ShapeFill::solid(QColor(0x2e, 0x7c, 0xe0)), ShapeLine{1.5, Qt::white});
    root.tween(2, w.defineShape(label), frame, 6, tools::Pose::at({0, -20}, 1, 0),
               tools::Pose::at({0, 0}));
    root.stop(frame + 5);
    return w.finish();
}

void makeCharacters(Output& out) {
    // Character, pinyin and word, in the lessons' order.
    QList<int> lines;
    const QList<QStringList> rows = contentRows(out, QStringLiteral("chinese/xhz.txt"), &lines);
    tools::PackWriter pack;
    QSet<QString> written; // a word can serve two characters ("小鸟")
    const auto write = [&](const QString& file, const std::function<QByteArray()>& make) {
        if (!spokenByLanguageStep(out, file) && !written.contains(file)) {
            written.insert(file);
            out.writeData(file, make());
        }
    };
    for (int i = 0; i < rows.size(); ++i) {
        const QString character = rows[i].value(0), pinyin = rows[i].value(1),
                      word = rows[i].value(2);
        pack.add(QStringLiteral("XHZ%1").arg(i + 1), QStringLiteral("Flash"),
                 characterMovie(strokesOf(out, character), pinyin));
        const SpokenAt at(QStringLiteral("content/chinese/xhz.txt:%1").arg(lines[i]));
        write(QStringLiteral("Data/Sound/") + character + QStringLiteral(".mp3"),
              [&] { return speak(out, character, Voice::Mandarin, 140, pinyin); });
        write(QStringLiteral("Data/Sound/") + word + QStringLiteral(".mp3"),
              [&] { return speak(out, word, Voice::Mandarin); });
    }
    out.writeData(QStringLiteral("Data/kjfile/XHZ.dat"), pack.build());
}

const RegisterStep step{"characters", &makeCharacters};

} // namespace
} // namespace gendata
