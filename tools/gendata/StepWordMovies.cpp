// The word movies of the word browser, "Data/kjfile/Fword.dat": one "Flash" item per
// word of content/language/fword.txt, named by the word (611x441). Each shows the word
// growing in with its picture, speaks it in English, then shows and speaks its meaning.
#include "tools/gendata/Generator.h"
#include "tools/gendata/Packs.h"
#include "tools/gendata/Speech.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/SwfWriter.h"

#include <QPainter>

namespace gendata {
namespace {

namespace art = tools::art;
using tools::Pose;
using tools::ShapeFill;
using tools::ShapeLine;
using tools::SwfShape;
using tools::SwfWriter;

constexpr QSize kStage(611, 441);
constexpr int kRate = 12;

QImage textImage(const QString& text, const art::TextStyle& style, QSize size) {
    QImage img = art::canvas(size);
    QPainter p(&img);
    art::prepare(p);
    art::TextStyle s = style;
    s.font = art::fitFont(s.font, text, size.width() - 16);
    art::drawText(p, QRectF(QPointF(), size), text, s);
    return img;
}

QByteArray wordMovie(Output& out, const QStringList& f, int index) {
    const QString word = f[0], meaning = f[1], spoken = f[2], emoji = f[3];
    const QColor colour = QColor::fromHsv((index * 47) % 360, 150, 245);
    SwfWriter w(kStage, kRate, 8);
    w.setCompression('C');
    w.setBackgroundColor(art::mix(colour, Qt::white, 0.82));
    tools::SwfTimeline& root = w.root();
    const int total = 60;
    root.ensureFrames(total);

    SwfShape scene;
    scene.roundedRect(QRectF(24, 20, 563, 401), 34, ShapeFill::solid(QColor(0xff, 0xfd, 0xf6)),
                      ShapeLine{6, colour});
    scene.ellipse(QRectF(520, -40, 120, 120), ShapeFill::solid(QColor(0xff, 0xd8, 0x3a)));
    int depth = 1;
    root.place(0, depth++, w.defineShape(scene));

    art::TextStyle wordStyle;
    wordStyle.font = art::cjkFont(92, QFont::Black);
    wordStyle.fill = QColor::fromHsv((index * 47 + 200) % 360, 230, 200);
    wordStyle.outline = Qt::white;
    wordStyle.outlineWidth = 6;
    wordStyle.shadow = QColor(0, 0, 0, 70);
    const int wordShape =
        w.defineImageShape(textImage(word, wordStyle, {520, 130}), QPointF(260, 65));
    root.tween(depth++, wordShape, 0, 8, Pose::at({305, 110}, 0.2, 0.3), Pose::at({305, 110}));

    QImage pic = art::canvas({150, 150});
    {
        QPainter p(&pic);
        art::prepare(p);
        if (!art::drawEmoji(p, QRectF(7, 7, 136, 136), emoji))
            art::drawStar(p, QPointF(75, 75), 60, QColor(0xff, 0xd0, 0x1f));
    }
    const int picShape = w.defineImageShape(pic, QPointF(75, 75));
    root.tween(depth++, picShape, 4, 10, Pose::at({-80, 250}, 0.6, 1, -30), Pose::at({150, 250}));

    art::TextStyle meaningStyle;
    meaningStyle.font = art::cjkFont(56);
    meaningStyle.fill = QColor(0x8a, 0x1c, 0x1c);
    meaningStyle.outline = Qt::white;
    meaningStyle.outlineWidth = 4;
    const int meaningShape = w.defineImageShape(
        textImage(QStringLiteral("[ ") + meaning + QStringLiteral(" ]"), meaningStyle, {340, 110}),
        QPointF(170, 55));
    root.tween(depth++, meaningShape, 24, 6, Pose::at({400, 260}, 1, 0), Pose::at({400, 260}));

    root.startSound(2, w.defineSound(speak(out, word, Voice::English, 125)));
    root.startSound(26, w.defineSound(speak(out, spoken)));
    SwfShape star;
    QPainterPath path;
    path.addEllipse(QPointF(), 9, 9);
    star.add(path, ShapeFill::solid(QColor(0xff, 0xd0, 0x1f)));
    const int starShape = w.defineShape(star);
    const QPointF stars[] = {{70, 380}, {540, 380}, {560, 60}};
    for (int i = 0; i < 3; ++i)
        root.tween(depth++, starShape, 30 + i * 4, 10, Pose::at(stars[i], 0.2),
                   Pose::at(stars[i], 1.2));
    root.stop(total - 1);
    return w.finish();
}

QList<PackItem> wordMovies(Output& out) {
    const QStringList lines =
        QString::fromUtf8(out.content(QStringLiteral("language/fword.txt"))).split('\n');
    QList<PackItem> items;
    int number = 0;
    for (const QString& line : lines) {
        ++number;
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const SpokenAt at(QStringLiteral("content/language/fword.txt:%1").arg(number));
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 4)
            throw std::runtime_error("bad line in language/fword.txt: " + line.toStdString());
        items.append({f[0], QStringLiteral("Flash"), wordMovie(out, f, int(items.size()))});
    }
    return items;
}

const AddToPack pack{"Data/kjfile/Fword.dat", "wordmovies", &wordMovies};

} // namespace
} // namespace gendata
