// Data of the idiom lessons and the Three Character Classic: per idiom its picture
// "Data/picture/xchy/<idiom>.jpg", the spoken idiom "Data/Sound/<idiom>.mp3", its
// spoken explanation and example "Data/sound/xchy/<idiom>1.mp3" and "...2.mp3", and a
// movie in the pack "Data/kjfile/cy.dat" ("CY1".."CY51": the picture, the four
// characters dropping in one by one and the explanation, spoken); and the pack
// "Data/kjfile/SZJ.dat" with a movie per section of the classic ("SZJ1".."SZJ17":
// its lines appearing one by one on a scroll while they are read).
#include "tools/gendata/Generator.h"
#include "tools/gendata/LanguageMedia.h"
#include "tools/gendata/Speech.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/LessonText.h"
#include "tools/lib/PackWriter.h"
#include "tools/lib/SwfWriter.h"

#include <QHash>
#include <algorithm>

namespace gendata {
namespace {

using namespace tools::art;
using tools::Pose;
using tools::ShapeFill;
using tools::ShapeLine;
using tools::SwfShape;
using tools::SwfWriter;

SwfShape& addText(SwfShape& s, const QString& text, const QFont& font, QPointF centre,
                  const QColor& fill, const QColor& outline, qreal width) {
    QPainterPath path = textPath(text, font);
    path.translate(centre);
    return s.add(path, ShapeFill::solid(fill), ShapeLine{width, outline});
}

QByteArray idiomMovie(const QString& idiom, const QString& explanation, const QImage& picture,
                      const QByteArray& mp3, int index) {
    const QColor colour = paletteColour(index);
    SwfWriter w(QSize(614, 470), 12, 8);
    w.setCompression('C');
    w.setBackgroundColor(mix(colour, Qt::white, 0.85));
    tools::SwfTimeline& root = w.root();
    SwfShape board;
    board.roundedRect(QRectF(14, 14, 586, 442), 30, ShapeFill::solid(QColor(0xff, 0xfd, 0xf6)),
                      ShapeLine{6, colour});
    root.place(0, 1, w.defineShape(board));

    const int pictureId =
        w.defineJpegShape(picture, 80, QPointF(picture.width() / 2.0, picture.height() / 2.0));
    root.tween(2, pictureId, 0, 8, Pose::at({-150, 150}, 0.6, 0.3), Pose::at({160, 150}, 0.9));

    QFont big = cjkFont(78, QFont::Black);
    big.setFamilies({QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    for (int k = 0; k < idiom.size(); ++k) {
        SwfShape ch;
        ch.roundedRect(QRectF(-42, -42, 84, 84), 14, ShapeFill::solid(colour),
                       ShapeLine{3, Qt::white});
        addText(ch, idiom.mid(k, 1), big, {}, Qt::white, shade(colour, -0.5), 1.5);
        const int id = w.defineShape(ch);
        const QPointF at(350 + (k % 2) * 100, 105 + (k / 2) * 100);
        const int first = 8 + k * 5;
        root.tween(3 + k, id, first, 5, Pose::at(at - QPointF(0, 160), 0.5, 0), Pose::at(at, 1, 1));
    }
    SwfShape text;
    // Broken between clauses where it can, never opening a line with punctuation; a long
    // explanation in smaller letters, so that all of it fits in four lines.
    QFont font;
    QStringList lines;
    for (const int px : {26, 23, 20}) {
        font = cjkFont(px, QFont::Bold);
        lines = tools::lesson::wrapText(explanation, font, 540);
        if (lines.size() <= 4)
            break;
    }
    const qreal step = font.pixelSize() + 10;
    for (int l = 0; l < lines.size() && l < 4; ++l)
        addText(text, lines[l], font, {307, 320.0 + l * step}, QColor(0x3a, 0x46, 0x6e), Qt::white,
                1);
    const int last = 8 + int(idiom.size()) * 5;
    root.tween(10, w.defineShape(text), last, 6, Pose::at({0, 20}, 1, 0), Pose::at({0, 0}));
    root.startSound(0, w.defineSound(mp3));
    root.stop(last + 60);
    return w.finish();
}

QByteArray classicMovie(const QString& section, int number, const QByteArray& mp3) {
    const QColor paper(0xfb, 0xf1, 0xd6), wood(0x9c, 0x5a, 0x2a), ink(0x40, 0x22, 0x10);
    SwfWriter w(QSize(560, 460), 12, 8);
    w.setCompression('C');
    w.setBackgroundColor(QColor(0xf6, 0xe3, 0xb4));
    tools::SwfTimeline& root = w.root();
    SwfShape scroll;
    scroll.roundedRect(QRectF(50, 40, 460, 390), 10, ShapeFill::solid(paper),
                       ShapeLine{3, QColor(0xd0, 0xa8, 0x60)});
    scroll.roundedRect(QRectF(30, 26, 500, 22), 11, ShapeFill::solid(wood));
    scroll.roundedRect(QRectF(30, 422, 500, 22), 11, ShapeFill::solid(wood));
    const QString title = QStringLiteral("三字经 · 第%1段").arg(number);
    addText(scroll, title, cjkFont(30, QFont::Black), {280, 86}, QColor(0xc0, 0x30, 0x20),
            Qt::white, 1);
    root.place(0, 1, w.defineShape(scroll));
    QFont font = cjkFont(46, QFont::Bold);
    font.setFamilies({QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    const QStringList lines = section.split(QStringLiteral("\\r"));
    const int per = 30; // frames a line stays the newest
    // Four lines at their ease; a longer section closes up to stay between the rods.
    const qreal step = lines.size() > 1 ? std::min(72.0, 232.0 / qreal(lines.size() - 1)) : 72;
    for (int l = 0; l < lines.size(); ++l) {
        SwfShape line;
        addText(line, lines[l], font, {}, ink, paper, 1);
        const QPointF at(280, 160 + l * step);
        root.tween(2 + l, w.defineShape(line), l * per, 8, Pose::at(at, 0.7, 0), Pose::at(at));
    }
    root.startSound(0, w.defineSound(mp3));
    root.stop(int(lines.size()) * per + 24);
    return w.finish();
}

void makeIdioms(Output& out) {
    QHash<QString, QString> art;
    for (const QStringList& row : contentRows(out, QStringLiteral("chinese/cy_art.txt")))
        art.insert(row[0], row.value(1));
    tools::PackWriter idioms;
    QList<int> lines;
    const QList<QStringList> rows = contentRows(out, QStringLiteral("chinese/cy.txt"), &lines);
    for (int i = 0; i < rows.size(); ++i) {
        const QString idiom = rows[i].value(0), explanation = rows[i].value(1),
                      example = rows[i].value(2);
        const QImage picture = pictureCard({320, 240}, art.value(idiom), idiom, paletteColour(i));
        out.writeData(QStringLiteral("Data/picture/xchy/") + idiom + QStringLiteral(".jpg"),
                      jpeg(picture, 88));
        const SpokenAt at(QStringLiteral("content/chinese/cy.txt:%1").arg(lines[i]));
        out.writeData(QStringLiteral("Data/Sound/") + idiom + QStringLiteral(".mp3"),
                      speak(out, idiom, Voice::Mandarin));
        const QByteArray explained = speak(out, explanation, Voice::Mandarin);
        out.writeData(QStringLiteral("Data/sound/xchy/") + idiom + QStringLiteral("1.mp3"),
                      explained);
        out.writeData(QStringLiteral("Data/sound/xchy/") + idiom + QStringLiteral("2.mp3"),
                      speak(out, example, Voice::Mandarin));
        idioms.add(
            QStringLiteral("CY%1").arg(i + 1), QStringLiteral("Flash"),
            idiomMovie(idiom, explanation, picture.scaled(240, 180),
                       speak(out, idiom + QStringLiteral("。") + explanation, Voice::Mandarin), i));
    }
    out.writeData(QStringLiteral("Data/kjfile/cy.dat"), idioms.build());

    tools::PackWriter classic;
    QList<int> sectionLines;
    const QList<QStringList> sections =
        contentRows(out, QStringLiteral("chinese/szj.txt"), &sectionLines);
    for (int n = 1; n <= sections.size(); ++n) {
        const QString text = sections[n - 1].value(0);
        QString spoken = text;
        spoken.replace(QStringLiteral("\\r"), QString());
        const SpokenAt at(QStringLiteral("content/chinese/szj.txt:%1").arg(sectionLines[n - 1]));
        classic.add(QStringLiteral("SZJ%1").arg(n), QStringLiteral("Flash"),
                    classicMovie(text, n, speak(out, spoken, Voice::Mandarin)));
    }
    out.writeData(QStringLiteral("Data/kjfile/SZJ.dat"), classic.build());
}

const RegisterStep step{"idioms", &makeIdioms};

} // namespace
} // namespace gendata
