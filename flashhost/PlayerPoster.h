#pragma once
// A movie's first frame as a picture, shown over its player until the player has drawn
// the movie: a window never shows an empty player while the movie starts. The picture
// stays encoded and is decoded only while it shows.

#include <QByteArray>
#include <QImage>
#include <QWidget>

namespace flashhost {

class PlayerPoster : public QWidget {
public:
    PlayerPoster(QByteArray picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QByteArray picture_;
    QImage decoded_;
};

} // namespace flashhost
