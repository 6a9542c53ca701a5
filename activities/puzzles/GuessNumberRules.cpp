#include "activities/puzzles/GuessNumberRules.h"

namespace puzzles {

Digits placeDigits(const Digits& s, int k) {
    const auto [a, b, c, d] = s;
    switch (k) {
    case 1:
        return {b, c, d, a};
    case 2:
        return {c, d, a, b};
    case 3:
        return {d, a, b, c};
    case 4:
        return {a, d, c, b};
    case 5:
        return {c, a, d, b};
    default:
        return s;
    }
}

Digits drawSecret(platform::RandomSource& rng) {
    const Digits sorted = drawSorted(rng);
    return placeDigits(sorted, rng.random(0, 6));
}

Judgement judge(const Digits& secret, const Digits& guess) {
    Judgement j;
    for (size_t i = 0; i < 4; ++i)
        for (size_t k = 0; k < 4; ++k)
            if (guess[i] == secret[k])
                ++(i == k ? j.a : j.b);
    return j;
}

QString elapsedText(int seconds) {
    return QString::number(seconds / 60) + QStringLiteral("分") + QString::number(seconds % 60) +
           QStringLiteral("秒");
}

void GuessGame::newGame(platform::RandomSource& rng) {
    newGame(drawSecret(rng));
}

void GuessGame::newGame(const Digits& secret) {
    secret_ = secret;
    boxes_ = {-1, -1, -1, -1};
    history_.clear();
    elapsed_ = 0;
    timeText_ = elapsedText(0);
    cursor_ = 1;
    running_ = true;
}

QString GuessGame::boxText() const {
    QString s;
    for (int d : boxes_)
        if (d >= 0)
            s += QString::number(d);
    return s;
}

QString GuessGame::secretText() const {
    QString s;
    for (int d : secret_)
        s += QString::number(d);
    return s;
}

bool GuessGame::enterDigit(int digit) {
    if (!running_ || digit < 0 || digit > 9)
        return false;
    boxes_[static_cast<size_t>(cursor_ - 1)] = digit;
    if (autoAdvance_)
        cursor_ = cursor_ % 4 + 1;
    return true;
}

void GuessGame::selectBox(int pos) {
    if (running_ && pos >= 1 && pos <= 4)
        cursor_ = pos;
}

void GuessGame::clearBoxes() {
    boxes_ = {-1, -1, -1, -1};
}

GuessGame::Submit GuessGame::enterKey() {
    if (!running_)
        return Submit::Ignored;
    for (int p = 1; p <= 4; ++p)
        if (box(p) < 0) {
            cursor_ = p;
            return Submit::Ignored;
        }
    return submit();
}

GuessGame::Submit GuessGame::submit() {
    if (!running_)
        return Submit::Ignored;
    for (int d : boxes_)
        if (d < 0)
            return Submit::EmptyBox;
    for (int i = 1; i <= 3; ++i)
        for (int k = i + 1; k <= 4; ++k)
            if (box(i) == box(k)) {
                cursor_ = i;
                return Submit::Repeated;
            }
    last_ = judge(secret_, boxes_);
    history_.append(QStringLiteral("第") + QString::number(history_.size() + 1) +
                    QStringLiteral("次：") + boxText() + QStringLiteral("判断：") +
                    QString::number(last_.a) + QStringLiteral("A") + QString::number(last_.b) +
                    QStringLiteral("B"));
    if (last_.a == 4) {
        end();
        return Submit::Won;
    }
    if (history_.size() < kMaxGuesses)
        return Submit::Wrong;
    end();
    return Submit::LimitReached;
}

GuessGame::Answer GuessGame::showAnswer() {
    if (!running_)
        return Answer::NotRunning;
    end();
    return boxes_ == secret_ ? Answer::Solved : Answer::Unsolved;
}

GuessGame::Tick GuessGame::tick() {
    if (!running_)
        return Tick::Ignored;
    if (elapsed_ >= kTimeLimit) {
        // The time label keeps "20分0秒".
        end();
        return boxes_ == secret_ ? Tick::TimeUpSolved : Tick::TimeUpUnsolved;
    }
    ++elapsed_;
    timeText_ = elapsedText(elapsed_);
    return Tick::Counted;
}

void GuessGame::end() {
    running_ = false;
    cursor_ = 0;
    elapsed_ = 0;
}

} // namespace puzzles
