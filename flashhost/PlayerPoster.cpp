#include "flashhost/PlayerPoster.h"

#include <QPainter>

namespace flashhost {

PlayerPoster::PlayerPoster(QByteArray picture, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)) {
    // The mouse reaches the player beneath: its buttons work as soon as it has the movie.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlayerPoster::paintEvent(QPaintEvent*) {
    if (decoded_.isNull())
        decoded_.loadFromData(picture_);
    QPainter p(this);
    if (decoded_.isNull())
        p.fillRect(rect(), Qt::white);
    else
        p.drawImage(rect(), decoded_);
}

void PlayerPoster::hideEvent(QHideEvent* event) {
    decoded_ = QImage();
    QWidget::hideEvent(event);
}

} // namespace flashhost
