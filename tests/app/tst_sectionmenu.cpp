// The five section menus through the fake player: every command of every table opens
// its window (stand-ins registered under the real class names) with its settings and
// the menu hides or parks; the click comes first; unmatched commands only click; the
// exit command brings the main window back; the missing-player notice.
#include "FormTestSupport.h"
#include "TestSupport.h"
#include "app/FormRegistry.h"
#include "app/SectionMenu.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "app/UKtrw.h"
#include "app/UMain.h"
#include "app/UWzsx.h"
#include "app/UYYgj.h"
#include "app/UYwtd.h"
#include "app/UYzly.h"
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

// A window standing in for an activity of a later step. It keeps the music alone, so
// what the menu does to the music shows, and records what it looked like when first shown.
class TStub : public TActivityForm {
    Q_OBJECT
    Q_PROPERTY(int KjbFromMenu READ kjb WRITE setKjb)
public:
    explicit TStub(const QString& cls) {
        setObjectName(cls);
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
    QString hintAtShow, captionAtShow;
    QStringList calls, callsAtShow;
    int kjbAtShow = 0;

protected:
    void showEvent(QShowEvent* e) override {
        TActivityForm::showEvent(e);
        if (shownBefore_)
            return;
        shownBefore_ = true;
        hintAtShow = Hint();
        captionAtShow = Caption();
        callsAtShow = calls;
        kjbAtShow = kjb_;
    }

private:
    bool shownBefore_ = false;
    int kjb_ = 0;
};

const QStringList kTargets = {
    "TFrmReadNumbers", "Tfrmrwz",         "TfrmMathZHLX",    "Tfrmsys",  "Tfrmbyb", "Tfrmzgl",
    "Tfrmjjf",         "Tfrmccf",         "Tfrmkjb",         "TfrmABC",  "Tfrmxyb", "Tfrmxxdct",
    "Tfrmddp",         "TfrmEngLishZHLX", "Tfrmxhz",         "Tfrmxchy", "Tfrmszj", "Tfrmjzw",
    "Tfrmrkl",         "Tfrmzbn",         "TfrmguessNumber", "Tfrmptx",  "Tfrmtys", "Tfrmgfl",
    "TfrmKtrwZhlx",    "TFrmKtrwAll"};

std::map<QString, QPointer<TStub>> stubs;
std::map<QString, int> made;

void registerStubs() {
    for (const QString& cls : kTargets) {
        FormRegistry::add(FormEntry{cls,
                                    [cls]() -> QWidget* {
                                        TStub* w = stubs[cls].data();
                                        return w && !w->property("pelumoFreed").toBool() ? w
                                                                                         : nullptr;
                                    },
                                    [cls]() -> QWidget* {
                                        ++made[cls];
                                        stubs[cls] = new TStub(cls);
                                        return stubs[cls].data();
                                    },
                                    [cls] { stubs[cls] = nullptr; }});
    }
}

// A menu whose movie is not among the program's resources.
class TBrokenMenu : public TSectionMenu {
public:
    TBrokenMenu()
        : TSectionMenu(QStringLiteral("坏"), QStringLiteral("nosuchmovie"), {MenuCommand::exit()}) {
    }
};
QPointer<TBrokenMenu> frmbroken;

TSectionMenu* openMenu(const QString& cls) {
    auto* w = qobject_cast<TSectionMenu*>(openFrom(Frmmain, cls, LeaveMode::Hide));
    if (w)
        w->move((w->screen()->geometry().width() - w->frameGeometry().width()) / 2, 20);
    return w;
}

int screenWidth() {
    return QGuiApplication::primaryScreen()->geometry().width();
}

int centredLeft(QWidget* w) {
    return (screenWidth() - w->frameGeometry().width()) / 2;
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
    void menusLookAsTheyShould_data();
    void menusLookAsTheyShould();
    void commandOpensItsWindow_data();
    void commandOpensItsWindow();
    void playerRowOpensNewPlayer_data();
    void playerRowOpensNewPlayer();
    void playerRowTwiceMakesTwoPlayers();
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
    flashhost::BackendProvider::setFakeBackends(true);
    messages_ = new platform::MessageRecorder;
    platform::setShellOpenHandler([this](const QString& what) {
        opened_ << what;
        return false;
    });
    testsupport::makeMainWindow();
    Frmmain->Show();
    registerStubs();
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

void TestSectionMenu::menusLookAsTheyShould_data() {
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("movie");
    QTest::newRow("picture recognition") << "TFrmKtrw"
                                         << "看图认物"
                                         << "ktrw";
    QTest::newRow("english") << "Tfrmyygj"
                             << "英语广角"
                             << "yygj";
    QTest::newRow("mathematics") << "TFrmWzsx"
                                 << "玩转数学"
                                 << "wzsx";
    QTest::newRow("chinese") << "Tfrmywtd"
                             << "语文天地"
                             << "ywtd";
    QTest::newRow("puzzle park") << "Tfrmyzly"
                                 << "益智乐园"
                                 << "yzly";
}

void TestSectionMenu::menusLookAsTheyShould() {
    QFETCH(QString, cls);
    QFETCH(QString, caption);
    QFETCH(QString, movie);
    TSectionMenu* menu = openMenu(cls);
    QVERIFY(menu);
    QVERIFY(menu->isVisible());
    QVERIFY(!Frmmain->isVisible());
    QCOMPARE(menu->windowTitle(), caption);
    QCOMPARE(menu->size(), QSize(900, 675));
    QCOMPARE(menu->minimumSize(), menu->maximumSize());
    const Qt::WindowFlags f = menu->windowFlags();
    QVERIFY(f & Qt::WindowSystemMenuHint);
    QVERIFY(!(f & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(f & Qt::WindowMaximizeButtonHint));
    QCOMPARE(menu->MyShockwaveFlash1->geometry(), menu->rect());
    QCOMPARE(menu->MyShockwaveFlash1->WMode(), QString("Window"));
    QCOMPARE(menu->MyShockwaveFlash1->Scale(), QString("ShowAll"));

    // The movie handed to the player is the program's own resource of that name.
    FakeBackend* fake = flashhost::fakeBackendOf(menu->MyShockwaveFlash1);
    QVERIFY(fake);
    QTRY_VERIFY(fake->movieLoaded());
    QFile resource(":/flash/" + movie);
    QVERIFY(resource.open(QIODevice::ReadOnly));
    QCOMPARE(fake->movie().bytes, resource.readAll());
    QVERIFY(!menu->tmr1->Enabled());
    menu->close();
}

void TestSectionMenu::commandOpensItsWindow_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("leave"); // "H" hides, "M" parks
    QTest::addColumn<bool>("alwaysNew");

    const auto row = [](const char* name, const char* menu, const char* command, const char* target,
                        const char* leave, bool alwaysNew = false) {
        QTest::newRow(name) << menu << QString::fromUtf8(command) << target << leave << alwaysNew;
    };
    row("wzsx read numbers", "TFrmWzsx", "学数字", "TFrmReadNumbers", "H");
    row("wzsx shapes", "TFrmWzsx", "认图形", "Tfrmrwz", "H");
    row("wzsx mixed", "TFrmWzsx", "综合练习", "TfrmMathZHLX", "H");
    row("wzsx counting", "TFrmWzsx", "数一数", "Tfrmsys", "H");
    row("wzsx comparing", "TFrmWzsx", "比一比", "Tfrmbyb", "H");
    row("wzsx patterns", "TFrmWzsx", "找规律", "Tfrmzgl", "H");
    row("wzsx plus minus", "TFrmWzsx", "加减法", "Tfrmjjf", "H");
    row("wzsx times divide", "TFrmWzsx", "乘除法", "Tfrmccf", "H");
    row("wzsx rhyme tables", "TFrmWzsx", "口诀表", "Tfrmkjb", "H");
    row("yygj letters", "Tfrmyygj", "学ABC", "TfrmABC", "H");
    row("yygj phonetics", "Tfrmyygj", "学音标", "Tfrmxyb", "M");
    row("yygj words", "Tfrmyygj", "小小单词通", "Tfrmxxdct", "M");
    row("yygj pairs", "Tfrmyygj", "对对碰", "Tfrmddp", "M");
    row("yygj quiz", "Tfrmyygj", "综合练习", "TfrmEngLishZHLX", "H");
    row("ywtd characters", "Tfrmywtd", "xhz", "Tfrmxhz", "M", true);
    row("ywtd idioms", "Tfrmywtd", "xcy", "Tfrmxchy", "M", true);
    row("ywtd classic", "Tfrmywtd", "szj", "Tfrmszj", "M");
    row("ywtd brain teasers", "Tfrmywtd", "ddn", "Tfrmjzw", "H");
    row("ywtd tongue twisters", "Tfrmywtd", "rkl", "Tfrmrkl", "H");
    row("yzly differences", "Tfrmyzly", "找不同", "Tfrmzbn", "H");
    row("yzly guess", "Tfrmyzly", "猜数字", "TfrmguessNumber", "H");
    row("yzly puzzle", "Tfrmyzly", "拼图形", "Tfrmptx", "H");
    row("yzly colouring", "Tfrmyzly", "涂颜色", "Tfrmtys", "M");
    row("yzly sorting", "Tfrmyzly", "归分类", "Tfrmgfl", "H");
    row("ktrw mixed practice", "TFrmKtrw", "综合练习", "TfrmKtrwZhlx", "H");
    row("ktrw animals", "TFrmKtrw", "认识动物", "TFrmKtrwAll", "H");
    row("ktrw any other command", "TFrmKtrw", "看大象", "TFrmKtrwAll", "H");
    row("ktrw empty command", "TFrmKtrw", "", "TFrmKtrwAll", "H");
    row("ktrw exit in capitals", "TFrmKtrw", "BTNEXIT", "TFrmKtrwAll", "H");
}

void TestSectionMenu::commandOpensItsWindow() {
    QFETCH(QString, menu);
    QFETCH(QString, command);
    QFETCH(QString, target);
    QFETCH(QString, leave);
    QFETCH(bool, alwaysNew);
    TSectionMenu* m = openMenu(menu);
    QVERIFY(m);
    const QPoint before = m->pos();
    delete stubs[target];
    const int madeBefore = made[target];

    for (int round = 1; round <= 2; ++round) {
        m->Show();
        m->move(before);
        clicks = 0;
        const int madeNow = made[target];
        m->MyShockwaveFlash1FSCommand(command, "ignored");
        TStub* w = stubs[target];
        QVERIFY2(w && w->isVisible(), qPrintable(target));
        QCOMPARE(clicks, 1);
        if (made[target] > madeNow)
            QCOMPARE(w->clicksAtCreation, 1); // the click came first
        // Lazy windows are made once and shown again; the others anew each time.
        QCOMPARE(made[target] - madeBefore, alwaysNew ? round : 1);
        if (leave == "H") {
            QVERIFY(!m->isVisible());
            w->close();
            QVERIFY(m->isVisible());
        } else {
            QVERIFY(m->isVisible());
            QCOMPARE(m->x(), -2000);
            QCOMPARE(m->y(), before.y());
            w->close();
            QCOMPARE(m->x(), centredLeft(m));
            QCOMPARE(m->y(), before.y());
        }
    }

    // The settings of the row, before or after the window showed.
    TStub* w = stubs[target];
    if (target == "TfrmEngLishZHLX") {
        QCOMPARE(w->hintAtShow, QString("yygj"));
    } else if (target == "Tfrmkjb") {
        QCOMPARE(w->kjbAtShow, 0); // set after showing
        QCOMPARE(w->kjb(), 1);
    } else if (target == "Tfrmrkl") {
        QCOMPARE(w->captionAtShow, QString("绕口令"));
    } else if (target == "Tfrmjzw") {
        QCOMPARE(w->callsAtShow, QStringList{"selectBrainTeasers"});
        QCOMPARE(w->calls.last(), QString("coverAnswer"));
    } else if (target == "TFrmKtrwAll") {
        QCOMPARE(w->callsAtShow, QStringList{"showAnimalsTitle"});
        QCOMPARE(w->captionAtShow, QString("Pelumo______【看图认物】"));
    } else {
        QCOMPARE(w->hintAtShow, QString());
        QCOMPARE(w->kjb(), 0);
        QVERIFY(w->calls.isEmpty());
    }
    m->close();
}

void TestSectionMenu::playerRowOpensNewPlayer_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("titleImage");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("count");
    const auto row = [](const char* menu, const char* command, const char* category,
                        const char* image, const char* prefix, int count) {
        QTest::newRow(prefix) << menu << QString::fromUtf8(command) << QString::fromUtf8(category)
                              << image << prefix << count;
    };
    row("TFrmWzsx", "数学游戏", "数学游戏", "imgkjxx", "sxyx", 34);
    row("TFrmWzsx", "数学课件", "数学课件", "imgsxkj", "sxkj", 51);
    row("Tfrmyygj", "开心说英语", "开心说英语", "imgrcyy", "Eng_Listen", 83);
    row("Tfrmyygj", "英语故事", "英语故事", "imgyygs", "EStory", 35);
    row("Tfrmyygj", "快乐游戏", "快乐游戏", "imgyy_Game", "EGame", 58);
    row("Tfrmywtd", "xpy", "学拼音", "imgxpy", "xpy", 63);
    row("Tfrmywtd", "xgs", "学古诗", "imgxts", "gushi", 91);
    row("Tfrmywtd", "yygs", "寓言故事", "imgyuyan", "CStory", 50);
    row("Tfrmywtd", "qwyx", "趣味游戏", "imgywyx", "YWYX", 60);
    row("Tfrmywtd", "dzg", "弟子规", "imgdzg", "dzg", 34);
    row("Tfrmywtd", "bkzs", "百科知识", "imgYW_baike", "baike", 54);
    row("Tfrmywtd", "thgs", "童话故事", "imgyw_Tonghua", "Tonghua", 44);
}

void TestSectionMenu::playerRowOpensNewPlayer() {
    QFETCH(QString, menu);
    QFETCH(QString, command);
    QFETCH(QString, category);
    QFETCH(QString, titleImage);
    QFETCH(QString, prefix);
    QFETCH(int, count);
    TSectionMenu* m = openMenu(menu);
    QVERIFY(m);
    const int top = m->y();
    m->MyShockwaveFlash1FSCommand(command, QString());
    QCOMPARE(clicks, 1);
    Tfrmkjxx* p = frmkjxx;
    QVERIFY(p);
    QVERIFY(p->isVisible());
    QCOMPARE(p->windowTitle(), category);
    QCOMPARE(p->lbml->Items().Count(), count);
    QCOMPARE(p->lbml->ItemIndex(), 0);
    QCOMPARE(p->prefix(), prefix);
    for (const kjxx::Category& c : kjxx::categories())
        QCOMPARE(!p->findChild<TImage*>(c.titleImage)->isHidden(), titleImage == c.titleImage);
    QVERIFY(p->imgprac->isHidden());
    QVERIFY(p->imgprac3->isHidden());
    // The menu parks and the first lesson plays.
    QCOMPARE(m->x(), -2000);
    QCOMPARE(m->y(), top);
    FakeBackend* fake = flashhost::fakeBackendOf(p->MyShockwaveFlash1);
    QTRY_VERIFY(fake->movieLoaded());
    QCOMPARE(fake->movie().bytes, platform::ContentPack::load(prefix)->read(prefix + "1", "Flash"));
    QCOMPARE(p->lbltopic->text(), "【" + p->lbml->Items()[0] + "】");
    p->close();
    QCOMPARE(m->x(), centredLeft(m));
    QCOMPARE(m->y(), top);
    m->close();
}

void TestSectionMenu::playerRowTwiceMakesTwoPlayers() {
    TSectionMenu* m = openMenu("TFrmWzsx");
    m->MyShockwaveFlash1FSCommand("数学游戏", QString());
    QPointer<Tfrmkjxx> first = frmkjxx;
    m->MyShockwaveFlash1FSCommand("数学游戏", QString());
    QPointer<Tfrmkjxx> second = frmkjxx;
    QVERIFY(first && second);
    QVERIFY(first != second);
    QVERIFY(first->isVisible() && second->isVisible());
    first->close();
    QTRY_VERIFY(!first);
    QVERIFY(second);
    QCOMPARE(frmkjxx.data(), second.data());
    second->close();
    QTRY_VERIFY(!second);
    QVERIFY(!frmkjxx);
    m->close();
}

void TestSectionMenu::unmatchedCommandOnlyClicks_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("command");
    QTest::newRow("wzsx empty") << "TFrmWzsx"
                                << "";
    QTest::newRow("wzsx exit in capitals") << "TFrmWzsx"
                                           << "BTNEXIT";
    QTest::newRow("wzsx guessing game") << "TFrmWzsx"
                                        << "猜猜看";
    QTest::newRow("wzsx mixed operations") << "TFrmWzsx"
                                           << "混合运算";
    QTest::newRow("wzsx trailing space") << "TFrmWzsx"
                                         << "加减法 ";
    QTest::newRow("yygj exit in capitals") << "Tfrmyygj"
                                           << "BTNEXIT";
    QTest::newRow("yygj lower-case abc") << "Tfrmyygj"
                                         << "学abc";
    QTest::newRow("ywtd mixed practice") << "Tfrmywtd"
                                         << "zhlx";
    QTest::newRow("ywtd category name") << "Tfrmywtd"
                                        << "学拼音";
    QTest::newRow("yzly memory") << "Tfrmyzly"
                                 << "记忆力";
    QTest::newRow("yzly empty") << "Tfrmyzly"
                                << "";
}

void TestSectionMenu::unmatchedCommandOnlyClicks() {
    QFETCH(QString, menu);
    QFETCH(QString, command);
    TSectionMenu* m = openMenu(menu);
    const QPoint at = m->pos();
    std::map<QString, int> madeBefore = made;
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    m->MyShockwaveFlash1FSCommand(command, QString());
    QCOMPARE(clicks, 1);
    QVERIFY(m->isVisible());
    QCOMPARE(m->pos(), at);
    QVERIFY(made == madeBefore);
    QCOMPARE(QApplication::topLevelWidgets().size(), windows.size());
    m->close();
}

void TestSectionMenu::exitShowsMainWindow() {
    for (const char* cls : {"TFrmKtrw", "Tfrmyygj", "TFrmWzsx", "Tfrmywtd", "Tfrmyzly"}) {
        Frmmain->Show();
        TSectionMenu* m = openMenu(cls);
        QVERIFY(!Frmmain->isVisible());
        m->MyShockwaveFlash1FSCommand("btnexit", QString());
        QCOMPARE(clicks, 1);
        QVERIFY(!m->isVisible());
        QVERIFY(Frmmain->isVisible());
        clicks = 0;
    }
    // The main window's own buttons open the same menus again.
    Frmmain->imgwzsxClick();
    QVERIFY(FrmWzsx->isVisible());
    QVERIFY(!Frmmain->isVisible());
    FrmWzsx->MyShockwaveFlash1FSCommand("btnexit", QString());
    QVERIFY(Frmmain->isVisible());
}

void TestSectionMenu::quizStopsMusic() {
    auto& snd = platform::soundLibrary();
    QVERIFY(Frmmain->chkrec->isChecked());
    QVERIFY(snd.ChannelPlay(BgMusicChannel, false));
    QCOMPARE(musicState(), 1u);
    TSectionMenu* m = openMenu("Tfrmyygj");
    m->MyShockwaveFlash1FSCommand("学ABC", QString());
    QCOMPARE(musicState(), 1u); // only the quiz row touches the music
    stubs["TfrmABC"]->close();
    m->MyShockwaveFlash1FSCommand("综合练习", QString());
    QCOMPARE(musicState(), 3u);
    stubs["TfrmEngLishZHLX"]->close();

    // With the music switched off nothing changes.
    Frmmain->chkrec->setChecked_(false);
    QCOMPARE(musicState(), 3u);
    QVERIFY(snd.ChannelPlay(BgMusicChannel, false));
    m->MyShockwaveFlash1FSCommand("综合练习", QString());
    QCOMPARE(musicState(), 1u);
    stubs["TfrmEngLishZHLX"]->close();
    Frmmain->chkrec->setChecked_(true);
    m->close();
}

void TestSectionMenu::missingPlayerNotice() {
    // With a player, no notice.
    delete FrmWzsx;
    TSectionMenu* m = openMenu("TFrmWzsx");
    QTest::qWait(300);
    QCOMPARE(messages_->calls().size(), size_t(0));
    m->close();
    delete FrmWzsx;

    FakeBackend::options().installed = false;
    m = openMenu("TFrmWzsx");
    QVERIFY(m && m->isVisible());
    QVERIFY(m->tmr1->Enabled());
    QCOMPARE(m->tmr1->Interval(), 100);
    QTRY_COMPARE(messages_->calls().size(), size_t(1));
    QTest::qWait(250);
    QCOMPARE(messages_->calls().size(), size_t(1));
    const platform::MessageCall& call = messages_->calls()[0];
    QCOMPARE(call.text,
             QString("【提示】：由于您的电脑没有安装播放动画的相关程序，动画可能无法正常播放！\r"
                     "点击确定后，请手动安装动画播放程序(Flash Player)。\r"
                     "安装之后，重新启动“Pelumo”软件就可进入本内容进行学习了。"));
    QCOMPARE(call.caption, QString("重要提示！"));
    QCOMPARE(call.flags, 64);
    QCOMPARE(opened_.size(), 1);
    QVERIFY(opened_[0].endsWith("/Data/FlashActiveX.exe"));
    QVERIFY(m->isVisible());
    m->close();
    delete FrmWzsx;
    FakeBackend::reset();
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
