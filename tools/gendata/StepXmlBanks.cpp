// The question banks of the three quizzes (counting, positions, mixed mathematics),
// their pictures, and the quiz windows' own pictures.
//
// The banks are written from content/xml/ after checking them: at least twelve topics,
// unique topic texts, every picture drawn. The positions bank is stored in GBK under a
// GB2312 declaration, the way such banks are found in the wild. The pictures follow
// the recipes in content/xml/pictures.txt.
#include "platform/Gbk.h"
#include "tools/gendata/Generator.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/Landscape.h"
#include "tools/lib/SceneArt.h"

#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <algorithm>

namespace gendata {
namespace {

using namespace tools::art;

[[noreturn]] void fail(const QString& what) {
    throw std::runtime_error(("question banks: " + what).toStdString());
}

// ---------------------------------------------------------------- banks

struct BankFile {
    const char* source; // under content/xml/
    const char* data;   // under the program folder
    bool gbk;           // stored in GBK with a GB2312 declaration
};

const BankFile kBanks[] = {
    {"数一数.xml", "Data/XML/数一数.xml", false},
    {"认位置.xml", "Data/XML/认位置.xml", true},
    {"sxzhlx.xml", "Data/XML/sxzhlx.xml", false},
};

// Checks a bank as the quizzes will read it; returns the pictures it uses.
QSet<QString> checkBank(const QString& name, const QByteArray& utf8) {
    QXmlStreamReader xml(utf8);
    QSet<QString> topics, pictures;
    int depth = 0, count = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement)
            --depth;
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        if (depth != 2 || xml.name() != QLatin1String("list"))
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const QString topic = a.value(QLatin1String("Topic")).toString();
        if (topic.isEmpty() || topic.contains(QLatin1Char('"')) || topics.contains(topic))
            fail(name + ": missing, quoted or repeated topic \"" + topic + "\"");
        topics.insert(topic);
        ++count;
        const QString type = a.value(QLatin1String("TopicType")).toString();
        const QString key = a.value(QLatin1String("TopicKey")).toString();
        static const QRegularExpression letter(QStringLiteral("^[A-Da-d]$"));
        static const QRegularExpression picks(QStringLiteral("^[1-6](,[1-6])*$"));
        if (!(type == "0" || type == "2" ? picks : letter).match(key).hasMatch())
            fail(name + ": bad key of \"" + topic + "\"");
        for (int k = 1; k <= 6; ++k) {
            const QString pic = a.value(QStringLiteral("pic%1").arg(k)).toString().trimmed();
            if (!pic.isEmpty())
                pictures.insert(pic);
        }
    }
    if (xml.hasError())
        fail(name + ": " + xml.errorString());
    if (count < 12)
        fail(name + QStringLiteral(": only %1 topics").arg(count));
    return pictures;
}

QByteArray encodeBank(const BankFile& bank, const QByteArray& utf8) {
    if (!bank.gbk)
        return utf8;
    QString text = QString::fromUtf8(utf8);
    const QString declared = QStringLiteral("encoding=\"UTF-8\"");
    const qsizetype at = text.indexOf(declared);
    if (at < 0 || at > text.indexOf(QLatin1String("?>")))
        fail(QString::fromUtf8(bank.source) + ": no UTF-8 declaration to replace");
    text.replace(at, declared.size(), QStringLiteral("encoding=\"GB2312\""));
    const QByteArray gbk = platform::toGbk(text);
    if (platform::fromGbk(gbk) != text)
        fail(QString::fromUtf8(bank.source) + ": holds characters GBK has not");
    return gbk;
}

// ---------------------------------------------------------------- the windows' pictures

struct Theme {
    const char* key; // resource folder
    QString title;   // drawn top left
    QColor skyTop, skyBottom;
    QColor edge;    // the board's edge, the panels' border
    QString mascot; // beside the question
    QPoint topic;   // where the question label is
    QPoint counters[3];
    QSize judge, fh;
    bool next;
};

const Theme kThemes[] = {
    {"sys",
     QStringLiteral("数一数"),
     QColor(0xff, 0xb8, 0x5c),
     QColor(0xff, 0xf0, 0xc4),
     QColor(0xf5, 0x9b, 0x16),
     QStringLiteral("🐥"),
     {120, 80},
     {{382, 33}, {596, 32}, {806, 31}},
     {140, 90},
     {110, 97},
     true},
    {"rwz",
     QStringLiteral("认位置"),
     QColor(0x7c, 0xcc, 0xff),
     QColor(0xe2, 0xf6, 0xff),
     QColor(0x2f, 0xb0, 0x48),
     QStringLiteral("🐼"),
     {120, 80},
     {{382, 33}, {599, 31}, {806, 32}},
     {140, 90},
     {110, 97},
     true},
    {"zhlx",
     QStringLiteral("综合练习"),
     QColor(0x96, 0xa8, 0xff),
     QColor(0xea, 0xee, 0xff),
     QColor(0x3c, 0x70, 0xe0),
     QStringLiteral("🦉"),
     {136, 79},
     {{382, 33}, {598, 34}, {804, 31}},
     {140, 88},
     {120, 91},
     false},
};

const QList<QColor> kTitleColours = {QColor(0xff, 0x4d, 0x5e), QColor(0xff, 0x9a, 0x1f),
                                     QColor(0xff, 0xd0, 0x1f), QColor(0x3c, 0xc4, 0x53),
                                     QColor(0x2e, 0x9b, 0xff), QColor(0xa8, 0x5c, 0xf6)};

QImage background(const Theme& t) {
    QImage img = canvas({900, 675}, t.skyBottom);
    QPainter p(&img);
    prepare(p);
    const qreal right = t.next ? 430 : 575; // where the buttons along the bottom begin
    Landscape land;
    land.sky = QRectF(0, 0, 900, 600);
    land.skyTop = t.skyTop;
    land.skyBottom = t.skyBottom;
    land.ground = QRectF(0, 0, 900, 675);
    land.horizon = 590;
    land.flowers = {{{40, 660}, 34, QColor(0xff, 0x7a, 0xa8)},
                    {{92, 668}, 26, QColor(0xff, 0xe0, 0x4a)},
                    {{right - 40, 662}, 30, QColor(0xa8, 0x7c, 0xff)}};
    drawLandscape(p, land);
    drawLogo(p, QRectF(14, 6, 270, 64), t.title, kTitleColours);

    // The counters: a caption and a dark plate for the number.
    const QString captions[] = {QStringLiteral("答题"), QStringLiteral("答对"),
                                QStringLiteral("答错")};
    const QColor captionColours[] = {QColor(0xc8, 0x1e, 0xc8), QColor(0xe8, 0x8a, 0x00),
                                     QColor(0xe0, 0x24, 0x24)};
    for (int i = 0; i < 3; ++i) {
        const QPoint at = t.counters[i];
        const QRectF pill(at.x() - 80, at.y() - 8, 57 + 80 + 8, 33 + 16);
        QPainterPath path;
        path.addRoundedRect(pill, pill.height() / 2, pill.height() / 2);
        drawSoftShadow(p, path, QColor(0, 0, 0, 60), 3, {0, 3});
        p.fillPath(path, QColor(255, 255, 255, 235));
        p.strokePath(path, QPen(t.edge, 3));
        QPainterPath plate;
        plate.addRoundedRect(QRectF(at.x() - 2, at.y() - 3, 61, 39), 14, 14);
        p.fillPath(plate, QColor(0x2a, 0x23, 0x50));
        TextStyle cap;
        cap.font = cjkFont(22, QFont::Black);
        cap.fill = captionColours[i];
        drawText(p, QRectF(pill.left() + 8, pill.top(), 70, pill.height()), captions[i], cap);
    }

    // The mascot asking the question (the question label draws its own band).
    drawEmoji(p, QRectF(t.topic.x() - 80, t.topic.y() - 12, 58, 58), t.mascot);

    // The board the answer panels lie on.
    const QRectF board(8, 124, 883, 425);
    QPainterPath boardPath;
    boardPath.addRect(board);
    drawSoftShadow(p, boardPath, QColor(0, 0, 0, 70), 6, {0, 4});
    p.fillRect(board, QColor(255, 252, 240, 240));
    p.setPen(QPen(t.edge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(board.adjusted(0, 0, -1, -1));
    p.setPen(QPen(shade(t.edge, 0.55), 4));
    p.drawRect(board.adjusted(3, 3, -4, -4));

    // Little friends in the grass, left of the buttons.
    drawEmoji(p, QRectF(150, 590, 60, 60), QStringLiteral("🐞"));
    drawEmoji(p, QRectF(right - 130, 575, 64, 64), QStringLiteral("🦋"));
    drawStar(p, {right - 200, 612}, 14, QColor(0xff, 0xd0, 0x1f));
    drawSparkle(p, {250, 575}, 10, QColor(255, 255, 255, 230));
    return img;
}

QImage greyed(const QImage& image) {
    QImage g = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < g.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(g.scanLine(y));
        for (int x = 0; x < g.width(); ++x) {
            const int v = qGray(line[x]);
            const int light = 150 + v * 95 / 255;
            line[x] = qRgba(light, light, light, qAlpha(line[x]) * 3 / 4);
        }
    }
    return g;
}

// A picture on a transparent canvas, centred.
QImage centred(QSize size, const QImage& picture) {
    QImage img = canvas(size);
    QPainter p(&img);
    p.drawImage((size.width() - picture.width()) / 2, (size.height() - picture.height()) / 2,
                picture);
    return img;
}

QImage checkBox(bool ticked) {
    QImage img = canvas({22, 22});
    QPainter p(&img);
    prepare(p);
    QPainterPath box;
    box.addRoundedRect(QRectF(1.5, 1.5, 19, 19), 5, 5);
    p.fillPath(box, ticked ? QColor(0x3c, 0xc4, 0x53) : Qt::white);
    p.strokePath(box, QPen(ticked ? QColor(0x23, 0x8a, 0x34) : QColor(0xff, 0x8a, 0x1f), 2.5));
    if (ticked) {
        QPainterPath tick;
        tick.moveTo(5.5, 11.5);
        tick.lineTo(9.5, 15.5);
        tick.lineTo(16.5, 6.5);
        p.strokePath(tick, QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    return img;
}

void writeFormArt(Output& out) {
    for (const Theme& t : kThemes) {
        const QString base = QStringLiteral("quiz/") + QLatin1String(t.key) + QLatin1Char('/');
        out.writeResource(base + "imgbg.jpg", jpeg(background(t), 90));
        const CardStyle judge{t.judge, QColor(0x3c, 0xb8, 0x4a), QStringLiteral("判断"),
                              emojiArt(QStringLiteral("👍")), 26};
        out.writeResource(base + "imgjudge.png", png(cardButton(judge, State::Rest)));
        out.writeResource(base + "imgjudge1.png", png(cardButton(judge, State::Hover)));
        out.writeResource(base + "imgjudge2.png", png(cardButton(judge, State::Pressed)));
        out.writeResource(base + "imgjudge3.png", png(greyed(cardButton(judge, State::Rest))));
        if (t.next) {
            const CardStyle next{{140, 90},
                                 QColor(0x2e, 0x8c, 0xf0),
                                 QStringLiteral("下一题"),
                                 emojiArt(QStringLiteral("👉")),
                                 26};
            out.writeResource(base + "imgnext.png", png(cardButton(next, State::Rest)));
            out.writeResource(base + "imgnext1.png", png(cardButton(next, State::Hover)));
            out.writeResource(base + "imgnext2.png", png(cardButton(next, State::Pressed)));
        }
        const CardStyle fh{t.fh, QColor(0xf0, 0x5a, 0x3c), QStringLiteral("返回"),
                           emojiArt(QStringLiteral("🏠")), 26};
        out.writeResource(base + "imgfh.png", png(cardButton(fh, State::Rest)));
        out.writeResource(base + "imgfh1.png", png(cardButton(fh, State::Hover)));
        out.writeResource(base + "imgfh2.png", png(cardButton(fh, State::Pressed)));
    }
    out.writeResource(QStringLiteral("quiz/imgright.png"), png(centred({106, 89}, tickSign(89))));
    out.writeResource(QStringLiteral("quiz/imgwrong.png"), png(centred({122, 67}, crossSign(67))));
    out.writeResource(QStringLiteral("quiz/chk0.png"), png(checkBox(false)));
    out.writeResource(QStringLiteral("quiz/chk1.png"), png(checkBox(true)));
}

void makeXmlBanks(Output& out) {
    const QString source = QStringLiteral("xml/pictures.txt");
    const QList<PictureRecipe> recipes =
        readPictureRecipes(QString::fromUtf8(out.content(source)), source);
    QSet<QString> drawn;
    for (const PictureRecipe& s : recipes) {
        if (drawn.contains(s.file))
            fail("picture listed twice: " + s.file);
        drawn.insert(s.file);
    }
    QSet<QString> used;
    for (const BankFile& bank : kBanks) {
        const QByteArray utf8 =
            out.content(QStringLiteral("xml/") + QString::fromUtf8(bank.source));
        const QSet<QString> pictures = checkBank(QString::fromUtf8(bank.source), utf8);
        for (const QString& pic : pictures)
            if (!drawn.contains(pic))
                fail(QString::fromUtf8(bank.source) + " uses a picture not drawn: " + pic);
        used += pictures;
        out.writeData(QString::fromUtf8(bank.data), encodeBank(bank, utf8));
    }
    for (const PictureRecipe& s : recipes) {
        if (!used.contains(s.file))
            fail("picture no bank uses: " + s.file);
        const QByteArray bytes = png(drawPicture(s));
        out.writeData(QStringLiteral("Data/picture/zhlx/") + s.file, bytes);
    }
    writeFormArt(out);
}

const RegisterStep step{"xmlbanks", &makeXmlBanks};

} // namespace
} // namespace gendata
