// Data of the character lessons: the pack "Data/kjfile/XHZ.dat" with a movie per
// character ("XHZ1".."XHZ30") in which the character is written stroke by stroke in a
// writing grid, its pinyin appearing above it; and the spoken characters and words
// "Data/Sound/<character>.mp3", "Data/Sound/<word>.mp3" (the words' pictures are in
// the picture catalogue).
#include "tools/gendata/Generator.h"
#include "tools/gendata/LanguageMedia.h"
#include "tools/gendata/Speech.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/PackWriter.h"
#include "tools/lib/SwfWriter.h"

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
constexpr int kFramesPerStroke = 8;
const QPointF kCentre(200, 225);

// The pieces of a glyph that stand apart, each with its holes, in writing order:
// from the top down, and left to right among pieces that start at about the same height.
std::vector<QPainterPath> strokes(const QPainterPath& glyph) {
    const QList<QPolygonF> contours = glyph.toSubpathPolygons();
    std::vector<int> owner(size_t(contours.size()), -1);
    for (int i = 0; i < contours.size(); ++i)
        for (int j = 0; j < contours.size(); ++j)
            if (i != j && !contours[i].isEmpty() &&
                contours[j].boundingRect().contains(contours[i].boundingRect()) &&
                contours[j].containsPoint(contours[i].first(), Qt::OddEvenFill) &&
                (owner[size_t(i)] < 0 ||
                 contours[owner[size_t(i)]].boundingRect().contains(contours[j].boundingRect())))
                owner[size_t(i)] = j;
    std::vector<QPainterPath> pieces;
    QHash<int, size_t> pieceOf;
    for (int i = 0; i < contours.size(); ++i)
        if (owner[size_t(i)] < 0) {
            pieceOf.insert(i, pieces.size());
            QPainterPath p;
            p.setFillRule(Qt::OddEvenFill);
            p.addPolygon(contours[i]);
            pieces.push_back(p);
        }
    for (int i = 0; i < contours.size(); ++i)
        if (owner[size_t(i)] >= 0 && pieceOf.contains(owner[size_t(i)]))
            pieces[pieceOf[owner[size_t(i)]]].addPolygon(contours[i]);
    std::sort(pieces.begin(), pieces.end(), [](const QPainterPath& a, const QPainterPath& b) {
        const QRectF ra = a.boundingRect(), rb = b.boundingRect();
        if (std::abs(ra.top() - rb.top()) > 24)
            return ra.top() < rb.top();
        return ra.left() < rb.left();
    });
    return pieces;
}

// How much of a stroke shows at `t` (0..1): wide strokes are written from the left,
// the others from the top.
QPainterPath partOf(const QPainterPath& stroke, qreal t) {
    const QRectF r = stroke.boundingRect().adjusted(-2, -2, 2, 2);
    QRectF shown = r;
    if (r.width() > r.height() * 1.3)
        shown.setWidth(r.width() * t);
    else
        shown.setHeight(r.height() * t);
    QPainterPath clip;
    clip.addRect(shown);
    return stroke.intersected(clip);
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

QByteArray characterMovie(const QString& character, const QString& pinyin) {
    SwfWriter w(kStage, 12, 8);
    w.setCompression('C');
    w.setBackgroundColor(QColor(0xe6, 0xf6, 0xff));
    tools::SwfTimeline& root = w.root();
    root.place(0, 1, w.defineShape(gridShape()));

    QFont font = cjkFont(250, QFont::Bold);
    font.setFamilies({QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    QPainterPath glyph = textPath(character, font);
    glyph.translate(kCentre);
    const std::vector<QPainterPath> pieces = strokes(glyph);
    const ShapeFill ink = ShapeFill::solid(QColor(0x22, 0x22, 0x2a));
    const ShapeFill wet = ShapeFill::solid(QColor(0xe0, 0x30, 0x28));
    int frame = 4;
    for (size_t k = 0; k < pieces.size(); ++k) {
        for (int f = 1; f <= kFramesPerStroke; ++f) {
            const QPainterPath part = partOf(pieces[k], qreal(f) / kFramesPerStroke);
            if (!part.isEmpty())
                root.place(frame, 3, w.defineShape(SwfShape().add(part, wet)));
            ++frame;
        }
        root.remove(frame, 3);
        root.place(frame, 10 + int(k), w.defineShape(SwfShape().add(pieces[k], ink)));
        frame += 2;
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
    const QList<QStringList> rows = contentRows(out, QStringLiteral("chinese/xhz.txt"));
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
                 characterMovie(character, pinyin));
        const SpokenAt at(QStringLiteral("content/chinese/xhz.txt: ") + character);
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
