#pragma once
// What the windows that play pack movies in a panel share: loading an item of a
// content pack into the movie control, and the full-screen mode in which the window
// covers its screen without a border, the panel fills it, and the "退出全屏" button
// floats above the movie in a little window of its own (the movie is drawn over every
// widget of its window).

#include <QRect>
#include <QSize>

class QWidget;
class TFlashHostControl;
class TFlatButton;

namespace platform {
class ContentPack;
}

// Loads the "Flash" item `item` of `pack` into `movie` on layer 0; throws
// platform::ResourceNotFound when the pack or the item is missing. The movie's start frame
// as a picture, the "FIRST" item of the same name, shows until the player has drawn the
// movie; without one (or with one that is no picture) the player shows no picture.
void loadPackMovie(TFlashHostControl& movie, const platform::ContentPack* pack,
                   const QString& item);
// The "FIRST" item `item` of `pack` when it is a picture of a sensible size; else empty.
QByteArray packStartPicture(const platform::ContentPack& pack, const QString& item);

class MovieFullScreen {
public:
    // `exitButton` becomes an orange "退出全屏" button in a frameless tool window that
    // never takes the focus.
    MovieFullScreen(QWidget* window, QWidget* panel, TFlatButton* exitButton);

    // The window covers its screen; the exit button shows near its top right corner.
    void enter();
    // Back to a window of `clientSize` where it was before (centred when it never was
    // anywhere), with the panel at `panelGeometry`.
    void leave(QSize clientSize, QRect panelGeometry);
    // Full screen is on while the exit button shows.
    bool active() const;
    // The exit button's top left corner on a screen of `area`.
    static QPoint exitButtonPos(QRect area, int buttonWidth);

private:
    QWidget* window_;
    QWidget* panel_;
    TFlatButton* exit_;
    // The client area before full screen: the frame is not known again until the window
    // manager has put it back, so a place reckoned from the frame lands off by its height.
    QRect normal_;
};
