// ctest-labels: webengine
// The host with the real web player, under an X server (xvfb-run): movies written by
// our SWF writer, loaded from memory, driven and heard from.
#include "FlashTestSupport.h"
#include "TestSupport.h"
#include "WebEngineTestSupport.h"
#include "flashhost/FlashHost.h"
#include "flashhost/FlashHostControl.h"
#include "flashhost/PlayerPage.h"
#include "flashhost/TransparentFlashHostControl.h"
#include "flashhost/WebProfile.h"
#include "tools/lib/SwfWriter.h"

#include <QApplication>
#include <QBuffer>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTcpServer>
#include <QUdpSocket>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QtTest>
#include <atomic>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kTimeout = 30000;
const QSize kStage(160, 120);

using flashtest::load;
using tools::ShapeFill;
using tools::SwfShape;
using tools::SwfTimeline;
using tools::SwfWriter;

// Frame n of the movie sends "frame<n>" (an effect: nothing) and the last frame stops;
// an effect also waits on its first frame.
QByteArray countingMovie(int frames, bool effect = false) {
    SwfWriter w(kStage, 24, 8);
    const int box = w.defineShape(SwfShape().rect(QRectF(0, 0, 20, 20), ShapeFill::solid(Qt::red)));
    w.root().ensureFrames(frames);
    for (int f = 0; f < frames; ++f) {
        w.root().place(f, 1, box, QTransform::fromTranslate(f * 4, 50));
        if (!effect)
            w.root().fsCommand(f, QStringLiteral("frame%1").arg(f));
    }
    if (effect)
        w.root().stop(0);
    w.root().stop(frames - 1);
    return w.finish();
}

// countingMovie(12) with the clip "mc" of three stopped frames sending "mc0", "mc1" and
// "mc" followed by _root.v.
QByteArray wrapperMovie() {
    SwfWriter w(kStage, 24, 8);
    const int box = w.defineShape(SwfShape().rect(QRectF(0, 0, 20, 20), ShapeFill::solid(Qt::red)));
    SwfTimeline clip = w.newTimeline();
    clip.ensureFrames(3);
    for (int f = 0; f < 3; ++f)
        clip.stop(f);
    clip.fsCommand(0, QStringLiteral("mc0"));
    clip.fsCommand(1, QStringLiteral("mc1"));
    swf::ActionBuilder a = clip.actionBuilder();
    a.push("FSCommand:mc").push("/:v").getVariable().add2().push("").getUrl2();
    clip.actions(2, a);
    const int mc = w.defineSprite(clip);
    w.root().ensureFrames(12);
    w.root().place(0, 2, mc, QTransform(), {}, QStringLiteral("mc"));
    for (int f = 0; f < 12; ++f) {
        w.root().place(f, 1, box, QTransform::fromTranslate(f * 4, 50));
        w.root().fsCommand(f, QStringLiteral("frame%1").arg(f));
    }
    w.root().stop(11);
    return w.finish();
}

// A red 20x20 button at (0, 50) of the stage that sends "hit" when clicked, and a stop.
QByteArray buttonMovie() {
    SwfWriter w(kStage, 24, 8);
    const int box = w.defineShape(SwfShape().rect(QRectF(0, 0, 20, 20), ShapeFill::solid(Qt::red)));
    const int button = w.defineCommandButton(box, 0, 0, 0, QStringLiteral("hit"));
    w.root().place(0, 1, button, QTransform::fromTranslate(0, 50));
    w.root().stop(0);
    return w.finish();
}

// Sends "answer" with what ExternalInterface.call("ask", "x") gave back; registers the
// callback "twice" (twice its number) and sets _root.v to 5.
QByteArray askingMovie() {
    SwfWriter w(kStage, 24, 8);
    swf::ActionBuilder a = w.actionBuilder();
    swf::ActionBuilder twice = a.nested();
    twice.push("n").getVariable().push(2).action(0x0C).returnValue(); // n * 2
    a.defineFunction(QString(), {QStringLiteral("n")}, twice);
    a.push(nullptr).push("twice").push(3);
    a.push("flash").getVariable().push("external").getMember();
    a.push("ExternalInterface").getMember().push("addCallback").callMethod().pop();
    a.push({"v", 5}).setVariable();
    a.push("FSCommand:answer");
    a.push("x").push("ask").push(2);
    a.push("flash").getVariable().push("external").getMember();
    a.push("ExternalInterface").getMember().push("call").callMethod();
    a.getUrl2();
    w.root().actions(0, a);
    w.root().stop(0);
    return w.finish();
}

// Where the player draws red in its view (the counting movie's square, the button).
QRect redArea(TFlashHostControl& flash) {
    QWidget* view = flash.backend()->view();
    QImage picture(view->size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    view->render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
    QRect red;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (c.alpha() > 200 && c.red() > 200 && c.green() < 60 && c.blue() < 60)
                red |= QRect(x, y, 1, 1);
        }
    return red;
}

QByteArray commandMovie(const QString& command, int version) {
    SwfWriter w(kStage, 24, version);
    w.setBackgroundColor(QColor(40, 120, 200));
    w.root().fsCommand(0, command, QStringLiteral("arg"));
    w.root().stop(0);
    return w.finish();
}

// ExternalInterface.call(name, arg).
void externalCall(swf::ActionBuilder& a, const QString& name, const QString& arg) {
    a.push(arg).push(name).push(2);
    a.push("flash").getVariable().push("external").getMember();
    a.push("ExternalInterface").getMember().push("call").callMethod().pop();
}

// Everything a movie might try to reach beyond its own files: script run in the page
// (which then tries fetch, XHR, WebSocket, an image, a beacon and WebRTC against the
// listeners on `tcp` and `udp`), movies and variables from http and file URLs, and
// climbs out of its Base to `outside`. It loads "inside.swf" from its Base last.
QByteArray hostileMovie(quint16 tcp, quint16 udp, const QString& outside) {
    const QString http = QStringLiteral("http://127.0.0.1:%1/").arg(tcp);
    const QString script =
        QStringLiteral("function(){document.title='injected';var h='%1';"
                       "try{fetch(h+'fetch')}catch(e){}"
                       "try{var x=new XMLHttpRequest();x.open('GET',h+'xhr');x.send()}catch(e){}"
                       "try{new WebSocket('ws://127.0.0.1:%2/ws')}catch(e){}"
                       "try{new Image().src=h+'img'}catch(e){}"
                       "try{navigator.sendBeacon(h+'beacon','x')}catch(e){}"
                       "try{var p=new RTCPeerConnection({iceServers:[{urls:'stun:127.0.0.1:%3'},"
                       "{urls:'turn:127.0.0.1:%2?transport=tcp',username:'u',credential:'c'}]});"
                       "p.createDataChannel('d');p.createOffer().then(function(o){"
                       "return p.setLocalDescription(o)})}catch(e){}}")
            .arg(http)
            .arg(tcp)
            .arg(udp);
    SwfWriter w(kStage, 24, 8);
    swf::ActionBuilder a = w.actionBuilder();
    externalCall(a, script, QString());
    externalCall(a, QStringLiteral("eval"), QStringLiteral("(") + script + QStringLiteral(")()"));
    a.getUrl(http + QStringLiteral("movie.swf"), QStringLiteral("_level3"));
    a.getUrl(http + QStringLiteral("page"), QStringLiteral("_blank"));
    a.push(http + QStringLiteral("vars")).push("_level0").getUrl2(0, false, true);
    a.getUrl(QUrl::fromLocalFile(outside).toString(), QStringLiteral("_level4"));
    a.getUrl(QStringLiteral("../outside.swf"), QStringLiteral("_level5"));
    a.getUrl(QStringLiteral("..%2foutside.swf"), QStringLiteral("_level6"));
    a.getUrl(QStringLiteral("%2e%2e/outside.swf"), QStringLiteral("_level7"));
    a.getUrl(QStringLiteral("inside.swf"), QStringLiteral("_level8"));
    w.root().actions(0, a);
    w.root().stop(0);
    QByteArray bytes = w.finish();
    // The movie asks for network access.
    auto movie = swf::parse(bytes);
    for (swf::Tag& tag : movie->tags)
        if (tag.code == swf::kTagFileAttributes)
            tag.body[0] = char(tag.body[0] | 1);
    return swf::serialize(*movie);
}

QStringList commandsOf(const QSignalSpy& spy) {
    QStringList out;
    for (const QList<QVariant>& call : spy)
        out << call.at(0).toString();
    return out;
}

// A form with one windowed player showing the 160x120 stage at 1:1.
struct Form {
    QWidget window;
    TFlashHostControl* flash;
    Form() : flash(new TFlashHostControl(&window)) {
        window.resize(200, 160);
        flash->setGeometry(20, 20, kStage.width(), kStage.height());
        window.show();
    }
};

// A form that paints its own background, as forms with a picture do.
struct YellowForm : QWidget {
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::yellow); }
};

// The host's own interceptor that also refuses the path `blocked`.
class BlockingInterceptor : public flashhost::OfflineInterceptor {
public:
    using OfflineInterceptor::OfflineInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (info.requestUrl().path() == blocked) {
            sawBlocked = true;
            info.block(true);
        }
        OfflineInterceptor::interceptRequest(info);
    }
    QString blocked;
    std::atomic<bool> sawBlocked = false;
};

// What the engine writes to the standard error as it starts (its own log, in this
// process): kept aside until take() puts it back where it belongs.
// A TCP and a UDP listener on this machine that count what reaches them.
struct LocalListeners {
    QTcpServer tcp;
    QUdpSocket udp;
    int connections = 0, datagrams = 0;

    bool open() {
        if (!tcp.listen(QHostAddress::LocalHost) || !udp.bind(QHostAddress::LocalHost))
            return false;
        QObject::connect(&tcp, &QTcpServer::newConnection, [this] { ++connections; });
        QObject::connect(&udp, &QUdpSocket::readyRead, [this] { ++datagrams; });
        return true;
    }
};

class StartLog {
public:
    void begin() {
        char name[] = "/tmp/pelumo-enginelog-XXXXXX";
        file_ = mkstemp(name);
        if (file_ < 0)
            return;
        unlink(name);
        std::fflush(stderr);
        saved_ = dup(2);
        dup2(file_, 2);
    }
    QByteArray take() {
        if (saved_ < 0)
            return {};
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
        saved_ = -1;
        QByteArray text;
        lseek(file_, 0, SEEK_SET);
        char chunk[4096];
        for (ssize_t n; (n = read(file_, chunk, sizeof chunk)) > 0;)
            text.append(chunk, n);
        close(file_);
        if (!text.isEmpty() && write(2, text.constData(), size_t(text.size())) < 0)
            text.clear();
        return text;
    }

private:
    int file_ = -1;
    int saved_ = -1;
};

StartLog& startLog() {
    static StartLog log;
    return log;
}

} // namespace

class TestFlashHostWebEngine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(IsFlashInstalled()); }
    void cleanupTestCase() {
        startLog().take();
        webenginetest::keepGlDriversLoaded();
    }

    // The engine takes the host's network switches as they are written (it says when it
    // cannot parse one), and they alone keep a page off the network: a page with none of
    // the host page's guards, in a profile without the host's request filter, reaches no
    // listener on this machine, by script or by navigation.
    void engineSwitchesKeepPagesOffline() {
        LocalListeners local;
        QVERIFY(local.open());
        const QString http = QStringLiteral("http://127.0.0.1:%1/").arg(local.tcp.serverPort());
        const QString script =
            QStringLiteral(
                "var h='%1';"
                "try{fetch(h+'fetch')}catch(e){}"
                "try{var x=new XMLHttpRequest();x.open('GET',h+'xhr');x.send()}catch(e){}"
                "try{new WebSocket('ws://127.0.0.1:%2/ws')}catch(e){}"
                "try{new Image().src=h+'img'}catch(e){}"
                "try{navigator.sendBeacon(h+'beacon','x')}catch(e){}"
                "try{var p=new RTCPeerConnection({iceServers:[{urls:'stun:127.0.0.1:%3'},"
                "{urls:'stun:localhost:%3'}]});"
                "p.createDataChannel('d');p.createOffer().then(function(o){"
                "return p.setLocalDescription(o)})}catch(e){}"
                "document.title='tried';")
                .arg(http)
                .arg(local.tcp.serverPort())
                .arg(local.udp.localPort());
        auto* profile = new QWebEngineProfile(this);
        auto* page = new QWebEnginePage(profile, profile);
        auto* navigation = new QWebEnginePage(profile, profile);
        QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
        page->setHtml(QStringLiteral("<html><body><script>%1</script></body></html>").arg(script));
        QTRY_VERIFY_WITH_TIMEOUT(loaded.count() == 1, kTimeout);
        const QByteArray log = startLog().take();
        QVERIFY2(!log.contains("Failed parsing"), log.constData());
        QTRY_COMPARE_WITH_TIMEOUT(page->title(), QStringLiteral("tried"), kTimeout);
        QSignalSpy navigated(navigation, &QWebEnginePage::loadFinished);
        navigation->load(QUrl(http + QStringLiteral("page")));
        QTRY_VERIFY_WITH_TIMEOUT(navigated.count() == 1, kTimeout);
        QVERIFY(!navigated.at(0).at(0).toBool());
        // What the page started keeps going for a while: give it the time to arrive.
        QTest::qWait(3000);
        QCOMPARE(local.connections, 0);
        QCOMPARE(local.datagrams, 0);
        delete navigation;
        delete page;
        delete profile;
    }

    // Commands arrive from the first frame; version 5 movies keep their Chinese.
    void commandsArrive_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("version");
        QTest::newRow("v8") << QStringLiteral("btnexit") << 8;
        QTest::newRow("v5 chinese") << QStringLiteral("找不同") << 5;
    }
    void commandsArrive() {
        QFETCH(QString, command);
        QFETCH(int, version);
        Form form;
        QSignalSpy commands(form.flash, &TFlashHostControl::OnFSCommand);
        load(*form.flash, commandMovie(command, version));
        QTRY_VERIFY_WITH_TIMEOUT(commands.count() >= 1, kTimeout);
        QCOMPARE(commands.at(0).at(0).toString(), command);
        QCOMPARE(commands.at(0).at(1).toString(), QStringLiteral("arg"));
        QTRY_COMPARE_WITH_TIMEOUT(form.flash->ReadyState(), 4, kTimeout);
        QCOMPARE(form.flash->movieVersion(), version);
    }

    // A call the form makes before its player's page has started (the lesson window gives
    // its player the focus as it opens) does not hold back what follows: the movie loads
    // and plays, and so does the next one.
    void callBeforePageReadyHoldsNothingBack() {
        Form form;
        form.flash->SetFocus();
        QSignalSpy commands(form.flash, &TFlashHostControl::OnFSCommand);
        load(*form.flash, commandMovie(QStringLiteral("first"), 8));
        QTRY_VERIFY_WITH_TIMEOUT(commandsOf(commands).contains(QStringLiteral("first")), kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(form.flash->ReadyState(), 4, kTimeout);
        form.flash->SetFocus();
        load(*form.flash, commandMovie(QStringLiteral("second"), 8));
        QTRY_VERIFY_WITH_TIMEOUT(commandsOf(commands).contains(QStringLiteral("second")), kTimeout);
    }

    // A movie reaches nothing but the files under its Base: no script of its runs in the
    // page, no byte reaches a listener on this machine, no file outside Base is served.
    void hostileMovieReachesNothing() {
        LocalListeners local;
        QVERIFY(local.open());
        QTemporaryDir dir;
        const QString outside = dir.filePath(QStringLiteral("outside.swf"));
        testsupport::writeFile(dir.path(), QStringLiteral("outside.swf"),
                               commandMovie(QStringLiteral("climbed"), 8));
        testsupport::writeFile(dir.path(), QStringLiteral("base/inside.swf"),
                               commandMovie(QStringLiteral("inside"), 8));
        Form form;
        form.flash->setBase(dir.filePath(QStringLiteral("base")));
        QSignalSpy commands(form.flash, &TFlashHostControl::OnFSCommand);
        QSignalSpy calls(form.flash, &TFlashHostControl::OnFlashCall);
        load(*form.flash, hostileMovie(local.tcp.serverPort(), local.udp.localPort(), outside));
        QTRY_VERIFY_WITH_TIMEOUT(commandsOf(commands).contains(QStringLiteral("inside")), kTimeout);
        // What the page started keeps going for a while: give it the time to arrive.
        QTest::qWait(3000);
        QCOMPARE(local.connections, 0);
        QCOMPARE(local.datagrams, 0);
        QVERIFY(!commandsOf(commands).contains(QStringLiteral("climbed")));
        auto* view = qobject_cast<QWebEngineView*>(form.flash->backend()->view());
        QVERIFY(view);
        QVERIFY(view->title() != QLatin1String("injected"));
        // The movie's external calls reached the program as requests instead.
        QCOMPARE(calls.count(), 2);
        QVERIFY(
            calls.at(0).at(0).toString().startsWith(QLatin1String("<invoke name=\"function(){")));
        QVERIFY(calls.at(1).at(0).toString().startsWith(QLatin1String("<invoke name=\"eval\"")));
    }

    // The player's wrappers on a movie sent to frame 5 as soon as it is loaded (as lessons
    // do): the movie's commands after each call, up to a last call that runs frame 12's
    // actions (so nothing still on its way is missed), and where the root then stands.
    // The clip "mc" stops on each of its frames; its frame 3 sends "mc" and _root.v.
    // Frame 1 of the movie brings the callbacks: the movie is ready and takes calls before
    // the control movie comes, and without it ("| /control.swf": blocked).
    void wrappersDriveTheMovie_data() {
        QTest::addColumn<QString>("script"); // calls => the movie's commands => the root's frame
        QTest::newRow("Rewind stays on frame 1") << "Rewind => frame0 => 0";
        QTest::newRow("without the control movie") << "Rewind | /control.swf => frame0 => 0";
        QTest::newRow("Back") << "Back => frame4 => 4";
        QTest::newRow("Forward") << "Forward => frame6 => 6";
        QTest::newRow("FrameNum put") << "FrameNum 9 => frame9 => 9";
        QTest::newRow("Playing put plays to the end")
            << "Playing true => frame6 frame7 frame8 frame9 frame10 frame11 => 11";
        QTest::newRow("TGotoFrame on a clip") << "TGotoFrame mc 1 => mc1 => 5";
        QTest::newRow("TPlay on a clip") << "TPlay /mc => mc1 => 5";
        QTest::newRow("TCallFrame leaves the root") << "TCallFrame _root.mc 1 => mc1 => 5";
        QTest::newRow("SetVariable, TCallLabel")
            << "SetVariable /:v 7; TCallLabel /mc 3 => mc7 => 5";
        QTest::newRow("LoadMovie into a layer from Base")
            << "LoadMovie 1 inside.swf => inside => 5";
    }
    void wrappersDriveTheMovie() {
        QFETCH(QString, script);
        const QString calls = script.section(" => ", 0, 0);
        const QString commands = script.section(" => ", 1, 1);
        const int frame = script.section(" => ", 2).toInt();
        QTemporaryDir base;
        testsupport::writeFile(base.path(), QStringLiteral("inside.swf"),
                               commandMovie(QStringLiteral("inside"), 8));
        auto* blocker = new BlockingInterceptor(flashhost::sharedProfile());
        blocker->blocked = calls.section(QStringLiteral(" | "), 1);
        flashhost::sharedProfile()->setUrlRequestInterceptor(blocker);
        Form form;
        form.flash->setBase(base.path());
        form.flash->setPlaying(false);
        QSignalSpy spy(form.flash, &TFlashHostControl::OnFSCommand);
        load(*form.flash, wrapperMovie());
        form.flash->GotoFrame(5);
        QTRY_VERIFY_WITH_TIMEOUT(commandsOf(spy).contains(QStringLiteral("frame5")), kTimeout);
        QCOMPARE(form.flash->ReadyState(), 4);
        QCOMPARE(form.flash->PercentLoaded(), 100);
        QVERIFY(form.flash->FrameLoaded(11) && !form.flash->FrameLoaded(12));
        spy.clear();
        flashtest::runCalls(*form.flash, calls.section(QStringLiteral(" | "), 0, 0));
        // The control movie is asked for after the movie itself, so its refusal may come later.
        QTRY_COMPARE_WITH_TIMEOUT(blocker->sawBlocked.load(), !blocker->blocked.isEmpty(),
                                  kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(commandsOf(spy).contains(commands.section(' ', -1)), kTimeout);
        form.flash->TCallFrame(QStringLiteral("/"), 11);
        QTRY_COMPARE_WITH_TIMEOUT(commandsOf(spy).filter(QRegularExpression("^(?!mc0$)")).join(' '),
                                  commands + QStringLiteral(" frame11"), kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(form.flash->FrameNum(), frame, kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!form.flash->Playing(), kTimeout);
        flashhost::sharedProfile()->setUrlRequestInterceptor(
            new flashhost::OfflineInterceptor(flashhost::sharedProfile()));
    }

    // A player that may be reloaded (a menu) rests while its movie stands still and wakes
    // on the mouse; hidden, it gives its page back, and shown again it stands on its frame
    // and plays on from there, its reload's own commands never reaching the form.
    // Hides the form until its resting player has given its page back (the page and all
    // it held are gone, and the view made no page of its own), then shows it again.
    static void restAndShowAgain(Form& form, QWebEngineView* view) {
        QPointer<QWebEnginePage> held = view->page();
        form.window.hide();
        QTRY_VERIFY_WITH_TIMEOUT(held.isNull(), kTimeout);
        QVERIFY(!view->focusProxy());
        form.window.show();
        QVERIFY(!view->findChild<QWebEnginePage*>()); // what it shows waits for the player's
        QTRY_VERIFY_WITH_TIMEOUT(view->focusProxy(), kTimeout); // a page in the view again
        QTRY_COMPARE_WITH_TIMEOUT(view->page()->url().scheme(), QStringLiteral("pelumo"), kTimeout);
    }

    // A page that goes leaves its player's memory to the renderer's next collection,
    // which an idle renderer does not run: a page still running asks for it.
    void pageGoneHasTheRendererCollect() {
        auto* staying = new flashhost::PlayerPage;
        auto* going = new flashhost::PlayerPage;
        QTRY_VERIFY_WITH_TIMEOUT(staying->isReady() && going->isReady(), kTimeout);
        const auto evaluate = [staying](const QString& script) {
            QVariant answer;
            staying->page()->runJavaScript(script, [&answer](const QVariant& v) { answer = v; });
            return QTest::qWaitFor([&answer] { return answer.isValid(); }) ? answer : QVariant();
        };
        QCOMPARE(evaluate(QStringLiteral("typeof gc")).toString(), QStringLiteral("function"));
        evaluate(QStringLiteral("window.collections = 0; const collect = gc;"
                                "gc = function () { ++window.collections; collect(); }; 1"));
        QTest::qWait(1500);
        QCOMPARE(evaluate(QStringLiteral("window.collections")).toInt(), 0);
        delete going;
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(QStringLiteral("window.collections")).toInt(), 1,
                                  kTimeout);
        delete staying;
    }

    // The engine's processes (the renderer among them) load the library that gives their
    // free memory back.
    void engineProcessesGiveMemoryBack() {
        flashhost::PlayerPage page;
        QTRY_VERIFY_WITH_TIMEOUT(page.isReady(), kTimeout);
        QHash<int, int> parentOf;
        for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
            if (entry.toInt() > 0 && stat.open(QIODevice::ReadOnly)) {
                const QByteArray line = stat.readAll();
                parentOf[entry.toInt()] =
                    line.mid(line.lastIndexOf(')') + 2).split(' ').value(1).toInt();
            }
        }
        int engineProcesses = 0;
        for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
            int up = it.key();
            while (up > 1 && up != getpid())
                up = parentOf.value(up);
            const QString exe = QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(it.key()));
            if (up != getpid() || !exe.endsWith(QLatin1String("/QtWebEngineProcess")))
                continue;
            ++engineProcesses;
            QFile maps(QStringLiteral("/proc/%1/maps").arg(it.key()));
            QVERIFY(maps.open(QIODevice::ReadOnly));
            QVERIFY2(maps.readAll().contains("libpelumo_enginememory.so"), qPrintable(exe));
        }
        QVERIFY(engineProcesses >= 2); // the zygote and the renderer at least
    }

    void restingPlayerComesBackWhereItStood() {
        Form form;
        form.flash->backend()->setReloadable(true);
        form.flash->setPlaying(false);
        QSignalSpy commands(form.flash, &TFlashHostControl::OnFSCommand);
        load(*form.flash, countingMovie(12));
        QTRY_COMPARE_WITH_TIMEOUT(form.flash->ReadyState(), 4, kTimeout);
        form.flash->GotoFrame(5);
        QTRY_VERIFY_WITH_TIMEOUT(commandsOf(commands).contains(QStringLiteral("frame5")), kTimeout);
        auto* view = qobject_cast<QWebEngineView*>(form.flash->backend()->view());
        const auto resting = [view]() -> bool {
            QVariant answer;
            view->page()->runJavaScript(QStringLiteral("pelumoPacer.state().resting"),
                                        [&answer](const QVariant& v) { answer = v; });
            return QTest::qWaitFor([&answer] { return answer.isValid(); }) && answer.toBool();
        };
        QTRY_VERIFY_WITH_TIMEOUT(resting(), kTimeout);
        QTest::mouseMove(form.flash->backend()->inputWidget(), QPoint(40, 40));
        QTRY_VERIFY_WITH_TIMEOUT(!resting(), kTimeout);
        commands.clear();
        restAndShowAgain(form, view);
        form.flash->Play();
        QTRY_VERIFY_WITH_TIMEOUT(commandsOf(commands).contains(QStringLiteral("frame11")),
                                 kTimeout);
        for (int f = 0; f < 5; ++f) // nothing of the reload's start, no frame before 5
            QVERIFY(!commandsOf(commands).contains(QStringLiteral("frame%1").arg(f)));
        QTRY_COMPARE_WITH_TIMEOUT(form.flash->CurrentFrame(), 11, kTimeout);
    }

    // Settings changed while a movie plays reach it and stay when a resting player gives
    // its page back and brings the movie back; the stage lies where it lies when the same
    // settings come with the load. A 160x120 movie in a 320x240 control, its 20x20 square
    // at (0, 50).
    void liveSettingsHoldAfterARestore_data() {
        QTest::addColumn<QString>("atLoad");
        QTest::addColumn<QString>("live");
        QTest::addColumn<QRect>("square");
        QTest::newRow("ShowAll doubles") << ""
                                         << "" << QRect(0, 100, 40, 40);
        QTest::newRow("NoScale at the load, centred") << "Scale NoScale"
                                                      << "" << QRect(80, 110, 20, 20);
        QTest::newRow("NoScale live, centred as at the load")
            << ""
            << "Scale NoScale" << QRect(80, 110, 20, 20);
        QTest::newRow("NoScale live, top left")
            << ""
            << "Scale NoScale; SAlign TL" << QRect(0, 50, 20, 20);
        QTest::newRow("back to ShowAll live") << "Scale NoScale"
                                              << "Scale ShowAll" << QRect(0, 100, 40, 40);
    }
    void liveSettingsHoldAfterARestore() {
        QFETCH(QString, atLoad);
        QFETCH(QString, live);
        QFETCH(QRect, square);
        Form form;
        form.window.resize(360, 280);
        form.flash->resize(320, 240);
        form.flash->backend()->setReloadable(true);
        form.flash->setPlaying(false);
        flashtest::runCalls(*form.flash, atLoad);
        load(*form.flash, countingMovie(12));
        QTRY_COMPARE_WITH_TIMEOUT(form.flash->ReadyState(), 4, kTimeout);
        flashtest::runCalls(*form.flash, live);
        QTRY_COMPARE_WITH_TIMEOUT(redArea(*form.flash), square, kTimeout);
        auto* view = qobject_cast<QWebEngineView*>(form.flash->backend()->view());
        restAndShowAgain(form, view);
        QTRY_COMPARE_WITH_TIMEOUT(redArea(*form.flash), square, kTimeout);
    }

    // The movie's external call reaches OnFlashCall and gets what the handler gives
    // SetReturnValue; without an answer it gets nothing.
    void externalCallGetsTheReturnValue_data() {
        QTest::addColumn<QString>("returned");
        QTest::addColumn<QString>("received");
        QTest::newRow("a string") << "<string>找到了</string>"
                                  << "找到了";
        QTest::newRow("a number") << "<number>42</number>"
                                  << "42";
        QTest::newRow("AllowScriptAccess never: no call") << "never"
                                                          << "";
    }
    void externalCallGetsTheReturnValue() {
        QFETCH(QString, returned);
        QFETCH(QString, received);
        Form form;
        QStringList requests;
        if (returned == "never")
            form.flash->setAllowScriptAccess(QStringLiteral("never"));
        connect(form.flash, &TFlashHostControl::OnFlashCall, [&](const QString& request) {
            requests << request;
            form.flash->SetReturnValue(returned);
        });
        QSignalSpy commands(form.flash, &TFlashHostControl::OnFSCommand);
        load(*form.flash, askingMovie());
        QTRY_VERIFY_WITH_TIMEOUT(commandsOf(commands).contains(QStringLiteral("answer")), kTimeout);
        const QString args = commands.at(commandsOf(commands).indexOf("answer")).at(1).toString();
        QCOMPARE(args == QLatin1String("undefined") ? QString() : args, received);
        QCOMPARE(requests.size(), returned == "never" ? 0 : 1);
        if (!requests.isEmpty())
            QCOMPARE(requests.at(0),
                     QStringLiteral("<invoke name=\"ask\" returntype=\"xml\"><arguments>"
                                    "<string>x</string></arguments></invoke>"));
    }

    // Questions to the movie wait for its answer: variables, a clip's frame and
    // properties, the movie's own callbacks; the root's frame and label come from what it
    // reported.
    void questionsGetTheMovieAnswer() {
        Form form;
        form.flash->setPlaying(false);
        load(*form.flash, askingMovie());
        QTRY_COMPARE_WITH_TIMEOUT(form.flash->ReadyState(), 4, kTimeout);
        QCOMPARE(form.flash->GetVariable(QStringLiteral("/:v")), QStringLiteral("5"));
        QCOMPARE(form.flash->GetVariable(QStringLiteral("_root.missing")), QString());
        form.flash->SetVariable(QStringLiteral("v"), QStringLiteral("8"));
        QCOMPARE(form.flash->GetVariable(QStringLiteral("v")), QStringLiteral("8"));
        QCOMPARE(form.flash->CallFunction(QStringLiteral(
                     "<invoke name=\"twice\" returntype=\"xml\"><arguments><number>21</number>"
                     "</arguments></invoke>")),
                 QStringLiteral("<number>42</number>"));
        QCOMPARE(form.flash->TGetPropertyNum(QStringLiteral("/"), 5), 1.0);
        QVERIFY_THROWS_EXCEPTION(ESafecallException, form.flash->CallFunction(QStringLiteral(
                                                         "<invoke name=\"none\"/>")));

        Form clips;
        clips.flash->setPlaying(false);
        load(*clips.flash, wrapperMovie());
        QTRY_COMPARE_WITH_TIMEOUT(clips.flash->ReadyState(), 4, kTimeout);
        clips.flash->TGotoFrame(QStringLiteral("mc"), 1);
        QCOMPARE(clips.flash->TCurrentFrame(QStringLiteral("/mc")), 1);
        QCOMPARE(clips.flash->TGetPropertyNum(QStringLiteral("_root.mc"), 5), 3.0);
        clips.flash->GotoFrame(4);
        QCOMPARE(clips.flash->TCurrentFrame(QStringLiteral("/")), 4);
    }

    // Zoomed, the picture grows inside the control and the movie's button takes clicks
    // where it is drawn now.
    void zoomedMovieTakesClicksWhereDrawn() {
        Form form;
        QSignalSpy commands(form.flash, &TFlashHostControl::OnFSCommand);
        load(*form.flash, buttonMovie());
        QTRY_COMPARE_WITH_TIMEOUT(redArea(*form.flash), QRect(0, 50, 20, 20), kTimeout);
        form.flash->SetZoomRect(0, 50 * 20, 40 * 20, 90 * 20); // 3 times, the button at 0, 0
        QTRY_COMPARE_WITH_TIMEOUT(redArea(*form.flash), QRect(0, 0, 60, 60), kTimeout);
        QWidget* input = form.flash->backend()->inputWidget();
        QTest::mouseMove(input, QPoint(50, 50));
        QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(50, 50));
        QTRY_VERIFY_WITH_TIMEOUT(commandsOf(commands).contains(QStringLiteral("hit")), kTimeout);
        form.flash->Zoom(0);
        QTRY_COMPARE_WITH_TIMEOUT(redArea(*form.flash), QRect(0, 50, 20, 20), kTimeout);
    }

    // Effect players play while nobody sees them, and IsPlaying follows the movie: the
    // keyboard game takes the first of its three hidden players that is not playing.
    void hiddenEffectPlayersPlayToTheirEnd() {
        QWidget form; // never shown
        std::vector<TTransparentFlashHostControl*> players;
        for (int i = 0; i < 3; ++i) {
            players.push_back(new TTransparentFlashHostControl(&form));
            players.back()->hide();
            load(*players.back(), countingMovie(12, true));
        }
        const auto pick = [&] {
            for (size_t i = 0; i < players.size(); ++i)
                if (!players[i]->IsPlaying())
                    return int(i);
            return -1;
        };
        for (TTransparentFlashHostControl* p : players)
            QTRY_VERIFY_WITH_TIMEOUT(p->ReadyState() == 4 && !p->IsPlaying(), kTimeout);
        QCOMPARE(pick(), 0);
        players[0]->Play();
        QCOMPARE(pick(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!players[0]->IsPlaying(), kTimeout);
        QCOMPARE(players[0]->CurrentFrame(), 11);
        QCOMPARE(pick(), 0);
    }

    // An effect player sent to its first frame and played (a hit in the keyboard game), or
    // only played, plays its movie through whatever its page went through before: the
    // movie still loading, played to its end while hidden, at rest, or given back and
    // restarted (the restart puts the movie back on its last frame, whose stop must not
    // undo the play). The movie sends frame0 to frame11 and stops on its last frame.
    void effectPlaysWhenPlayedAgain_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("gotoFirst");
        QTest::newRow("still loading") << "loading" << true;
        QTest::newRow("played to its end hidden") << "ended" << true;
        QTest::newRow("at rest") << "resting" << true;
        QTest::newRow("page given back") << "released" << true;
        QTest::newRow("page given back, Play alone") << "released" << false;
    }
    void effectPlaysWhenPlayedAgain() {
        QFETCH(QString, before);
        QFETCH(bool, gotoFirst);
        QWidget form;
        form.resize(300, 300);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* boom = new TTransparentFlashHostControl(&form);
        boom->hide();
        QSignalSpy commands(boom, &TFlashHostControl::OnFSCommand);
        load(*boom, countingMovie(12));
        if (before != "loading")
            QTRY_VERIFY_WITH_TIMEOUT(!boom->IsPlaying() && boom->CurrentFrame() == 11, kTimeout);
        auto* view = qobject_cast<QWebEngineView*>(boom->backend()->view());
        const QPointer<QWebEnginePage> page = view->page();
        if (before == "resting")
            QTRY_VERIFY_WITH_TIMEOUT(
                page->lifecycleState() == QWebEnginePage::LifecycleState::Frozen, kTimeout);
        if (before == "released")
            QTRY_VERIFY_WITH_TIMEOUT(page.isNull(), kTimeout);
        commands.clear();
        boom->show();
        if (gotoFirst)
            boom->GotoFrame(0);
        boom->Play();
        QVERIFY(boom->IsPlaying());
        QStringList frames;
        for (int f = 0; f < 12; ++f)
            frames << QStringLiteral("frame%1").arg(f);
        QTRY_COMPARE_WITH_TIMEOUT(commandsOf(commands), frames, kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!boom->IsPlaying() && boom->CurrentFrame() == 11, kTimeout);
    }

    // Under a compositing manager a layered form shows its movie and nothing else of
    // itself: on the screen the movie's square and, around it, what lies behind the form;
    // switched off, the form is as it was.
    void layeredFormShowsOnlyTheMovie() {
        QProcess compositor;
        compositor.start(QStringLiteral("xcompmgr"), {});
        QVERIFY(compositor.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(IsTransparencySupported(), kTimeout);
        {
            // Not without a player, even where the window system could.
            QTemporaryDir empty;
            flashhost::setPlayerDir(empty.path());
            QVERIFY(!IsTransparencySupported());
            flashhost::setPlayerDir(QString());
        }
        auto form = std::make_unique<YellowForm>();
        form->setGeometry(QRect(QPoint(100, 100), kStage));
        auto* other = new QLabel(QStringLiteral("其他"), form.get());
        other->setGeometry(100, 0, 60, 40);
        auto* flash = new TTransparentFlashHostControl(form.get());
        flash->setGeometry(0, 0, 80, 60);
        QImage picture;
        bool paintBlue = false;
        connect(flash, &TTransparentFlashHostControl::OnFlashPaint, [&](QImage& pixels) {
            picture = pixels;
            if (paintBlue) // the handler's pixels are what the window shows
                for (int y = 0; y < pixels.height(); ++y)
                    for (int x = 0; x < pixels.width(); ++x)
                        if (qAlpha(pixels.pixel(x, y)) == 255)
                            pixels.setPixel(x, y, qRgb(0, 0, 255));
        });
        form->show();
        load(*flash, countingMovie(12, true));
        QTRY_VERIFY_WITH_TIMEOUT(flash->hitsMovie(QPoint(5, 30)), kTimeout); // the square
        QVERIFY(!flash->hitsMovie(QPoint(60, 10)));
        flash->setMakeParentTransparent(true);
        const auto screen = [&](int x, int y) {
            return form->screen()->grabWindow(0).toImage().pixelColor(x, y);
        };
        const QColor behind = screen(20, 20);
        QTRY_COMPARE_WITH_TIMEOUT(screen(110, 160), QColor(Qt::red), kTimeout); // the square
        QCOMPARE(screen(230, 110), behind); // where the other child was
        QCOMPARE(screen(160, 200), behind); // the form's own background
        QTRY_COMPARE_WITH_TIMEOUT(picture.pixelColor(10, 60), QColor(Qt::red), kTimeout);
        QCOMPARE(picture.pixelColor(130, 10).alpha(), 0);
        paintBlue = true;
        flash->backend()->redraw();
        QTRY_COMPARE_WITH_TIMEOUT(screen(110, 160), QColor(Qt::blue), kTimeout);
        QCOMPARE(screen(160, 200), behind);
        flash->setMakeParentTransparent(false);
        QCOMPARE(flash->geometry(), QRect(0, 0, 80, 60));
        QVERIFY(!other->isHidden() && !(form->windowFlags() & Qt::FramelessWindowHint));
        flash->setMakeParentTransparent(true);
        form.reset(); // while layered
        compositor.terminate();
        QVERIFY(compositor.waitForFinished());
    }

    // A handler that frees its control, whatever the event: the player goes with it and
    // nothing of either is used after that (run under the address sanitizer).
    void handlerFreesItsControl_data() {
        QTest::addColumn<QString>("freedIn");
        QTest::newRow("OnReadyStateChange(3)") << "state3";
        QTest::newRow("OnProgress, before OnReadyStateChange(4)") << "progress";
        QTest::newRow("OnReadyStateChange(4)") << "state4";
        QTest::newRow("OnClick, before its OnMouseUp") << "click";
    }
    void handlerFreesItsControl() {
        QFETCH(QString, freedIn);
        QWidget window;
        window.resize(200, 160);
        QPointer<TFlashHostControl> flash = new TFlashHostControl(&window);
        flash->setGeometry(20, 20, kStage.width(), kStage.height());
        QStringList heard;
        const auto note = [&](const QString& what) {
            heard << what;
            if (what == freedIn)
                delete flash.data();
        };
        connect(flash, &TFlashHostControl::OnReadyStateChange,
                [&](int state) { note(QStringLiteral("state%1").arg(state)); });
        connect(flash, &TFlashHostControl::OnProgress, [&] { note("progress"); });
        connect(flash, &TFlashHostControl::OnClick, [&] { note("click"); });
        connect(flash, &TFlashHostControl::OnMouseUp, [&] { note("up"); });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        load(*flash, buttonMovie());
        if (freedIn == "click") {
            QTRY_COMPARE_WITH_TIMEOUT(flash->ReadyState(), 4, kTimeout);
            QWidget* input = flash->backend()->inputWidget();
            QTest::mousePress(input, Qt::LeftButton, {}, QPoint(80, 20));
            QTest::mouseRelease(input, Qt::LeftButton, {}, QPoint(80, 20));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!flash, kTimeout);
        QCOMPARE(heard.last(), freedIn);
        QTest::qWait(500); // what the page still says finds nothing of them
    }

    // ReadyState answers what OnReadyStateChange said, from the event on: 0 as the load
    // starts, 3 once the movie runs, 4 once it answers.
    void readyStateAgreesWithItsEvent() {
        Form form;
        QStringList states; // the event's state / the getter's, in the handler
        connect(form.flash, &TFlashHostControl::OnReadyStateChange, [&](int state) {
            states << QStringLiteral("%1/%2").arg(state).arg(form.flash->ReadyState());
        });
        load(*form.flash, countingMovie(3));
        QCOMPARE(form.flash->ReadyState(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(states.join(' '), QStringLiteral("0/0 3/3 4/4"), kTimeout);
        QCOMPARE(form.flash->ReadyState(), 4);
    }

    // A movie of one frame that stops itself is not playing, as its player says.
    void oneFrameMovieThatStopsIsNotPlaying() {
        Form form;
        QSignalSpy commands(form.flash, &TFlashHostControl::OnFSCommand);
        load(*form.flash, countingMovie(1));
        QTRY_VERIFY_WITH_TIMEOUT(commandsOf(commands).contains(QStringLiteral("frame0")), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!form.flash->IsPlaying(), kTimeout);
        QCOMPARE(form.flash->CurrentFrame(), 0);
    }

    // Movie set to a whole path or a file: URL loads that file, and the movie plays.
    void movieByItsWholePath_data() {
        QTest::addColumn<bool>("asUrl");
        QTest::newRow("an absolute path") << false;
        QTest::newRow("a file: URL") << true;
    }
    void movieByItsWholePath() {
        QFETCH(bool, asUrl);
        QTemporaryDir dir;
        testsupport::writeFile(dir.path(), QStringLiteral("whole.swf"),
                               commandMovie(QStringLiteral("whole"), 8));
        const QString path = dir.filePath(QStringLiteral("whole.swf"));
        Form form;
        QSignalSpy commands(form.flash, &TFlashHostControl::OnFSCommand);
        QSignalSpy failed(form.flash, &TFlashHostControl::loadFailed);
        form.flash->setMovie(asUrl ? QUrl::fromLocalFile(path).toString() : path);
        QTRY_VERIFY_WITH_TIMEOUT(commandsOf(commands).contains(QStringLiteral("whole")), kTimeout);
        QCOMPARE(failed.count(), 0);
        QCOMPARE(form.flash->TotalFrames(), 1);
    }

    // A resting player gives its page back only when its movie comes back whole: one whose
    // variable or clip the form changed keeps its page (while one beside it, untouched,
    // gives its page back), and the form finds its change again.
    void restingPlayerKeepsWhatTheFormChanged_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a variable") << "SetVariable /:v 7"
                                    << "7";
        QTest::newRow("a clip's frame") << "TGotoFrame /mc 2"
                                        << "2";
    }
    void restingPlayerKeepsWhatTheFormChanged() {
        QFETCH(QString, change);
        QFETCH(QString, expected);
        Form changed, untouched;
        for (Form* f : {&changed, &untouched}) {
            f->flash->backend()->setReloadable(true);
            f->flash->setPlaying(false);
            load(*f->flash, wrapperMovie());
        }
        for (Form* f : {&changed, &untouched})
            QTRY_COMPARE_WITH_TIMEOUT(f->flash->ReadyState(), 4, kTimeout);
        flashtest::runCalls(*changed.flash, change);
        const auto answer = [&](Form& f) {
            return change.startsWith(QLatin1String("SetVariable"))
                       ? f.flash->GetVariable(QStringLiteral("/:v"))
                       : QString::number(f.flash->TCurrentFrame(QStringLiteral("/mc")));
        };
        QCOMPARE(answer(changed), expected);
        answer(untouched); // both players woke last at the same time
        const auto pageOf = [](Form& f) {
            return QPointer<QWebEnginePage>(
                qobject_cast<QWebEngineView*>(f.flash->backend()->view())->page());
        };
        const QPointer<QWebEnginePage> kept = pageOf(changed), given = pageOf(untouched);
        changed.window.hide();
        untouched.window.hide();
        QTRY_VERIFY_WITH_TIMEOUT(given.isNull(), kTimeout);
        QTest::qWait(2000); // the other's timers ran out together with these
        QVERIFY(kept);
        changed.window.show();
        QCOMPARE(answer(changed), expected);
    }

    // The picture's handlers are called for the frames the movie draws: a still movie with
    // one connected calls it a few times in a second at most, whatever the handler does to
    // what it is given (OnUpdateRect over the form; OnFlashPaint on the layered form, under
    // a compositing manager).
    void stillMovieCallsItsPictureHandlersBoundedly_data() {
        QTest::addColumn<QString>("handler");
        QTest::newRow("OnUpdateRect keeping the rectangle") << "rect same";
        QTest::newRow("OnUpdateRect growing the rectangle") << "rect grow";
        QTest::newRow("OnFlashPaint changing nothing") << "paint same";
        QTest::newRow("OnFlashPaint painting blue") << "paint blue";
    }
    void stillMovieCallsItsPictureHandlersBoundedly() {
        QFETCH(QString, handler);
        const bool layered = handler.startsWith(QLatin1String("paint"));
        QProcess compositor;
        if (layered) {
            compositor.start(QStringLiteral("xcompmgr"), {});
            QVERIFY(compositor.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(IsTransparencySupported(), kTimeout);
        }
        {
            YellowForm form;
            form.setGeometry(QRect(QPoint(100, 100), QSize(200, 160)));
            auto* flash = new TTransparentFlashHostControl(&form);
            flash->setGeometry(20, 20, kStage.width(), kStage.height());
            int calls = 0;
            connect(flash, &TTransparentFlashHostControl::OnUpdateRect, [&](QRect& rc) {
                if (handler.startsWith(QLatin1String("rect")))
                    ++calls;
                if (handler == "rect grow")
                    rc.adjust(-2, -2, 2, 2);
            });
            if (layered)
                connect(flash, &TTransparentFlashHostControl::OnFlashPaint, [&](QImage& pixels) {
                    ++calls;
                    if (handler == "paint blue")
                        for (int y = 0; y < pixels.height(); ++y)
                            for (int x = 0; x < pixels.width(); ++x)
                                if (qAlpha(pixels.pixel(x, y)) == 255)
                                    pixels.setPixel(x, y, qRgb(0, 0, 255));
                });
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            load(*flash, countingMovie(12, true)); // stands on its first frame
            QTRY_VERIFY_WITH_TIMEOUT(flash->hitsMovie(QPoint(5, 55)), kTimeout);
            if (layered)
                flash->setMakeParentTransparent(true);
            QTRY_VERIFY_WITH_TIMEOUT(calls > 0, kTimeout);
            QTest::qWait(1000); // the movie and the form settle
            calls = 0;
            QTest::qWait(1000);
            QVERIFY2(calls <= 24, qPrintable(QString::number(calls)));
        }
        if (layered) {
            compositor.terminate();
            QVERIFY(compositor.waitForFinished());
        }
    }

    // Without the player's files, or without the engine's helper process (the engine would
    // end the program), there is no player: the loader reports version 0, the gates see -1,
    // wrappers do nothing, IsPlaying answers True and the control shows the window colour.
    void missingPartsGiveNoPlayer_data() {
        QTest::addColumn<QString>("missing");
        QTest::newRow("player files") << "files";
        QTest::newRow("engine helper") << "helper";
    }
    void missingPartsGiveNoPlayer() {
        QFETCH(QString, missing);
        QTemporaryDir empty;
        const QByteArray helper = qgetenv("QTWEBENGINEPROCESS_PATH");
        if (missing == "files")
            flashhost::setPlayerDir(empty.path());
        else
            qputenv("QTWEBENGINEPROCESS_PATH", empty.filePath("QtWebEngineProcess").toLocal8Bit());
        QVERIFY(!IsFlashInstalled());
        QCOMPARE(flashhost::BackendProvider::flashVersion(), 0);
        QWidget form;
        auto* flash = new TFlashHostControl(&form);
        auto* effect = new TTransparentFlashHostControl(&form);
        flashhost::setPlayerDir(QString());
        if (helper.isEmpty())
            qunsetenv("QTWEBENGINEPROCESS_PATH");
        else
            qputenv("QTWEBENGINEPROCESS_PATH", helper);
        QVERIFY(IsFlashInstalled());
        for (TFlashHostControl* control : {static_cast<TFlashHostControl*>(effect), flash}) {
            QVERIFY(!control->hasPlayer());
            load(*control, countingMovie(5));
            control->GotoFrame(2);
            control->Stop();
            QCOMPARE(control->FlashVersion(), -1);
            QVERIFY(control->IsPlaying());
            QCOMPARE(control->CurrentFrame(), 0);
            QCOMPARE(control->TotalFrames(), 0);
            QCOMPARE(control->ReadyState(), 0);
            QCOMPARE(control->PercentLoaded(), 0);
            QVERIFY(control->FrameLoaded(3));
            control->Zoom(50); // no player, no call: nothing is raised
            QVERIFY(control->GetVariable(QStringLiteral("a")).isEmpty());
        }
        flash->resize(40, 30);
        QCOMPARE(flash->grab().toImage().pixelColor(20, 15),
                 flash->palette().color(QPalette::Base));
    }
};

int main(int argc, char** argv) {
    startLog().begin();
    flashhost::initializeHost();
    QApplication app(argc, argv);
    TestFlashHostWebEngine t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_flashhost_webengine.moc"
