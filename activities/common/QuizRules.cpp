#include "activities/common/QuizRules.h"

#include "platform/Random.h"

#include <algorithm>

namespace quiz {

Kind kindOf(const QString& topicType) {
    if (topicType == QLatin1String("0"))
        return Kind::SinglePick;
    if (topicType == QLatin1String("1"))
        return Kind::TextChoice;
    if (topicType == QLatin1String("2"))
        return Kind::MultiPick;
    return Kind::PlainText;
}

int pictureCount(const QString& pic3, const QString& pic4, const QString& pic5,
                 const QString& pic6) {
    const QString* rest[] = {&pic3, &pic4, &pic5, &pic6};
    int n = 2;
    for (const QString* p : rest) {
        if (p->trimmed().isEmpty())
            break;
        ++n;
    }
    return n;
}

int textChoiceButtons(const QString& c, const QString& d) {
    return plainTextButtons(c.trimmed(), d.trimmed());
}

int plainTextButtons(const QString& c, const QString& d) {
    if (c.isEmpty())
        return 2;
    return d.isEmpty() ? 3 : 4;
}

bool letterRight(const QString& topicKey, const QString& buttonLetter) {
    return topicKey.toUpper() == buttonLetter;
}

bool pickRight(const QString& topicKey, int pictureNumber) {
    return topicKey == QString::number(pictureNumber);
}

QString tickText(const Ticks& ticks) {
    QString s;
    for (size_t i = 0; i < ticks.size(); ++i)
        if (ticks[i])
            s += QString::number(i + 1) + QLatin1Char(',');
    return s;
}

bool ticksRight(const QString& topicKey, const Ticks& ticks) {
    const QString ticked = tickText(ticks);
    return !ticked.isEmpty() && ticked == topicKey.trimmed() + QLatin1Char(',');
}

PictureLayout pictureLayout(int count) {
    PictureLayout l;
    auto row = [&l](const QList<int>& lefts, int top, const QList<int>& checkLefts, int checkTop) {
        for (int x : lefts)
            l.pictures.append(QPoint(x, top));
        for (int x : checkLefts)
            l.checkBoxes.append(QPoint(x, checkTop));
    };
    switch (std::clamp(count, 2, 6)) {
    case 2:
        l.size = 270;
        row({96, 504}, 58, {218, 634}, 330);
        break;
    case 3:
        l.size = 270;
        row({15, 307, 599}, 58, {136, 432, 720}, 354);
        break;
    case 4:
        l.size = 210;
        row({8, 226, 445, 664}, 90, {88, 317, 548, 764}, 322);
        break;
    case 5:
        l.size = 175;
        row({2, 178, 354, 530, 706}, 103, {80, 258, 436, 614, 792}, 311);
        break;
    default:
        l.size = 180;
        row({97, 344, 591}, 8, {172, 426, 680}, 194);
        row({97, 344, 591}, 214, {172, 426, 680}, 402);
        break;
    }
    return l;
}

QList<int> textChoiceTops(int count) {
    switch (std::clamp(count, 2, 4)) {
    case 2:
        return {136, 236};
    case 3:
        return {99, 192, 285};
    default:
        return {75, 152, 229, 307};
    }
}

QList<int> plainTextLefts(int count) {
    switch (std::clamp(count, 2, 4)) {
    case 2:
        return {217, 479};
    case 3:
        return {76, 353, 631};
    default:
        return {28, 241, 455, 669};
    }
}

void TopicSeries::clear() {
    lbList_.clear();
    lblistok_.clear();
    current_ = 0;
}

void TopicSeries::choose(const QStringList& bankTopics, Order order, platform::RandomSource& rng) {
    clear();
    lbList_ = bankTopics;
    const int n = std::min(kLength, static_cast<int>(lbList_.size()));
    if (order == Order::Random) {
        for (int i = 0; i < n; ++i) {
            const int k = rng.random(static_cast<int>(lbList_.size()));
            lblistok_.append(lbList_.takeAt(k));
        }
    } else {
        for (int k = n - 1; k >= 0; --k)
            lblistok_.append(lbList_.takeAt(k));
    }
}

QString TopicSeries::currentTopic() const {
    return current_ < lblistok_.size() ? lblistok_.at(current_) : QString();
}

void TopicSeries::advance() {
    current_ = current_ >= size() - 1 ? 0 : current_ + 1;
}

} // namespace quiz
