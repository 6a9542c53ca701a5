#pragma once
// Base of every window: the class library's form properties (Tag, Hint, Left, Top,
// Caption), the show and close handlers, and the wiring of picture buttons to
// SetBtnState and the click sound, so that a window's own file holds only its rules.

#include <QWidget>
#include <stdexcept>
#include <string>

class TImage;

// Moves a window's left edge. A Left of -2000 or less parks it off screen; as a window
// manager would pull a window back from there, a parked window also leaves the screen
// until a later Left brings it back (without running its show handler again: for the
// program it never went away).
void setLeftEdge(QWidget* w, int left);
bool isParked(const QWidget* w);

// Brings a window back as the child left it for another: shown, in its normal state
// (not minimised, whatever state it was left in) and active. Every return goes this way.
void bringBack(QWidget* w);

// Centres a window on its screen.
void centreOnScreen(QWidget* w);
// Moves a window back on screen horizontally: Left := (screen width - width) div 2, top kept.
void recentreHorizontally(QWidget* w);

// The frame of the windows with a border: a single border with the close box only, which
// is also the frame with only the system menu (Qt gives the close box with the system
// menu). It offers no minimise or maximise button.
namespace frame {
inline constexpr Qt::WindowFlags Single = Qt::Window | Qt::CustomizeWindowHint |
                                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                          Qt::WindowCloseButtonHint;
} // namespace frame

class TForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE setTag)
    Q_PROPERTY(QString Hint READ Hint WRITE setHint)
    Q_PROPERTY(int Left READ Left WRITE setLeft)
    Q_PROPERTY(int Top READ Top WRITE setTop)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)

public:
    // What a window does when it is closed.
    enum class CloseAction { None, Hide, Free };

    explicit TForm(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::Window);

    int Tag() const { return tag_; }
    void setTag(int t) { tag_ = t; }
    QString Hint() const { return hint_; }
    void setHint(const QString& h) { hint_ = h; }
    int Left() const { return x(); }
    void setLeft(int l) { setLeftEdge(this, l); }
    int Top() const { return y(); }
    void setTop(int t) { move(x(), t); }
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& c) { setWindowTitle(c); }

    // Shows the window (running FormShow at once) and brings it to the front, in its
    // normal state.
    void Show();
    void centreOnScreen() { ::centreOnScreen(this); }
    void recentreHorizontally() { ::recentreHorizontally(this); }

    // Connects every picture button (TImage with a negative Tag) of the form: enter,
    // leave, down (with the click sound) and up run SetBtnState; companions are stacked
    // above their button and let the mouse through.
    void wirePictureButtons();

protected:
    // A window manager may minimise any window, whatever buttons its frame shows; a window
    // comes straight back from that unless it says here that it may stay minimised (with
    // its opener hidden, the child would be left with an empty screen).
    void setMayMinimise(bool on);

    // A child that a base class finds by name: a missing one is a fault of the window's
    // layout, reported while the window is made rather than as a null later.
    template <class T> T* child(const char* name) const {
        T* c = findChild<T*>(QLatin1String(name));
        if (!c)
            throw std::logic_error(std::string(metaObject()->className()) + " has no " + name);
        return c;
    }

    virtual void FormShow() {}
    // A parked window coming back: for the program it never went away.
    bool comingBackFromPark() const { return property("pelumoQuietShow").toBool(); }
    virtual CloseAction FormClose() { return CloseAction::Hide; }
    // New window flags shown full screen or normal (a flag change hides the window): for
    // the program the window stays open, so the show handler does not run again.
    void reframe(Qt::WindowFlags flags, bool fullScreen);
    // A picture button was pressed: the default plays the click sound.
    virtual void pictureButtonDown(TImage* button);

    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    int tag_ = 0;
    QString hint_;
};
