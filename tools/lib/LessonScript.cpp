#include "tools/lib/LessonScript.h"

#include <QHash>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace tools::lesson {
namespace {

// Limits of the places a line is shown in, in code points.
constexpr int kSayMax = 40;
constexpr int kPoemCharsMax = 12;
constexpr int kEnglishMax = 40;
constexpr int kMeaningMax = 20;
constexpr int kBigMax = 6;
constexpr int kAnswerMax = 6;
constexpr int kQuestionMax = 24;
constexpr int kEnglishQuestionMax = 40;
constexpr int kPicturesMax = 4;
constexpr int kCountMax = 20;
constexpr int kMinScenes = 3;
constexpr int kMinRounds = 5;

const QStringList& keys() {
    static const QStringList k = {"title", "kind", "scene", "say",    "poem",  "author",
                                  "en",    "big",  "word",  "count",  "group", "moral",
                                  "q",     "qen",  "rows",  "stacks", "sizes"};
    return k;
}

std::optional<Kind> kindNamed(const QString& name) {
    static const std::pair<const char*, Kind> kinds[] = {
        {"poem", Kind::Poem},       {"story", Kind::Story},   {"fable", Kind::Fable},
        {"science", Kind::Science}, {"pinyin", Kind::Pinyin}, {"english", Kind::English},
        {"maths", Kind::Maths},     {"game", Kind::Game}};
    for (const auto& [n, k] : kinds)
        if (name == QLatin1String(n))
            return k;
    return std::nullopt;
}

// A whole number made of digits only, or -1.
int number(const QString& s) {
    if (s.isEmpty() || s.size() > 4)
        return -1;
    int n = 0;
    for (const QChar c : s) {
        if (c.digitValue() < 0)
            return -1;
        n = n * 10 + c.digitValue();
    }
    return n;
}

int cjkCount(const QString& s) {
    const QList<uint> ucs = s.toUcs4();
    return int(std::count_if(ucs.begin(), ucs.end(), [](uint c) { return isCjk(c); }));
}

bool hasCjk(const QString& s) {
    return cjkCount(s) > 0;
}

// The two sides of "a | b", trimmed; nullopt when there is no bar.
std::optional<std::pair<QString, QString>> pair(const QString& value) {
    const qsizetype bar = value.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return std::nullopt;
    return std::make_pair(value.left(bar).trimmed(), value.mid(bar + 1).trimmed());
}

class Parser {
public:
    Parser(const QString& fileName, const QString& title) : title_(title) {
        script_.fileName = fileName;
    }

    Script run(const QString& text);

private:
    [[noreturn]] void fail(const QString& message) const {
        throw ScriptError(script_.fileName, line_, message);
    }
    void directive(const QString& key, const QString& value);
    void question(const QString& value, bool english);
    void sizes(const QString& value);
    Line sceneLine(const QString& key, const QString& value);
    Scene& sceneForLine(const QString& key);

    QString title_;
    Script script_;
    int line_ = 0;
    std::optional<QString> gotTitle_;
    std::optional<Kind> kind_;
    int sceneLines_ = 0;
    QString lastKey_;                 // of the directive before
    std::vector<Line> pendingAuthor_; // an author line written before the first scene
};

Script Parser::run(const QString& text) {
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    const QStringList lines = body.split(QLatin1Char('\n'));
    for (line_ = 1; line_ <= int(lines.size()); ++line_) {
        const QString line = lines[line_ - 1].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            fail(QStringLiteral("no 'key:'"));
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (!keys().contains(key))
            fail(QStringLiteral("unknown key '%1'").arg(key));
        if (value.isEmpty())
            fail(QStringLiteral("empty value"));
        directive(key, value);
        lastKey_ = key;
    }
    line_ = 1;
    if (gotTitle_ != title_)
        fail(QStringLiteral("title '%1' is not the list's '%2'")
                 .arg(gotTitle_.value_or(QString()), title_));
    if (!kind_)
        fail(QStringLiteral("no kind"));
    script_.title = title_;
    script_.kind = *kind_;
    const int rounds = script_.questionCount();
    const bool game = *kind_ == Kind::Game;
    if (!game && sceneLines_ + rounds < kMinScenes)
        fail(QStringLiteral("only %1 scenes (at least %2)")
                 .arg(sceneLines_ + rounds)
                 .arg(kMinScenes));
    if (game && rounds < kMinRounds)
        fail(QStringLiteral("only %1 questions (a game needs %2)").arg(rounds).arg(kMinRounds));
    if (!game && *kind_ != Kind::Maths && rounds > 0)
        fail(QStringLiteral("questions only in a game or a maths lesson"));
    if (!pendingAuthor_.empty()) // an author and nothing else: a scene of its own
        script_.scenes.push_back({pendingAuthor_.front().lineNumber, {}, pendingAuthor_, {}, {}});
    return script_;
}

void Parser::directive(const QString& key, const QString& value) {
    if (key == QLatin1String("title")) {
        gotTitle_ = value;
    } else if (key == QLatin1String("kind")) {
        kind_ = kindNamed(value);
        if (!kind_)
            fail(QStringLiteral("unknown kind '%1'").arg(value));
    } else if (key == QLatin1String("scene")) {
        const QStringList pictures = words(value);
        if (pictures.size() > kPicturesMax)
            fail(QStringLiteral("more than %1 pictures").arg(kPicturesMax));
        ++sceneLines_;
        script_.scenes.push_back({line_, pictures, std::move(pendingAuthor_), {}, {}});
        pendingAuthor_.clear();
    } else if (key == QLatin1String("q") || key == QLatin1String("qen")) {
        question(value, key == QLatin1String("qen"));
    } else if (key == QLatin1String("sizes")) {
        sizes(value);
    } else if (key == QLatin1String("author") && script_.scenes.empty()) {
        pendingAuthor_.push_back(sceneLine(key, value));
    } else {
        Line l = sceneLine(key, value);
        sceneForLine(key).lines.push_back(std::move(l));
    }
}

// The scene a line belongs to: the current one; after a question, a new one with the
// pictures of the last scene.
Scene& Parser::sceneForLine(const QString& key) {
    if (script_.scenes.empty())
        fail(QStringLiteral("'%1' before the first scene").arg(key));
    if (script_.scenes.back().question) {
        QStringList pictures;
        for (auto it = script_.scenes.rbegin(); it != script_.scenes.rend(); ++it)
            if (!it->question) {
                pictures = it->pictures;
                break;
            }
        script_.scenes.push_back({line_, pictures, {}, {}, {}});
    }
    return script_.scenes.back();
}

void Parser::question(const QString& value, bool english) {
    QStringList parts = value.split(QLatin1Char('|'));
    for (QString& p : parts)
        p = p.trimmed();
    Question q;
    q.lineNumber = line_;
    q.english = english;
    const QStringList answers = parts.mid(1);
    if (answers.size() < 2 || answers.size() > 4)
        fail(QStringLiteral("a question needs 2 to 4 answers"));
    int marked = 0;
    for (const QString& a : answers) {
        QString shown = a;
        while (shown.endsWith(QLatin1Char('*')))
            shown.chop(1);
        if (a.endsWith(QLatin1Char('*'))) {
            ++marked;
            q.right = int(q.answers.size());
        }
        if (codePoints(shown) > kAnswerMax && !isEmojiRun(shown))
            fail(QStringLiteral("answer too long: %1 (at most %2)").arg(shown).arg(kAnswerMax));
        q.answers << shown.trimmed();
    }
    if (marked != 1)
        fail(QStringLiteral("exactly one right answer must be marked with *"));
    q.text = parts.first();
    const qsizetype space = q.text.indexOf(QLatin1Char(' '));
    if (space > 0 && isEmojiRun(q.text.left(space))) {
        q.pictures = splitEmoji(q.text.left(space));
        q.text = q.text.mid(space + 1).trimmed();
    }
    const int max = english ? kEnglishQuestionMax : kQuestionMax;
    if (codePoints(q.text) > max)
        fail(QStringLiteral("question longer than %1 characters").arg(max));
    script_.scenes.push_back({line_, {}, {}, q, {}});
}

// Sizes of the pictures of the scene or question just before.
void Parser::sizes(const QString& value) {
    if (lastKey_ != QLatin1String("scene") && lastKey_ != QLatin1String("q") &&
        lastKey_ != QLatin1String("qen"))
        fail(QStringLiteral("sizes must follow a scene or a question"));
    Scene& s = script_.scenes.back();
    const QStringList pictures = s.question ? s.question->pictures : s.pictures;
    QList<int> got;
    for (const QString& w : words(value)) {
        const int n = number(w);
        if (n < 10 || n > 100)
            fail(QStringLiteral("sizes: a percent from 10 to 100 for each picture"));
        got << n;
    }
    if (got.size() != pictures.size())
        fail(QStringLiteral("%1 sizes for %2 pictures").arg(got.size()).arg(pictures.size()));
    (s.question ? s.question->sizes : s.sizes) = got;
}

Line Parser::sceneLine(const QString& key, const QString& value) {
    Line l;
    l.lineNumber = line_;
    l.text = value;
    const auto split = [&](const char* what) {
        const auto p = pair(value);
        if (!p)
            fail(QStringLiteral("%1 needs '| %2'").arg(key, QString::fromUtf8(what)));
        l.text = p->first;
        l.second = p->second;
    };
    if (key == QLatin1String("say") || key == QLatin1String("moral")) {
        l.type = key == QLatin1String("say") ? Line::Type::Say : Line::Type::Moral;
        if (codePoints(value) > kSayMax)
            fail(QStringLiteral("%1 longer than %2 characters").arg(key).arg(kSayMax));
    } else if (key == QLatin1String("author")) {
        l.type = Line::Type::Author;
    } else if (key == QLatin1String("poem")) {
        l.type = Line::Type::Poem;
        split("pinyin");
        const int chars = cjkCount(l.text);
        if (chars > kPoemCharsMax)
            fail(QStringLiteral("poem line longer than %1 characters").arg(kPoemCharsMax));
        const int syllables = int(words(l.second).size());
        if (syllables != chars)
            fail(QStringLiteral("%1 characters but %2 syllables").arg(chars).arg(syllables));
    } else if (key == QLatin1String("en")) {
        l.type = Line::Type::English;
        split("中文");
        if (codePoints(l.text) > kEnglishMax || codePoints(l.second) > kMeaningMax)
            fail(QStringLiteral("en line too long (English at most %1, meaning at most %2)")
                     .arg(kEnglishMax)
                     .arg(kMeaningMax));
        if (hasCjk(l.text))
            fail(QStringLiteral("Chinese in the English part"));
    } else if (key == QLatin1String("big")) {
        l.type = Line::Type::Big;
        split("spoken");
        if (codePoints(l.text) > kBigMax)
            fail(QStringLiteral("big text longer than %1").arg(kBigMax));
    } else if (key == QLatin1String("word")) {
        l.type = Line::Type::Word;
        const QStringList w = words(value);
        if (w.size() != 3)
            fail(QStringLiteral("word: <emoji> <汉字> <pinyin>"));
        l.emoji = w[0];
        l.text = w[1];
        l.second = w[2];
    } else if (key == QLatin1String("count")) {
        l.type = Line::Type::Count;
        const QStringList w = words(value);
        const int n = w.size() == 2 ? number(w[1]) : -1;
        if (n < 1 || n > kCountMax)
            fail(QStringLiteral("count: <emoji> <1..%1>").arg(kCountMax));
        l.emoji = w[0];
        l.count = n;
    } else { // group, rows, stacks
        l.type = Line::Type::Groups;
        l.arrange = key == QLatin1String("rows")     ? Line::Arrange::Rows
                    : key == QLatin1String("stacks") ? Line::Arrange::Stacks
                                                     : Line::Arrange::Trays;
        for (const QString& g : value.split(QLatin1Char('|'))) {
            const QStringList w = words(g);
            const int n = w.size() == 2 ? number(w[1]) : -1;
            if (n < 0 || n > kCountMax)
                fail(QStringLiteral("%1: <emoji> <n> | <emoji> <m>").arg(key));
            l.groups.push_back({w[0], n});
        }
    }
    return l;
}

} // namespace

int Script::questionCount() const {
    return int(std::count_if(scenes.begin(), scenes.end(),
                             [](const Scene& s) { return s.question.has_value(); }));
}

ScriptError::ScriptError(const QString& f, int l, const QString& m)
    : std::runtime_error(QStringLiteral("%1:%2: %3").arg(f).arg(l).arg(m).toStdString()), file(f),
      line(l), message(m) {}

Script parseScript(const QString& text, const QString& fileName, const QString& title) {
    return Parser(fileName, title).run(text);
}

int codePoints(const QString& s) {
    return int(s.toUcs4().size());
}

bool isCjk(char32_t c) {
    return c >= 0x3400 && c <= 0x9FFF;
}

bool isEmojiRun(const QString& s) {
    const QList<uint> ucs = s.toUcs4();
    return !ucs.isEmpty() && std::all_of(ucs.begin(), ucs.end(), [](uint c) {
        return !isCjk(c) &&
               (!QChar::isLetterOrNumber(c) || QChar::category(c) == QChar::Symbol_Other);
    });
}

QStringList splitEmoji(const QString& s) {
    QStringList out;
    QTextBoundaryFinder f(QTextBoundaryFinder::Grapheme, s);
    qsizetype from = 0;
    while (f.toNextBoundary() >= 0) {
        const QString g = s.mid(from, f.position() - from).trimmed();
        from = f.position();
        if (!g.isEmpty())
            out << g;
    }
    return out;
}

QStringList words(const QString& s) {
    QStringList out;
    QString cur;
    for (const QChar c : s) {
        if (c.isSpace()) {
            if (!cur.isEmpty())
                out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.isEmpty())
        out << cur;
    return out;
}

QString pictureKind(const QString& picture) {
    // Pictures a child counts as one thing whatever their drawing: a yellow flower beside
    // pink ones is one more flower.
    static const QHash<QString, QString> kinds = [] {
        static const char* const families[][2] = {
            {"flower", "🌸🌼🌷🌹🌻🌺💐🏵️"},
            {"fish", "🐟🐠🐡"},
            {"star", "⭐🌟"},
            {"sweet", "🍬🍭"},
            {"chicken", "🐥🐤🐣🐔🐓"},
            {"monkey", "🐵🐒"},
            {"rabbit", "🐰🐇"},
            {"dog", "🐶🐕"},
            {"cat", "🐱🐈"},
            {"pig", "🐷🐖"},
            {"cow", "🐮🐄"},
            {"bird", "🐦🕊️"},
            {"apple", "🍎🍏"},
            {"railway", "🚃🚂🚋🚆"},
            {"car", "🚗🚘🚙"},
            {"tree", "🌳🌲🌴"},
            {"leaf", "🍃🍀☘️🌿"},
            {"book", "📖📗📚📒"},
            {"money", "💴🪙💰"},
        };
        QHash<QString, QString> out;
        for (const auto& [name, pictures] : families)
            for (const QString& p : splitEmoji(QString::fromUtf8(pictures)))
                out.insert(p, QString::fromUtf8(name));
        return out;
    }();
    return kinds.value(picture, picture);
}

namespace {

// The kinds that a count or a group of the scene draws one by one.
QStringList countedKinds(const Scene& scene) {
    QStringList counted;
    for (const Line& l : scene.lines) {
        if (l.type == Line::Type::Count)
            counted << pictureKind(l.emoji);
        else if (l.type == Line::Type::Groups)
            for (const Group& g : l.groups)
                counted << pictureKind(g.emoji);
    }
    return counted;
}

} // namespace

QList<qreal> drawnSizes(const Scene& scene) {
    const QStringList counted = countedKinds(scene);
    QList<qreal> out;
    for (int i = 0; i < int(scene.pictures.size()); ++i)
        if (!counted.contains(pictureKind(scene.pictures[i])))
            out << (i < scene.sizes.size() ? scene.sizes[i] / 100.0 : 1.0);
    return out;
}

QStringList drawnPictures(const Scene& scene) {
    const QStringList counted = countedKinds(scene);
    QStringList shown;
    for (const QString& p : scene.pictures)
        if (!counted.contains(pictureKind(p)))
            shown << p;
    return shown;
}

} // namespace tools::lesson
