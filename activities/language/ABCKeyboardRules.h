#pragma once
// The keyboard game: eleven letters and digits fall; typing a falling character
// shoots it and a new one starts above the screen; one reaching the bottom panel
// counts as missed. The random source is seeded by the caller once per game; the
// rules only draw from it.

#include "platform/Random.h"

#include <QChar>
#include <QString>
#include <array>

namespace language {

constexpr int kFallerCount = 11;
constexpr int kFallerSize = 80;
// The 36 characters that fall: A..Z, then 0..9.
QChar keyChar(int i);

struct Faller {
    QChar ch;
    int left = 0, top = 0;
    int speed = 1; // pixels per tick
};

class KeyboardGame {
public:
    enum class Key { Ignored, Hit, Missed };
    enum class Speed { Slow, Middle, Fast };

    explicit KeyboardGame(platform::RandomSource& rng) : rng_(rng) {}

    // A new game on a form `width` wide: counters zeroed, every character placed
    // above the screen.
    void start(int width);
    // New speeds drawn from now on; a game starts at Middle (1 or 2 pixels a tick).
    void setSpeed(Speed s);

    // One tick of the fall; true when at least one character reached the panel
    // (counted as one miss however many did; those start again above the screen).
    bool tick(int panelTop);
    // One keystroke. On a hit: which character was shot and where it was (it has
    // started again above the screen by then).
    struct KeyResult {
        Key kind = Key::Ignored;
        int index = -1;
        int left = 0, top = 0;
    };
    KeyResult key(QChar typed);

    const std::array<Faller, kFallerCount>& fallers() const { return fallers_; }
    Faller& faller(int i) { return fallers_[static_cast<size_t>(i)]; }
    int total() const { return total_; }
    int right() const { return right_; }
    int missed() const { return missed_; }
    // "已经输入的总字母数：[..]个，未打中字母数：[..]个，正确率：【..%】"
    QString statusText() const;
    static QString startText();

private:
    enum class Range { Start, AfterMiss, AfterHit };
    void respawn(int i, Range r);

    platform::RandomSource& rng_;
    std::array<Faller, kFallerCount> fallers_{};
    int width_ = 800;
    int speedFrom_ = 1, speedTo_ = 3;
    int total_ = 0, right_ = 0, missed_ = 0;
};

// Which of the three explosion players shows a hit: the first of the first two
// that is not playing, else the third.
int explosionPlayer(bool firstPlaying, bool secondPlaying);

// One explosion on screen: shown when a hit starts it, hidden once its movie has played
// to the end. It counts as started only when the movie itself reports playing (a player
// is still on its first frame for a while after the hit). One that has not started after
// kWaitTicks ticks of the game clock (about 1.5 s), or is still on screen kMostTicks after
// it started (about 1.7 s; the movie lasts one second), is hidden too, so none stays on
// screen.
class Explosion {
public:
    static constexpr int kWaitTicks = 40;
    static constexpr int kMostTicks = 45;
    void start() { shown_ = true, started_ = false, ticks_ = 0; }
    // One tick with what the movie reports; false once the explosion is to be hidden.
    bool tick(bool moviePlaying);
    bool shown() const { return shown_; }

private:
    bool shown_ = false;
    bool started_ = false;
    int ticks_ = 0; // since the hit, then since the movie started
};

} // namespace language
