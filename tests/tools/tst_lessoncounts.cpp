// The maths lessons and games count right: while a counted row shows, the objects of its
// kind on the board are as many as the number said, and a round that asks how many of
// the shown pictures there are has that number as its right answer. Checked over every
// script of the two maths lists.
#include "tools/lib/LessonScript.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace tools::lesson;

namespace {

// The numbers written in a text, as digits.
QList<int> numbersIn(const QString& text) {
    QList<int> out;
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    for (auto it = digits.globalMatch(text); it.hasNext();)
        out << it.next().captured().toInt();
    return out;
}

// What is wrong with the counting of one script; empty when nothing.
QStringList countingFaults(const Script& script) {
    QStringList faults;
    for (const Scene& scene : script.scenes) {
        const QStringList drawn = drawnPictures(scene);
        QList<int> said;
        for (const Line& l : scene.lines)
            if (l.type == Line::Type::Say)
                said += numbersIn(l.text);
        for (const Line& l : scene.lines) {
            std::vector<Group> rows;
            if (l.type == Line::Type::Count)
                rows.push_back({l.emoji, l.count});
            else if (l.type == Line::Type::Groups)
                rows = l.groups;
            for (const Group& g : rows) {
                const int onBoard = int(drawn.count(g.emoji)) + g.count;
                if (onBoard != g.count)
                    faults << QStringLiteral("line %1: %2 %3 drawn for %4")
                                  .arg(l.lineNumber)
                                  .arg(onBoard)
                                  .arg(g.emoji)
                                  .arg(g.count);
            }
            if (l.type == Line::Type::Count && !said.contains(l.count))
                faults << QStringLiteral("line %1: %2 counted, not said")
                              .arg(l.lineNumber)
                              .arg(l.count);
        }
        // A round over several of one picture that gives no number of its own asks how
        // many there are.
        if (const auto& q = scene.question) {
            const bool oneKind = q->pictures.size() >= 2 &&
                                 q->pictures.count(q->pictures.first()) == q->pictures.size();
            bool numeric = true;
            for (const QString& a : q->answers)
                numeric = numeric && numbersIn(a).size() == 1 && numbersIn(a).first() >= 0 &&
                          QString::number(numbersIn(a).first()) == a.trimmed();
            if (oneKind && numeric && numbersIn(q->text).isEmpty() &&
                q->answers[q->right].toInt() != q->pictures.size())
                faults << QStringLiteral("line %1: %2 pictures, right answer %3")
                              .arg(q->lineNumber)
                              .arg(q->pictures.size())
                              .arg(q->answers[q->right]);
        }
    }
    return faults;
}

} // namespace

class TestLessonCounts : public QObject {
    Q_OBJECT
private slots:
    void countsDrawnAsSaid_data();
    void countsDrawnAsSaid();
    void drawnPicturesLeaveTheCountedOut();
};

void TestLessonCounts::countsDrawnAsSaid_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    int lessons = 0;
    for (const char* prefix : {"sxkj", "sxyx"}) {
        const QString dir = QStringLiteral(PELUMO_SOURCE_DIR "/content/lessons/") + prefix;
        QFile list(dir + ".txt");
        QVERIFY(list.open(QIODevice::ReadOnly));
        int n = 0;
        for (const QString& raw : QString::fromUtf8(list.readAll()).split('\n')) {
            const QString line = raw.trimmed();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const QString file = dir + QStringLiteral("/%1.txt").arg(++n, 3, 10, QLatin1Char('0'));
            if (!QFile::exists(file))
                continue;
            ++lessons;
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(prefix).arg(n)))
                << file << line.section('\t', 0, 0);
        }
    }
    QCOMPARE(lessons, 51 + 34); // every maths lesson and game has its script
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

void TestLessonCounts::drawnPicturesLeaveTheCountedOut() {
    const Script s = parseScript(
        QStringLiteral("title: 1～5的认识\nkind: maths\n"
                       "scene: ☀️ 🌳\ncount: ☀️ 1\nsay: 天上有1个太阳。\n"
                       "scene: 🍓 🍓 🧺\ngroup: 🍓 2 | 🍓 3\nsay: 合起来是5颗。\n"
                       "scene: 🐷 🏠\nsay: 3只小猪盖房子。\n"),
        {}, QStringLiteral("1～5的认识"));
    QCOMPARE(drawnPictures(s.scenes[0]), QStringList{"🌳"});
    QCOMPARE(drawnPictures(s.scenes[1]), QStringList{"🧺"});
    QCOMPARE(drawnPictures(s.scenes[2]), QStringList({"🐷", "🏠"}));
}

QTEST_GUILESS_MAIN(TestLessonCounts)
#include "tst_lessoncounts.moc"
