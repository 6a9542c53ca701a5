#include "app/TForm.h"

#include "app/Guard.h"
#include "app/ShellState.h"
#include "app/TImage.h"
#include "app/TTimer.h"
#include "app/UbtnState.h"
#include "platform/WindowHints.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QScreen>
#include <QSet>
#include <QTimer>

namespace {
constexpr const char* kMayMinimise = "pelumoMayMinimise";

// Brings back every window a window manager minimised, unless the window may stay so.
// It watches the whole application, so dialogs and message boxes are covered too.
class MinimiseGuard : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::WindowStateChange || !o->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(o);
        if (w->isWindow() && w->isMinimized() && !w->property(kMayMinimise).toBool()) {
            // After the state change has been handled to its end.
            QTimer::singleShot(0, w, [w] {
                if (w->isVisible() && w->isMinimized() && !w->property(kMayMinimise).toBool())
                    bringBack(w);
            });
        }
        return false;
    }
};

void installMinimiseGuard() {
    static QPointer<MinimiseGuard> guard;
    if (guard || !qApp)
        return;
    guard = new MinimiseGuard(qApp);
    qApp->installEventFilter(guard);
}
} // namespace

TForm::TForm(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    installMinimiseGuard();
}

void TForm::setMayMinimise(bool on) {
    setProperty(kMayMinimise, on);
}

void bringBack(QWidget* w) {
    if (!w)
        return;
    if (!w->isVisible())
        platform::startInNormalState(w);
    // Only the minimised part goes: a full-screen window comes back full screen.
    if (w->isMinimized())
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    w->show();
    // Window systems without stacking (the offscreen one of the tests) only warn here.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        w->raise();
    w->activateWindow();
}

void TForm::Show() {
    bringBack(this);
}

void centreOnScreen(QWidget* w) {
    QScreen* s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!s || !w)
        return;
    const QRect g = s->geometry();
    w->move(g.x() + (g.width() - w->frameGeometry().width()) / 2,
            g.y() + (g.height() - w->frameGeometry().height()) / 2);
}

namespace {
constexpr int kParkedLeft = -2000;
constexpr const char* kParked = "pelumoParked";
constexpr const char* kQuietShow = "pelumoQuietShow";
} // namespace

bool isParked(const QWidget* w) {
    return w && w->property(kParked).toBool();
}

void setLeftEdge(QWidget* w, int left) {
    if (!w)
        return;
    w->move(left, w->y());
    if (left <= kParkedLeft) {
        if (!w->isVisible())
            return;
        w->setProperty(kParked, true);
        w->hide();
    } else if (isParked(w)) {
        w->setProperty(kParked, false);
        w->setProperty(kQuietShow, true);
        bringBack(w);
        w->setProperty(kQuietShow, false);
    }
}

void TForm::reframe(Qt::WindowFlags flags, bool fullScreen) {
    const bool quiet = property(kQuietShow).toBool();
    setProperty(kQuietShow, true);
    setWindowFlags(flags);
    if (fullScreen)
        showFullScreen();
    else
        showNormal();
    setProperty(kQuietShow, quiet);
}

void recentreHorizontally(QWidget* w) {
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s || !w)
        return;
    setLeftEdge(w, (s->geometry().width() - w->frameGeometry().width()) / 2);
}

void TForm::wirePictureButtons() {
    const QList<TImage*> images = findChildren<TImage*>();
    // Only a picture button (a negative Tag) has companions: "img12" is a look of "img1"
    // only when "img1" is such a button, never when both are pieces of a game.
    QSet<QString> buttons;
    for (TImage* i : images)
        if (i->Tag() < 0)
            buttons.insert(i->objectName());
    for (TImage* img : images) {
        const QString name = img->objectName();
        const bool isCompanion = img->Tag() >= 0 && name.size() > 1 && name.back().isDigit() &&
                                 buttons.contains(name.left(name.size() - 1));
        if (isCompanion) {
            img->setAttribute(Qt::WA_TransparentForMouseEvents);
            img->raise();
            continue;
        }
        if (img->Tag() >= 0)
            continue;
        connect(img, &TImage::OnMouseEnter, this,
                [img] { SetBtnState(img, QStringLiteral("MVEnter")); });
        connect(img, &TImage::OnMouseLeave, this,
                [img] { SetBtnState(img, QStringLiteral("MVLeave")); });
        connect(img, &TImage::OnMouseDown, this, [this, img] {
            SetBtnState(img, QStringLiteral("MVDown"));
            pictureButtonDown(img);
        });
        connect(img, &TImage::OnMouseUp, this, [img] { SetBtnState(img, QStringLiteral("MVUp")); });
    }
}

void TForm::pictureButtonDown(TImage*) {
    shell::playClick();
}

void TForm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!e->spontaneous() && !comingBackFromPark())
        guarded([this] { FormShow(); });
}

void TForm::closeEvent(QCloseEvent* e) {
    CloseAction action = CloseAction::Hide;
    guarded([&] { action = FormClose(); });
    if (action == CloseAction::None) {
        e->ignore();
        return;
    }
    // The frame's close box and Alt+F4 close as the window's own close button does: no
    // timer of a closed window goes on reading, counting or playing behind the others.
    for (TTimer* t : findChildren<TTimer*>())
        t->setEnabled(false);
    switch (action) {
    case CloseAction::None:
        return;
    case CloseAction::Hide:
        e->accept();
        return;
    case CloseAction::Free:
        // The next opening must make a new window even if a nested loop holds the
        // deferred delete back.
        setProperty("pelumoFreed", true);
        e->accept();
        deleteLater();
        return;
    }
}
