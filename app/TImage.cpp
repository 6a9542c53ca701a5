#include "app/TImage.h"

#include "app/Guard.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <future>
#include <utility>
#include <vector>

TImage::TImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(false);
}

void TImage::setHint(const QString& h) {
    hint_ = h;
    setToolTip(showHint_ ? hint_ : QString());
}

void TImage::setShowHint(bool s) {
    showHint_ = s;
    setToolTip(showHint_ ? hint_ : QString());
}

void TImage::connectNotify(const QMetaMethod& signal) {
    if (signal == QMetaMethod::fromSignal(&TImage::OnMouseMove))
        setMouseTracking(true);
    QWidget::connectNotify(signal);
}

QPixmap TImage::Picture() const {
    readPictureFile();
    return picture_;
}

void TImage::setPicture(const QPixmap& p) {
    pictureFile_.clear();
    pictureFileRead_ = true;
    picture_ = p;
    update();
}

void TImage::setPictureFile(const QString& path) {
    picture_ = QPixmap();
    pictureFile_ = path;
    pictureFileRead_ = false;
    update();
}

void TImage::readPictureFile() const {
    if (std::exchange(pictureFileRead_, true))
        return;
    picture_ = QPixmap::fromImage(readPicture(pictureFile_));
}

QImage TImage::readPicture(const QString& path) {
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {};
    QImageReader named(path, QFileInfo(path).suffix().toLower().toLatin1());
    named.setAutoDetectImageFormat(false);
    QImage image = named.read();
    if (image.isNull())
        image = QImageReader(path).read(); // named as something it is not
    return image;
}

void TImage::readShownPictures(const QList<TImage*>& images) {
    std::vector<std::pair<TImage*, std::future<QImage>>> reads;
    for (TImage* image : images)
        if (!image->isHidden() && !image->pictureFileRead_)
            reads.emplace_back(image,
                               std::async(std::launch::async, readPicture, image->pictureFile_));
    for (auto& [image, read] : reads) {
        image->picture_ = QPixmap::fromImage(read.get());
        image->pictureFileRead_ = true;
    }
}

void TImage::setStretch(bool s) {
    stretch_ = s;
    update();
}

void TImage::setCenter(bool c) {
    center_ = c;
    update();
}

void TImage::setProportional(bool p) {
    proportional_ = p;
    update();
}

bool TImage::loadFromFile(const QString& path) {
    const QImage read = readPicture(path);
    if (read.isNull())
        return false;
    setPicture(QPixmap::fromImage(read));
    return true;
}

QRect TImage::pictureRect() const {
    readPictureFile();
    if (picture_.isNull())
        return {};
    QSize s = picture_.deviceIndependentSize().toSize();
    if (stretch_) {
        s = size();
    } else if (proportional_ && (s.width() > width() || s.height() > height())) {
        s.scale(size(), Qt::KeepAspectRatio);
    }
    QPoint at(0, 0);
    if (center_)
        at = QPoint((width() - s.width()) / 2, (height() - s.height()) / 2);
    return QRect(at, s);
}

void TImage::paintEvent(QPaintEvent*) {
    readPictureFile();
    if (picture_.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(pictureRect(), picture_);
}

void TImage::mousePressEvent(QMouseEvent* e) {
    guarded([&] { emit OnMouseDown(e->button(), e->position().toPoint()); });
}

void TImage::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    QPointer<TImage> self(this);
    if (e->button() == Qt::LeftButton && rect().contains(pos))
        guarded([&] { emit OnClick(); });
    // The click may have closed or freed the window.
    if (self)
        guarded([&] { emit OnMouseUp(e->button(), pos); });
}

void TImage::mouseMoveEvent(QMouseEvent* e) {
    guarded([&] { emit OnMouseMove(e->position().toPoint()); });
}

void TImage::enterEvent(QEnterEvent*) {
    guarded([&] { emit OnMouseEnter(); });
}

void TImage::leaveEvent(QEvent*) {
    guarded([&] { emit OnMouseLeave(); });
}
