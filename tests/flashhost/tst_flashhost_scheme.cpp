// What the host's URL scheme serves: the page, the player's files, the control movie,
// movies from memory and the files beside them, and nothing else; the web player's
// options taken from the control's properties.
#include "flashhost/HostSchemeHandler.h"
#include "flashhost/MemoryMovies.h"
#include "flashhost/PlayerCode.h"
#include "flashhost/WebEngineBackend.h"

#include "TestSupport.h"

#include <QtTest>

using namespace flashhost;

namespace {

// What a reply holds, from memory or from its file.
QByteArray content(const HostSchemeHandler::Reply& reply) {
    if (reply.file.isEmpty())
        return reply.bytes;
    QFile f(reply.file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestHostScheme : public QObject {
    Q_OBJECT
private slots:
    void serves_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("mime");
        QTest::addColumn<QByteArray>("contains");
        const PlayerCodeFiles& code = playerCodeFiles();
        QTest::newRow("page") << "/host.html" << QByteArray("text/html")
                              << QByteArray("Content-Security-Policy");
        QTest::newRow("page script")
            << "/host.js" << QByteArray("text/javascript") << QByteArray("XMLHttpRequest");
        QTest::newRow("player script")
            << "/ruffle/ruffle.js" << QByteArray("text/javascript") << QByteArray("RufflePlayer");
        // The page fetches the player's code ahead of the player by the names its loader
        // script holds: they must name files the scheme serves.
        QTest::newRow("player code") << "/ruffle/" + code.extended << QByteArray("application/wasm")
                                     << QByteArray("\0asm", 4);
        QTest::newRow("control movie")
            << "/control.swf" << QByteArray("application/x-shockwave-flash")
            << QByteArray("WS\x08");
    }
    void serves() {
        QFETCH(QString, path);
        QFETCH(QByteArray, mime);
        QFETCH(QByteArray, contains);
        HostSchemeHandler handler;
        const auto reply = handler.lookup(path);
        QVERIFY(reply);
        QCOMPARE(reply->mimeType, mime);
        QVERIFY(content(*reply).contains(contains));
    }

    void playerCodeFilesFromLoaderScripts_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("extended");
        QTest::addColumn<QString>("plain");
        const QByteArray choice = "n?new URL(a(797),a.b):new URL(a(124),a.b)";
        QTest::newRow("method modules")
            << QByteArray("124(e,n,a){e.exports=a.p+\"aa11.wasm\"},797(e,n,a){e.exports=a.p+"
                          "\"bb22.wasm\"}};" +
                          choice)
            << QStringLiteral("bb22.wasm") << QStringLiteral("aa11.wasm");
        QTest::newRow("no choice")
            << QByteArray("124(e,n,a){e.exports=a.p+\"aa11.wasm\"}") << QString() << QString();
        QTest::newRow("not a script") << QByteArray("\xff\xfe\0garbage") << QString() << QString();
    }
    void playerCodeFilesFromLoaderScripts() {
        QFETCH(QByteArray, script);
        QFETCH(QString, extended);
        QFETCH(QString, plain);
        const PlayerCodeFiles files = playerCodeFilesIn(script);
        QCOMPARE(files.extended, extended);
        QCOMPARE(files.plain, plain);
        QCOMPARE(files.isValid(), !extended.isEmpty());
    }

    // A movie's files come from its Base (any letter case), never from outside it, and
    // only while the movie is loaded.
    void servesMoviesAndOnlyTheirFiles() {
        QTemporaryDir tmp;
        const QString base = tmp.path() + QStringLiteral("/movies");
        testsupport::writeFile(base, QStringLiteral("Pics/a.jpg"), "JPEG");
        testsupport::writeFile(tmp.path(), QStringLiteral("secret.txt"), "secret");
        int owner = 0;
        const int id = MovieRegistry::instance().add(&owner, "FWSmovie", base);
        const QString dir = makeMemoryMoviePath(id).section(QLatin1Char('/'), 0, -2);
        HostSchemeHandler handler;
        const auto movie = handler.lookup(makeMemoryMoviePath(id));
        QVERIFY(movie);
        QCOMPARE(content(*movie), QByteArray("FWSmovie"));
        const auto picture = handler.lookup(dir + QStringLiteral("/pics/A.jpg"));
        QVERIFY(picture);
        QCOMPARE(content(*picture), QByteArray("JPEG"));
        QCOMPARE(picture->mimeType, QByteArray("image/jpeg"));
        for (const char* refused :
             {"/../secret.txt", "/%2e%2e/secret.txt", "/missing.png", "/pics", "/../movies"})
            QVERIFY2(!handler.lookup(dir + QLatin1String(refused)), refused);
        MovieRegistry::instance().removeOwner(&owner);
        QVERIFY(!handler.lookup(makeMemoryMoviePath(id)));
    }

    // A control's handler may empty, reload or destroy its control while the scheme serves
    // a file its movie asked for: the entry it came from is gone then, and nothing of it is
    // read again (run under the address sanitizer).
    void handlerThatDropsItsMovie_data() {
        QTest::addColumn<bool>("serves");
        QTest::newRow("drops it, serves nothing") << false;
        QTest::newRow("drops it, serves the file") << true;
    }
    void handlerThatDropsItsMovie() {
        QFETCH(bool, serves);
        QTemporaryDir tmp;
        testsupport::writeFile(tmp.path(), QStringLiteral("a.txt"), "file");
        int owner = 0;
        const QString name = QStringLiteral("kept in the handler");
        int calls = 0;
        const int id = MovieRegistry::instance().add(
            &owner, "FWSmovie", tmp.path(),
            [&owner, name, serves, &calls](const QString&) -> std::optional<ServedResource> {
                MovieRegistry::instance().removeOwner(&owner);
                ++calls;
                if (name.isEmpty() || !serves) // reads what the handler holds after that
                    return std::nullopt;
                return ServedResource{QByteArray("served")};
            });
        const QString dir = makeMemoryMoviePath(id).section(QLatin1Char('/'), 0, -2);
        HostSchemeHandler handler;
        QVERIFY(!handler.lookup(dir + QStringLiteral("/a.txt")));
        QCOMPARE(calls, 1);
        QVERIFY(!handler.lookup(makeMemoryMoviePath(id)));
    }

    void refusesEverythingElse_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("unknown") << QStringLiteral("/nothing");
        QTest::newRow("player file climbing out") << QStringLiteral("/ruffle/../CMakeLists.txt");
        QTest::newRow("player subfolder") << QStringLiteral("/ruffle/sub/x.js");
        QTest::newRow("movie never loaded") << makeMemoryMoviePath(999999);
        QTest::newRow("movie path without id") << QStringLiteral("/movie/x");
    }
    void refusesEverythingElse() {
        QFETCH(QString, path);
        HostSchemeHandler handler;
        QVERIFY(!handler.lookup(path));
    }

    void playerOptions_data() {
        QTest::addColumn<QStringList>("props");    // wmode, scale, background
        QTest::addColumn<QStringList>("expected"); // the same, as the player takes them
        QTest::newRow("colouring") << QStringList{"Window", "ExactFit", "#FFCC00"}
                                   << QStringList{"window", "exactFit", "#ffcc00"};
        QTest::newRow("no hash") << QStringList{"Window", "NoBorder", "00FF00"}
                                 << QStringList{"window", "noBorder", "#00ff00"};
        QTest::newRow("transparent ignores background")
            << QStringList{"Transparent", "noscale", "#FFFFFF"}
            << QStringList{"transparent", "noScale", ""};
    }
    void playerOptions() {
        QFETCH(QStringList, props);
        QFETCH(QStringList, expected);
        FlashProps p;
        p.WMode = props[0];
        p.Scale = props[1];
        p.BGColor = props[2];
        const QVariantMap player = WebEngineBackend::playerOptions(p).value("ruffle").toMap();
        QCOMPARE((QStringList{player.value("wmode").toString(), player.value("scale").toString(),
                              player.value("backgroundColor").toString()}),
                 expected);
        // The player's own menu stays off: right clicks belong to the control.
        QCOMPARE(player.value("contextMenu").toString(), QStringLiteral("off"));
    }
};

QTEST_MAIN(TestHostScheme)
#include "tst_flashhost_scheme.moc"
