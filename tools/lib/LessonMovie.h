#pragma once
// A lesson script made into the movie the lesson player shows.
//
// The movie opens with the category's ribbon and a short opening (a spinning star and a
// filling bar) up to the list's start frame. A lesson then shows its title card while the
// title is spoken, and its scenes: each scene's pictures glide in and bob, its lines
// appear one after another as each is spoken, and the scene lasts as long as its speech
// and a short pause. A game waits on its start frame behind "开始游戏"; each round asks
// its question aloud and offers the answers as big buttons (a right answer counts, a
// wrong one shows the right one), and after the last round the score shows with stars.
// The movie stops on its last frame. Without a script a lesson is its title card.
//
// Speech and chimes come from `Media`, as MP3; the movie runs at 12 frames a second on a
// 700 x 580 stage. Throws ScriptError (naming the script's line) for a picture the emoji
// font does not draw.

#include "tools/lib/LessonScript.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <functional>

namespace tools::lesson {

enum class Chime { Right, Wrong, Finish };

struct Media {
    std::function<QByteArray(const QString& text, bool english)> speech;
    std::function<QByteArray(Chime)> chime;
    // Mandarin said from the pinyin it is shown with (a poem line, a word card); unset,
    // `speech` says the text.
    std::function<QByteArray(const QString& text, const QString& pinyin)> pinyinSpeech;
    // A pinyin letter card ("f" with its character "佛"); unset, `speech` says the character.
    std::function<QByteArray(const QString& letters, const QString& character)> letterSpeech;
    // Told the script line each spoken text comes from (0: the title card).
    std::function<void(int line)> spokenLine;
};

// How a lesson is dressed and where it starts.
struct Look {
    QString category; // shown on the ribbon
    QColor colour;
    int number = 1; // the lesson's place in its list
    QString title;
    QString spokenTitle; // what the title card says
    bool englishTitle = false;
    QString picture;            // the title card's picture when the script names none
    int startFrame = 0;         // the player starts the lesson there
    bool waitsForStart = false; // a game: waits on the start frame for its start button
};

constexpr int kLessonFrameRate = 12;

// `script` may be null: the lesson is then its title card.
QByteArray lessonMovie(const Script* script, const Look& look, const Media& media);

// The movie's start frame (`Look::startFrame`) as the player draws it when the lesson
// player takes the movie there: what the player shows until the movie has drawn.
QImage lessonStartPicture(const Script* script, const Look& look);

} // namespace tools::lesson
