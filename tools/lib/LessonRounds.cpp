// The game rounds of a lesson and the score at the end.
//
// A round: its question appears and is spoken, then the movie stops with the answers as
// buttons. A right answer adds one to the variable "score" and goes to "答对了！", a
// wrong one to "再想想！" with the right answer shown; either then goes on to what
// follows. Frames a button jumps to show nothing new to hear; their sounds start one
// frame later, so a jump never depends on how a player treats the sounds of the frame
// it lands on or skips.
#include "tools/lib/ArtKit.h"
#include "tools/lib/LessonWriter.h"

#include <cmath>

namespace tools::lesson {
namespace {

using namespace tools::art;

constexpr int kAppearFrames = 9;
constexpr int kRightFrames = 20;
constexpr int kWrongFrames = 32;
constexpr qreal kAnswersY = 448;
constexpr qreal kAnswerHeight = 116;

const QColor kRight(0x2f, 0xb8, 0x4a);
const QColor kGold(0xff, 0xd2, 0x1f);

QColor answerColour(int i) {
    static const QColor c[] = {QColor(0xff, 0x8a, 0x1f), QColor(0x2e, 0x8c, 0xf0),
                               QColor(0x9b, 0x55, 0xf0), QColor(0xf5, 0x4f, 0xa8)};
    return c[i % 4];
}

// The centres of a round's pictures and the squares they fit in: in a row, and when
// their sizes are compared, each in its share of the room on one floor.
std::vector<std::pair<QPointF, qreal>> picturePlaces(const Question& q) {
    const int n = int(q.pictures.size());
    const qreal box = n ? std::min(120.0, (600.0 - (n - 1) * 10) / n) : 0;
    const qreal floor = 278 + box / 2;
    std::vector<std::pair<QPointF, qreal>> out;
    for (int i = 0; i < n; ++i) {
        const qreal x = 350 + (i - (n - 1) / 2.0) * (box + 10);
        if (i >= q.sizes.size()) {
            out.push_back({{x, 278}, box});
            continue;
        }
        const qreal own = box * q.sizes[i] / 100.0;
        out.push_back({{x, floor - emojiBox(q.pictures[i], {}, own).height() / 2}, own});
    }
    return out;
}

} // namespace

std::vector<QRectF> roundLayout(const Question& q) {
    std::vector<QRectF> out;
    const auto places = picturePlaces(q);
    for (size_t i = 0; i < places.size(); ++i)
        out.push_back(emojiBox(q.pictures[qsizetype(i)], places[i].first, places[i].second));
    return out;
}

// A button comes on as its picture and becomes the button once it stands still: a player
// may keep testing a button that moved against where it first stood.
void LessonWriter::buttonAt(int frame, int ready, const Visual& face, int button) {
    const int depth = show(frame, face);
    root().remove(ready, depth);
    live_.erase(depth);
    Visual still = face;
    still.id = button;
    still.appear = Appear::Now;
    show(ready, still);
}

Piece LessonWriter::faceOfAnswer(const QString& answer, QSizeF size, const QColor& fill,
                                 const QColor& border, qreal borderWidth) {
    const QString key = QStringLiteral("%1|%2|%3|%4|%5|%6")
                            .arg(answer)
                            .arg(size.width())
                            .arg(fill.rgba())
                            .arg(border.rgba())
                            .arg(borderWidth)
                            .arg(size.height());
    const auto hit = faces_.find(key);
    if (hit != faces_.end())
        return hit->second;
    const Piece made = drawAnswer(answer, size, fill, border, borderWidth);
    faces_[key] = made;
    return made;
}

Piece LessonWriter::drawAnswer(const QString& answer, QSizeF size, const QColor& fill,
                               const QColor& border, qreal borderWidth) {
    const QRectF r(-size.width() / 2, -size.height() / 2, size.width(), size.height());
    SwfShape s;
    s.roundedRect(r.translated(0, 6), 26, ShapeFill::solid(shade(fill, -0.35)));
    s.roundedRect(r, 26, ShapeFill::solid(fill), ShapeLine{borderWidth, border});
    // Pictures as large as the face allows; words on one line, or on two where one line
    // would make them small.
    const bool pictures = isEmojiRun(answer);
    const qreal room = size.width() - 24;
    QFont font = cjkFont(pictures ? std::min(72.0, (size.height() - 34) / 1.15) : 46, QFont::Black);
    QStringList lines{answer};
    if (!pictures && textWidth(answer, font) > room) {
        QFont two = cjkFont(40, QFont::Black);
        const QStringList wrapped = wrapText(answer, two, room);
        if (wrapped.size() == 2 && fitOneLine(font, answer, room, 16).pixelSize() < 32) {
            lines = wrapped;
            for (const QString& l : wrapped)
                two = fitOneLine(two, l, room, 16);
            font = two;
        }
    }
    if (lines.size() == 1)
        font = fitOneLine(font, answer, room, 16);
    const qreal lineHeight = lines.size() == 1 ? size.height() : font.pixelSize() * 1.15;
    TextInk ink = layoutLines(lines, font, lineHeight);
    const qreal lift = ink.box.height() / 2;
    ink.path.translate(0, -lift);
    for (auto& e : ink.emoji)
        e.second.translate(0, -lift);
    if (ink.emoji.empty()) {
        s.add(ink.path, ShapeFill::solid(Qt::white), ShapeLine{2.5, shade(fill, -0.55)});
        return {shape(s), r};
    }
    const Piece letters = text(ink, Qt::white, shade(fill, -0.55), 2.5);
    return {sprite({{shape(s), {}}, {letters.id, {}}}), r};
}

int LessonWriter::round(int frame, const Question& q, int index, int count) {
    setLine(q.lineNumber);
    const int land = frame, ask = land + kAppearFrames;
    const int rightAt = ask + 1, wrongAt = rightAt + kRightFrames;
    const int next = wrongAt + kWrongFrames;
    clear(land);
    if (index == 0)
        root().actions(land, w_.actionBuilder().push({"score", 0}).setVariable());

    // The question, its pictures and how far the game has got.
    const bool hasPictures = !q.pictures.isEmpty();
    const QFont font = cjkFont(hasPictures ? 36 : 42, QFont::Black);
    const TextInk asks = layoutLines(wrapText(q.text, font, 520), font, font.pixelSize() * 1.3);
    const qreal middle = hasPictures ? 146 : 240;
    show(land,
         {text(asks, ink()).id, Pose::at({330, middle - asks.box.height() / 2}), Appear::FadeUp});
    const std::vector<std::pair<QPointF, qreal>> shownAt = picturePlaces(q);
    for (int i = 0; i < int(shownAt.size()); ++i) {
        const QString& e = q.pictures[i];
        show(land + std::min(i, 4),
             {emoji(e), emojiPose(e, shownAt[size_t(i)].first, shownAt[size_t(i)].second),
              Appear::Pop});
    }
    SwfShape dots;
    for (int i = 0; i < count; ++i) {
        const qreal r = i == index ? 10 : 7;
        dots.ellipse(QRectF(350 + (i - (count - 1) / 2.0) * 28 - r, 540 - r, 2 * r, 2 * r),
                     ShapeFill::solid(i < index    ? colour()
                                      : i == index ? kGold
                                                   : QColor(0xdd, 0xdd, 0xdd)),
                     ShapeLine{2, i == index ? shade(kGold, -0.4) : Qt::white});
    }
    show(land, {shape(dots), Pose::at({}), Appear::Now});

    // The buttons: hear the question again, and the answers.
    const int buttonsFrom = depthMark();
    {
        SwfShape circle, lit;
        circle.ellipse(QRectF(-28, -28, 56, 56), ShapeFill::solid(Qt::white),
                       ShapeLine{4, colour()});
        lit.ellipse(QRectF(-30, -30, 60, 60), ShapeFill::solid(mix(kGold, Qt::white, 0.5)),
                    ShapeLine{4, colour()});
        const QString speaker = QStringLiteral("🔊");
        const QTransform icon = emojiPose(speaker, {}, 34).transform();
        Button b;
        const int up = shape(circle), over = shape(lit), picture = emoji(speaker);
        b.records = {{up, true, false, true, false, 1, {}},
                     {over, false, true, false, false, 2, {}},
                     {picture, true, true, true, false, 3, icon},
                     {hitArea(QRectF(-30, -30, 60, 60)), false, false, false, true, 4, {}}};
        b.releaseActions = w_.actionBuilder().gotoAndPlay(land).bytes();
        const int face = sprite({{up, {}}, {picture, icon}});
        buttonAt(land, ask, {face, Pose::at({622, middle}), Appear::Pop}, w_.defineButton(b));
    }
    const int k = int(q.answers.size());
    const qreal width = std::min(170.0, (628.0 - (k - 1) * 20) / k);
    const QSizeF size(width, kAnswerHeight);
    std::vector<QPointF> places;
    for (int i = 0; i < k; ++i) {
        places.push_back({350 + (i - (k - 1) / 2.0) * (width + 20), kAnswersY});
        const QColor c = answerColour(i);
        const int face = faceOfAnswer(q.answers[i], size, c, Qt::white, 5).id;
        const int hover = faceOfAnswer(q.answers[i], size, shade(c, 0.2), kGold, 6).id;
        const int pressed = faceOfAnswer(q.answers[i], size, shade(c, -0.15), Qt::white, 5).id;
        const int hit = hitArea(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size));
        Button b;
        b.records = {{face, true, false, false, false, 1, {}},
                     {hover, false, true, false, false, 2, QTransform::fromScale(1.06, 1.06)},
                     {pressed, false, false, true, false, 3, QTransform::fromTranslate(0, 3)},
                     {hit, false, false, false, true, 4, {}}};
        auto act = w_.actionBuilder();
        if (i == q.right)
            act.push("score")
                .push("score")
                .getVariable()
                .action(swf::kActionIncrement)
                .setVariable();
        act.gotoAndPlay(i == q.right ? rightAt : wrongAt);
        b.releaseActions = act.bytes();
        buttonAt(land + 1 + std::min(i, 3), ask, {face, Pose::at(places.back()), Appear::Pop},
                 w_.defineButton(b));
    }
    // Asked again from the button, the question is not said twice at once; an answer
    // stops it.
    const QByteArray asked = speech(q.text, q.english);
    const int question = asked.isEmpty() ? 0 : sound(asked);
    if (question)
        root().startSound(land + 1, question, SwfTimeline::Sync::NoMultiple);
    root().stop(ask);

    // The outcomes: the answers stay with the right one lit, under a banner.
    const auto outcome = [&](int at, const QString& banner, const QColor& colour, Chime chime) {
        clear(at, buttonsFrom);
        for (int i = 0; i < k; ++i) {
            const bool right = i == q.right;
            const Piece face =
                right ? faceOfAnswer(q.answers[i], size, kRight, kGold, 7)
                      : faceOfAnswer(q.answers[i], size, answerColour(i), Qt::white, 5);
            Pose p = Pose::at(places[size_t(i)], right ? 1.08 : 1.0, right ? 1.0 : 0.35);
            show(at, {face.id, p, Appear::Now});
        }
        SwfShape panel;
        panel.roundedRect(QRectF(-200, -55, 400, 110), 30,
                          ShapeFill::solid(QColor(255, 255, 255, 240)), ShapeLine{5, colour});
        TextInk words = layoutLines({banner}, cjkFont(62, QFont::Black), 110);
        words.path.translate(0, -55);
        panel.add(words.path, ShapeFill::solid(colour), ShapeLine{2, shade(colour, -0.45)});
        show(at, {shape(panel), Pose::at({350, 278}), Appear::Pop});
        if (question)
            root().startSound(at + 1, question, SwfTimeline::Sync::Stop);
        root().startSound(at + 1, sound(this->chime(chime)));
    };
    outcome(rightAt, QStringLiteral("答对了！"), kRight, Chime::Right);
    {
        // Stars burst out of the banner.
        SwfTimeline t = w_.newTimeline();
        const int star = shape(SwfShape().add(tools::art::starPath(16, 7), ShapeFill::solid(kGold),
                                              ShapeLine{2, shade(kGold, -0.4)}));
        for (int s = 0; s < 8; ++s) {
            const qreal a = s * M_PI / 4 + 0.3;
            t.tween(s + 1, star, 0, 14, Pose::at({}, 0.4),
                    Pose::at({230 * std::cos(a), 120 * std::sin(a)}, 1.2, 0, 140));
        }
        t.stop(13);
        show(rightAt, {w_.defineSprite(t), Pose::at({350, 278}), Appear::Now});
    }
    root().actions(wrongAt - 1, w_.actionBuilder().gotoAndPlay(next));
    outcome(wrongAt, QStringLiteral("再想想！"), QColor(0xf2, 0x6b, 0x1d), Chime::Wrong);
    const QString finger = QStringLiteral("👆");
    const int hand = emoji(finger);
    show(wrongAt,
         {bob(hand, emojiPose(finger, {}, 50), 8, 12, 0),
          Pose::at(places[size_t(q.right)] + QPointF(0, kAnswerHeight / 2 + 26)), Appear::Now});
    return next;
}

// "你答对了 N 题！": a sprite with a part for each score goes to the part of the score
// the variable "score" holds, which shows it, says it and says a word of praise. The parts
// are of one length, so that the part of a score is found by arithmetic.
int LessonWriter::resultCard(int frame, int rounds) {
    clear(frame);
    // The movie stops a frame later: what shows here shows at once.
    const QString cup = QStringLiteral("🏆");
    show(frame,
         {bob(emoji(cup), emojiPose(cup, {}, 120), 7, 28, 0), Pose::at({350, 170}), Appear::Now});
    const auto praise = [rounds](int n) {
        return n == rounds       ? QStringLiteral("全部答对，真棒！")
               : n * 2 >= rounds ? QStringLiteral("真不错，继续加油！")
                                 : QStringLiteral("没关系，再玩一次吧！");
    };
    // Said in pieces: "你答对了", the number, the praise.
    const QByteArray lead = speech(QStringLiteral("你答对了"));
    std::vector<QByteArray> numbers;
    int longest = 0;
    for (int n = 0; n <= rounds; ++n) {
        numbers.push_back(speech(chinese(n) + QStringLiteral("题")));
        longest = std::max(longest, framesOf(numbers.back()));
    }
    const int leadFrames = framesOf(lead);
    const int part = 1 + leadFrames + longest + 1;
    SwfTimeline t = w_.newTimeline();
    t.actions(0, w_.actionBuilder()
                     .stop()
                     .push("_root")
                     .getVariable()
                     .push("score")
                     .getMember()
                     .push(part)
                     .action(swf::kActionMultiply)
                     .push(2) // the part's first frame, counted from 1
                     .add2()
                     .gotoFrame2(true));
    const qreal star = std::min(46.0, 520.0 / std::max(1, rounds));
    for (int n = 0; n <= rounds; ++n) {
        SwfShape s;
        TextInk head =
            layoutLines({QStringLiteral("你答对了 %1 题！").arg(n)}, cjkFont(48, QFont::Black), 64);
        s.add(head.path, ShapeFill::solid(deep()), ShapeLine{1.5, deep()});
        for (int i = 0; i < rounds; ++i) {
            QPainterPath p = tools::art::starPath(star / 2, star / 4.4);
            p.translate((i - (rounds - 1) / 2.0) * (star + 8), 110);
            s.add(p, ShapeFill::solid(i < n ? kGold : QColor(0xe2, 0xe2, 0xe2)),
                  ShapeLine{2.5, i < n ? shade(kGold, -0.4) : QColor(0xbb, 0xbb, 0xbb)});
        }
        TextInk more = layoutLines({praise(n)}, cjkFont(34, QFont::Bold), 44);
        more.path.translate(0, 150);
        s.add(more.path, ShapeFill::solid(ink()));
        // Lands (silent), then says the score and the praise, and stops.
        const int first = 1 + n * part, end = first + part - 1;
        t.place(first, 1, shape(s));
        for (const auto& [at, said] : {std::make_pair(first + 1, lead),
                                       std::make_pair(first + 1 + leadFrames, numbers[size_t(n)]),
                                       std::make_pair(end, speech(praise(n)))})
            if (!said.isEmpty())
                t.startSound(at, sound(said));
        t.stop(end);
    }
    show(frame, {w_.defineSprite(t), Pose::at({350, 262}), Appear::Now});
    root().startSound(frame + 1, sound(chime(Chime::Finish)));
    return frame + 2;
}

} // namespace tools::lesson
