// What the host's URL scheme serves: the page, the player's files, the control movie,
// movies from memory and the files beside them, and nothing else.
#include "flashhost/HostSchemeHandler.h"
#include "flashhost/MemoryMovies.h"
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
