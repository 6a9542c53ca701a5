// The lesson-movie player through the fake player and the generated lesson packs:
// the twelve categories and their popups, stepping, start frames, focus, full screen
// and back, closing back to the right menu, and a missing pack.
#include "FormTestSupport.h"
#include "TestSupport.h"
#include "app/FormRegistry.h"
#include "app/MissingPlayer.h"
#include "app/SectionMenu.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "app/TTimer.h"
#include "app/UMain.h"
#include "app/UWzsx.h"
#include "app/UYYgj.h"
#include "app/UYwtd.h"
#include "app/Ukjxx.h"
#include "flashhost/BackendProvider.h"
#include "flashhost/FakeBackend.h"
#include "flashhost/FlashHostControl.h"
#include "flashhost/swf/Swf.h"
#include "platform/ContentPack.h"
#include "platform/MessageService.h"
#include "platform/ShellOpen.h"
#include "platform/SoundLibrary.h"

#include <QGuiApplication>
#include <QMenu>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>

using flashhost::FakeBackend;

namespace {

Tfrmkjxx* openPlayer(const QString& category) {
    return qobject_cast<Tfrmkjxx*>(openNew("Tfrmkjxx", [category](QWidget* w) {
        qobject_cast<Tfrmkjxx*>(w)->openCategory(category);
    }));
}

FakeBackend* fakeOf(Tfrmkjxx* p) {
    return flashhost::fakeBackendOf(p->MyShockwaveFlash1);
}

// The player's calls once they reached it, without the focus (which comes at once).
QStringList movieCalls(Tfrmkjxx* p) {
    QCoreApplication::processEvents();
    QStringList calls = fakeOf(p)->calls();
    calls.removeAll("focus");
    return calls;
}

QByteArray item(const QString& name) {
    const QString prefix = name.left(name.lastIndexOf(QRegularExpression("[^0-9]")) + 1);
    return platform::ContentPack::load(prefix)->read(name, "Flash");
}

QStringList loadOf(const QString& name) {
    return {QString("load %1").arg(item(name).size())};
}

QRect screenArea() {
    return QGuiApplication::primaryScreen()->geometry();
}

} // namespace

class TestUkjxx : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void categories_data();
    void categories();
    void lessonListsParse_data();
    void lessonListsParse();
    void stepping();
    void popupEntrySelectsTitle();
    void startFrames_data();
    void startFrames();
    void replayKeepsTitle();
    void focusRule_data();
    void focusRule();
    void fullScreenAndBack();
    void escOnlyInFullScreen();
    void closeReturnsToItsMenu_data();
    void closeReturnsToItsMenu();
    void missingPackReportsAndStaysOpen();
    void missingPlayerNotice();

private:
    platform::MessageRecorder* messages_ = nullptr;
};

void TestUkjxx::initTestCase() {
    installFontSubstitutes();
    flashhost::BackendProvider::setFakeBackends(true);
    messages_ = new platform::MessageRecorder;
    platform::setShellOpenHandler([](const QString&) { return false; });
    testsupport::makeMainWindow();
    TSectionMenu::playClick = [] {};
}

void TestUkjxx::cleanupTestCase() {
    testsupport::deleteAllWindows();
    platform::setShellOpenHandler(nullptr);
    delete messages_;
}

void TestUkjxx::init() {
    messages_->clear();
}

void TestUkjxx::cleanup() {
    QVERIFY(testsupport::closeLessonPlayers());
}

void TestUkjxx::categories_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("popup");
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("withFrame"); // titles with a start frame
    QTest::addColumn<int>("lowest");    // their lowest and highest start frame
    QTest::addColumn<int>("highest");
    const auto row = [](const char* category, const char* prefix, const char* image,
                        const char* popup, const char* header, int count, int withFrame, int lowest,
                        int highest) {
        QTest::newRow(prefix) << QString::fromUtf8(category) << prefix << image << popup
                              << QString::fromUtf8(header) << count << withFrame << lowest
                              << highest;
    };
    row("数学游戏", "sxyx", "imgkjxx", "popkjxx", "---【 数学游戏列表 】---", 34, 16, 1, 123);
    row("数学课件", "sxkj", "imgsxkj", "popsxkj", "---【 数学课件列表 】---", 51, 2, 25, 58);
    row("开心说英语", "Eng_Listen", "imgrcyy", "poprcyy", "---【 开心说英语列表 】---", 83, 78, 4,
        128);
    row("英语故事", "EStory", "imgyygs", "popyygs", "---【 英语故事列表 】---", 35, 0, 0, 0);
    row("快乐游戏", "EGame", "imgyy_Game", "popyy_game", "---【 快乐游戏列表 】---", 58, 3, 3, 5);
    row("学拼音", "xpy", "imgxpy", "popxpy", "---【 学拼音列表 】---", 63, 63, 9, 64);
    row("学古诗", "gushi", "imgxts", "popxts", "---【 学古诗列表 】---", 91, 0, 0, 0);
    row("寓言故事", "CStory", "imgyuyan", "popyuyan", "---【寓言故事列表 】---", 50, 2, 20, 70);
    row("趣味游戏", "YWYX", "imgywyx", "popywyx", "---【 趣味游戏列表 】---", 60, 55, 1, 120);
    row("弟子规", "dzg", "imgdzg", "popdzg", "---【 弟子规列表 】---", 34, 0, 0, 0);
    row("百科知识", "baike", "imgYW_baike", "PopYW_baike", "---【 百科知识列表 】---", 54, 0, 0, 0);
    row("童话故事", "Tonghua", "imgyw_Tonghua", "Popyw_Tonghua", "---【童话故事列表 】---", 44, 0,
        0, 0);
}

void TestUkjxx::categories() {
    QFETCH(QString, category);
    QFETCH(QString, prefix);
    QFETCH(QString, image);
    QFETCH(QString, popup);
    QFETCH(QString, header);
    QFETCH(int, count);
    QFETCH(int, withFrame);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    Tfrmkjxx* p = openPlayer(category);
    QVERIFY(p && p->isVisible());
    QCOMPARE(p->windowTitle(), category);
    QCOMPARE(p->size(), QSize(900, 675));
    QVERIFY(p->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(p->visibleCategory()->titleImage, image);
    QCOMPARE(p->prefix(), prefix);
    QCOMPARE(p->lbml->Items().Count(), count);
    QCOMPARE(p->lbml->ItemIndex(), 0);

    // Nine fixed entries, then one per title in list order, carrying the start frames.
    QMenu* menu = p->popupMenu(popup);
    QVERIFY(menu);
    QCOMPARE(p->MyShockwaveFlash1->PopupMenu(), menu);
    const QList<QAction*> entries = menu->actions();
    QCOMPARE(entries.size(), 9 + count);
    const bool songs = prefix == "dzg";
    const QStringList fixed = {"---【 工具按钮 】---",
                               "",
                               "重    播",
                               songs ? "上一首" : "上一个",
                               songs ? "下一首" : "下一个",
                               "返    回",
                               "",
                               header,
                               ""};
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(entries[i]->isSeparator(), fixed[i].isEmpty());
        QCOMPARE(entries[i]->text(), fixed[i]);
    }
    int framed = 0, low = 1 << 30, high = 0;
    for (int i = 0; i < count; ++i) {
        QCOMPARE(entries[9 + i]->text(), p->lbml->Items()[i]);
        const int frame = entries[9 + i]->data().toInt();
        if (frame > 0) {
            ++framed;
            low = std::min(low, frame);
            high = std::max(high, frame);
        }
    }
    QCOMPARE(framed, withFrame);
    if (withFrame > 0) {
        QCOMPARE(low, lowest);
        QCOMPARE(high, highest);
    }

    // Every title has its movie in the pack, long enough to reach its start frame.
    auto pack = platform::ContentPack::load(prefix);
    QVERIFY(pack->isValid());
    for (int i = 0; i < count; ++i) {
        const auto movie = swf::parse(pack->read(prefix + QString::number(i + 1), "Flash"));
        QVERIFY2(movie, qPrintable(prefix + QString::number(i + 1)));
        QVERIFY(movie->header.frameCount > entries[9 + i]->data().toInt());
    }
    QVERIFY(!pack->contains(prefix + QString::number(count + 1), "Flash"));
}

void TestUkjxx::lessonListsParse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<int>>("frames");
    QTest::newRow("comments and blanks skipped")
        << "# a list\n\n超级水果店\t12\n小猫钓鱼\n"
        << QStringList{"超级水果店", "小猫钓鱼"} << QList<int>{12, 0};
    QTest::newRow("brackets and spaces kept")
        << "第1讲（Hello!）\n第4讲（What's This?）\t5\r\n"
        << QStringList{"第1讲（Hello!）", "第4讲（What's This?）"} << QList<int>{0, 5};
    QTest::newRow("not a number stays in the title") << "一\tzwei\n"
                                                     << QStringList{"一\tzwei"} << QList<int>{0};
    QTest::newRow("negative frame is none") << "a\t-3\n" << QStringList{"a"} << QList<int>{0};
}

void TestUkjxx::lessonListsParse() {
    QFETCH(QString, text);
    QFETCH(QStringList, titles);
    QFETCH(QList<int>, frames);
    const std::vector<kjxx::Lesson> lessons = kjxx::parseLessons(text);
    QCOMPARE(int(lessons.size()), titles.size());
    for (int i = 0; i < titles.size(); ++i) {
        QCOMPARE(lessons[size_t(i)].title, titles[i]);
        QCOMPARE(lessons[size_t(i)].startFrame, frames[i]);
    }
}

void TestUkjxx::stepping() {
    Tfrmkjxx* p = openPlayer("学古诗");
    const int last = p->lbml->Items().Count() - 1;
    p->lbmlClick();
    QCOMPARE(movieCalls(p), loadOf("gushi1"));
    fakeOf(p)->clearCalls();

    p->imgbackClick(); // at the first title: nothing
    QCOMPARE(movieCalls(p), QStringList());
    QCOMPARE(p->lbml->ItemIndex(), 0);

    p->imgnextClick();
    QCOMPARE(p->lbml->ItemIndex(), 1);
    QCOMPARE(movieCalls(p), loadOf("gushi2"));
    QCOMPARE(fakeOf(p)->movie().bytes, item("gushi2"));
    QCOMPARE(p->lbltopic->text(), "【" + p->lbml->Items()[1] + "】");

    p->lbml->SetItemIndex(last);
    p->lbmlClick();
    movieCalls(p);
    fakeOf(p)->clearCalls();
    const QString topic = p->lbltopic->text();
    p->imgnextClick(); // at the last title: nothing
    QCOMPARE(movieCalls(p), QStringList());
    QCOMPARE(p->lbml->ItemIndex(), last);
    QCOMPARE(p->lbltopic->text(), topic);

    p->imgbackClick();
    QCOMPARE(p->lbml->ItemIndex(), last - 1);
    QCOMPARE(movieCalls(p), loadOf("gushi" + QString::number(last)));
}

void TestUkjxx::popupEntrySelectsTitle() {
    Tfrmkjxx* p = openPlayer("寓言故事");
    QMenu* menu = p->popupMenu("popyuyan");
    const QList<QAction*> entries = menu->actions();
    // Entry 9 + 19 is the twentieth title.
    entries[9 + 19]->trigger();
    QCOMPARE(p->lbml->ItemIndex(), 19);
    QCOMPARE(p->lbltopic->text(), "【" + p->lbml->Items()[19] + "】");
    QCOMPARE(movieCalls(p).first(), loadOf("CStory20").first());
    // The fixed entries act as the buttons do.
    fakeOf(p)->clearCalls();
    entries[4]->trigger(); // next
    QCOMPARE(p->lbml->ItemIndex(), 20);
    entries[3]->trigger(); // previous
    QCOMPARE(p->lbml->ItemIndex(), 19);
    entries[0]->trigger(); // a header does nothing
    entries[7]->trigger();
    QCOMPARE(p->lbml->ItemIndex(), 19);
    entries[5]->trigger(); // close
    QTRY_VERIFY(!frmkjxx);
}

void TestUkjxx::startFrames_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("after"); // what follows the load
    QTest::newRow("first English lesson plays as it starts") << "开心说英语"
                                                             << "第1讲（Hello!）" << QStringList{};
    QTest::newRow("fourth English lesson from frame 5")
        << "开心说英语"
        << "第4讲（What's This?）" << QStringList{"goto 5", "play"};
    QTest::newRow("pinyin a from frame 22") << "学拼音"
                                            << "单韵母a" << QStringList{"goto 22", "play"};
    QTest::newRow("pinyin e from frame 64") << "学拼音"
                                            << "单韵母e" << QStringList{"goto 64", "play"};
    QTest::newRow("maths game waits on frame 12") << "数学游戏"
                                                  << "超级水果店" << QStringList{"goto 12"};
    QTest::newRow("maths game waits on frame 120") << "数学游戏"
                                                   << "小蜜蜂回家" << QStringList{"goto 120"};
    QTest::newRow("maths game without frame") << "数学游戏"
                                              << "数字火车" << QStringList{};
    QTest::newRow("maths course from frame 58")
        << "数学课件"
        << "两位数加一位数" << QStringList{"goto 58", "play"};
    QTest::newRow("fable from frame 70") << "寓言故事"
                                         << "狐狸和乌鸦" << QStringList{"goto 70", "play"};
    QTest::newRow("fairy tale has none") << "童话故事"
                                         << "丑小鸭" << QStringList{};
}

void TestUkjxx::startFrames() {
    QFETCH(QString, category);
    QFETCH(QString, title);
    QFETCH(QStringList, after);
    Tfrmkjxx* p = openPlayer(category);
    const int index = p->lbml->Items().IndexOf(title);
    QVERIFY2(index >= 0, qPrintable(title));
    p->lbml->SetItemIndex(index);
    p->lbmlClick();
    QCOMPARE(movieCalls(p), loadOf(p->prefix() + QString::number(index + 1)) + after);
}

void TestUkjxx::replayKeepsTitle() {
    Tfrmkjxx* p = openPlayer("学拼音");
    p->lbml->SetItemIndex(0);
    p->lbmlClick();
    const QString topic = p->lbltopic->text();
    p->lbml->SetItemIndex(2); // chosen, not yet clicked
    movieCalls(p);
    fakeOf(p)->clearCalls();
    p->imgplayClick();
    QCOMPARE(fakeOf(p)->calls().first(), QString("focus"));
    QCOMPARE(movieCalls(p), (loadOf("xpy3") + QStringList{"goto 64", "play"}));
    QCOMPARE(p->lbltopic->text(), topic);
}

void TestUkjxx::focusRule_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<bool>("movieTakesFocus");
    QTest::newRow("maths games") << "数学游戏" << true;
    QTest::newRow("maths courses") << "数学课件" << true;
    QTest::newRow("English games") << "快乐游戏" << true;
    QTest::newRow("fables") << "寓言故事" << true;
    QTest::newRow("Chinese games") << "趣味游戏" << true;
    QTest::newRow("English lessons") << "开心说英语" << false;
    QTest::newRow("English stories") << "英语故事" << false;
    QTest::newRow("pinyin") << "学拼音" << false;
    QTest::newRow("poems") << "学古诗" << false;
    QTest::newRow("classic") << "弟子规" << false;
    QTest::newRow("encyclopedia") << "百科知识" << false;
    QTest::newRow("fairy tales") << "童话故事" << false;
}

void TestUkjxx::focusRule() {
    QFETCH(QString, category);
    QFETCH(bool, movieTakesFocus);
    Tfrmkjxx* p = openPlayer(category);
    p->lbml->clearFocus();
    fakeOf(p)->clearCalls();
    p->lbmlClick();
    QCOMPARE(fakeOf(p)->calls().contains("focus"), movieTakesFocus);
    QCOMPARE(p->focusWidget() == p->lbml, !movieTakesFocus);
}

void TestUkjxx::fullScreenAndBack() {
    Tfrmkjxx* p = openPlayer("学古诗");
    const QRect screen = screenArea();
    for (int round = 0; round < 2; ++round) {
        p->chkrec->SetChecked(true); // its click enters full screen
        QVERIFY(p->inFullScreen());
        QCOMPARE(p->geometry(), screen);
        QCOMPARE(p->pnlmain->geometry(), QRect(QPoint(0, 0), screen.size()));
        QVERIFY(p->chkrec->isHidden());
        QCOMPARE(p->btnpic->pos(), QPoint(screen.width() - p->btnpic->width() - 11, 2));
        QCOMPARE(p->btnpic->Caption(), QString("退出全屏"));

        p->btnpicClick();
        QVERIFY(!p->inFullScreen());
        QVERIFY(!p->chkrec->isHidden());
        QVERIFY(!p->chkrec->Checked());
        QVERIFY(p->btnpic->isHidden());
        QCOMPARE(p->size(), QSize(900, 675));
        QCOMPARE(p->pnlmain->geometry(), QRect(14, 83, 697, 577));
        QCOMPARE(p->x(), (screen.width() - p->frameGeometry().width()) / 2);
        QCOMPARE(p->y(), (screen.height() - p->frameGeometry().height()) / 2);
    }
}

void TestUkjxx::escOnlyInFullScreen() {
    Tfrmkjxx* p = openPlayer("百科知识");
    const QRect before = p->geometry();
    QTest::keyClick(p, Qt::Key_Escape);
    QCOMPARE(p->geometry(), before);
    QVERIFY(!p->chkrec->isHidden());

    p->chkrec->SetChecked(true);
    QVERIFY(p->inFullScreen());
    // Esc reaches the form from the list as well as from the player.
    QTest::keyClick(p->lbml, Qt::Key_Escape);
    QVERIFY(!p->inFullScreen());
    QCOMPARE(p->size(), QSize(900, 675));
    p->chkrec->SetChecked(true);
    QTest::keyClick(p->MyShockwaveFlash1, Qt::Key_Escape);
    QVERIFY(!p->inFullScreen());
}

void TestUkjxx::closeReturnsToItsMenu_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("menu");
    QTest::newRow("maths games") << "数学游戏"
                                 << "TFrmWzsx";
    QTest::newRow("maths courses") << "数学课件"
                                   << "TFrmWzsx";
    QTest::newRow("English lessons") << "开心说英语"
                                     << "Tfrmyygj";
    QTest::newRow("English stories") << "英语故事"
                                     << "Tfrmyygj";
    QTest::newRow("English games") << "快乐游戏"
                                   << "Tfrmyygj";
    for (const char* c :
         {"学拼音", "学古诗", "寓言故事", "趣味游戏", "弟子规", "百科知识", "童话故事"})
        QTest::newRow(c) << QString::fromUtf8(c) << "Tfrmywtd";
}

void TestUkjxx::closeReturnsToItsMenu() {
    QFETCH(QString, category);
    QFETCH(QString, menu);
    auto& snd = platform::soundLibrary();
    QVERIFY(snd.ChannelPlay(BgMusicChannel, false));
    QList<TForm*> menus;
    for (const char* cls : {"TFrmWzsx", "Tfrmyygj", "Tfrmywtd"}) {
        auto* m = qobject_cast<TForm*>(openLazy(cls));
        m->move(-2000, 30);
        menus << m;
    }
    QPointer<Tfrmkjxx> p = openPlayer(category);
    QCOMPARE(snd.ChannelState(BgMusicChannel), 3u); // paused while the player shows
    p->close();
    for (TForm* m : menus) {
        const bool mine = m->metaObject()->className() == menu;
        QCOMPARE(m->x(), mine ? (screenArea().width() - m->frameGeometry().width()) / 2 : -2000);
        QCOMPARE(m->y(), 30);
        m->close();
    }
    QCOMPARE(snd.ChannelState(BgMusicChannel), 1u);
    QVERIFY(p); // freed later, by the event loop
    QVERIFY(!frmkjxx);
    QTRY_VERIFY(!p);
}

void TestUkjxx::missingPackReportsAndStaysOpen() {
    testsupport::TempProgramDir empty;
    // Through the menu the error is swallowed...
    auto* menu = qobject_cast<TSectionMenu*>(openLazy("Tfrmywtd"));
    menu->MyShockwaveFlash1FSCommand("thgs", QString());
    Tfrmkjxx* p = frmkjxx;
    QVERIFY(p && p->isVisible());
    QCOMPARE(messages_->calls().size(), size_t(0));
    QVERIFY(!fakeOf(p)->movieLoaded());
    // ...the child's own click gets the error box, and the player stays.
    p->lbml->SetItemIndex(3);
    emit p->lbml->OnClick();
    QCOMPARE(messages_->calls().size(), size_t(1));
    QCOMPARE(messages_->calls()[0].flags, 16);
    QVERIFY(messages_->calls()[0].text.contains("Tonghua4"));
    QVERIFY(p->isVisible());
    QCOMPARE(p->lbltopic->text(), "【" + p->lbml->Items()[3] + "】");
    menu->close();
}

void TestUkjxx::missingPlayerNotice() {
    FakeBackend::options().installed = false;
    Tfrmkjxx* p = openPlayer("学拼音");
    QCOMPARE(p->tmr1->Interval(), 300);
    QTRY_COMPARE(messages_->calls().size(), size_t(1));
    QCOMPARE(messages_->calls()[0].caption, QString("重要提示！"));
    QCOMPARE(messages_->calls()[0].text, QString::fromUtf8(kMissingPlayerNotice));
    QTest::qWait(400);
    QCOMPARE(messages_->calls().size(), size_t(1));
    FakeBackend::reset();
}

QTEST_MAIN(TestUkjxx)
#include "tst_ukjxx.moc"
