// The lesson-movie player through the fake player and the generated lesson packs:
// the twelve categories and their popups, stepping, start frames, focus, full screen
// and back, closing back to the right menu, and a missing pack.
#include "FormTestSupport.h"
#include "TestSupport.h"
#include "app/FormRegistry.h"
#include "app/MissingPlayer.h"
#include "app/MoviePlayback.h"
#include "app/SectionMenu.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "app/TTimer.h"
#include "app/UMain.h"
#include "app/Ukjxx.h"
#include "flashhost/BackendProvider.h"
#include "flashhost/FakeBackend.h"
#include "flashhost/FlashHostControl.h"
#include "flashhost/swf/Swf.h"
#include "platform/ContentPack.h"
#include "platform/MessageService.h"
#include "platform/ShellOpen.h"
#include "platform/SoundLibrary.h"
#include "tools/lib/PackWriter.h"

#include <QBuffer>
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
    void fullScreenAndBack();
    void closeReturnsToItsMenu_data();
    void closeReturnsToItsMenu();
    void missingPackReportsAndStaysOpen();
    void missingPlayerNotice();
    void startPictureBeforeEveryLoad();
    void startPictureOfPack_data();
    void startPictureOfPack();

private:
    platform::MessageRecorder* messages_ = nullptr;
};

void TestUkjxx::initTestCase() {
    installFontSubstitutes();
    flashhost::FakeBackend::install(true);
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
    const auto row = [](const char* name, const char* category, const char* prefix,
                        const char* image, const char* popup, const char* header) {
        QTest::newRow(name) << QString(category) << QString(prefix) << QString(image)
                            << QString(popup) << QString(header);
    };
    row("games with start frames", "数学游戏", "sxyx", "imgkjxx", "popkjxx",
        "---【 数学游戏列表 】---");
    row("songs step by song", "弟子规", "dzg", "imgdzg", "popdzg", "---【 弟子规列表 】---");
    row("header without its blank", "童话故事", "Tonghua", "imgyw_Tonghua", "Popyw_Tonghua",
        "---【童话故事列表 】---");
}

void TestUkjxx::categories() {
    QFETCH(QString, category);
    QFETCH(QString, prefix);
    QFETCH(QString, image);
    QFETCH(QString, popup);
    QFETCH(QString, header);
    Tfrmkjxx* p = openPlayer(category);
    QVERIFY(p && p->isVisible());
    QCOMPARE(p->windowTitle(), category);
    QCOMPARE(p->prefix(), prefix);
    for (const kjxx::Category& c : kjxx::categories())
        QCOMPARE(!p->findChild<TImage*>(c.titleImage)->isHidden(), image == c.titleImage);
    QCOMPARE(p->lbml->ItemIndex(), 0);
    const int count = p->lbml->Items().Count();

    // Nine fixed entries, then one per title in list order, carrying the start frames.
    QMenu* menu = p->popupMenu(popup);
    QVERIFY(menu);
    QCOMPARE(p->MyShockwaveFlash1->PopupMenu(), menu);
    const QList<QAction*> entries = menu->actions();
    QCOMPARE(entries.size(), 9 + count);
    const bool songs = prefix == "dzg";
    const QStringList fixed = QString("---【 工具按钮 】---||重    播|上一%1|下一%1|返    回||%2|")
                                  .arg(songs ? "首" : "个", header)
                                  .split('|');
    for (int i = 0; i < 9; ++i)
        QCOMPARE(entries[i]->text(), fixed[i]);
    // Every title has its movie in the pack, long enough to reach its start frame.
    auto pack = platform::ContentPack::load(prefix);
    for (int i = 0; i < count; ++i) {
        QCOMPARE(entries[9 + i]->text(), p->lbml->Items()[i]);
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
        << QString("# a list\n\n超级水果店\t12\n小猫钓鱼\n")
        << QStringList{"超级水果店", "小猫钓鱼"} << QList<int>{12, 0};
    QTest::newRow("brackets and spaces kept")
        << QString("第1讲（Hello!）\n第4讲（What's This?）\t5\r\n")
        << QStringList{"第1讲（Hello!）", "第4讲（What's This?）"} << QList<int>{0, 5};
    QTest::newRow("not a number stays in the title")
        << QString("一\tzwei\n") << QStringList{"一\tzwei"} << QList<int>{0};
    QTest::newRow("negative frame is none")
        << QString("a\t-3\n") << QStringList{"a"} << QList<int>{0};
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
    p->imgbackClick(); // at the first title: nothing
    QCOMPARE(movieCalls(p), QStringList());
    p->imgnextClick();
    QCOMPARE(p->lbml->ItemIndex(), 1);
    QCOMPARE(movieCalls(p), loadOf("gushi2"));
    QCOMPARE(fakeOf(p)->movie().bytes, item("gushi2"));
    QCOMPARE(p->lbltopic->text(), "【" + p->lbml->Items()[1] + "】");
    p->lbml->SetItemIndex(last);
    p->lbmlClick();
    movieCalls(p);
    fakeOf(p)->clearCalls();
    p->imgnextClick(); // at the last title: nothing
    QCOMPARE(movieCalls(p), QStringList());
    QCOMPARE(p->lbml->ItemIndex(), last);
    // The replay button plays the chosen title and keeps the shown one.
    p->lbml->SetItemIndex(2);
    p->imgplayClick();
    QCOMPARE(movieCalls(p), loadOf("gushi3"));
    QCOMPARE(p->lbltopic->text(), "【" + p->lbml->Items()[last] + "】");
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
    // The fixed entries act as the buttons do; a header does nothing.
    entries[4]->trigger(); // next
    entries[0]->trigger();
    QCOMPARE(p->lbml->ItemIndex(), 20);
    entries[5]->trigger(); // close
    QTRY_VERIFY(!frmkjxx);
}

void TestUkjxx::startFrames_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("after"); // what follows the load
    QTest::addColumn<bool>("focus");        // the movie takes the focus (games), else the list
    const auto row = [](const char* name, const char* category, const char* title,
                        const QStringList& after, bool focus) {
        QTest::newRow(name) << QString(category) << QString(title) << after << focus;
    };
    row("lesson without frame plays as it starts", "开心说英语", "第1讲（Hello!）", {}, false);
    row("lesson from frame 5", "开心说英语", "第4讲（What's This?）", {"goto 5", "play"}, false);
    row("maths game waits on frame 12", "数学游戏", "超级水果店", {"goto 12"}, true);
    row("maths game without frame", "数学游戏", "数字火车", {}, true);
}

void TestUkjxx::startFrames() {
    QFETCH(QString, category);
    QFETCH(QString, title);
    QFETCH(QStringList, after);
    QFETCH(bool, focus);
    Tfrmkjxx* p = openPlayer(category);
    const int index = p->lbml->Items().IndexOf(title);
    QVERIFY2(index >= 0, qPrintable(title));
    p->lbml->SetItemIndex(index);
    p->lbml->clearFocus();
    fakeOf(p)->clearCalls();
    p->lbmlClick();
    QCOMPARE(fakeOf(p)->calls().contains("focus"), focus);
    QCOMPARE(p->focusWidget() == p->lbml, !focus);
    QCOMPARE(movieCalls(p), loadOf(p->prefix() + QString::number(index + 1)) + after);
}

void TestUkjxx::fullScreenAndBack() {
    Tfrmkjxx* p = openPlayer("学古诗");
    const QRect screen = screenArea();
    QTest::keyClick(p, Qt::Key_Escape); // only full screen has something to leave
    QCOMPARE(p->size(), QSize(900, 675));
    const QRect windowed = p->geometry(); // centred when it opened
    // Back by the button, by Esc in the list and by Esc in the player.
    for (QWidget* back : {static_cast<QWidget*>(p->btnpic), static_cast<QWidget*>(p->lbml),
                          static_cast<QWidget*>(p->MyShockwaveFlash1)}) {
        p->chkrec->SetChecked(true); // its click enters full screen
        QVERIFY(p->inFullScreen());
        QCOMPARE(p->geometry(), screen);
        QCOMPARE(p->pnlmain->geometry(), QRect(QPoint(0, 0), screen.size()));
        QVERIFY(p->chkrec->isHidden() && p->btnpic->isVisible());
        if (back == p->btnpic)
            p->btnpicClick();
        else
            QTest::keyClick(back, Qt::Key_Escape);
        QVERIFY(!p->inFullScreen());
        QVERIFY(!p->chkrec->isHidden() && !p->chkrec->Checked() && p->btnpic->isHidden());
        QCOMPARE(p->size(), QSize(900, 675));
        QCOMPARE(p->pnlmain->geometry(), QRect(14, 83, 697, 577));
        QCOMPARE(p->geometry(), windowed);
    }
    // A window the child moved comes back where it was.
    p->move(40, 30);
    const QRect before = p->geometry();
    p->chkrec->SetChecked(true);
    QCOMPARE(p->geometry(), screen);
    QTest::keyClick(p, Qt::Key_Escape);
    QCOMPARE(p->geometry(), before);
}

void TestUkjxx::closeReturnsToItsMenu_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("menu");
    // A wrong menu here leaves the right one parked off screen for good.
    const auto row = [](const char* category, const char* menu) {
        QTest::newRow(category) << QString(category) << QString(menu);
    };
    for (const char* maths : {"数学游戏", "数学课件"})
        row(maths, "TFrmWzsx");
    for (const char* english : {"开心说英语", "英语故事", "快乐游戏"})
        row(english, "Tfrmyygj");
    for (const char* chinese :
         {"学拼音", "学古诗", "寓言故事", "趣味游戏", "弟子规", "百科知识", "童话故事"})
        row(chinese, "Tfrmywtd");
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
    // ...the child's own click gets the error box, and the player stays. The box is the
    // player's, so it stands above the player, which stays on top.
    p->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), p);
    p->lbml->SetItemIndex(3);
    emit p->lbml->OnClick();
    QCOMPARE(messages_->calls().size(), size_t(1));
    QCOMPARE(messages_->calls()[0].owner, p);
    QVERIFY(p->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(messages_->calls()[0].text.contains("Tonghua4"));
    QVERIFY(p->isVisible());
    QCOMPARE(p->lbltopic->text(), "【" + p->lbml->Items()[3] + "】");
    menu->close();
}

void TestUkjxx::missingPlayerNotice() {
    FakeBackend::options().installed = false;
    Tfrmkjxx* p = openPlayer("学拼音");
    QCOMPARE(p->tmr1->Interval(), 300);
    emit p->tmr1->OnTimer();
    QVERIFY(!p->tmr1->Enabled()); // once
    QCOMPARE(testsupport::boxes(*messages_),
             QStringList{QString("重要提示！|%1|64").arg(QString::fromUtf8(kMissingPlayerNotice))});
    FakeBackend::reset();
}

// Every way to a movie (the first lesson, next, previous, replay, the list) gives the player
// that movie's start picture before the movie itself, never the one before.
void TestUkjxx::startPictureBeforeEveryLoad() {
    Tfrmkjxx* p = openPlayer("开心说英语");
    QVERIFY(QTest::qWaitForWindowExposed(p));
    p->playFirstLesson();
    const auto clickOn = [](QWidget* w, QPoint at) {
        QTest::mouseMove(w, at);
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
    };
    const auto centre = [&](QWidget* w) { clickOn(w, w->rect().center()); };
    centre(p->imgnext);
    centre(p->imgnext);
    centre(p->imgback);
    centre(p->imgplay);
    QPoint fifth;
    for (int y = 0; y < p->lbml->height() && fifth.isNull(); ++y)
        if (p->lbml->ItemAtPos(20, y) == 4)
            fifth = QPoint(20, y);
    QVERIFY(!fifth.isNull());
    clickOn(p->lbml, fifth);
    movieCalls(p);
    const auto pack = platform::ContentPack::load("Eng_Listen");
    QStringList loads, posters;
    for (int n : {1, 2, 3, 2, 2, 5}) {
        const QString name = QString("Eng_Listen%1").arg(n);
        loads << loadOf(name);
        posters << name + QString(" %1").arg(qHash(pack->read(name, "FIRST")));
    }
    QCOMPARE(fakeOf(p)->calls().filter(QRegularExpression("^load ")), loads);
    QStringList got;
    for (qsizetype i = 0; i < fakeOf(p)->postersAtLoad().size(); ++i)
        got << posters.value(i).section(' ', 0, 0) +
                   QString(" %1").arg(qHash(fakeOf(p)->postersAtLoad()[i]));
    QCOMPARE(got, posters);
}

namespace {

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage picture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0x80, 0xc0, 0xff));
    return image;
}

} // namespace

void TestUkjxx::startPictureOfPack_data() {
    QTest::addColumn<QByteArray>("first"); // the item "FIRST"; null: none
    QTest::addColumn<bool>("shown");
    const QByteArray png = encoded(picture({700, 580}), "PNG");
    QTest::newRow("a PNG picture shows") << png << true;
    QTest::newRow("a JPEG picture shows") << encoded(picture({700, 580}), "JPEG") << true;
    QTest::newRow("no picture item: none") << QByteArray() << false;
    QTest::newRow("not a picture: none") << QByteArray("CWS\x08 not a picture at all") << false;
    QTest::newRow("a picture cut in its header: none") << png.left(20) << false;
    QTest::newRow("a picture too large to show: none")
        << encoded(picture({5000, 4}), "PNG") << false;
}

void TestUkjxx::startPictureOfPack() {
    QFETCH(QByteArray, first);
    QFETCH(bool, shown);
    tools::PackWriter writer;
    writer.add("sxkj1", "Flash", item("sxkj1"));
    if (!first.isNull())
        writer.add("sxkj1", "FIRST", first);
    auto device = std::make_unique<QBuffer>();
    device->setData(writer.build());
    device->open(QIODevice::ReadOnly);
    const auto pack = platform::ContentPack::fromDevice(std::move(device));
    QVERIFY(pack->isValid());
    QCOMPARE(packStartPicture(*pack, "sxkj1"), shown ? first : QByteArray());
}

QTEST_MAIN(TestUkjxx)
#include "tst_ukjxx.moc"
