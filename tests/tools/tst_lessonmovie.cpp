// Lesson movies read back frame by frame: a game waits on its start frame even when the
// player plays on from there, each round counts only its right answer, and no spoken line
// is cut off by the next one. And the rules lines of text are broken by.
#include "flashhost/swf/Swf.h"
#include "tools/lib/LessonMovie.h"
#include "tools/lib/LessonText.h"
#include "tools/lib/SwfWriter.h"

#include <QtTest>
#include <map>

using namespace tools::lesson;

namespace {

// One MP3 frame of silence lasts 1152 samples at 44.1 kHz; a text "lasts" a frame per
// character, so lines of different lengths last differently.
QByteArray silence(int frames) {
    QByteArray one = QByteArray::fromHex("fffb9064") + QByteArray(413, '\0');
    return one.repeated(std::max(1, frames));
}

int u16(const QByteArray& b, qsizetype at) {
    return at + 1 < b.size() ? quint8(b[at]) | quint8(b[at + 1]) << 8 : -1;
}

Media media() {
    return {[](const QString& text, bool) { return silence(int(text.size()) * 8); },
            [](Chime) { return silence(10); },
            {},
            {},
            {}};
}

struct Frame {
    QList<QByteArray> actions;
    QList<int> sounds, buttons; // started sounds; buttons placed
};

// The root timeline by frame, and every button's release actions.
std::vector<Frame> frames(const QByteArray& file, std::map<int, QByteArray>& buttonActions,
                          std::map<int, int>& soundLength) {
    const auto movie = swf::parse(file);
    std::vector<Frame> out(1);
    for (const swf::Tag& t : movie->tags) {
        const int id = u16(t.body, 0);
        if (t.code == swf::kTagShowFrame)
            out.emplace_back();
        else if (t.code == swf::kTagDoAction)
            out.back().actions << t.body;
        else if (t.code == swf::kTagStartSound && !((u16(t.body, 1) >> 8) & 0x20)) // not a stop
            out.back().sounds << id;
        else if (t.code == swf::kTagDefineSound) // samples, all at 44.1 kHz here
            soundLength[id] = u16(t.body, 3) | u16(t.body, 5) << 16;
        else if (t.code == swf::kTagDefineButton2)
            buttonActions[id] = t.body.mid(3 + u16(t.body, 3) + 4);
        else if (t.code == swf::kTagPlaceObject2 && (u16(t.body, 0) & 0x02) &&
                 buttonActions.count(u16(t.body, 3)))
            out.back().buttons << u16(t.body, 3);
    }
    return out;
}

QByteArray gotoFrame(int frame) {
    return QByteArray::fromHex("810200") + char(frame & 0xFF) + char(frame >> 8);
}

Script game(int rounds) {
    QString s = QStringLiteral("title: 数星星\nkind: game\nscene: ⭐\nsay: 数一数。\n");
    for (int i = 0; i < rounds; ++i)
        s += QStringLiteral("q: ⭐⭐ 有几颗星星？ | 1 | 2* | 3\n");
    return parseScript(s, {}, QStringLiteral("数星星"));
}

} // namespace

class TestLessonMovie : public QObject {
    Q_OBJECT
private slots:
    void gameWaitsOnItsStartFrame_data();
    void gameWaitsOnItsStartFrame();
    void eachRoundCountsOnlyItsRightAnswer();
    void noLineCutOffByTheNext();
    void noPictureReplacedWhereItStands();
    void linesBreakWhereTheyMay_data();
    void linesBreakWhereTheyMay();
    void eachSpokenTextNamesItsOwnLine_data();
    void eachSpokenTextNamesItsOwnLine();
};

void TestLessonMovie::gameWaitsOnItsStartFrame_data() {
    QTest::addColumn<int>("start");
    QTest::newRow("from the first frame") << 0;
    QTest::newRow("after a short opening") << 12;
    QTest::newRow("after a long opening") << 120;
}

void TestLessonMovie::gameWaitsOnItsStartFrame() {
    QFETCH(int, start);
    const Script script = game(5);
    Look look{
        QStringLiteral("数学游戏"), Qt::red, 1, script.title, script.title, false, {}, start, true};
    std::map<int, QByteArray> buttons;
    std::map<int, int> sounds;
    const auto f = frames(lessonMovie(&script, look, media()), buttons, sounds);
    QVERIFY(int(f.size()) > start + 2);
    QCOMPARE(f[start].actions, QList<QByteArray>{QByteArray::fromHex("0700")});
    // A player that plays on from the start frame is sent back to it, hearing nothing.
    QCOMPARE(f[start + 1].actions,
             QList<QByteArray>{gotoFrame(start) + QByteArray::fromHex("0700")});
    QVERIFY(f[start].sounds.isEmpty() && f[start + 1].sounds.isEmpty());
    QCOMPARE(f[start].buttons.size(), 1);
    QCOMPARE(buttons.at(f[start].buttons[0]), gotoFrame(start + 2) + QByteArray::fromHex("0600"));
}

void TestLessonMovie::eachRoundCountsOnlyItsRightAnswer() {
    const Script script = game(6);
    const Look look{
        QStringLiteral("趣味游戏"), Qt::blue, 2, script.title, script.title, false, {}, 0, true};
    std::map<int, QByteArray> buttons;
    std::map<int, int> sounds;
    const auto f = frames(lessonMovie(&script, look, media()), buttons, sounds);
    const QByteArray counts = QByteArray::fromHex("1c501d"); // score = score + 1
    int rounds = 0;
    for (int at = 1; at < int(f.size()); ++at) {
        // A round stands still with the answers and the button to hear it again.
        if (f[at].actions != QList<QByteArray>{QByteArray::fromHex("0700")} ||
            f[at].buttons.size() < 3)
            continue;
        ++rounds;
        QSet<QByteArray> right, wrong;
        for (int id : f[at].buttons) {
            const QByteArray a = buttons.at(id), jump = a.right(7); // goto, play, end
            if (u16(jump, 3) <= at)
                continue; // hearing the question again
            (a.contains(counts) ? right : wrong) << jump;
        }
        QCOMPARE(right.size(), 1);
        QCOMPARE(wrong.size(), 1); // both wrong answers go to the same place
        QVERIFY(right != wrong);
    }
    QCOMPARE(rounds, 6);
}

void TestLessonMovie::noLineCutOffByTheNext() {
    const Script script = parseScript(
        QStringLiteral("title: 小猫\nkind: story\nscene: 🐱\nsay: 小猫起床了。\nsay: "
                       "它洗了洗脸，吃了一大碗鱼，又跑到院子里去晒太阳。\nscene: 🐟\nsay: 鱼。\n"
                       "scene: 🌞\nsay: 太阳暖洋洋的，小猫睡着了。\nmoral: 早睡早起身体好。\n"),
        {}, QStringLiteral("小猫"));
    const Look look{QStringLiteral("童话故事"),
                    Qt::darkGreen,
                    3,
                    script.title,
                    script.title,
                    false,
                    {},
                    5,
                    false};
    std::map<int, QByteArray> buttons;
    std::map<int, int> sounds;
    const auto f = frames(lessonMovie(&script, look, media()), buttons, sounds);
    int said = 0, freeFrom = 0;
    for (int at = 0; at < int(f.size()); ++at)
        for (int id : f[at].sounds) {
            QVERIFY2(at >= freeFrom, qPrintable(QStringLiteral("frame %1").arg(at)));
            freeFrom = at + int(std::ceil(sounds.at(id) / 44100.0 * 12));
            ++said;
        }
    QCOMPARE(said, 6); // the title and the five lines
    QVERIFY(int(f.size()) >= freeFrom);
}

// The speech record names each spoken text by the script line it is written on: the
// lines of each kind after an author line, which opens the scene.
void TestLessonMovie::eachSpokenTextNamesItsOwnLine_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("expected"); // "line:text" of each spoken text in order
    const QString poem = QStringLiteral("title: 咏鹅\nkind: poem\nscene: 🦢\n"
                                        "author: 唐 · 骆宾王\n"
                                        "poem: 鹅，鹅，鹅，| é é é\n");
    QTest::newRow("poem lines") << poem + QStringLiteral("poem: 白毛浮绿水，| bái máo fú lǜ shuǐ\n")
                                << QStringList{QStringLiteral("1:咏鹅"),
                                               QStringLiteral("4:唐 ， 骆宾王"),
                                               QStringLiteral("5:鹅，鹅，鹅，"),
                                               QStringLiteral("6:白毛浮绿水，")};
    QTest::newRow("a told line after a poem")
        << poem + QStringLiteral("say: 一群大白鹅。\n")
        << QStringList{QStringLiteral("1:咏鹅"), QStringLiteral("4:唐 ， 骆宾王"),
                       QStringLiteral("5:鹅，鹅，鹅，"), QStringLiteral("6:一群大白鹅。")};
    QTest::newRow("word cards")
        << QStringLiteral("title: 字\nkind: pinyin\nscene: 🦖\nauthor: 小朋友\n"
                          "word: 🦖 恐龙 kǒnglóng\nword: 🐞 瓢虫 piáochóng\n")
        << QStringList{QStringLiteral("1:字"), QStringLiteral("4:小朋友"), QStringLiteral("5:恐龙"),
                       QStringLiteral("6:瓢虫")};
}

void TestLessonMovie::eachSpokenTextNamesItsOwnLine() {
    QFETCH(QString, script);
    QFETCH(QStringList, expected);
    // Two scenes more, as a lesson has at least three.
    const qsizetype n = script.count(QLatin1Char('\n'));
    script += u"scene: 🌞\nsay: 太阳。\nscene: 🌙\nsay: 月亮。\n"_qs;
    expected << QStringLiteral("%1:太阳。").arg(n + 2) << QStringLiteral("%1:月亮。").arg(n + 4);
    const Script parsed = parseScript(script, {}, script.section(QLatin1Char('\n'), 0, 0).mid(7));
    const Look look{
        QStringLiteral("课"), Qt::darkGreen, 1, parsed.title, parsed.title, false, {}, 5, false};
    int line = -1;
    QStringList said;
    Media m = media();
    const auto note = [&](const QString& text) {
        if (line > 0) // the title card speaks as line 0
            said << QStringLiteral("%1:%2").arg(line).arg(text);
        return silence(int(text.size()) * 8);
    };
    m.speech = [&](const QString& text, bool) { return note(text); };
    m.pinyinSpeech = [&](const QString& text, const QString&) { return note(text); };
    m.spokenLine = [&](int at) { line = at; };
    lessonMovie(&parsed, look, m);
    QCOMPARE(said, expected);
}

void TestLessonMovie::linesBreakWhereTheyMay_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qreal>("width");
    QTest::newRow("closing punctuation stays on its line")
        << QStringLiteral("一二三四五六七八九十，一二三四。") << 300.0;
    QTest::newRow("a clause that fits stays whole")
        << QStringLiteral("小兔子跳呀跳，跳到了河边的大树下。") << 360.0;
    QTest::newRow("English breaks between words")
        << QStringLiteral("Mimi plays with a ball of wool in the garden.") << 300.0;
    QTest::newRow("a word longer than the line stands alone")
        << QStringLiteral("a supercalifragilistic word") << 120.0;
}

void TestLessonMovie::linesBreakWhereTheyMay() {
    QFETCH(QString, text);
    QFETCH(qreal, width);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(32);
    const QStringList lines = wrapText(text, font, width);
    QVERIFY(lines.size() > 1);
    QCOMPARE(lines.join(QString()).remove(' '), QString(text).remove(' '));
    const QString closing = QStringLiteral("，。！？、；：,.!?");
    for (const QString& l : lines) {
        QVERIFY2(!closing.contains(l[0]), qPrintable(l));
        QVERIFY2(textWidth(l, font) <= width || !l.contains(' '), qPrintable(l));
    }
    if (text.contains(QStringLiteral("跳呀跳")))
        QVERIFY(lines.contains(QStringLiteral("小兔子跳呀跳，")));
    if (text.startsWith(QLatin1String("Mimi")))
        for (const QString& l : lines)
            QVERIFY2(QString(' ' + text + ' ').contains(' ' + l + ' '), qPrintable(l));
}

// A picture that turns into another character (a glide ending in a bobbing sprite) is
// taken off and put back: a player may keep the old picture where a placement replaces it,
// and the one that glided in would then stay, at its own size, for the lesson's.
void TestLessonMovie::noPictureReplacedWhereItStands() {
    const Script script = parseScript(
        QStringLiteral("title: 比高矮\nkind: maths\nscene: 🦒 🐒\nsizes: 100 45\n"
                       "say: 长颈鹿高，小猴子矮。\nscene: 🌳 🌷 🍄\nsay: 大树最高。\n"
                       "scene: 🧱\nstacks: 🧱 6 | 🧱 4\nsay: 6块的塔高。\n"
                       "q: 🦒🐰 谁高？ | 🦒* | 🐰\nsizes: 100 40\n"),
        {}, QStringLiteral("比高矮"));
    const Look look{QStringLiteral("数学课件"),
                    Qt::darkBlue,
                    4,
                    script.title,
                    script.title,
                    false,
                    {},
                    0,
                    false};
    const auto movie = swf::parse(lessonMovie(&script, look, media()));
    QVERIFY(movie);
    int frame = 0, placed = 0;
    for (const swf::Tag& t : movie->tags) {
        frame += t.code == swf::kTagShowFrame;
        if (t.code != swf::kTagPlaceObject2)
            continue;
        ++placed;
        const int flags = quint8(t.body[0]);
        QVERIFY2((flags & 0x03) != 0x03,
                 qPrintable(QStringLiteral("frame %1, depth %2").arg(frame).arg(u16(t.body, 1))));
    }
    QVERIFY(placed > 20);
}

QTEST_MAIN(TestLessonMovie)
#include "tst_lessonmovie.moc"
