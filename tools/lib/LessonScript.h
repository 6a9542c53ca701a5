#pragma once
// Lesson scripts: the text sources of the lesson movies, content/lessons/<prefix>/NNN.txt.
// One directive a line, "key: value"; empty lines and lines starting with '#' are left
// out. A script is a title, a kind and scenes; every line of a scene is shown and spoken.
//
//   title: 静夜思
//   kind: poem
//   scene: 🌙 🛏️
//   poem: 床前明月光，| chuáng qián míng yuè guāng
//
// "group: 🍎 2 | 🍎 3" draws groups on trays; "rows:" and "stacks:" draw them as straight
// rows or as towers, so that the longer or taller is seen as such. "sizes: 100 40" after a
// scene or a question gives its pictures sizes in proportion.
//
// The parser refuses a script whose title is not the list's, whose key is unknown, whose
// line is too long for its place, whose poem line has not one syllable per character,
// whose question has not exactly one right answer among two to four, that has fewer
// than three scenes, or, for a game, fewer than five questions. The error names the
// file and the line.

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>
#include <vector>

namespace tools::lesson {

enum class Kind { Poem, Story, Fable, Science, Pinyin, English, Maths, Game };

// One group of objects of a count or a comparison.
struct Group {
    QString emoji;
    int count = 0;
};

// One shown and spoken line of a scene.
struct Line {
    enum class Type { Say, Poem, Author, English, Big, Word, Count, Groups, Moral };
    Type type = Type::Say;
    int lineNumber = 0;
    QString text;   // say, moral, author; the Chinese of a poem line; the English; big's letters;
                    // the character(s) of a word
    QString second; // the poem's pinyin; the English's meaning; what big speaks; the word's pinyin
    QString emoji;  // the picture of a word or a count
    int count = 0;  // objects of a count
    std::vector<Group> groups; // side by side
    // How a line of groups is drawn: each group on a tray of its own; in straight rows one
    // under the other, their left ends lined up (to compare lengths); or in towers side
    // by side on one floor (to compare heights).
    enum class Arrange { Trays, Rows, Stacks };
    Arrange arrange = Arrange::Trays;
};

// A game round: pictures, a question and its answers, one of them right.
struct Question {
    int lineNumber = 0;
    QStringList pictures; // the emoji leading the question, one per picture
    QString text;
    bool english = false; // spoken in English
    QStringList answers;
    int right = 0;    // index into answers
    QList<int> sizes; // of the pictures, in percent, when they are compared (else empty)
};

struct Scene {
    int lineNumber = 0;
    QStringList pictures; // the scene's pictures, one emoji (sequence) each
    std::vector<Line> lines;
    std::optional<Question> question; // a round is a scene of its own
    // Their sizes in percent when the scene compares them (else empty): they then stand
    // in one row on one floor, each as large as its share of the picture's room.
    QList<int> sizes;
};

struct Script {
    QString fileName;
    QString title;
    Kind kind = Kind::Story;
    std::vector<Scene> scenes;
    int questionCount() const;
};

class ScriptError : public std::runtime_error {
public:
    ScriptError(const QString& file, int line, const QString& message);
    QString file;
    int line;
    QString message;
};

// Parses `text` (UTF-8 decoded) of `fileName`; `title` is the list's title. Throws
// ScriptError.
Script parseScript(const QString& text, const QString& fileName, const QString& title);

// The sizes (1 = the whole room) of drawnPictures(scene), in order.
QList<qreal> drawnSizes(const Scene& scene);
// The pictures a scene draws above its lines: its own, less those of a kind that a count
// or a group of the scene draws one by one. Drawn there too, they would add to the
// objects counted: "天上有1个太阳" would show two suns, and a yellow flower beside eight
// pink ones would make nine flowers.
QStringList drawnPictures(const Scene& scene);
// What a picture is to a child counting: one name for the drawings of one thing ("🌸"
// and "🌼" are both a flower); a picture of no known family is its own kind.
QString pictureKind(const QString& picture);

// Helpers shared with the movie writer.
// Code points, as the length limits count them.
int codePoints(const QString& s);
// True for text made only of pictographs and symbols (no letters, digits or CJK).
bool isEmojiRun(const QString& s);
// The pictures of an emoji run, one grapheme each ("🍎🍎👨‍👩‍👧" gives three).
QStringList splitEmoji(const QString& s);
// Whitespace-separated words (any Unicode space).
QStringList words(const QString& s);
// True for a CJK ideograph.
bool isCjk(char32_t c);

} // namespace tools::lesson
