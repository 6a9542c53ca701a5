// What the host's URL scheme serves: the page, the player's files, the control movie,
// movies from memory and the files beside them, and nothing else.
#include "flashhost/HostSchemeHandler.h"
#include "flashhost/MemoryMovies.h"
#include "flashhost/PlayerCode.h"
#include "flashhost/swf/Swf.h"

#include "TestSupport.h"
#include "platform/ProgramDir.h"

#include <QtTest>

using namespace flashhost;

class TestHostScheme : public QObject {
    Q_OBJECT
private slots:
    void servesThePageAndThePlayer_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("mime");
        QTest::addColumn<QByteArray>("contains");
        QTest::newRow("page") << QStringLiteral("/host.html") << QByteArray("text/html")
                              << QByteArray("host.js");
        QTest::newRow("page script") << QStringLiteral("/host.js") << QByteArray("text/javascript")
                                     << QByteArray("XMLHttpRequest");
        QTest::newRow("channel script")
            << QStringLiteral("/qwebchannel.js") << QByteArray("text/javascript")
            << QByteArray("QWebChannel");
        QTest::newRow("player script")
            << QStringLiteral("/ruffle/ruffle.js") << QByteArray("text/javascript")
            << QByteArray("RufflePlayer");
    }
    void servesThePageAndThePlayer() {
        QFETCH(QString, path);
        QFETCH(QByteArray, mime);
        QFETCH(QByteArray, contains);
        HostSchemeHandler handler;
        const auto reply = handler.lookup(path);
        QVERIFY(reply);
        QCOMPARE(reply->mimeType, mime);
        QVERIFY(reply->bytes.contains(contains));
    }

    void playerWasmHasItsType() {
        HostSchemeHandler handler;
        const auto page = handler.lookup(QStringLiteral("/ruffle/ruffle.js"));
        QVERIFY(page);
        QCOMPARE(HostSchemeHandler::mimeTypeFor(QStringLiteral("x.wasm")),
                 QByteArray("application/wasm"));
    }

    // The page fetches the player's code ahead of the player, by the names its loader
    // script holds: they must name files the scheme serves, one per build.
    void playerCodeFilesAreFoundAndServed() {
        const PlayerCodeFiles& files = playerCodeFiles();
        QVERIFY(files.isValid());
        QVERIFY(files.extended != files.plain);
        HostSchemeHandler handler;
        for (const QString& name : {files.extended, files.plain}) {
            const auto reply = handler.lookup(QStringLiteral("/ruffle/") + name);
            QVERIFY2(reply, qPrintable(name));
            QVERIFY(reply->bytes.startsWith(QByteArray("\0asm", 4)));
        }
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
        QTest::newRow("arrow modules")
            << QByteArray("797:(e,n,a)=>{e.exports=a.p+\"bb22.wasm\"},124:(e,n,a)=>{e.exports=a.p+"
                          "\"aa11.wasm\"}," +
                          choice)
            << QStringLiteral("bb22.wasm") << QStringLiteral("aa11.wasm");
        QTest::newRow("no choice")
            << QByteArray("124(e,n,a){e.exports=a.p+\"aa11.wasm\"}") << QString() << QString();
        QTest::newRow("choice of an unknown module")
            << QByteArray("124(e,n,a){e.exports=a.p+\"aa11.wasm\"};" + choice) << QString()
            << QString();
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

    void controlMovieIsAVersion8Movie() {
        HostSchemeHandler handler;
        const auto reply = handler.lookup(QStringLiteral("/control.swf"));
        QVERIFY(reply);
        const auto movie = swf::parse(reply->bytes);
        QVERIFY(movie);
        QCOMPARE(int(movie->header.version), 8);
    }

    void servesMoviesAndTheirFiles() {
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
        QCOMPARE(movie->bytes, QByteArray("FWSmovie"));
        QCOMPARE(movie->mimeType, QByteArray("application/x-shockwave-flash"));

        const auto picture = handler.lookup(dir + QStringLiteral("/pics/A.jpg"));
        QVERIFY(picture);
        QCOMPARE(picture->bytes, QByteArray("JPEG"));
        QCOMPARE(picture->mimeType, QByteArray("image/jpeg"));

        QVERIFY(!handler.lookup(dir + QStringLiteral("/../secret.txt")));
        QVERIFY(!handler.lookup(dir + QStringLiteral("/%2e%2e/secret.txt")));
        QVERIFY(!handler.lookup(dir + QStringLiteral("/missing.png")));

        MovieRegistry::instance().removeOwner(&owner);
        QVERIFY(!handler.lookup(makeMemoryMoviePath(id)));
    }

    void refusesEverythingElse_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("unknown") << QStringLiteral("/nothing");
        QTest::newRow("player file climbing out") << QStringLiteral("/ruffle/../CMakeLists.txt");
        QTest::newRow("player subfolder") << QStringLiteral("/ruffle/sub/x.js");
        QTest::newRow("hidden player file") << QStringLiteral("/ruffle/.lock-stamp");
        QTest::newRow("movie never loaded") << makeMemoryMoviePath(999999);
        QTest::newRow("movie path without id") << QStringLiteral("/movie/x");
    }
    void refusesEverythingElse() {
        QFETCH(QString, path);
        HostSchemeHandler handler;
        QVERIFY(!handler.lookup(path));
    }
};

QTEST_MAIN(TestHostScheme)
#include "tst_flashhost_scheme.moc"
