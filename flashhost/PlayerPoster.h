#pragma once
// A movie's first frame as a picture, shown over its player until the player shows the
// movie: a window never shows an empty player while the movie starts. The picture stays
// encoded and is decoded only while it shows. Once the player has drawn the movie, its own
// picture takes the place of the given one, so that the next time the poster shows (the
// movie comes back after its page was given back) it is exactly what the player draws.

#include <QByteArray>
#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace flashhost {

class PlayerPoster : public QWidget {
public:
    PlayerPoster(QByteArray picture, QWidget* parent);

    // The player has drawn the movie; the screen shows it a little later. The poster goes
    // once `player` shows a picture of its own, at the latest after a while.
    void hideWhenShown(QWidget* player);

    // True when (nearly) the whole of `image` is one colour: nothing drawn yet.
    static bool isBlank(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void check();
    // The player's own first frame becomes the picture shown from now on.
    void keepPlayerPicture(const QImage& drawn);

    QByteArray picture_;
    QImage decoded_;
    QImage playerPicture_;
    QPointer<QWidget> player_;
    QTimer checks_;
    QElapsedTimer waited_;
};

} // namespace flashhost
