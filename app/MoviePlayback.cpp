#include "app/MoviePlayback.h"

#include "app/TForm.h"
#include "flashhost/FlashHostControl.h"
#include "flashhost/MovieBackend.h"
#include "platform/ContentPack.h"
#include "widgets/FlatButtons.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>

QByteArray packStartPicture(const platform::ContentPack& pack, const QString& item) {
    const QString type = QStringLiteral("FIRST");
    if (!pack.contains(item, type))
        return {};
    QByteArray picture = pack.read(item, type);
    // Only the header is read here: the picture is decoded when it shows.
    QBuffer device(&picture);
    device.open(QIODevice::ReadOnly);
    QImageReader reader(&device);
    if (!reader.canRead())
        return {};
    const QSize size = reader.size();
    constexpr int kLargest = 4096;
    if (size.isEmpty() || size.width() > kLargest || size.height() > kLargest)
        return {};
    return picture;
}

void loadPackMovie(TFlashHostControl& movie, const platform::ContentPack* pack,
                   const QString& item) {
    if (!pack)
        throw platform::ResourceNotFound(item);
    QByteArray bytes = pack->read(item, QStringLiteral("Flash"));
    // Set before every load: a picture of the movie before never shows over this one.
    if (flashhost::MovieBackend* player = movie.backend())
        player->setPoster(packStartPicture(*pack, item));
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadOnly);
    movie.LoadMovieFromStream(0, stream);
}

MovieFullScreen::MovieFullScreen(QWidget* window, QWidget* panel, TFlatButton* exitButton)
    : window_(window), panel_(panel), exit_(exitButton) {
    exit_->SetCaption(QStringLiteral("退出全屏"));
    exit_->SetParentColor(false);
    exit_->SetColor(0x001F8AFF);
    exit_->SetColorFocused(0x004AA8FF);
    exit_->SetColorDown(0x000F6ADD);
    exit_->SetColorBorder(clWhite);
    exit_->SetFontColor(clWhite);
    exit_->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus);
}

QPoint MovieFullScreen::exitButtonPos(QRect area, int buttonWidth) {
    return {area.x() + area.width() - buttonWidth - 11, area.y() + 2};
}

void MovieFullScreen::enter() {
    QScreen* s = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
    const QRect area = s ? s->geometry() : QRect(0, 0, 900, 675);
    if (!active())
        normal_ = window_->geometry();
    window_->setMinimumSize(0, 0);
    window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window_->showFullScreen();
    window_->setGeometry(area);
    window_->clearMask();
    panel_->setGeometry(0, 0, area.width(), area.height());
    panel_->raise();
    exit_->move(exitButtonPos(area, exit_->width()));
    exit_->show();
    exit_->raise();
}

void MovieFullScreen::leave(QSize clientSize, QRect panelGeometry) {
    exit_->hide();
    window_->showNormal();
    window_->setFixedSize(clientSize);
    if (normal_.isValid())
        window_->setGeometry(QRect(normal_.topLeft(), clientSize));
    else
        centreOnScreen(window_);
    panel_->setGeometry(panelGeometry);
}

bool MovieFullScreen::active() const {
    return exit_->isVisibleTo(window_);
}
