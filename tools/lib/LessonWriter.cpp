#include "tools/lib/LessonWriter.h"

#include "tools/lib/ArtKit.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace tools::lesson {
namespace {

using namespace tools::art;

constexpr int kTitleCardFrames = 48; // a lesson without a script: four seconds
constexpr int kGapFrames = 4;        // after each spoken line
constexpr int kGlideFrames = 8;

// A yellow star of the title card and the opening.
SwfShape yellowStar() {
    return SwfShape().add(starPath(22, 10), ShapeFill::solid(QColor(0xff, 0xd0, 0x1f)),
                          ShapeLine{2.5, QColor(0xf0, 0x8a, 0x00)});
}

// Text as outlines, its ink centred on `centre`.
SwfShape& addText(SwfShape& shape, const QString& text, const QFont& font, QPointF centre,
                  const QColor& fill, const QColor& outline, qreal outlineWidth) {
    QPainterPath path = textPath(text, font);
    path.translate(centre);
    return shape.add(path, ShapeFill::solid(fill), ShapeLine{outlineWidth, outline});
}

} // namespace

LessonWriter::LessonWriter(const Script* script, const Look& look, const Media& media)
    : script_(script), look_(look), media_(media), w_(kStage, kLessonFrameRate, 8) {
    w_.setCompression('C');
    w_.setBackgroundColor(mix(look.colour, Qt::white, 0.8));
    if (script)
        line_ = 1;
}

QColor LessonWriter::deep() const {
    return shade(look_.colour, -0.5);
}

QString LessonWriter::chinese(int n) {
    static const char* const digits[] = {"零", "一", "二", "三", "四",
                                         "五", "六", "七", "八", "九"};
    if (n < 10)
        return QString::fromUtf8(digits[n]);
    const QString tens = n < 20 ? QString() : QString::fromUtf8(digits[n / 10]);
    return tens + QStringLiteral("十") + (n % 10 ? QString::fromUtf8(digits[n % 10]) : QString());
}

// ---- pieces -----------------------------------------------------------------------

Piece LessonWriter::text(const TextInk& ink, const QColor& fill, const QColor& outline,
                         qreal outlineWidth, const QColor& panel) {
    SwfShape letters;
    if (panel.alpha() > 0)
        letters.roundedRect(ink.box.adjusted(-kPanelPad.width(), -kPanelPad.height(),
                                             kPanelPad.width(), kPanelPad.height()),
                            22, ShapeFill::solid(panel));
    letters.add(ink.path, ShapeFill::solid(fill), ShapeLine{outlineWidth, outline});
    const int lettersId = letters.isEmpty() ? 0 : shape(letters);
    if (ink.emoji.empty())
        return {lettersId, ink.box};
    std::vector<std::pair<int, QTransform>> layers;
    if (lettersId)
        layers.push_back({lettersId, {}});
    for (const auto& [e, box] : ink.emoji)
        layers.push_back({emoji(e), emojiPose(e, box.center(), box.height()).transform()});
    return {sprite(layers), ink.box};
}

int LessonWriter::emoji(const QString& e) {
    const auto hit = emoji_.find(e);
    if (hit != emoji_.end())
        return hit->second.first;
    const QImage image = emojiImage(e);
    if (image.isNull())
        throw ScriptError(script_ ? script_->fileName : look_.title, line_,
                          QStringLiteral("'%1' is not a picture the emoji font draws").arg(e));
    const int id =
        w_.defineJpegShape(image, 60, QPointF(image.width() / 2.0, image.height() / 2.0));
    emoji_[e] = {id, image.size()};
    return id;
}

qreal LessonWriter::emojiScale(const QString& e, qreal box) {
    emoji(e);
    const QSize size = emoji_[e].second;
    return std::min(1.0, box / std::max(size.width(), size.height()));
}

QRectF emojiBox(const QString& e, QPointF centre, qreal box) {
    const QSize size = tools::art::emojiImage(e).size();
    const qreal scale = std::min(1.0, box / std::max({1, size.width(), size.height()}));
    const QSizeF drawn = QSizeF(size) * scale;
    return QRectF(centre - QPointF(drawn.width() / 2, drawn.height() / 2), drawn);
}

int LessonWriter::sprite(const std::vector<std::pair<int, QTransform>>& layers) {
    SwfTimeline t = w_.newTimeline();
    int depth = 1;
    for (const auto& [id, m] : layers)
        t.place(0, depth++, id, m);
    return w_.defineSprite(t);
}

int LessonWriter::sound(const QByteArray& mp3) {
    const auto hit = sounds_.find(mp3);
    if (hit != sounds_.end())
        return hit->second;
    const int id = w_.defineSound(mp3);
    sounds_[mp3] = id;
    return id;
}

int LessonWriter::framesOf(const QByteArray& mp3) const {
    if (mp3.isEmpty())
        return 0;
    const Mp3Info info = readMp3(mp3);
    const qint64 samples =
        qint64(info.frames) * info.samplesPerFrame - info.encoderDelay - info.encoderPadding;
    return int(std::ceil(double(std::max<qint64>(samples, 0)) * kLessonFrameRate /
                         std::max(1, info.sampleRate)));
}

namespace {

// What is spoken of a shown text: the pictures in it are left out; empty when nothing
// is left to say.
QString spokenOf(const QString& text) {
    QString spoken;
    for (const QString& g : graphemes(text))
        if (!isPictograph(g))
            spoken += g;
    spoken = spoken.simplified();
    if (std::none_of(spoken.begin(), spoken.end(), [](QChar c) { return c.isLetterOrNumber(); }))
        return {};
    return spoken;
}

} // namespace

QByteArray LessonWriter::speech(const QString& text, bool english) const {
    const QString spoken = spokenOf(text);
    if (spoken.isEmpty())
        return {};
    if (media_.spokenLine)
        media_.spokenLine(line_);
    return media_.speech(spoken, english);
}

QByteArray LessonWriter::pinyinSpeech(const QString& text, const QString& pinyin) const {
    const QString spoken = spokenOf(text);
    if (spoken.isEmpty() || !media_.pinyinSpeech)
        return speech(text);
    if (media_.spokenLine)
        media_.spokenLine(line_);
    return media_.pinyinSpeech(spoken, pinyin);
}

QByteArray LessonWriter::letterSpeech(const QString& letters, const QString& character) const {
    if (!media_.letterSpeech)
        return speech(character);
    if (media_.spokenLine)
        media_.spokenLine(line_);
    return media_.letterSpeech(letters, character);
}

int LessonWriter::bob(int character, const Pose& pose, qreal lift, int period, int phase) {
    // One sprite for each look, made once a movie: the same picture bobs alike everywhere.
    const auto key = std::make_tuple(character, pose.scaleX, pose.pos.y(), lift, period, phase);
    const bool shared =
        pose.pos.x() == 0 && pose.scaleX == pose.scaleY && pose.rotation == 0 && pose.alpha == 1;
    if (const auto hit = bobs_.find(key); shared && hit != bobs_.end())
        return hit->second;
    SwfTimeline t = w_.newTimeline();
    Pose up = pose;
    up.pos.ry() -= lift;
    for (int f = 0; f < period; ++f) {
        const int k = (f + phase) % period;
        const qreal x = 0.5 - 0.5 * std::cos(2 * M_PI * k / period);
        t.place(f, 1, character, Pose::interpolate(pose, up, x));
    }
    const int id = w_.defineSprite(t);
    if (shared)
        bobs_[key] = id;
    return id;
}

// ---- stage ------------------------------------------------------------------------

int LessonWriter::newDepth() {
    live_.insert(nextDepth_);
    return nextDepth_++;
}

void LessonWriter::clear(int frame, int from, int to) {
    for (auto it = live_.lower_bound(from); it != live_.end() && *it < to;) {
        root().remove(frame, *it);
        it = live_.erase(it);
    }
}

int LessonWriter::show(int frame, const Visual& v) {
    const int depth = newDepth();
    Pose from = v.pose;
    switch (v.appear) {
    case Appear::Now:
        root().place(frame, depth, v.id, v.pose);
        break;
    case Appear::FadeUp:
        from.pos.ry() += 14;
        from.alpha = 0;
        root().tween(depth, v.id, frame, 5, from, v.pose);
        break;
    case Appear::Pop: {
        from.scaleX *= 0.3;
        from.scaleY *= 0.3;
        Pose over = v.pose;
        over.scaleX *= 1.12;
        over.scaleY *= 1.12;
        root().tween(depth, v.id, frame, 3, from, over);
        root().tween(depth, v.id, frame + 3, 2, over, v.pose);
        break;
    }
    }
    return depth;
}

void LessonWriter::pictures(int frame, const QStringList& list, const std::vector<QPointF>& centres,
                            const std::vector<qreal>& boxes, bool together) {
    for (int i = 0; i < int(list.size()) && i < int(centres.size()) && i < int(boxes.size()); ++i) {
        const int id = emoji(list[i]);
        const Pose rest = emojiPose(list[i], centres[size_t(i)], boxes[size_t(i)]);
        Pose from = rest;
        from.pos.rx() += centres[size_t(i)].x() < kStage.width() / 2 ? -140 : 140;
        from.alpha = 0;
        from.rotation = centres[size_t(i)].x() < kStage.width() / 2 ? -15 : 15;
        const int depth = newDepth();
        root().tween(depth, id, frame, kGlideFrames, from, rest);
        Pose still = rest;
        still.pos = {};
        // Taken off and put back, not replaced where it stands: a player may keep the
        // picture that glided in, unscaled, in place of its bobbing sprite.
        root().remove(frame + kGlideFrames, depth);
        root().place(frame + kGlideFrames, depth, bob(id, still, 7, 28, together ? 0 : i * 9),
                     QTransform::fromTranslate(rest.pos.x(), rest.pos.y()));
    }
}

int LessonWriter::play(int frame, const std::vector<Moment>& moments) {
    for (const Moment& m : moments) {
        for (const Visual& v : m.visuals)
            show(frame, v);
        int length = m.minFrames;
        if (!m.mp3.isEmpty()) {
            root().startSound(frame, sound(m.mp3));
            length = std::max(length, framesOf(m.mp3) + kGapFrames);
        }
        frame += std::max(length, 1);
    }
    return frame;
}

void LessonWriter::enterBoard(int frame) {
    if (boardShown_)
        return;
    boardShown_ = true;
    for (int d : card_)
        root().remove(frame, d);
    card_.clear();
    SwfShape board;
    board.roundedRect(kBoard, 30, ShapeFill::solid(QColor(0xff, 0xfd, 0xf6)),
                      ShapeLine{6, look_.colour});
    root().place(frame, kBoardDepth, shape(board));
    const QFont font = fitOneLine(cjkFont(32, QFont::Black), look_.title, 380, 18);
    const Piece title = text(layoutLines({look_.title}, font, 48), deep());
    root().place(frame, kHeaderDepth, title.id, QTransform::fromTranslate(476, 12));
}

// ---- the opening and the title card -------------------------------------------------

void LessonWriter::backdrop() {
    SwfShape scene;
    scene.ellipse(QRectF(590, -50, 150, 150), ShapeFill::solid(QColor(0xff, 0xd8, 0x3a)));
    QPainterPath hills;
    hills.moveTo(0, 500);
    hills.quadTo(180, 440, 360, 490);
    hills.quadTo(540, 540, 700, 470);
    hills.lineTo(700, 580);
    hills.lineTo(0, 580);
    hills.closeSubpath();
    scene.add(hills, ShapeFill::solid(QColor(0x7c, 0xcf, 0x5a)));
    root().place(0, kBackdropDepth, shape(scene));

    SwfShape ribbon;
    ribbon.roundedRect(QRectF(3, 3, 244, 40), 20, ShapeFill::solid(look_.colour),
                       ShapeLine{3, Qt::white});
    const QString label = look_.category + QStringLiteral(" · 第%1课").arg(look_.number);
    addText(ribbon, label, fitFont(cjkFont(22, QFont::Black), label, 220), {125, 23}, Qt::white,
            shade(look_.colour, -0.45), 1.2);
    root().place(0, kRibbonDepth, shape(ribbon), QTransform::fromTranslate(20, 18));
}

// A spinning star and a bar filling up, until the start frame.
void LessonWriter::opening(int start) {
    if (start <= 0)
        return;
    const int spinner = kOpeningDepth, barBack = kOpeningDepth + 1, bar = kOpeningDepth + 2;
    SwfTimeline spin = w_.newTimeline();
    const int star = shape(yellowStar());
    for (int f = 0; f < 24; ++f)
        spin.place(f, 1, star, Pose::at({}, 2.4 + 0.5 * std::sin(M_PI * f / 24), 1, f * 7.5));
    root().place(0, spinner, w_.defineSprite(spin), QTransform::fromTranslate(350, 220));
    root().place(0, barBack,
                 shape(SwfShape().roundedRect(QRectF(0, 0, 400, 26), 13,
                                              ShapeFill::solid(QColor(0xee, 0xee, 0xee)),
                                              ShapeLine{3, look_.colour})),
                 QTransform::fromTranslate(150, 330));
    const int fill =
        shape(SwfShape().roundedRect(QRectF(0, 0, 400, 26), 13, ShapeFill::solid(look_.colour)));
    for (int f = 0; f < start; ++f) {
        Pose p = Pose::at({150, 330});
        p.scaleX = std::max(0.07, start > 1 ? qreal(f) / (start - 1) : 1.0);
        root().place(f, bar, fill, p);
    }
    for (int d : {spinner, barBack, bar})
        root().remove(start, d);
}

QString LessonWriter::firstPicture() const {
    if (script_)
        for (const Scene& s : script_->scenes) {
            if (!s.pictures.isEmpty())
                return s.pictures.first();
            if (s.question && !s.question->pictures.isEmpty())
                return s.question->pictures.first();
        }
    return look_.picture;
}

namespace {

// The title in big letters centred on the origin over its soft shadow; what stands in
// brackets goes on a second, smaller line.
std::pair<SwfShape, SwfShape> titleShapes(const QColor& colour, const QString& title) {
    QString main = title, sub;
    const qsizetype open = title.indexOf(QStringLiteral("（"));
    if (open > 0) {
        main = title.left(open);
        sub = title.mid(open);
    }
    const QFont mainFont = fitFont(cjkFont(64, QFont::Black), main, 530);
    const QFont subFont = fitFont(cjkFont(38, QFont::Black), sub, 540);
    const QPointF mainAt(0, sub.isEmpty() ? 0.0 : -28.0), subAt(0, 44);
    const QColor shadow(0, 0, 0, 45);
    SwfShape letters, under;
    addText(letters, main, mainFont, mainAt, shade(colour, -0.08), shade(colour, -0.5), 2);
    addText(under, main, mainFont, mainAt, shadow, shadow, 6);
    if (!sub.isEmpty()) {
        addText(letters, sub, subFont, subAt, QColor(0x3a, 0x46, 0x6e), QColor(0x1e, 0x24, 0x40),
                1.2);
        addText(under, sub, subFont, subAt, shadow, shadow, 5);
    }
    return {letters, under};
}

} // namespace

// The title springs up on the card, the picture glides onto the meadow, stars twinkle
// while the title is spoken. Returns the frame after the card.
int LessonWriter::titleCard(int start) {
    SwfShape card;
    card.roundedRect(QRectF(50, 80, 600, 330), 36, ShapeFill::solid(QColor(0xff, 0xfd, 0xf6)),
                     ShapeLine{7, look_.colour});
    root().place(start, kCardDepth, shape(card));
    card_.insert({kCardDepth, kCardDepth + 1, kCardDepth + 3, kCardDepth + 4, kCardDepth + 5,
                  kCardDepth + 6});
    const auto [letters, shadow] = titleShapes(look_.colour, look_.title);
    const int title =
        sprite({{shape(shadow), QTransform::fromTranslate(2, 4)}, {shape(letters), {}}});
    const QPointF titleAt(350, 200);
    const Pose small = Pose::at(titleAt, 0.2, 0.2), big = Pose::at(titleAt, 1.1),
               rest = Pose::at(titleAt);
    int end = start;
    if (look_.waitsForStart) {
        root().place(start, kCardDepth + 1, title, Pose::at(titleAt));
    } else {
        root().tween(kCardDepth + 1, title, start, 7, small, big);
        root().tween(kCardDepth + 1, title, start + 7, 3, big, rest);
        const QByteArray said = speech(look_.spokenTitle, look_.englishTitle);
        if (!said.isEmpty())
            root().startSound(start + 1, sound(said));
        end = start + (script_ ? std::max(30, framesOf(said) + 12) : kTitleCardFrames);
    }
    const QString picture = firstPicture();
    if (!picture.isEmpty()) {
        const int id = emoji(picture);
        card_.insert(kCardDepth + 2);
        const qreal scale = emojiScale(picture, 100);
        const int glide = look_.waitsForStart ? start : start + 3;
        if (!look_.waitsForStart) {
            root().tween(kCardDepth + 2, id, glide, 10, Pose::at({-80, 480}, 0.8 * scale, 1, -20),
                         Pose::at({350, 475}, scale));
            root().remove(glide + 10, kCardDepth + 2); // put back as its sprite, not replaced
        }
        root().place(look_.waitsForStart ? start : glide + 10, kCardDepth + 2,
                     bob(id, Pose::at({}, scale), 12, 12, 0), QTransform::fromTranslate(350, 475));
    }
    const QPointF starsAt[] = {{90, 110}, {612, 120}, {120, 380}, {590, 390}};
    const int star = shape(yellowStar());
    for (int i = 0; i < 4; ++i) {
        SwfTimeline t = w_.newTimeline();
        for (int f = 0; f < 16; ++f) {
            const qreal x = 0.5 - 0.5 * std::cos(2 * M_PI * ((f + i * 4) % 16) / 16);
            t.place(f, 1, star,
                    Pose::interpolate(Pose::at({}, 0.5, 1, 0), Pose::at({}, 1.1, 1, 72), x));
        }
        root().place(start, kCardDepth + 3 + i, w_.defineSprite(t),
                     QTransform::fromTranslate(starsAt[i].x(), starsAt[i].y()));
    }
    return end;
}

// A game's start frame: the title card and "开始游戏"; the movie stays there (a player
// that plays on from the start frame is sent back to it) until the button is pressed.
int LessonWriter::startCard(int start) {
    titleCard(start);
    const auto face = [&](const QColor& colour) {
        SwfShape s;
        s.roundedRect(QRectF(-95, -30, 190, 60), 30, ShapeFill::solid(colour),
                      ShapeLine{4, Qt::white});
        addText(s, QStringLiteral("开始游戏"), cjkFont(28, QFont::Black), {}, Qt::white,
                QColor(0x1e, 0x6e, 0x2a), 1.4);
        return shape(s);
    };
    Button button;
    const int up = face(QColor(0x3c, 0xc4, 0x53)), over = face(QColor(0x5c, 0xe0, 0x70)),
              down = face(QColor(0x2a, 0x96, 0x3c));
    button.records = {{up, true, false, false, false, 1, {}},
                      {over, false, true, false, false, 2, {}},
                      {down, false, false, true, false, 3, {}},
                      {hitArea(QRectF(-95, -30, 190, 60)), false, false, false, true, 4, {}}};
    button.releaseActions = w_.actionBuilder().gotoAndPlay(start + 2).bytes();
    root().place(start, kCardDepth + 8, w_.defineButton(button),
                 QTransform::fromTranslate(350, 350));
    root().stop(start);
    root().actions(start + 1, w_.actionBuilder().gotoFrame(start).stop());
    card_.insert(kCardDepth + 8);
    return start + 2;
}

int LessonWriter::beginning() {
    const int start = std::max(0, look_.startFrame);
    backdrop();
    opening(start);
    return look_.waitsForStart ? startCard(start) : titleCard(start);
}

QImage LessonWriter::startPicture() {
    w_.keepForDrawing();
    beginning();
    return w_.drawFrame(std::max(0, look_.startFrame));
}

QByteArray LessonWriter::write() {
    int frame = beginning();
    if (!script_) {
        if (look_.waitsForStart) { // the card again after the button, as the lesson
            look_.waitsForStart = false;
            root().remove(frame, kCardDepth + 8);
            frame = titleCard(frame);
        }
        root().stop(frame - 1);
        return w_.finish();
    }
    int rounds = 0;
    const int total = script_->questionCount();
    for (const Scene& s : script_->scenes) {
        line_ = s.lineNumber;
        enterBoard(frame);
        if (s.question) {
            frame = round(frame, *s.question, rounds++, total);
        } else {
            frame = scene(frame, s);
        }
    }
    if (total > 0)
        frame = resultCard(frame, total);
    root().stop(frame - 1);
    return w_.finish();
}

QByteArray lessonMovie(const Script* script, const Look& look, const Media& media) {
    return LessonWriter(script, look, media).write();
}

QImage lessonStartPicture(const Script* script, const Look& look) {
    // Nothing before the start frame depends on what is said: the card is drawn silent.
    Media silent;
    silent.speech = [](const QString&, bool) { return QByteArray(); };
    silent.chime = [](Chime) { return QByteArray(); };
    return LessonWriter(script, look, silent).startPicture();
}

} // namespace tools::lesson
