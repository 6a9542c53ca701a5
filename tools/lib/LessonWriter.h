#pragma once
// The writer behind lessonMovie() (which LessonWriter.cpp defines): the stage, the pieces
// every part of a lesson draws with (text, emoji, sounds, little motions) and the parts
// themselves: the opening and title card, the scenes (LessonScenes.cpp) and the game
// rounds (LessonRounds.cpp).

#include "tools/lib/LessonMovie.h"
#include "tools/lib/LessonText.h"
#include "tools/lib/SwfWriter.h"

#include <QFont>
#include <climits>
#include <map>
#include <set>
#include <tuple>

namespace tools::lesson {

constexpr QSize kStage(700, 580);
// The board the scenes are shown on, and its inside.
constexpr QRectF kBoard(16, 70, 668, 496);
constexpr QRectF kInside(36, 80, 628, 476);
// Room around a text on its panel.
constexpr QSizeF kPanelPad(18, 8);
// Fixed depths; the parts of scenes and rounds take depths from kSceneDepth up.
enum Depth : int {
    kBackdropDepth = 1,
    kRibbonDepth,
    kBoardDepth,
    kHeaderDepth,
    kOpeningDepth = 6,
    kCardDepth = 10,
    kSceneDepth = 100,
};

// How a piece comes on stage.
enum class Appear { Now, FadeUp, Pop };

struct Piece {
    int id = 0;
    QRectF box; // around the origin of the character
};

// A piece to show at a pose.
struct Visual {
    int id = 0;
    Pose pose;
    Appear appear = Appear::FadeUp;
};

// What happens at one moment of a scene: pieces come on and a sound starts; the next
// moment follows when the sound is over (and at least `minFrames` later).
struct Moment {
    QByteArray mp3;
    int minFrames = 0;
    std::vector<Visual> visuals;
};

// Where the things a scene shows stand, as the writer places them, for checks of what
// its lines say of them: the box of each of drawnPictures() on the stage, and for each
// line of groups (by its script line) the boxes of its objects, group by group, from the
// top centre of the line's place.
struct SceneLayout {
    std::vector<QRectF> pictures;
    std::map<int, std::vector<std::vector<QRectF>>> groups;
};
SceneLayout sceneLayout(const Scene& scene);
// The boxes of a round's pictures on the stage.
std::vector<QRectF> roundLayout(const Question& q);

// The box an emoji takes when it is fitted to a square of `box` around `centre`.
QRectF emojiBox(const QString& emoji, QPointF centre, qreal box);

class LessonWriter {
public:
    LessonWriter(const Script* script, const Look& look, const Media& media);
    QByteArray write();
    // Makes only what shows up to the start frame and draws that frame.
    QImage startPicture();

    // ---- pieces
    QColor colour() const { return look_.colour; }
    QColor ink() const { return QColor(0x1d, 0x27, 0x45); }
    QColor deep() const;
    // Letters (and pictures) of `ink`; on a rounded panel of `panel` around its box when
    // that is not transparent.
    Piece text(const TextInk& ink, const QColor& fill, const QColor& outline = Qt::transparent,
               qreal outlineWidth = 0, const QColor& panel = Qt::transparent);
    int emoji(const QString& e);                   // its shape at its own size, centred
    qreal emojiScale(const QString& e, qreal box); // to fit a square of `box`
    Pose emojiPose(const QString& e, QPointF centre, qreal box) {
        return Pose::at(centre, emojiScale(e, box));
    }
    int shape(const SwfShape& s) { return w_.defineShape(s); }
    // Where a button takes the mouse: a plain shape of one part, which every player
    // tests whole.
    int hitArea(const QRectF& r) { return shape(SwfShape().rect(r, ShapeFill::solid(Qt::black))); }
    int sprite(const std::vector<std::pair<int, QTransform>>& layers);
    int sound(const QByteArray& mp3);
    int framesOf(const QByteArray& mp3) const;
    QByteArray speech(const QString& text, bool english = false) const;
    // Mandarin said from its pinyin; a pinyin letter card said as its letters are read.
    QByteArray pinyinSpeech(const QString& text, const QString& pinyin) const;
    QByteArray letterSpeech(const QString& letters, const QString& character) const;
    QByteArray chime(Chime c) const { return media_.chime(c); }
    // `character` going up and down by `lift` pixels in `period` frames.
    int bob(int character, const Pose& pose, qreal lift, int period, int phase);
    void setLine(int line) { line_ = line; }

    // ---- stage
    SwfWriter& writer() { return w_; }
    SwfTimeline& root() { return w_.root(); }
    int newDepth();
    // Removes at `frame` what the scenes placed at depths from `from` (every scene depth by
    // default) up to `to`.
    void clear(int frame, int from = kSceneDepth, int to = INT_MAX);
    int depthMark() const { return nextDepth_; }
    // Shows `v` at a new depth from `frame`; returns the depth.
    int show(int frame, const Visual& v);
    // `face` appearing from `frame`, replaced by `button` at `ready`.
    void buttonAt(int frame, int ready, const Visual& face, int button);
    // Pictures of a scene gliding in from the sides to `centres`, each fitting its square
    // of `boxes`, then bobbing (`together`: all at once, so that pictures compared stay
    // on one floor).
    void pictures(int frame, const QStringList& emoji, const std::vector<QPointF>& centres,
                  const std::vector<qreal>& boxes, bool together = false);
    // Plays the moments from `frame` on; returns the frame after the last one.
    int play(int frame, const std::vector<Moment>& moments);
    // The board and the title over it, from the first scene on.
    void enterBoard(int frame);

    // ---- parts (LessonScenes.cpp, LessonRounds.cpp)
    int scene(int frame, const Scene& s);
    int sceneLines(int frame, const QStringList& pictures, const QList<qreal>& sizes,
                   const std::vector<Line>& lines);
    int moralCard(int frame, const Line& moral);
    int round(int frame, const Question& q, int index, int count);
    int resultCard(int frame, int rounds);
    // An answer on its button face (made once for each look).
    Piece faceOfAnswer(const QString& answer, QSizeF size, const QColor& fill, const QColor& border,
                       qreal borderWidth);

    static QString chinese(int n);

private:
    // The backdrop, the opening and the card of the start frame; returns the frame after
    // the card.
    int beginning();
    void backdrop();
    void opening(int start);
    int titleCard(int start);
    int startCard(int start);
    QString firstPicture() const;
    Piece drawAnswer(const QString& answer, QSizeF size, const QColor& fill, const QColor& border,
                     qreal borderWidth);

    const Script* script_;
    Look look_;
    const Media& media_;
    SwfWriter w_;
    std::map<QString, std::pair<int, QSize>> emoji_; // emoji -> shape, size
    std::map<QByteArray, int> sounds_;
    std::map<QString, Piece> faces_;
    std::map<std::tuple<int, qreal, qreal, qreal, int, int>, int> bobs_;
    std::set<int> live_; // scene depths showing in the linear order of frames
    int nextDepth_ = kSceneDepth;
    int line_ = 0;
    bool boardShown_ = false;
    std::set<int> card_; // depths of the title card
};

} // namespace tools::lesson
