#include "app/Startup.h"

#include "app/FormRegistry.h"
#include "app/Guard.h"
#include "app/ShellState.h"
#include "app/UMain.h"
#include "app/USplash.h"
#include "flashhost/FlashHost.h"
#include "flashhost/PlayerPage.h"
#include "platform/MessageService.h"
#include "platform/SingleInstance.h"
#include "platform/Translations.h"

#include <QEvent>
#include <QFont>
#include <QTimer>
#include <QWidget>
#include <functional>
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

} // namespace

int runProgram(int& argc, char** argv) {
    // Window positions (parking a window at Left -2000) need X11; Wayland sessions run
    // the program through XWayland unless the platform was chosen explicitly.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    // The movie host registers its URL scheme before the application object exists.
    flashhost::initializeHost();
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelumo"));
    // The main window hides while a menu is open: only its close ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();
    // The standard dialogs (the photo's file picker) speak Chinese like the rest.
    platform::installChineseTranslations(app);

    platform::SingleInstanceLock lock(QStringLiteral("Tovimbrel"));
    if (!lock.tryAcquire()) {
        platform::showMessage(nullptr, QString::fromUtf8(kAlreadyRunningText),
                              QString::fromUtf8(kAlreadyRunningCaption), platform::MB_ICONWARNING);
        return 0;
    }

    frmsplash = new Tfrmsplash;
    frmsplash->show();
    frmsplash->repaint();
    QCoreApplication::processEvents();

    new TFrmmain;
    // The keyboard game's window exists from the start, hidden.
    if (const FormEntry* e = FormRegistry::find(QStringLiteral("TfrmABCKeyboard")))
        swallowed([e] { shell::prepareNewWindow(e->create()); });

    Frmmain->centreOnScreen();
    Frmmain->Show();
    frmsplash->close();
    // The GL driver the movies draw with loads once the main window has painted (it
    // would hold the window back some 40 ms); then a player starts in the background,
    // so the first section menu opens quickly without slowing the start.
    afterFirstPaint(Frmmain, [] { flashhost::ensureGlShareContext(); });
    QTimer::singleShot(300, [] { flashhost::warmUp(); });

    const int code = QApplication::exec();
    delete frmsplash;
    lock.release();
    return code;
}
