// The lessons count right. While a counted row shows, the things of its kind on the board
// are as many as the number said: a picture drawn above the row that a child would count
// with it (a yellow flower beside pink ones) is one too many. A round that asks how many
// of some thing its pictures show has that number as its right answer. Kinds come from a
// table reviewed by hand, not from the writer's own idea of them. Checked over every
// script of every category, so that every counting round is covered.
#include "tools/lib/LessonScript.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QtTest>

using namespace tools::lesson;

namespace {

// What each picture drawn where things are counted is to a child. A picture a script
// shows there and this table lacks is a fault of its own: its kind must be reviewed.
const QHash<QString, QString>& kinds() {
    static const QHash<QString, QString> table = [] {
        static const char* const rows[][2] = {
            {"🌸", "flower"},        {"🌼", "flower"},       {"🌷", "flower"},
            {"🌻", "flower"},        {"🌹", "flower"},       {"🐟", "fish"},
            {"🐠", "fish"},          {"⭐", "star"},         {"🌟", "star"},
            {"🍬", "sweet"},         {"🍭", "sweet"},        {"🐥", "chicken"},
            {"🐤", "chicken"},       {"🐔", "chicken"},      {"🐵", "monkey"},
            {"🐒", "monkey"},        {"🐰", "rabbit"},       {"🐇", "rabbit"},
            {"🚃", "railway"},       {"🚂", "railway"},      {"🍎", "apple"},
            {"🍐", "pear"},          {"🍊", "orange"},       {"🍌", "banana"},
            {"🍑", "peach"},         {"🍓", "strawberry"},   {"🍪", "biscuit"},
            {"🥕", "carrot"},     {"🥚", "egg"},       {"🥛", "milk"},
            {"🎈", "balloon"},       {"🐞", "ladybird"},     {"🐦", "bird"},
            {"🦆", "duck"},       {"🦋", "butterfly"}, {"🐝", "bee"},
            {"🐸", "frog"},          {"🐛", "caterpillar"},  {"🐷", "pig"},
            {"🐙", "octopus"},       {"🐚", "shell"},        {"🐶", "dog"},
            {"🐱", "cat"},           {"🐻", "bear"},         {"🐼", "panda"},
            {"🐢", "turtle"},        {"🐄", "cow"},          {"🐑", "sheep"},
            {"🧒", "child"},      {"👀", "eye"},          {"👂", "ear"},
            {"☀️", "sun"},      {"🌙", "moon"},         {"☁️", "cloud"},
            {"🌬️", "wind"},    {"🌈", "rainbow"},      {"🌊", "water"},
            {"🌳", "tree"},          {"🌾", "grain"},        {"🍀", "leaf"},
            {"🍃", "leaf"},          {"🏠", "house"},        {"🧺", "basket"},
            {"🍽️", "plate"},   {"📦", "box"},          {"🎒", "bag"},
            {"👛", "purse"},         {"🛒", "trolley"},   {"🚌", "bus"},
            {"🚏", "bus stop"},      {"🎉", "party"},        {"⚖️", "scales"},
            {"📏", "ruler"},         {"✏️", "pencil"},  {"🖍️", "crayon"},
            {"🔟", "bundle of ten"}, {"🧱", "brick"},     {"💴", "note"},
            {"🪙", "coin"},       {"🟦", "square"},    {"🔺", "triangle"},
            {"🔴", "red dot"},       {"🔵", "blue dot"},     {"🟢", "green dot"},
            {"🍯", "honey"},         {"💎", "gem"},          {"🏅", "medal"},
            {"🍫", "chocolate"},     {"🕯️", "candle"}, {"🚗", "car"},
            {"🟥", "square"},
        };
        QHash<QString, QString> out;
        for (const auto& [picture, kind] : rows)
            out.insert(QString::fromUtf8(picture), QString::fromUtf8(kind));
        return out;
    }();
    return table;
}

// The words a question names a kind by, in Chinese and in English.
const QList<std::pair<QString, QStringList>>& kindWords() {
    static const QList<std::pair<QString, QStringList>> table = [] {
        static const char* const rows[][2] = {
            {"flower", "花 flower"},
            {"fish", "鱼 fish"},
            {"star", "星 star"},
            {"sweet", "糖 sweet"},
            {"chicken", "鸡 chick"},
            {"monkey", "猴 monkey"},
            {"rabbit", "兔 rabbit"},
            {"railway", "车厢 火车"},
            {"apple", "苹果 apple"},
            {"pear", "梨 pear"},
            {"orange", "橘 orange"},
            {"banana", "香蕉 banana"},
            {"peach", "桃 peach"},
            {"carrot", "萝卜 carrot"},
            {"balloon", "气球 balloon"},
            {"ladybird", "瓢虫 ladybird"},
            {"bee", "蜜蜂 bee"},
            {"frog", "青蛙 frog"},
            {"shell", "贝壳 shell"},
            {"cow", "牛 cow"},
            {"brick", "积木 brick"},
            {"triangle", "三角形"},
            {"red dot", "红色"},
            {"blue dot", "蓝色"},
            {"green dot", "绿色"},
            {"box", "包裹 parcel"},
            {"gem", "宝石"},
            {"medal", "奖牌"},
        };
        QList<std::pair<QString, QStringList>> out;
        for (const auto& [kind, words] : rows)
            out.append({QString::fromUtf8(kind), QString::fromUtf8(words).split(' ')});
        return out;
    }();
    return table;
}

// The number an answer says ("7", "seven"), or -1.
int answerNumber(const QString& answer) {
    static const QStringList english = {"zero", "one",   "two",   "three", "four", "five",
                                        "six",  "seven", "eight", "nine",  "ten"};
    const QString a = answer.trimmed().toLower();
    bool ok = false;
    const int n = a.toInt(&ok);
    if (ok && n >= 0 && QString::number(n) == a)
        return n;
    return int(english.indexOf(a));
}

// The numbers written in a text, as digits.
QList<int> numbersIn(const QString& text) {
    QList<int> out;
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    for (auto it = digits.globalMatch(text); it.hasNext();)
        out << it.next().captured().toInt();
    return out;
}

// A round that may ask how many of its pictures there are: "how many" with numbers for
// answers and no number of its own, not a comparison ("多几"), nor a place in a row.
bool asksHowMany(const Question& q) {
    static const QRegularExpression asks(QStringLiteral("几|how many"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression notACount(
        QStringLiteral("比|左|右|第|每|平均|\\b(more|fewer|left|right)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    if (q.pictures.isEmpty() || !asks.match(q.text).hasMatch() ||
        notACount.match(q.text).hasMatch() || !numbersIn(q.text).isEmpty())
        return false;
    return std::all_of(q.answers.begin(), q.answers.end(),
                       [](const QString& a) { return answerNumber(a) >= 0; });
}

QString kindOf(const QString& picture, QStringList& faults, int line) {
    const auto it = kinds().constFind(picture);
    if (it != kinds().constEnd())
        return *it;
    faults << QStringLiteral("line %1: %2 has no reviewed kind").arg(line).arg(picture);
    return picture;
}

// The kind a counting round asks of: the one its question names among those it shows, or,
// naming none, the one kind of its several pictures. Null when the round is not one
// that counts what it shows (it asks of legs, or of its pictures' ages).
QString askedKind(const Question& q) {
    if (!asksHowMany(q))
        return {};
    QStringList shown, faults;
    for (const QString& p : q.pictures)
        shown << kindOf(p, faults, q.lineNumber);
    for (const auto& [kind, names] : kindWords())
        for (const QString& name : names)
            if (q.text.contains(name, Qt::CaseInsensitive) && shown.contains(kind))
                return kind;
    if (shown.size() >= 2 && shown.count(shown.first()) == shown.size())
        return shown.first();
    return {};
}

// What is wrong with the counting of one script; empty when nothing.
QStringList countingFaults(const Script& script) {
    QStringList faults;
    for (const Scene& scene : script.scenes) {
        QList<int> said;
        for (const Line& l : scene.lines)
            if (l.type == Line::Type::Say)
                said += numbersIn(l.text);
        bool counts = false;
        for (const Line& l : scene.lines)
            counts = counts || l.type == Line::Type::Count || l.type == Line::Type::Groups;
        // The pictures the writer draws above the counted rows, by kind.
        QStringList drawn;
        if (counts)
            for (const QString& p : drawnPictures(scene))
                drawn << kindOf(p, faults, scene.lineNumber);
        for (const Line& l : scene.lines) {
            std::vector<Group> rows;
            if (l.type == Line::Type::Count)
                rows.push_back({l.emoji, l.count});
            else if (l.type == Line::Type::Groups)
                rows = l.groups;
            for (const Group& g : rows) {
                const QString kind = kindOf(g.emoji, faults, l.lineNumber);
                const int onBoard = int(drawn.count(kind)) + g.count;
                if (onBoard != g.count)
                    faults << QStringLiteral("line %1: %2 %3 drawn for %4")
                                  .arg(l.lineNumber)
                                  .arg(onBoard)
                                  .arg(kind)
                                  .arg(g.count);
            }
            if (l.type == Line::Type::Count && !said.contains(l.count))
                faults << QStringLiteral("line %1: %2 counted, not said")
                              .arg(l.lineNumber)
                              .arg(l.count);
        }
        if (!scene.question || !asksHowMany(*scene.question))
            continue;
        const Question& q = *scene.question;
        QStringList shown;
        for (const QString& p : q.pictures)
            shown << kindOf(p, faults, q.lineNumber);
        const QString asked = askedKind(q);
        if (asked.isNull())
            continue;
        if (answerNumber(q.answers[q.right]) != shown.count(asked))
            faults << QStringLiteral("line %1: %2 %3 shown, right answer %4")
                          .arg(q.lineNumber)
                          .arg(shown.count(asked))
                          .arg(asked, q.answers[q.right]);
    }
    return faults;
}

} // namespace

class TestLessonCounts : public QObject {
    Q_OBJECT
private slots:
    void countsDrawnAsSaid_data();
    void countsDrawnAsSaid();
    void drawnPicturesLeaveTheCountedOut_data();
    void drawnPicturesLeaveTheCountedOut();
};

void TestLessonCounts::countsDrawnAsSaid_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    int maths = 0, rounds = 0;
    const QDir content(QStringLiteral(PELUMO_SOURCE_DIR "/content/lessons"));
    const QStringList lists = content.entryList({QStringLiteral("*.txt")}, QDir::Files);
    QCOMPARE(lists.size(), 12); // every category
    for (const QString& listName : lists) {
        const QString prefix = listName.chopped(4);
        QFile list(content.filePath(listName));
        QVERIFY(list.open(QIODevice::ReadOnly));
        int n = 0;
        for (const QString& raw : QString::fromUtf8(list.readAll()).split('\n')) {
            const QString line = raw.trimmed();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const QString file = content.filePath(
                prefix + QStringLiteral("/%1.txt").arg(++n, 3, 10, QLatin1Char('0')));
            if (!QFile::exists(file))
                continue;
            const QString title = line.section('\t', 0, 0);
            if (prefix == QLatin1String("sxkj") || prefix == QLatin1String("sxyx"))
                ++maths;
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const Script s = parseScript(QString::fromUtf8(f.readAll()), file, title);
            for (const Scene& scene : s.scenes)
                rounds += scene.question && !askedKind(*scene.question).isNull();
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(prefix).arg(n))) << file << title;
        }
    }
    QCOMPARE(maths, 51 + 34); // every maths lesson and game has its script
    // The counting rounds are found (41 of them when this was written).
    QVERIFY2(rounds >= 40, qPrintable(QString::number(rounds)));
}

void TestLessonCounts::countsDrawnAsSaid() {
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const Script script = parseScript(QString::fromUtf8(f.readAll()), file, title);
    const QStringList faults = countingFaults(script);
    QVERIFY2(faults.isEmpty(), qPrintable(title + ": " + faults.join("; ")));
}

void TestLessonCounts::drawnPicturesLeaveTheCountedOut_data() {
    QTest::addColumn<QString>("scene");
    QTest::addColumn<QStringList>("drawn");
    QTest::newRow("the picture counted")
        << QStringLiteral("scene: ☀️ 🌳\ncount: ☀️ 1\n") << QStringList{"🌳"};
    QTest::newRow("the picture of a group")
        << QStringLiteral("scene: 🍓 🍓 🧺\ngroup: 🍓 2 | 🍓 3\n") << QStringList{"🧺"};
    QTest::newRow("nothing counted")
        << QStringLiteral("scene: 🐷 🏠\nsay: 3只小猪盖房子。\n") << QStringList({"🐷", "🏠"});
    QTest::newRow("another flower of a counted flower")
        << QStringLiteral("scene: 🌸 🌼 🐝\ncount: 🌸 8\n") << QStringList{"🐝"};
    QTest::newRow("another fish of a group of fish")
        << QStringLiteral("scene: 🐠 🌊\ngroup: 🐟 3 | 🐟 2\n") << QStringList{"🌊"};
    QTest::newRow("the engine of rows of carriages")
        << QStringLiteral("scene: 🚂 🌳\nrows: 🚃 5 | 🚃 3\n") << QStringList{"🌳"};
    QTest::newRow("a hen of counted chicks")
        << QStringLiteral("scene: 🐔 🌾\ngroup: 🐥 2 | 🐥 3\n") << QStringList{"🌾"};
}

void TestLessonCounts::drawnPicturesLeaveTheCountedOut() {
    QFETCH(QString, scene);
    QFETCH(QStringList, drawn);
    const Script s = parseScript(QStringLiteral("title: 数一数\nkind: maths\n") + scene +
                                     QStringLiteral("say: 数一数。\nscene: ⭐\nsay: 好。\n"
                                                    "scene: ⭐\nsay: 好。\n"),
                                 {}, QStringLiteral("数一数"));
    QCOMPARE(drawnPictures(s.scenes[0]), drawn);
}

QTEST_GUILESS_MAIN(TestLessonCounts)
#include "tst_lessoncounts.moc"
