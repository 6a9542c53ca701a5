// What the maths lessons say of where things are and how big they are, the pictures
// show. Every line that speaks of left, right, first or last was read by hand and its
// claim written in the table below ("🐻@-1": the bear is first from the right); the
// check takes the places from the writer's layout of the scene or round. What a lesson
// compares (the longer train, the taller tower, the giraffe and the monkey) is drawn in
// proportion, standing on one floor or lined up at one end.
#include "tools/lib/LessonWriter.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>
#include <numeric>

using namespace tools::lesson;

namespace {

struct Claim {
    const char* file; // prefix/NNN
    const char* line; // the script line, whole
    const char* says; // "none", or claims separated by spaces
};

// Claims of place: "P@n" picture P is n-th from the left (n < 0: from the right) of the
// scene's or round's pictures; "left=N" / "right=N" the group drawn on that side has N.
// "none": the line speaks of no place in its picture.
const Claim kPlaces[] = {
    {"sxkj/001", "say: 不漏数，也不重复数，最后数到几，就是有几个。", "none"},
    {"sxkj/001", "say: 最后数到5，树上一共有5只小鸟。", "none"},
    {"sxkj/005", "say: 小动物们排队：小狗在最前面，小兔在最后面。", "🐶@1 🐰@-1"},
    {"sxkj/005", "say: 小猫在小狗的后面，又在小兔的前面。", "🐶@1 🐱@2 🐰@3"},
    {"sxkj/005", "q: 🐶🐱🐰 小狗在最前面，谁在最后面？ | 🐱 | 🐶 | 🐰*", "🐶@1 🐰@-1"},
    {"sxkj/006", "say: 我们有两只手，一只是左手，一只是右手。", "none"},
    {"sxkj/006", "say: 举起右手挥一挥，再举起左手挥一挥！", "none"},
    {"sxkj/006", "say: 右手的那一边是右边，左手的那一边是左边。", "👈@1 👉@-1"},
    {"sxkj/006", "say: 桌上从左往右摆着苹果、香蕉和葡萄。", "🍎@1 🍌@2 🍇@3"},
    {"sxkj/006", "say: 香蕉的左边是苹果，香蕉的右边是葡萄。", "🍎@1 🍌@2 🍇@3"},
    {"sxkj/006", "say: 上下楼梯、走路，都要靠右边走，这样就不会撞到别人。", "none"},
    {"sxkj/006", "q: 🍎🍌🍇 香蕉的右边是什么？ | 🍇* | 🍎", "🍌@2 🍇@3"},
    {"sxkj/006", "q: 🐰🐻🐼 小熊的左边是谁？ | 🐼 | 🐰* | 🐻", "🐰@1 🐻@2"},
    {"sxkj/007", "say: 1、2、3、4、5，每一个数都比它前面的数多1。", "none"},
    {"sxkj/007", "q: 3的后面是几？ | 2 | 4* | 5", "none"},
    {"sxkj/008", "say: 从左边数，小狗排第1，小猫排第2。", "🐶@1 🐱@2"},
    {"sxkj/008", "say: 小兔排第3，小熊排第4。", "🐰@3 🐻@4"},
    {"sxkj/008", "say: 从右边数就不一样了：小熊排第1，小兔排第2。", "🐻@-1 🐰@-2"},
    {"sxkj/008", "say: 所以说第几之前，要先看清楚是从哪边数起。", "none"},
    {"sxkj/008", "say: 第4个苹果，说的只是其中的一个，这是“第几”。", "none"},
    {"sxkj/008", "q: 🐶🐱🐰🐻 从左数，第2个是谁？ | 🐰 | 🐱* | 🐶", "🐱@2"},
    {"sxkj/008", "q: 🐶🐱🐰🐻 从右数，小兔排第几？ | 第2* | 第1 | 第3", "🐰@-2"},
    {"sxkj/010", "say: 左边有3条小鱼，右边又游来2条小鱼。", "left=3 right=2"},
    {"sxkj/011", "say: 左边是手里还剩的，右边是飞走的：还剩3个。", "left=3 right=2"},
    {"sxkj/012", "say: 吃了1根剩2根，再吃1根剩1根，最后1根也吃掉了。", "none"},
    {"sxkj/013", "say: 6比5多1，5的后面就是6。", "none"},
    {"sxkj/013", "q: 6的后面是几？ | 7* | 5 | 8", "none"},
    {"sxkj/016", "say: 2加3加2等于7，这叫连加，从左往右一步一步算。", "none"},
    {"sxkj/017", "say: 5减2加3等于6，有加有减，要从左往右按顺序算。", "none"},
    {"sxkj/021", "q: 19的后面是几？ | 20* | 18 | 10", "none"},
    {"sxkj/033", "say: 这就是规律。照着规律排，黄色后面又该是红色了。", "🔴@1 🟡@2"},
    {"sxkj/033", "say: 第四个是花，它后面还是花，再后面又是叶子。", "🌸@1 🍃@3 🌸@4"},
    {"sxkj/035", "say: 从1数到100，每个数都有自己的位置，后面的数比前面的大。", "none"},
    {"sxkj/035", "say: 39的后面是40，40的前面是39。", "none"},
    {"sxkj/035", "q: 69后面的数是几？ | 68 | 60 | 70*", "none"},
    {"sxkj/036", "say: 左边2捆铅笔，右边3捆，每捆10支，一共有多少支？", "left=2 right=3"},
    {"sxkj/036", "say: 左边是剩下的3捆：7个十减4个十是3个十，70减40等于30。", "left=3"},
    {"sxkj/049", "say: 站在车的前面看，能看到两个车灯和前面的挡风玻璃。", "none"},
    {"sxkj/049", "q: 🚘 这是从哪边看到的小汽车？ | 侧面 | 前面* | 上面", "none"},
    {"sxyx/003", "q: 🚂 火车有9节车厢，最后一节是第几节？ | 第8节 | 第10节 | 第9节*", "none"},
    {"sxyx/015", "say: 小动物们排好队做游戏啦！从左边数，看看谁排第几。", "none"},
    {"sxyx/015", "q: 🐶🐱🐰🐻🐼 从左数，第1个是谁？ | 🐱 | 🐶* | 🐼", "🐶@1"},
    {"sxyx/015", "q: 🐶🐱🐰🐻🐼 从左数，小熊排第几？ | 第4* | 第5 | 第3", "🐻@4"},
    {"sxyx/015", "q: 🐶🐱🐰🐻🐼 从右数，第1个是谁？ | 🐶 | 🐻 | 🐼*", "🐼@-1"},
    {"sxyx/015", "q: 🐶🐱🐰🐻🐼 小兔的左边有几只动物？ | 2* | 3 | 1", "🐰@3"},
    {"sxyx/015", "q: 3、1、2从小到大排，第一个是几？ | 1* | 3 | 2", "none"},
    {"sxyx/021", "say: 森林里开运动会啦！看看谁跑第一，算一算大家的成绩。", "none"},
    {"sxyx/021", "q: 🐰🐶🐢 3只动物赛跑：小兔第1，小狗第2，乌龟第几？ | 第2 | 第3* | 第1",
     "🐰@1 🐶@2 🐢@3"},
};

// Claims of size, on a scene, a question or a line of groups: "A>B tall" picture A
// stands taller than B on the same floor, "A>B long" A is longer than B with their
// bottom ends level; "1>2 long" the first group is drawn as the longer row, its things
// one over one with the second's ("1=2": rows as long); "1>2 tall" the first is the
// taller tower on one floor.
const Claim kSizes[] = {
    {"sxkj/002", "rows: 🐰 5 | 🥕 4", "1>2 long"},
    {"sxkj/002", "rows: 🍎 6 | 🍐 6", "1=2 long"},
    {"sxkj/002", "rows: 🐥 3 | 🐛 7", "2>1 long"},
    {"sxkj/003", "scene: ✏️ 🖍️", "✏️>🖍️ long"},
    {"sxkj/003", "rows: 🚃 5 | 🚃 3", "1>2 long"},
    {"sxkj/003", "scene: 🐍 🐛", "🐍>🐛 long"},
    {"sxkj/003", "q: 🐍🐛 谁的身子更长？ | 🐍* | 🐛", "🐍>🐛 long"},
    {"sxkj/004", "scene: 🦒 🐒", "🦒>🐒 tall"},
    {"sxkj/004", "stacks: 🧱 6 | 🧱 4", "1>2 tall"},
    {"sxkj/004", "scene: 🌳 🌷 🍄", "🌳>🌷 tall 🌷>🍄 tall"},
    {"sxkj/004", "q: 🦒🐰🐶 谁最高？ | 🐰 | 🐶 | 🦒*",
     "🦒>🐶 tall 🦒>🐰 tall"},
    {"sxyx/033", "scene: 📏 🐍 🐛", "🐍>🐛 long"},
    {"sxyx/033", "q: 🐍🐛 小蛇和毛毛虫，谁更长？ | 🐛 | 🐍*", "🐍>🐛 long"},
    {"sxyx/033", "q: 🦒🐴🐰 谁的脖子最长？ | 🐰 | 🐴 | 🦒*",
     "🦒>🐴 tall 🦒>🐰 tall"},
};

// The lines that speak of a place in a row.
bool speaksOfPlace(const QString& text) {
    static const QRegularExpression place(
        QStringLiteral("左|右|第[0-9一二三四五六七八九十几]|最前|最后|前面|后面"));
    return place.match(text).hasMatch();
}

QString scriptPath(const QString& file) {
    return QStringLiteral(PELUMO_SOURCE_DIR "/content/lessons/") + file + QStringLiteral(".txt");
}

// The list title of a script, for the parser.
QString titleOf(const QString& file) {
    QFile list(QStringLiteral(PELUMO_SOURCE_DIR "/content/lessons/") + file.section('/', 0, 0) +
               QStringLiteral(".txt"));
    if (!list.open(QIODevice::ReadOnly))
        return {};
    int n = 0;
    const int wanted = file.section('/', 1).toInt();
    for (const QString& raw : QString::fromUtf8(list.readAll()).split('\n')) {
        const QString line = raw.trimmed();
        if (!line.isEmpty() && !line.startsWith('#') && ++n == wanted)
            return line.section('\t', 0, 0);
    }
    return {};
}

struct Loaded {
    Script script;
    QStringList lines; // of the file, trimmed
};

Loaded load(const QString& file) {
    QFile f(scriptPath(file));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(f.readAll());
    Loaded out{parseScript(text, file, titleOf(file)), {}};
    for (const QString& l : text.split('\n'))
        out.lines << l.trimmed();
    return out;
}

// The scene a script line belongs to (its own scene for a scene or a question).
const Scene* sceneOf(const Script& s, int line) {
    const Scene* found = nullptr;
    for (const Scene& scene : s.scenes)
        if (scene.lineNumber <= line)
            found = &scene;
    return found;
}

// The pictures a line is said over and where they are drawn.
std::pair<QStringList, std::vector<QRectF>> picturesOf(const Scene& scene) {
    if (scene.question)
        return {scene.question->pictures, roundLayout(*scene.question)};
    return {drawnPictures(scene), sceneLayout(scene).pictures};
}

// What does not hold of the claims of place `says` at `line` of `file`.
QStringList placeFaults(const Loaded& l, int line, const QString& says) {
    QStringList faults;
    const Scene* scene = sceneOf(l.script, line);
    if (!scene)
        return {QStringLiteral("no scene")};
    const auto [names, boxes] = picturesOf(*scene);
    for (const QString& claim : says.split(' ')) {
        if (claim == QLatin1String("none"))
            continue;
        if (claim.startsWith(QLatin1String("left=")) || claim.startsWith(QLatin1String("right="))) {
            // The groups of the scene's last group line up to here.
            const Line* groups = nullptr;
            for (const Line& x : scene->lines)
                if (x.type == Line::Type::Groups && (x.lineNumber < line || !groups))
                    groups = &x;
            if (!groups || groups->groups.size() != 2) {
                faults << claim + QStringLiteral(": no two groups");
                continue;
            }
            const auto drawn = sceneLayout(*scene).groups.at(groups->lineNumber);
            const auto leftOf = [](const std::vector<QRectF>& g) {
                qreal x = 1e9;
                for (const QRectF& r : g)
                    x = std::min(x, r.left());
                return x;
            };
            const auto rightOf = [](const std::vector<QRectF>& g) {
                qreal x = -1e9;
                for (const QRectF& r : g)
                    x = std::max(x, r.right());
                return x;
            };
            const bool sideBySide =
                rightOf(drawn[0]) < leftOf(drawn[1]) || rightOf(drawn[1]) < leftOf(drawn[0]);
            const bool firstLeft = rightOf(drawn[0]) < leftOf(drawn[1]);
            const int side = claim.startsWith(QLatin1String("left")) ? 0 : 1;
            const int n = groups->groups[size_t(firstLeft ? side : 1 - side)].count;
            if (!sideBySide || n != claim.section('=', 1).toInt())
                faults << QStringLiteral("%1: %2 drawn there").arg(claim).arg(sideBySide ? n : -1);
            continue;
        }
        const QString picture = claim.section('@', 0, 0);
        const int place = claim.section('@', 1).toInt();
        if (names.size() != qsizetype(boxes.size()) || std::abs(place) > int(boxes.size()) ||
            place == 0) {
            faults << claim + QStringLiteral(": not drawn");
            continue;
        }
        // Pictures in one row: none above another.
        for (size_t i = 0; i < boxes.size(); ++i)
            for (size_t j = i + 1; j < boxes.size(); ++j)
                if (std::abs(boxes[i].center().x() - boxes[j].center().x()) <
                    std::min(boxes[i].width(), boxes[j].width()) / 2)
                    faults << claim + QStringLiteral(": pictures not in one row");
        // The pictures from left to right.
        std::vector<int> order(boxes.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            return boxes[size_t(a)].center().x() < boxes[size_t(b)].center().x();
        });
        const int nth = place > 0 ? place - 1 : int(boxes.size()) + place;
        const QString there = names[order[size_t(nth)]];
        if (there != picture)
            faults << QStringLiteral("%1: %2 drawn there").arg(claim, there);
    }
    return faults;
}

// What does not hold of the claims of size `says` at `line`.
QStringList sizeFaults(const Loaded& l, int line, const QString& says) {
    QStringList faults;
    const Scene* scene = sceneOf(l.script, line);
    if (!scene)
        return {QStringLiteral("no scene")};
    const QStringList parts = says.split(' ');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const bool same = parts[i].contains('=');
        const QChar sign = same ? QLatin1Char('=') : QLatin1Char('>');
        QString bigger = parts[i].section(sign, 0, 0), smaller = parts[i].section(sign, 1);
        const bool tall = parts[i + 1] == QLatin1String("tall");
        const auto extent = [&](const QRectF& r) { return tall ? r.height() : r.width(); };
        const bool groups = bigger == QLatin1String("1") || bigger == QLatin1String("2");
        QRectF a, b;
        if (groups) {
            const Line* drawnLine = nullptr;
            for (const Line& x : scene->lines)
                if (x.lineNumber == line)
                    drawnLine = &x;
            if (!drawnLine || drawnLine->groups.size() != 2) {
                faults << parts[i] + QStringLiteral(": no two groups");
                continue;
            }
            auto drawn = sceneLayout(*scene).groups.at(drawnLine->lineNumber);
            if (bigger == QLatin1String("2"))
                std::swap(drawn[0], drawn[1]);
            // Measured between the centres of the first and the last thing, so that
            // pictures of unlike outline compare as the places they take.
            const auto along = [&](const QRectF& r) {
                return tall ? -r.center().y() : r.center().x();
            };
            const auto step = [&](const std::vector<QRectF>& g) {
                return g.size() < 2 ? 0.0 : along(g[1]) - along(g[0]);
            };
            const auto span = [&](const std::vector<QRectF>& g) {
                return g.empty() ? 0.0 : along(g.back()) - along(g.front());
            };
            // Each group one straight row, or one tower going up.
            const auto across = [&](const QRectF& r) {
                return tall ? r.center().x() : r.center().y();
            };
            for (const auto& g : drawn)
                for (size_t k = 1; k < g.size(); ++k)
                    if (along(g[k]) <= along(g[k - 1]) ||
                        std::abs(across(g[k]) - across(g[0])) > 0.5) {
                        faults << parts[i] + QStringLiteral(": not in one line");
                        break;
                    }
            if (drawn[0].size() >= 2 && drawn[1].size() >= 2 &&
                std::abs(step(drawn[0]) - step(drawn[1])) > 0.5)
                faults << parts[i] + QStringLiteral(": things spaced unlike");
            // One to one: from one left end in rows, each over its partner; from one
            // floor in towers.
            for (size_t k = 0; k < std::min(drawn[0].size(), drawn[1].size()); ++k)
                if (std::abs(along(drawn[0][k]) - along(drawn[1][k])) > 1)
                    faults << parts[i] + QStringLiteral(": not one against one at %1").arg(k + 1);
            a = QRectF(0, 0, span(drawn[0]) + 1, span(drawn[0]) + 1);
            b = QRectF(0, 0, span(drawn[1]) + 1, span(drawn[1]) + 1);
        } else {
            const auto [names, boxes] = picturesOf(*scene);
            const qsizetype ia = names.indexOf(bigger), ib = names.indexOf(smaller);
            if (ia < 0 || ib < 0 || size_t(std::max(ia, ib)) >= boxes.size()) {
                faults << parts[i] + QStringLiteral(": not drawn");
                continue;
            }
            a = boxes[size_t(ia)];
            b = boxes[size_t(ib)];
        }
        if (!groups && std::abs(a.bottom() - b.bottom()) > 1)
            faults << parts[i] + QStringLiteral(": not on one floor (%1, %2)")
                                     .arg(a.bottom())
                                     .arg(b.bottom());
        // A difference a child sees at once, or none.
        if (same ? std::abs(extent(a) - extent(b)) > 1 : extent(a) < 1.3 * extent(b))
            faults << QStringLiteral("%1 %2: %3 against %4")
                          .arg(parts[i], parts[i + 1])
                          .arg(extent(a))
                          .arg(extent(b));
    }
    return faults;
}

int lineOf(const Loaded& l, const QString& text) {
    return int(l.lines.indexOf(text)) + 1;
}

} // namespace

class TestLessonPlaces : public QObject {
    Q_OBJECT
private slots:
    void everyLineOfPlaceIsReviewed_data();
    void everyLineOfPlaceIsReviewed();
    void placesAsSaid_data();
    void placesAsSaid();
    void comparedInProportion_data();
    void comparedInProportion();
};

void TestLessonPlaces::everyLineOfPlaceIsReviewed_data() {
    QTest::addColumn<QString>("file");
    for (const char* prefix : {"sxkj", "sxyx"})
        for (int n = 1; QFile::exists(
                 scriptPath(QStringLiteral("%1/%2").arg(prefix).arg(n, 3, 10, QLatin1Char('0'))));
             ++n)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(prefix).arg(n)))
                << QStringLiteral("%1/%2").arg(prefix).arg(n, 3, 10, QLatin1Char('0'));
}

void TestLessonPlaces::everyLineOfPlaceIsReviewed() {
    QFETCH(QString, file);
    const Loaded l = load(file);
    QVERIFY(!l.lines.isEmpty());
    QStringList unreviewed;
    for (const QString& line : l.lines) {
        const QString key = line.section(':', 0, 0);
        if (key != QLatin1String("say") && key != QLatin1String("q") && key != QLatin1String("qen"))
            continue;
        if (!speaksOfPlace(line.section(':', 1)))
            continue;
        const bool reviewed =
            std::any_of(std::begin(kPlaces), std::end(kPlaces), [&](const Claim& c) {
                return file == QLatin1String(c.file) && line == QString::fromUtf8(c.line);
            });
        if (!reviewed)
            unreviewed << line;
    }
    QVERIFY2(unreviewed.isEmpty(), qPrintable(unreviewed.join(" / ")));
}

void TestLessonPlaces::placesAsSaid_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("says");
    for (const Claim& c : kPlaces)
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(c.file, QString::fromUtf8(c.line))))
            << QString::fromLatin1(c.file) << QString::fromUtf8(c.line)
            << QString::fromUtf8(c.says);
}

void TestLessonPlaces::placesAsSaid() {
    QFETCH(QString, file);
    QFETCH(QString, line);
    QFETCH(QString, says);
    const Loaded l = load(file);
    const int at = lineOf(l, line);
    QVERIFY2(at > 0, "the reviewed line is no longer in the script");
    const QStringList faults = placeFaults(l, at, says);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
}

void TestLessonPlaces::comparedInProportion_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("says");
    for (const Claim& c : kSizes)
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(c.file, QString::fromUtf8(c.line))))
            << QString::fromLatin1(c.file) << QString::fromUtf8(c.line)
            << QString::fromUtf8(c.says);
}

void TestLessonPlaces::comparedInProportion() {
    QFETCH(QString, file);
    QFETCH(QString, line);
    QFETCH(QString, says);
    const Loaded l = load(file);
    int checked = 0;
    for (int at = 1; at <= int(l.lines.size()); ++at) {
        if (l.lines[at - 1] != line)
            continue;
        ++checked;
        const QStringList faults = sizeFaults(l, at, says);
        QVERIFY2(faults.isEmpty(),
                 qPrintable(QStringLiteral("line %1: ").arg(at) + faults.join("; ")));
    }
    QVERIFY2(checked > 0, "the compared line is no longer in the script");
}

QTEST_MAIN(TestLessonPlaces)
#include "tst_lessonplaces.moc"
