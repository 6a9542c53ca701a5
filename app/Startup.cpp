#include "app/Startup.h"

#include "app/FormRegistry.h"
#include "app/Guard.h"
#include "app/ShellState.h"
#include "app/StartupTrace.h"
#include "app/UMain.h"
#include "app/USplash.h"
#include "flashhost/FlashHost.h"
#include "flashhost/WebPlayer.h"
#include "platform/MessageService.h"
#include "platform/SingleInstance.h"
#include "platform/SoundLibrary.h"
#include "platform/Translations.h"

#include <QEvent>
#include <QFont>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

const char* const kAlreadyRunningText = "《Pelumo》已经运行！\r感谢您使用本软件！";
const char* const kAlreadyRunningCaption = "《Pelumo》运行提示";

void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"), {QStringLiteral("Noto Sans CJK SC"),
                                                            QStringLiteral("Noto Color Emoji")});
    QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("Noto Serif CJK SC"),
                                                        QStringLiteral("Noto Sans CJK SC")});
}

namespace {

// Runs `then` once `widget` has painted for the first time.
void afterFirstPaint(QWidget* widget, std::function<void()> then) {
    class Watcher : public QObject {
    public:
        Watcher(QWidget* w, std::function<void()> f) : QObject(w), then_(std::move(f)) {
            w->installEventFilter(this);
        }
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint && then_) {
                // After this paint has reached the screen.
                QTimer::singleShot(0, parent(), std::exchange(then_, nullptr));
                deleteLater();
            }
            return false;
        }

    private:
        std::function<void()> then_;
    };
    new Watcher(widget, std::move(then));
}

// With no session bus to be found, the D-Bus library starts one itself: it forks and
// runs a helper, from whichever thread first asks. The web engine asks from a worker
// thread while a movie plays its sounds, and a fork of a process of many threads can
// leave the child stuck before it runs the helper (another thread held a lock of the
// allocator at the fork: seen with the sanitizers), the worker reading its pipe for
// ever and the close of the program waiting on that worker. The program needs no bus
// of its own, so where there is none the library is told so and never forks. A bus
// named in the environment, or the user's bus in the runtime folder, is left as it is.
void withoutBusAutostart() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    if (const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"); !runtime.isEmpty()) {
        struct stat st {};
        if (::stat((runtime + "/bus").constData(), &st) == 0 && S_ISSOCK(st.st_mode) &&
            st.st_uid == ::getuid())
            return;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace

// After the main window shows, the rest of the start waits this long.
constexpr int kBackgroundStartMs = 300;

void openStartWindows() {
    frmsplash = new Tfrmsplash;
    frmsplash->show();
    frmsplash->repaint();
    QCoreApplication::processEvents();
    startup::mark("splash");

    // The sound library and its codecs take the system a while to map: that happens on
    // the side while the main window is built (the splash loads libraries of its own
    // first); the main window's sound start waits for it.
    platform::soundLibrary().loadInBackground();
    new TFrmmain;
    startup::mark("main window built");
    Frmmain->centreOnScreen();
    Frmmain->Show();
    frmsplash->close();
    startup::mark("shown");
    // What the child does not see yet is built once the main window is on the screen, and
    // a moment later, so that the window's first hover looks and clicks answer at once:
    // the GL driver the movies draw with and the web player's libraries (mapped on the
    // side), then the keyboard game's window (its three effect players start the web
    // engine; it exists, hidden, long before a child can click its picture) and a player
    // started in the background, so that the first section menu opens quickly.
    afterFirstPaint(Frmmain, [] {
        startup::mark("first paint");
        flashhost::loadWebPlayerInBackground();
        flashhost::ensureGlShareContext();
    });
    QTimer::singleShot(kBackgroundStartMs, [] {
        if (const FormEntry* e = FormRegistry::find(QStringLiteral("TfrmABCKeyboard")))
            if (!e->instance())
                swallowed([e] { shell::prepareNewWindow(e->create()); });
        startup::mark("keyboard window built");
        flashhost::warmUpWebPlayer();
    });
}

int runProgram(int& argc, char** argv) {
    startup::mark("main");
    // Window positions (parking a window at Left -2000) need X11; Wayland sessions run
    // the program through XWayland unless the platform was chosen explicitly.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    // Before any thread exists that could ask for the bus.
    withoutBusAutostart();
    // The movie host sets the web engine's options before the application object exists.
    flashhost::initializeHost();
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelumo"));
    // The main window hides while a menu is open: only its close ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    startup::mark("application");
    installFontSubstitutes();
    startup::mark("fonts");
    // The standard dialogs (the photo's file picker) speak Chinese like the rest.
    platform::installChineseTranslations(app);
    startup::mark("translations");

    platform::SingleInstanceLock lock(QStringLiteral("Tovimbrel"));
    if (!lock.tryAcquire()) {
        platform::showMessage(nullptr, QString::fromUtf8(kAlreadyRunningText),
                              QString::fromUtf8(kAlreadyRunningCaption), platform::MB_ICONWARNING);
        return 0;
    }
    openStartWindows();

    const int code = QApplication::exec();
    delete frmsplash;
    lock.release();
    return code;
}
