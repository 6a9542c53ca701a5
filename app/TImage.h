#pragma once
// The picture widget every window builds its buttons from. A picture button is a
// TImage with a negative Tag; its hover/pressed looks are sibling TImages named
// like it plus a digit (see UbtnState.h).
//
// Event order follows the class library the windows were written for: mouse down
// for any button; on release, Click first (only for a left release inside), then
// mouse up.

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QWidget>

class TImage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE setTag)
    Q_PROPERTY(QString Hint READ Hint WRITE setHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE setShowHint)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(QString PictureFile READ PictureFile WRITE setPictureFile)
    Q_PROPERTY(bool Stretch READ Stretch WRITE setStretch)
    Q_PROPERTY(bool Center READ Center WRITE setCenter)
    Q_PROPERTY(bool Proportional READ Proportional WRITE setProportional)

public:
    explicit TImage(QWidget* parent = nullptr);

    int Tag() const { return tag_; }
    void setTag(int t) { tag_ = t; }
    // Several windows keep data in Hint (a picture's name, the answer), so it
    // becomes a tool tip only where ShowHint is set.
    QString Hint() const { return hint_; }
    void setHint(const QString& h);
    bool ShowHint() const { return showHint_; }
    void setShowHint(bool s);
    QPixmap Picture() const;
    void setPicture(const QPixmap& p);
    // The picture as a file that is read only when the picture is first needed (drawn,
    // measured or asked for): a window's hidden looks cost its start nothing.
    QString PictureFile() const { return pictureFile_; }
    void setPictureFile(const QString& path);
    bool Stretch() const { return stretch_; }
    void setStretch(bool s);
    bool Center() const { return center_; }
    void setCenter(bool c);
    bool Proportional() const { return proportional_; }
    void setProportional(bool p);

    // Loads a picture file; false (and the picture unchanged) when it cannot be read.
    bool loadFromFile(const QString& path);
    void clearPicture() { setPicture(QPixmap()); }

    // Where the picture is drawn inside the widget.
    QRect pictureRect() const;

    // A picture file read as what its name says it is (no format plug-in is asked about
    // it, which would load every one of them), else as whatever its content is; null when
    // it cannot be read.
    static QImage readPicture(const QString& path);
    // Reads the picture files of those of `images` that show, side by side: a window's
    // pictures are decoded before it shows, in a fraction of the time one after another
    // takes. Hidden looks stay unread until they are needed.
    static void readShownPictures(const QList<TImage*>& images);

signals:
    void OnClick();
    void OnMouseDown(Qt::MouseButton button, QPoint pos);
    void OnMouseUp(Qt::MouseButton button, QPoint pos);
    void OnMouseMove(QPoint pos);
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    // A picture whose OnMouseMove is connected follows the mouse with no button
    // held, as the windows' hover rules expect; others leave tracking off.
    void connectNotify(const QMetaMethod& signal) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void readPictureFile() const;

    mutable QPixmap picture_;
    QString pictureFile_;
    mutable bool pictureFileRead_ = true;
    QString hint_;
    bool showHint_ = false;
    int tag_ = 0;
    bool stretch_ = false;
    bool center_ = false;
    bool proportional_ = false;
};
