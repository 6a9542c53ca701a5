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

#include <QFont>
#include <QTimer>

const char* const kAlreadyRunningText = "《Pelumo》已经运行！\r感谢您使用本软件！";
const char* const kAlreadyRunningCaption = "《Pelumo》运行提示";

void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"), {QStringLiteral("Noto Sans CJK SC"),
                                                            QStringLiteral("Noto Color Emoji")});
    QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("Noto Serif CJK SC"),
                                                        QStringLiteral("Noto Sans CJK SC")});
}

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
    // Start a player in the background once the main window is up, so the first
    // section menu opens quickly without slowing the start.
    QTimer::singleShot(300, [] { flashhost::warmUp(); });

    const int code = QApplication::exec();
    delete frmsplash;
    lock.release();
    return code;
}
