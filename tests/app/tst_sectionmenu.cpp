// The section menus through the fake player, on representative rows of their tables: a
// command opens its window (stand-ins registered under the real class names) with its
// settings before or after showing, lazily or anew, and the menu hides or parks and
// comes back; the click comes first; unmatched commands only click; the exit command
// brings the main window back; the missing-player notice.
#include "FormTestSupport.h"
#include "TestSupport.h"
#include "app/FormRegistry.h"
#include "app/SectionMenu.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "app/UMain.h"
#include "app/UWzsx.h"
#include "app/Ukjxx.h"
#include "flashhost/BackendProvider.h"
#include "flashhost/FakeBackend.h"
#include "flashhost/FlashHostControl.h"
#include "platform/ContentPack.h"
#include "platform/MessageService.h"
#include "platform/ShellOpen.h"
#include "platform/SoundLibrary.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>
#include <map>

using flashhost::FakeBackend;

namespace {

int clicks = 0;

// A window standing in for an activity. It keeps the music alone, so what the menu does
// to the music shows, and records what it looked like when first shown.
class TStub : public TActivityForm {
    Q_OBJECT
    Q_PROPERTY(int KjbFromMenu READ kjb WRITE setKjb)
public:
    TStub() {
        resize(320, 240);
        stopsMusic_ = false;
        clicksAtCreation = clicks;
    }
    // What the riddle browser and the picture browser declare for their openers.
    Q_INVOKABLE void selectBrainTeasers() { calls << QStringLiteral("selectBrainTeasers"); }
    Q_INVOKABLE void coverAnswer() { calls << QStringLiteral("coverAnswer"); }
    Q_INVOKABLE void showAnimalsTitle() { calls << QStringLiteral("showAnimalsTitle"); }
    int kjb() const { return kjb_; }
    void setKjb(int v) { kjb_ = v; }

    int clicksAtCreation = 0;
    QStringList calls;
    QString atShow; // hint, caption, calls and KjbFromMenu when first shown

protected:
    void showEvent(QShowEvent* e) override {
        TActivityForm::showEvent(e);
        if (atShow.isEmpty())
            atShow =
                QStringList{Hint(), Caption(), calls.join('+'), QString::number(kjb_)}.join('|');
    }

private:
    int kjb_ = 0;
};

std::map<QString, QPointer<TStub>> stubs;
std::map<QString, int> made;

void registerStub(const QString& cls) {
    FormRegistry::add(FormEntry{cls,
                                [cls]() -> QWidget* {
                                    TStub* w = stubs[cls].data();
                                    return w && !w->property("pelumoFreed").toBool() ? w : nullptr;
                                },
                                [cls]() -> QWidget* {
                                    ++made[cls];
                                    return (stubs[cls] = new TStub).data();
                                },
                                [cls] { stubs[cls] = nullptr; },
                                {}});
}

// A menu whose movie is not among the program's resources.
class TBrokenMenu : public TSectionMenu {
public:
    TBrokenMenu() : TSectionMenu("坏", "nosuchmovie", {MenuCommand::exit()}) {}
};
QPointer<TBrokenMenu> frmbroken;

TSectionMenu* openMenu(const QString& cls) {
    auto* w = qobject_cast<TSectionMenu*>(openFrom(Frmmain, cls, LeaveMode::Hide));
    if (w)
        w->move((w->screen()->geometry().width() - w->frameGeometry().width()) / 2, 20);
    return w;
}

int centredLeft(QWidget* w) {
    return (QGuiApplication::primaryScreen()->geometry().width() - w->frameGeometry().width()) / 2;
}

quint32 musicState() {
    return platform::soundLibrary().ChannelState(BgMusicChannel);
}

} // namespace

class TestSectionMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void commandOpensItsWindow_data();
    void commandOpensItsWindow();
    void playerRowOpensNewPlayer_data();
    void playerRowOpensNewPlayer();
    void unmatchedCommandOnlyClicks_data();
    void unmatchedCommandOnlyClicks();
    void exitShowsMainWindow();
    void quizStopsMusic();
    void missingPlayerNotice();
    void menuWithoutMovieStillOpens();

private:
    platform::MessageRecorder* messages_ = nullptr;
    QStringList opened_;
};

void TestSectionMenu::initTestCase() {
    installFontSubstitutes();
    flashhost::FakeBackend::install(true);
    messages_ = new platform::MessageRecorder;
    platform::setShellOpenHandler([this](const QString& what) {
        opened_ << what;
        return false;
    });
    testsupport::makeMainWindow();
    Frmmain->Show();
    for (const char* cls : {"Tfrmjjf", "Tfrmkjb", "TfrmABC", "Tfrmxyb", "TfrmEngLishZHLX",
                            "Tfrmxhz", "Tfrmjzw", "Tfrmrkl", "TFrmKtrwAll"})
        registerStub(cls);
    static RegisterForm<TBrokenMenu> broken("TBrokenMenu", frmbroken);
    TSectionMenu::playClick = [] { ++clicks; };
}

void TestSectionMenu::cleanupTestCase() {
    testsupport::deleteAllWindows();
    platform::setShellOpenHandler(nullptr);
    delete messages_;
}

void TestSectionMenu::init() {
    clicks = 0;
    messages_->clear();
    opened_.clear();
    Frmmain->Show();
}

void TestSectionMenu::cleanup() {
    for (auto& [cls, w] : stubs)
        if (w)
            w->hide();
    QVERIFY(testsupport::closeLessonPlayers());
}

void TestSectionMenu::commandOpensItsWindow_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("park"); // else the menu hides
    QTest::addColumn<bool>("alwaysNew");
    QTest::addColumn<QString>("atShow"); // hint|caption|calls|KjbFromMenu
    QTest::addColumn<QString>("after");  // the same once shown, when it differs
    const auto row = [](const char* name, const char* menu, const char* command, const char* target,
                        bool park, bool alwaysNew, const char* atShow, const char* after = "") {
        QTest::newRow(name) << QString(menu) << QString(command) << QString(target) << park
                            << alwaysNew << QString(atShow) << QString(*after ? after : atShow);
    };
    const char* animals = "|Pelumo______【看图认物】|showAnimalsTitle|0";
    row("hides, lazy", "TFrmWzsx", "加减法", "Tfrmjjf", false, false, "|||0");
    row("parks", "Tfrmyygj", "学音标", "Tfrmxyb", true, false, "|||0");
    row("always new", "Tfrmywtd", "xhz", "Tfrmxhz", true, true, "|||0");
    row("property before showing", "Tfrmyygj", "综合练习", "TfrmEngLishZHLX", false, false,
        "yygj|||0");
    row("caption before showing", "Tfrmywtd", "rkl", "Tfrmrkl", false, false, "|绕口令||0");
    row("property after showing", "TFrmWzsx", "口诀表", "Tfrmkjb", false, false, "|||0", "|||1");
    row("methods before and after", "Tfrmywtd", "ddn", "Tfrmjzw", false, false,
        "||selectBrainTeasers|0", "||selectBrainTeasers+coverAnswer|0");
    row("any other command", "TFrmKtrw", "看大象", "TFrmKtrwAll", false, false, animals);
    row("exit in capitals is another command", "TFrmKtrw", "BTNEXIT", "TFrmKtrwAll", false, false,
        animals);
}

void TestSectionMenu::commandOpensItsWindow() {
    QFETCH(QString, menu);
    QFETCH(QString, command);
    QFETCH(QString, target);
    QFETCH(bool, park);
    QFETCH(bool, alwaysNew);
    QFETCH(QString, atShow);
    QFETCH(QString, after);
    TSectionMenu* m = openMenu(menu);
    QVERIFY(m);
    const QPoint before = m->pos();
    delete stubs[target];
    const int madeBefore = made[target];
    for (int round = 1; round <= 2; ++round) {
        m->Show();
        m->move(before);
        clicks = 0;
        m->MyShockwaveFlash1FSCommand(command, "ignored");
        TStub* w = stubs[target];
        QVERIFY2(w && w->isVisible(), qPrintable(target));
        QCOMPARE(clicks, 1);
        QCOMPARE(w->clicksAtCreation, 1); // the click came first
        // Lazy windows are made once and shown again; the others anew each time.
        QCOMPARE(made[target] - madeBefore, alwaysNew ? round : 1);
        // A parked menu leaves the screen too, so no window manager pulls it back.
        QCOMPARE(isParked(m), park);
        QVERIFY(!m->isVisible());
        QCOMPARE(m->x(), park ? -2000 : before.x());
        w->close();
        if (round == 1)
            w->calls.clear();
        QVERIFY(m->isVisible());
        QCOMPARE(m->pos(), QPoint(park ? centredLeft(m) : before.x(), before.y()));
    }
    // The settings of the row, before or after the window showed.
    TStub* w = stubs[target];
    QCOMPARE(w->atShow, atShow);
    QCOMPARE(QStringList({w->Hint(), w->Caption(), w->calls.join('+'), QString::number(w->kjb())})
                 .join('|'),
             after);
    m->close();
}

void TestSectionMenu::playerRowOpensNewPlayer_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("command named as its category")
        << QString("TFrmWzsx") << QString("数学游戏") << QString("数学游戏") << QString("sxyx");
    QTest::newRow("command of its own")
        << QString("Tfrmywtd") << QString("xpy") << QString("学拼音") << QString("xpy");
}

void TestSectionMenu::playerRowOpensNewPlayer() {
    QFETCH(QString, menu);
    QFETCH(QString, command);
    QFETCH(QString, category);
    QFETCH(QString, prefix);
    TSectionMenu* m = openMenu(menu);
    QVERIFY(m);
    const int top = m->y();
    m->MyShockwaveFlash1FSCommand(command, QString());
    QCOMPARE(clicks, 1);
    QPointer<Tfrmkjxx> p = frmkjxx.data();
    QVERIFY(p && p->isVisible());
    QCOMPARE(p->windowTitle(), category);
    // The menu parks and the first lesson plays.
    QCOMPARE(m->pos(), QPoint(-2000, top));
    FakeBackend* fake = flashhost::fakeBackendOf(p->MyShockwaveFlash1);
    QTRY_VERIFY(fake->movieLoaded());
    QCOMPARE(fake->movie().bytes, platform::ContentPack::load(prefix)->read(prefix + "1", "Flash"));
    QCOMPARE(p->lbltopic->text(), "【" + p->lbml->Items()[0] + "】");
    // A second command opens a second player.
    m->MyShockwaveFlash1FSCommand(command, QString());
    QVERIFY(frmkjxx && frmkjxx != p && p->isVisible());
    frmkjxx->close();
    p->close();
    QCOMPARE(m->pos(), QPoint(centredLeft(m), top));
    m->close();
}

void TestSectionMenu::unmatchedCommandOnlyClicks_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("command");
    QTest::newRow("empty") << QString("TFrmWzsx") << QString();
    QTest::newRow("trailing space") << QString("TFrmWzsx") << QString("加减法 ");
    QTest::newRow("category name, not its command") << QString("Tfrmywtd") << QString("学拼音");
}

void TestSectionMenu::unmatchedCommandOnlyClicks() {
    QFETCH(QString, menu);
    QFETCH(QString, command);
    TSectionMenu* m = openMenu(menu);
    const QPoint at = m->pos();
    const std::map<QString, int> madeBefore = made;
    const auto windows = QApplication::topLevelWidgets().size();
    m->MyShockwaveFlash1FSCommand(command, QString());
    QCOMPARE(clicks, 1);
    QVERIFY(m->isVisible());
    QCOMPARE(m->pos(), at);
    QVERIFY(made == madeBefore);
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    m->close();
}

void TestSectionMenu::exitShowsMainWindow() {
    for (const char* cls : {"TFrmKtrw", "Tfrmyygj", "TFrmWzsx", "Tfrmywtd", "Tfrmyzly"}) {
        Frmmain->Show();
        clicks = 0;
        TSectionMenu* m = openMenu(cls);
        QVERIFY(!Frmmain->isVisible());
        m->MyShockwaveFlash1FSCommand("btnexit", QString());
        QCOMPARE(clicks, 1);
        QVERIFY(!m->isVisible());
        QVERIFY(Frmmain->isVisible());
    }
}

void TestSectionMenu::quizStopsMusic() {
    QVERIFY(Frmmain->chkrec->isChecked());
    QVERIFY(platform::soundLibrary().ChannelPlay(BgMusicChannel, false));
    TSectionMenu* m = openMenu("Tfrmyygj");
    m->MyShockwaveFlash1FSCommand("学ABC", QString());
    QCOMPARE(musicState(), 1u); // only the quiz row touches the music
    stubs["TfrmABC"]->close();
    m->MyShockwaveFlash1FSCommand("综合练习", QString());
    QCOMPARE(musicState(), 3u);
    stubs["TfrmEngLishZHLX"]->close();
    m->close();
}

void TestSectionMenu::missingPlayerNotice() {
    delete FrmWzsx;
    FakeBackend::options().installed = false;
    TSectionMenu* m = openMenu("TFrmWzsx");
    QVERIFY(m && m->isVisible());
    QCOMPARE(m->tmr1->Interval(), 100);
    emit m->tmr1->OnTimer();
    QVERIFY(!m->tmr1->Enabled()); // once
    QCOMPARE(testsupport::boxes(*messages_),
             QStringList{"重要提示！|【提示】：由于您的电脑没有安装播放动画的相关程序，动画可能无法"
                         "正常播放！\r点击确定后，请手动安装动画播放程序(Flash Player)。\r"
                         "安装之后，重新启动“Pelumo”软件就可进入本内容进行学习了。|64"});
    QCOMPARE(opened_.size(), 1);
    QVERIFY(opened_[0].endsWith("/Data/FlashActiveX.exe"));
    QVERIFY(m->isVisible());
    m->close();
    delete FrmWzsx;
    FakeBackend::reset();
    // With a player, no notice is due.
    QVERIFY(!openMenu("TFrmWzsx")->tmr1->Enabled());
}

void TestSectionMenu::menuWithoutMovieStillOpens() {
    QTest::ignoreMessage(QtWarningMsg, "menu movie nosuchmovie is missing");
    TSectionMenu* m = openMenu("TBrokenMenu");
    QVERIFY(m && m->isVisible());
    QVERIFY(!Frmmain->isVisible());
    QVERIFY(!flashhost::fakeBackendOf(m->MyShockwaveFlash1)->movieLoaded());
    m->close();
    QVERIFY(Frmmain->isVisible());
}

QTEST_MAIN(TestSectionMenu)
#include "tst_sectionmenu.moc"
