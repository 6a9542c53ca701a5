#include "flashhost/PlayerPoster.h"

#include <QHash>
#include <QPainter>
#include <algorithm>

namespace flashhost {
namespace {

constexpr int kCheckMs = 16;
constexpr int kLongestMs = 800; // a movie whose first frame is one colour

} // namespace

PlayerPoster::PlayerPoster(QByteArray picture, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)) {
    // The mouse reaches the player beneath: its buttons work as soon as it has the movie.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    checks_.setInterval(kCheckMs);
    connect(&checks_, &QTimer::timeout, this, &PlayerPoster::check);
}

void PlayerPoster::hideWhenShown(QWidget* player) {
    if (isHidden())
        return;
    player_ = player;
    waited_.start();
    checks_.start();
    check();
}

bool PlayerPoster::isBlank(const QImage& image) {
    if (image.isNull())
        return true;
    constexpr int kGrid = 24;
    QHash<QRgb, int> counts;
    for (int j = 0; j < kGrid; ++j)
        for (int i = 0; i < kGrid; ++i)
            ++counts[image.pixel((2 * i + 1) * image.width() / (2 * kGrid),
                                 (2 * j + 1) * image.height() / (2 * kGrid))];
    const int most = *std::max_element(counts.cbegin(), counts.cend());
    return most * 10 >= kGrid * kGrid * 9;
}

void PlayerPoster::check() {
    if (!player_ || waited_.elapsed() >= kLongestMs) {
        hide();
        return;
    }
    const QImage drawn = player_->grab().toImage();
    if (isBlank(drawn))
        return;
    keepPlayerPicture(drawn);
    hide();
}

void PlayerPoster::keepPlayerPicture(const QImage& drawn) {
    if (QSizeF(drawn.size()) / drawn.devicePixelRatio() != QSizeF(size()))
        return; // not the whole movie as the poster covers it
    playerPicture_ = drawn.convertToFormat(QImage::Format_RGB32);
    picture_.clear(); // the given picture is not needed any more
}

void PlayerPoster::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!playerPicture_.isNull()) {
        p.drawImage(rect(), playerPicture_);
        return;
    }
    if (decoded_.isNull())
        decoded_.loadFromData(picture_);
    if (decoded_.isNull())
        p.fillRect(rect(), Qt::white);
    else
        p.drawImage(rect(), decoded_);
}

void PlayerPoster::showEvent(QShowEvent* event) {
    checks_.stop();
    QWidget::showEvent(event);
}

void PlayerPoster::hideEvent(QHideEvent* event) {
    checks_.stop();
    decoded_ = QImage();
    QWidget::hideEvent(event);
}

} // namespace flashhost
