#pragma once
// Rules of the question-bank quizzes, apart from their windows: the kinds of topic, how
// many pictures and answer buttons a topic has, when an answer is right, where pictures
// and buttons go, and the series of topics a showing plays.

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <array>

namespace platform {
class RandomSource;
}

namespace quiz {

// The kind of a topic, from its TopicType compared exactly.
enum class Kind {
    SinglePick, // "0": click the one right picture
    TextChoice, // "1": one picture, answer buttons A..D
    MultiPick,  // "2": tick every right picture, then judge
    PlainText,  // anything else: a question in words, answer buttons A..D
};
Kind kindOf(const QString& topicType);

// Pictures of a picture topic (2..6): pic1 and pic2 always, then up to the first of
// pic3..pic6 that is empty after trimming.
int pictureCount(const QString& pic3, const QString& pic4, const QString& pic5,
                 const QString& pic6);
// Answer buttons of a text-choice topic: 2, or 3 when C is filled, or 4 when D is too
// (texts trimmed).
int textChoiceButtons(const QString& c, const QString& d);
// The same for a plain-text topic on the untrimmed texts: only an empty text hides a
// button, so a missing attribute (read as one blank) shows a blank button.
int plainTextButtons(const QString& c, const QString& d);

// Text choice and plain text: the key upper-cased equals the button's letter.
bool letterRight(const QString& topicKey, const QString& buttonLetter);
// Single pick: the key equals the picture's number exactly.
bool pickRight(const QString& topicKey, int pictureNumber);
// Multi pick: "n," for each ticked picture in order 1..6 ("1,3,").
using Ticks = std::array<bool, 6>;
QString tickText(const Ticks& ticks);
// Right when the tick text equals the trimmed key plus one comma; nothing ticked never is.
bool ticksRight(const QString& topicKey, const Ticks& ticks);

// Where the pictures of a picture topic go inside their panel.
struct PictureLayout {
    int size = 0;             // square pictures
    QList<QPoint> pictures;   // top-left of picture 1..n
    QList<QPoint> checkBoxes; // top-left of check box 1..n
};
PictureLayout pictureLayout(int count);
// Tops of the text-choice buttons btn1..btnN inside their panel, for 2..4 buttons.
QList<int> textChoiceTops(int count);
// Lefts of the plain-text buttons btna..btnN, for 2..4 buttons.
QList<int> plainTextLefts(int count);

// The topics one showing plays, and the one on screen.
class TopicSeries {
public:
    static constexpr int kLength = 10;
    enum class Order {
        Random,        // drawn at random without repetition
        FirstReversed, // the first ones of the bank, the last of them first
    };

    // Chooses up to ten topics from the bank's list; a shorter bank gives all of its topics.
    void choose(const QStringList& bankTopics, Order order, platform::RandomSource& rng);
    void clear();

    bool isEmpty() const { return lblistok_.isEmpty(); }
    int size() const { return static_cast<int>(lblistok_.size()); }
    int current() const { return current_; }
    QString currentTopic() const;
    // The topics in play order, and those of the bank not drawn.
    const QStringList& playList() const { return lblistok_; }
    const QStringList& rest() const { return lbList_; }

    // To the next topic; after the last, the first again.
    void advance();

private:
    QStringList lbList_;
    QStringList lblistok_;
    int current_ = 0;
};

} // namespace quiz
