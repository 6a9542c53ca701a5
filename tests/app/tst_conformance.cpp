// Every window of the registry: it opens and closes without a warning or an error box,
// an activity brings back the window it was opened from, every menu command names a
// window that is built or a lesson category, and every data file a window can ask for
// was generated.
#include "FlashTestSupport.h"
#include "FormTestSupport.h"
#include "app/FormRegistry.h"
#include "app/SectionMenu.h"
#include "app/Startup.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "app/UMain.h"
#include "app/Ukjxx.h"
#include "platform/ContentPack.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "widgets/TFlatComboBoxUnit.h"
#include "widgets/ThemedMenu.h"

#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QSet>
#include <QWindow>
#include <QtTest>

namespace {

QStringList warnings;

void collect(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const QString category = QString::fromLatin1(context.category ? context.category : "");
    // The offscreen platform cannot shape windows; that is not the program's fault.
    if (type == QtDebugMsg || type == QtInfoMsg || category.startsWith(QLatin1String("qt.")) ||
        text.contains(QLatin1String("does not support setting window masks")))
        return;
    warnings << text;
}

// The frame of every window, reviewed by hand: a single border with the close box only
// or with only the system menu (one frame for Qt: its close box comes with the system
// menu), neither with a minimise or maximise button; or no border at all (the main
// window, the keyboard game and the number practice).
Qt::WindowFlags expectedFrame(const QString& cls) {
    static const QSet<QString> none{"TFrmmain", "TfrmABCKeyboard", "TFrmChoiceNumbers"};
    if (none.contains(cls))
        return Qt::FramelessWindowHint;
    return Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

// Whether a window has been told it is minimised.
class MinimisedSeen : public QObject {
public:
    bool seen = false;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::WindowStateChange && static_cast<QWidget*>(o)->isMinimized())
            seen = true;
        return false;
    }
};

// The generated files, by their path with forward slashes, in lower case.
QSet<QString> manifest() {
    QSet<QString> files;
    QFile f(QStringLiteral(PELUMO_BINARY_DIR "/Data/manifest.txt"));
    if (f.open(QIODevice::ReadOnly))
        for (const QString& line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts))
            files.insert(line.trimmed().toLower());
    return files;
}

QString manifestName(const QString& windowsPath) {
    return QString(windowsPath).replace(QLatin1Char('\\'), QLatin1Char('/')).toLower();
}

// Why a data path of a window is not there, or empty when it is.
QString missing(const QSet<QString>& files, const QString& path) {
    const int hash = path.indexOf(QLatin1Char('#'));
    const QString file = hash < 0 ? path : path.left(hash);
    if (!files.contains(manifestName(file)))
        return file + QStringLiteral(" was not generated");
    if (hash < 0)
        return {};
    const QString item = path.mid(hash + 1);
    const QString type = item.section(QLatin1Char('/'), 0, 0);
    const QString name = item.section(QLatin1Char('/'), 1);
    const auto pack = platform::ContentPack::open(platform::dataPath(file));
    if (!pack || !pack->contains(name, type))
        return path + QStringLiteral(" is not in its pack");
    return {};
}

// A popup laid out as it opens and grabbed: the rows whose caption reaches into the last 3
// columns before the frame (an unselected row's background is the same all the way down
// each column).
QStringList captionsAgainstTheFrame(QMenu* menu) {
    QStringList out;
    menu->ensurePolished();
    menu->resize(menu->sizeHint());
    const QImage shot = menu->grab().toImage();
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        const QRect row = menu->actionGeometry(a);
        if (row.isEmpty() || !shot.rect().contains(row))
            continue; // beyond the screen: a tall popup scrolls
        for (int x = row.right() - 2; x <= row.right(); ++x)
            for (int y = row.top() + 1; y < row.bottom(); ++y)
                if (shot.pixel(x, y) != shot.pixel(x, row.top() + 1)) {
                    out << menu->objectName() + QStringLiteral(": \"") + a->text() +
                               QStringLiteral("\"");
                    x = row.right() + 1;
                    break;
                }
    }
    return out;
}

} // namespace

class TestConformance : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void opensAndCloses_data();
    void opensAndCloses();
    void menuCommandsNameBuiltWindows();
    void framesComeBackFromMinimised_data();
    void framesComeBackFromMinimised();
    void dataPathsGenerated_data();
    void dataPathsGenerated();

private:
    std::unique_ptr<platform::MessageRecorder> messages_;
};

void TestConformance::initTestCase() {
    installFontSubstitutes();
    flashtest::useFakePlayers();
    messages_ = std::make_unique<platform::MessageRecorder>();
    testsupport::makeMainWindow();
    Frmmain->Show();
    qInstallMessageHandler(collect);
}

void TestConformance::cleanupTestCase() {
    qInstallMessageHandler(nullptr);
    testsupport::deleteAllWindows();
    flashtest::dropFakePlayers();
}

void TestConformance::opensAndCloses_data() {
    QTest::addColumn<QString>("cls");
    const QStringList names = FormRegistry::classNames();
    QVERIFY(names.size() >= 17);
    for (const QString& cls : names)
        QTest::newRow(qPrintable(cls)) << cls;
}

void TestConformance::opensAndCloses() {
    QFETCH(QString, cls);
    warnings.clear();
    messages_->clear();
    QWidget opener;
    opener.show();
    QPointer<QWidget> w = openFrom(&opener, cls, LeaveMode::Hide);
    QVERIFY2(w && w->isVisible(), qPrintable(cls + " did not open: " + warnings.join("; ")));
    // The windows with popup menus on their movies draw them with a themed menu of their own.
    if (QStringList{"Tfrmkjxx", "Tfrmxyb", "Tfrmxchy"}.contains(cls)) {
        auto* themed = w->findChild<TThemedMenu*>(QStringLiteral("ThemedMenu1"));
        QVERIFY2(themed && themed->Active(), "no active themed menu");
        const QList<QMenu*> menus = w->findChildren<QMenu*>();
        QVERIFY(!menus.isEmpty());
        for (QMenu* m : menus)
            QVERIFY2(m->style() == themed->MenuStyle(), qPrintable(m->objectName()));
        for (QMenu* m : menus) {
            const QStringList clipped = captionsAgainstTheFrame(m);
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
        }
    }
    // Every combo of a form is a drop-down list: what it shows can only be chosen.
    for (QComboBox* combo : w->findChildren<QComboBox*>()) {
        QVERIFY2(!combo->isEditable(), qPrintable(combo->objectName() + " can be typed into"));
        if (auto* flat = qobject_cast<TFlatComboBox*>(combo))
            QVERIFY2(flat->Style() == TFlatComboBox::csDropDownList,
                     qPrintable(combo->objectName() + " is not a drop-down list"));
    }
    QCoreApplication::processEvents();
    // Every timer running, as a child playing along would leave them; then the frame's
    // close box (not the window's own button, which may stop them itself).
    QList<QPointer<TTimer>> timers;
    for (TTimer* t : w->findChildren<TTimer*>()) {
        t->setEnabled(true);
        timers << t;
    }
    QVERIFY(w->windowHandle());
    w->windowHandle()->close();
    QCoreApplication::processEvents();
    for (const QPointer<TTimer>& t : timers)
        QVERIFY2(!t || !t->Enabled(), "a timer runs on after its window closed by its frame");
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join("; ")));
    for (const platform::MessageCall& m : messages_->calls())
        QVERIFY2(!(m.flags & platform::MB_ICONERROR), qPrintable(m.text));
    if (w && w != Frmmain && w->isVisible())
        QFAIL("still on screen after closing");
    // An activity brings back the window it was opened from; the number game leaves its
    // drill open underneath, the rhyme tables return only to the mathematics menu and the
    // pair game always to the English menu.
    if (qobject_cast<TActivityForm*>(w) &&
        !QStringList{"Tfrmnumgame", "Tfrmkjb", "Tfrmddp"}.contains(cls))
        QVERIFY2(opener.isVisible(), "the opener did not come back");
    Frmmain->Show();
}

void TestConformance::menuCommandsNameBuiltWindows() {
    int menus = 0;
    for (const QString& cls : FormRegistry::classNames()) {
        auto* menu = qobject_cast<TSectionMenu*>(openLazy(cls));
        if (!menu)
            continue;
        ++menus;
        std::vector<MenuCommand> rows = menu->commands();
        if (menu->otherwise())
            rows.push_back(*menu->otherwise());
        for (const MenuCommand& row : rows) {
            const QString what = cls + " \"" + row.command + "\" -> " + row.target;
            if (row.kind == MenuCommand::Kind::Player)
                QVERIFY2(kjxx::categoryByName(row.target), qPrintable(what));
            else if (row.kind == MenuCommand::Kind::Open)
                QVERIFY2(FormRegistry::find(row.target), qPrintable(what + " is not registered"));
        }
        menu->close();
    }
    QCOMPARE(menus, 5);
}

void TestConformance::framesComeBackFromMinimised_data() {
    QTest::addColumn<QString>("cls");
    for (const QString& cls : FormRegistry::classNames())
        if (cls != QLatin1String("TFrmmain")) // its own button minimises the program
            QTest::newRow(qPrintable(cls)) << cls;
}

// Every window has the frame named for it; a window manager that minimises it anyway (some
// draw the buttons the hints leave out) does not leave the child with an empty screen: the
// window comes back by itself, as its opener is hidden.
void TestConformance::framesComeBackFromMinimised() {
    QFETCH(QString, cls);
    QWidget opener;
    opener.show();
    QPointer<QWidget> w = openFrom(&opener, cls, LeaveMode::Hide);
    QVERIFY(w && w->isVisible() && w->windowHandle());
    const Qt::WindowFlags shown =
        w->windowFlags() &
        (Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
         Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
         Qt::FramelessWindowHint);
    QCOMPARE(shown, expectedFrame(cls));
    QVERIFY(!opener.isVisible());
    MinimisedSeen minimised;
    w->installEventFilter(&minimised);
    w->windowHandle()->setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(minimised.seen);
    QTRY_VERIFY2(w && !w->isMinimized() && w->isVisible(), "the window stayed minimised");
    w->removeEventFilter(&minimised);
    if (w)
        w->windowHandle()->close();
    QCoreApplication::processEvents();
    Frmmain->Show();
}

void TestConformance::dataPathsGenerated_data() {
    QTest::addColumn<QString>("cls");
    for (const QString& cls : FormRegistry::classNames())
        if (FormRegistry::find(cls)->dataPaths)
            QTest::newRow(qPrintable(cls)) << cls;
}

void TestConformance::dataPathsGenerated() {
    QFETCH(QString, cls);
    static const QSet<QString> files = manifest();
    QVERIFY2(!files.isEmpty(), "Data/manifest.txt is missing");
    const QStringList paths = FormRegistry::find(cls)->dataPaths();
    QVERIFY(!paths.isEmpty());
    QStringList absent;
    for (const QString& p : paths)
        if (const QString why = missing(files, p); !why.isEmpty())
            absent << why;
    QVERIFY2(absent.isEmpty(), qPrintable(absent.mid(0, 5).join("; ")));
}

QTEST_MAIN(TestConformance)
#include "tst_conformance.moc"
