// Every command row of the five section menus with the real window it opens: the menu
// hides or parks as its table says, and the window's close brings it back on screen.
// Some windows bring their menu back themselves; a menu left parked off screen would
// leave the child with no window at all.
#include "FlashTestSupport.h"
#include "FormTestSupport.h"
#include "app/FormRegistry.h"
#include "app/SectionMenu.h"
#include "app/Startup.h"
#include "app/TForm.h"
#include "app/UMain.h"
#include "platform/MessageService.h"
#include "platform/ShellOpen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

namespace {

struct Row {
    const char* name;
    const char* menu;
    const char* command;
    const char* target;
    bool park;
};

// The menus' tables as the menus' movies use them; "park" moves the menu to Left -2000.
const Row kRows[] = {
    {"wzsx read numbers", "TFrmWzsx", "学数字", "TFrmReadNumbers", false},
    {"wzsx shapes", "TFrmWzsx", "认图形", "Tfrmrwz", false},
    {"wzsx mixed", "TFrmWzsx", "综合练习", "TfrmMathZHLX", false},
    {"wzsx counting", "TFrmWzsx", "数一数", "Tfrmsys", false},
    {"wzsx comparing", "TFrmWzsx", "比一比", "Tfrmbyb", false},
    {"wzsx patterns", "TFrmWzsx", "找规律", "Tfrmzgl", false},
    {"wzsx plus minus", "TFrmWzsx", "加减法", "Tfrmjjf", false},
    {"wzsx times divide", "TFrmWzsx", "乘除法", "Tfrmccf", false},
    {"wzsx rhyme tables", "TFrmWzsx", "口诀表", "Tfrmkjb", false},
    {"yygj letters", "Tfrmyygj", "学ABC", "TfrmABC", false},
    {"yygj phonetics", "Tfrmyygj", "学音标", "Tfrmxyb", true},
    {"yygj words", "Tfrmyygj", "小小单词通", "Tfrmxxdct", true},
    {"yygj pairs", "Tfrmyygj", "对对碰", "Tfrmddp", true},
    {"yygj quiz", "Tfrmyygj", "综合练习", "TfrmEngLishZHLX", false},
    {"ywtd characters", "Tfrmywtd", "xhz", "Tfrmxhz", true},
    {"ywtd idioms", "Tfrmywtd", "xcy", "Tfrmxchy", true},
    {"ywtd classic", "Tfrmywtd", "szj", "Tfrmszj", true},
    {"ywtd brain teasers", "Tfrmywtd", "ddn", "Tfrmjzw", false},
    {"ywtd tongue twisters", "Tfrmywtd", "rkl", "Tfrmrkl", false},
    {"yzly differences", "Tfrmyzly", "找不同", "Tfrmzbn", false},
    {"yzly guess", "Tfrmyzly", "猜数字", "TfrmguessNumber", false},
    {"yzly puzzle", "Tfrmyzly", "拼图形", "Tfrmptx", false},
    {"yzly colouring", "Tfrmyzly", "涂颜色", "Tfrmtys", true},
    {"yzly sorting", "Tfrmyzly", "归分类", "Tfrmgfl", false},
    {"ktrw mixed practice", "TFrmKtrw", "综合练习", "TfrmKtrwZhlx", false},
    {"ktrw animals", "TFrmKtrw", "认识动物", "TFrmKtrwAll", false},
    {"ktrw any other command", "TFrmKtrw", "看大象", "TFrmKtrwAll", false},
    {"ktrw empty command", "TFrmKtrw", "", "TFrmKtrwAll", false},
    {"ktrw exit in capitals", "TFrmKtrw", "BTNEXIT", "TFrmKtrwAll", false},
};

int centredLeft(QWidget* w) {
    return (QGuiApplication::primaryScreen()->geometry().width() - w->frameGeometry().width()) / 2;
}

} // namespace

class TestMenuRows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyRowIsHere();
    void rowOpensItsWindowAndComesBack_data();
    void rowOpensItsWindowAndComesBack();

private:
    std::unique_ptr<platform::MessageRecorder> messages_;
};

void TestMenuRows::initTestCase() {
    installFontSubstitutes();
    flashtest::useFakePlayers();
    messages_ = std::make_unique<platform::MessageRecorder>();
    platform::setShellOpenHandler([](const QString&) { return false; });
    testsupport::makeMainWindow();
    TSectionMenu::playClick = [] {};
}

void TestMenuRows::cleanupTestCase() {
    testsupport::deleteAllWindows();
    platform::setShellOpenHandler(nullptr);
    flashtest::dropFakePlayers();
}

// A row of a menu's table that this test does not know is a row no one tried.
void TestMenuRows::everyRowIsHere() {
    QStringList unknown;
    for (const char* cls : {"TFrmWzsx", "Tfrmyygj", "Tfrmywtd", "Tfrmyzly", "TFrmKtrw"}) {
        auto* menu = qobject_cast<TSectionMenu*>(openLazy(cls));
        QVERIFY(menu);
        for (const MenuCommand& row : menu->commands()) {
            if (row.kind != MenuCommand::Kind::Open)
                continue;
            const bool known = std::any_of(std::begin(kRows), std::end(kRows), [&](const Row& r) {
                return r.menu == QLatin1String(cls) && QString::fromUtf8(r.command) == row.command;
            });
            if (!known)
                unknown << QString(cls) + " " + row.command;
        }
        menu->close();
    }
    QVERIFY2(unknown.isEmpty(), qPrintable(unknown.join(", ")));
}

void TestMenuRows::rowOpensItsWindowAndComesBack_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("park");
    for (const Row& r : kRows)
        QTest::newRow(r.name) << QString(r.menu) << QString::fromUtf8(r.command)
                              << QString(r.target) << r.park;
}

void TestMenuRows::rowOpensItsWindowAndComesBack() {
    QFETCH(QString, menu);
    QFETCH(QString, command);
    QFETCH(QString, target);
    QFETCH(bool, park);
    messages_->clear();
    Frmmain->Show();
    auto* m = qobject_cast<TSectionMenu*>(openFrom(Frmmain, menu, LeaveMode::Hide));
    QVERIFY(m && m->isVisible());
    m->move(centredLeft(m), 20);
    m->MyShockwaveFlash1FSCommand(command, QString());
    QWidget* w = FormRegistry::find(target)->instance();
    QVERIFY2(w && w->isVisible(), qPrintable(target + " did not open"));
    QVERIFY(!m->isVisible());
    QCOMPARE(isParked(m), park);
    if (park)
        QCOMPARE(m->x(), -2000);
    w->close();
    QCoreApplication::processEvents();
    QVERIFY2(m->isVisible(), "the menu did not come back");
    QVERIFY(!isParked(m));
    // Back where it was, centred; within the frame's few pixels, which the window system
    // may not know again yet.
    QVERIFY2(qAbs(m->x() - centredLeft(m)) <= 4, qPrintable(QString::number(m->x())));
    QVERIFY(qAbs(m->y() - 20) <= 4);
    for (const platform::MessageCall& c : messages_->calls())
        QVERIFY2(!(c.flags & platform::MB_ICONERROR), qPrintable(c.text));
    m->close();
    QVERIFY(Frmmain->isVisible());
}

QTEST_MAIN(TestMenuRows)
#include "tst_menurows.moc"
