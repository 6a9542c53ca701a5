// Lesson scripts: what the parser refuses (naming the file and the line) and how it reads
// the scripts it takes.
#include "tools/lib/LessonScript.h"

#include <QtTest>

using namespace tools::lesson;

namespace {

const QString kTitle = QStringLiteral("静夜思");

// A poem lesson; `extra` goes after its last line.
QString poem(const QString& extra = {}) {
    return QStringLiteral("title: 静夜思\nkind: poem\nscene: 🌙 🛏️\n"
                          "poem: 床前明月光，| chuáng qián míng yuè guāng\n"
                          "scene: 🌙\nsay: 夜深了。\nscene: 🏡\nsay: 诗人想家了。\n") +
           extra;
}

// A game of `rounds` rounds.
QString game(int rounds, const QString& kind = QStringLiteral("game")) {
    QString s = QStringLiteral("title: 静夜思\nkind: %1\nscene: ⭐\nsay: 数一数。\n").arg(kind);
    for (int i = 0; i < rounds; ++i)
        s += QStringLiteral("q: ⭐⭐⭐ 有几颗星星？ | 2 | 3* | 4\n");
    return s;
}

} // namespace

class TestLessonScript : public QObject {
    Q_OBJECT
private slots:
    void refused_data();
    void refused();
    void readsScenesLinesAndRounds();
};

void TestLessonScript::refused_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("says");
    const auto row = [](const char* name, const QString& s, int line, const char* says) {
        QTest::newRow(name) << s << line << QString::fromUtf8(says);
    };
    row("title mismatch", QString(poem()).replace("title: 静夜思", "title: 静夜"), 1,
        "not the list's");
    row("no kind", QString(poem()).remove("kind: poem\n"), 1, "no kind");
    row("unknown kind", QString(poem()).replace("kind: poem", "kind: film"), 2, "unknown kind");
    row("unknown key", poem("colour: red\n"), 9, "unknown key 'colour'");
    row("no key", poem("床前明月光\n"), 9, "no 'key:'");
    row("empty value", poem("say:  \n"), 9, "empty value");
    row("line before the first scene",
        QStringLiteral("title: 静夜思\nkind: story\n\nsay: 从前。\n"), 4, "before the first scene");
    row("more than four pictures", poem("scene: 🍎 🍌 🍇 🍓 🍉\n"), 9, "more than 4");
    row("pinyin count", poem("poem: 疑是地上霜。| yí shì dì shàng\n"), 9,
        "5 characters but 4 syllables");
    row("poem without pinyin", poem("poem: 疑是地上霜。\n"), 9, "needs '| pinyin'");
    row("poem line too long",
        poem("poem: 一二三四五六七八九十一二三 | " + QString("a ").repeated(13) + "\n"), 9,
        "longer than 12");
    row("say too long", poem("say: " + QString("长").repeated(41) + "\n"), 9, "longer than 40");
    row("moral too long", poem("moral: " + QString("长").repeated(41) + "\n"), 9, "longer than 40");
    row("meaning too long", poem("en: Hello! | " + QString("好").repeated(21) + "\n"), 9,
        "en line too long");
    row("Chinese in the English", poem("en: Hello 你好 | 你好\n"), 9, "Chinese in the English");
    row("big too long", poem("big: abcdefg | 啊\n"), 9, "big text longer than 6");
    row("word of two parts", poem("word: 🐟 鱼\n"), 9, "word:");
    row("count beyond twenty", poem("count: 🍎 21\n"), 9, "count:");
    row("count not a number", poem("count: 🍎 three\n"), 9, "count:");
    row("group without a number", poem("group: 🐟 3 | 🐟\n"), 9, "group:");
    row("rows without a number", poem("rows: 🚃 5 | 🚃\n"), 9, "rows:");
    row("sizes after a line", poem("sizes: 100 40\n"), 9, "must follow a scene or a question");
    row("sizes fewer than the pictures",
        QString(poem()).replace("scene: 🌙 🛏️\n", "scene: 🌙 🛏️\nsizes: 100\n"), 4,
        "1 sizes for 2 pictures");
    row("size beyond the room",
        QString(poem()).replace("scene: 🌙 🛏️\n", "scene: 🌙 🛏️\nsizes: 100 140\n"),
        4, "a percent from 10 to 100");
    row("sizes twice",
        QString(poem()).replace("scene: 🌙 🛏️\n",
                                "scene: 🌙 🛏️\nsizes: 100 40\nsizes: 100 40\n"),
        5, "must follow a scene or a question");
    row("no right answer", game(5).replace("| 3* |", "| 3 |"), 5, "exactly one right answer");
    row("two right answers", game(5).replace("| 2 |", "| 2* |"), 5, "exactly one right answer");
    row("one answer", game(5).replace("| 2 | 3* | 4", "| 3*"), 5, "2 to 4 answers");
    row("five answers", game(5).replace("| 4", "| 4 | 5 | 6"), 5, "2 to 4 answers");
    row("answer too long", game(5).replace("| 4", "| 1234567"), 5, "answer too long");
    row("question too long", game(5).replace("有几颗星星？", QString("星").repeated(25)), 5,
        "longer than 24");
    row("too few rounds", game(4), 1, "only 4 questions");
    row("too few scenes",
        QStringLiteral("title: 静夜思\nkind: story\nscene: 🌙\nsay: 一。\nscene: 🌙\n"), 1,
        "only 2 scenes");
    row("rounds outside games", game(3, "story"), 1, "questions only in a game");
}

void TestLessonScript::refused() {
    QFETCH(QString, script);
    QFETCH(int, line);
    QFETCH(QString, says);
    try {
        parseScript(script, QStringLiteral("gushi/002.txt"), kTitle);
        QFAIL("the script was taken");
    } catch (const ScriptError& e) {
        QCOMPARE(e.file, QStringLiteral("gushi/002.txt"));
        QCOMPARE(e.line, line);
        QVERIFY2(e.message.contains(says), qPrintable(e.message));
        QVERIFY(QString::fromStdString(e.what()).startsWith(
            QStringLiteral("gushi/002.txt:%1:").arg(line)));
    }
}

void TestLessonScript::readsScenesLinesAndRounds() {
    // An author before the first scene belongs to it; limits count characters, not UTF-16
    // units; a line after a round starts a scene with the pictures of the last scene.
    const Script p = parseScript(
        QString(poem("say: " + QString("🌙").repeated(40) + "\n"))
            .replace("scene: 🌙 🛏️\n", "author: 唐 · 李白\nscene: 🌙 🛏️\n"),
        {}, kTitle);
    QCOMPARE(p.kind, Kind::Poem);
    QCOMPARE(int(p.scenes.size()), 3);
    QCOMPARE(p.scenes[0].pictures, QStringList({"🌙", "🛏️"}));
    QCOMPARE(p.scenes[0].lines[0].type, Line::Type::Author);
    QCOMPARE(p.scenes[0].lines[1].second, QStringLiteral("chuáng qián míng yuè guāng"));
    QCOMPARE(p.scenes[2].lines.back().lineNumber, 10);

    const Script g =
        parseScript(game(5, "maths") +
                        "qen: 👨‍👩‍👧🐶 Which one? | 🐶🐶🐶🐶🐶🐶🐶* | "
                        "7\nsay: 真棒。\n",
                    {}, kTitle);
    QCOMPARE(g.questionCount(), 6);
    const Question& q = *g.scenes[1].question;
    QCOMPARE(q.pictures, QStringList({"⭐", "⭐", "⭐"}));
    QCOMPARE(q.text, QStringLiteral("有几颗星星？"));
    QCOMPARE(q.answers, QStringList({"2", "3", "4"}));
    QCOMPARE(q.right, 1);
    const Question& en = *g.scenes[6].question;
    QVERIFY(en.english);
    QCOMPARE(en.pictures.size(), 2);
    QCOMPARE(en.right, 0);
    QCOMPARE(g.scenes.back().pictures, QStringList({"⭐"}));
    QCOMPARE(g.scenes.back().lines[0].text, QStringLiteral("真棒。"));

    // Sizes belong to the scene or the round just before; rows and stacks are groups.
    const Script c =
        parseScript(game(5, "maths")
                            .replace("scene: ⭐\n", "scene: 🦒 🐒\nsizes: 100 45\n")
                            .replace("say: 数一数。\n", "say: 数一数。\nrows: 🚃 5 | 🚃 3\n"
                                                        "stacks: 🧱 6 | 🧱 4\n") +
                        "q: 🐍🐛 谁长？ | 🐍* | 🐛\nsizes: 100 40\n",
                    {}, kTitle);
    QCOMPARE(c.scenes[0].sizes, QList<int>({100, 45}));
    QCOMPARE(drawnSizes(c.scenes[0]), QList<qreal>({1.0, 0.45}));
    QCOMPARE(c.scenes[0].lines[1].type, Line::Type::Groups);
    QCOMPARE(c.scenes[0].lines[1].arrange, Line::Arrange::Rows);
    QCOMPARE(c.scenes[0].lines[2].arrange, Line::Arrange::Stacks);
    QCOMPARE(int(c.scenes[0].lines[2].groups.size()), 2);
    QVERIFY(c.scenes[1].question->sizes.isEmpty());
    QCOMPARE(c.scenes.back().question->sizes, QList<int>({100, 40}));
}

QTEST_GUILESS_MAIN(TestLessonScript)
#include "tst_lessonscript.moc"
