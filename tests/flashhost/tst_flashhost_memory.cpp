// Paths of movies loaded from memory, their registry and the files beside them.
#include "flashhost/MemoryMovies.h"

#include "TestSupport.h"
#include "platform/ProgramDir.h"

#include <QtTest>

using namespace flashhost;

namespace {
const QString kTag = QString::fromLatin1(kMemoryTag);
const QString kFile = QString::fromLatin1(kMemoryMovieFile);
} // namespace

class TestMemoryMovies : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("relative");
        QTest::newRow("windows path")
            << QStringLiteral("Z:\\FromMemory\\") + kTag + QStringLiteral("\\1\\") + kFile << true
            << 1 << kFile;
        QTest::newRow("resource beside, backslashes")
            << QStringLiteral("Z:\\FromMemory\\") + kTag + QStringLiteral("\\1\\images\\a.jpg")
            << true << 1 << QStringLiteral("images/a.jpg");
        QTest::newRow("our url") << QStringLiteral("pelumo://player/movie/") + kTag +
                                        QStringLiteral("/12/sub/x.png")
                                 << true << 12 << QStringLiteral("sub/x.png");
        QTest::newRow("no tag") << QStringLiteral("pelumo://player/movie/1/a.swf") << false << 0
                                << QString();
        QTest::newRow("id not a number")
            << QStringLiteral("/movie/") + kTag + QStringLiteral("/x1/a.swf") << false << 0
            << QString();
    }
    void parse() {
        QFETCH(QString, url);
        QFETCH(bool, valid);
        const auto parsed = parseMemoryMoviePath(url);
        QCOMPARE(parsed.has_value(), valid);
        if (!valid)
            return;
        QFETCH(int, id);
        QFETCH(QString, relative);
        QCOMPARE(parsed->id, id);
        QCOMPARE(parsed->relativePath, relative);
    }

    void resourcesStayInsideTheirBase_data() {
        QTest::addColumn<bool>("useBase");
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("expected"); // below the program folder; empty: refused
        QTest::newRow("program folder, case ignored")
            << false << QStringLiteral("images/A.JPG") << QStringLiteral("Images/a.jpg");
        QTest::newRow("base folder")
            << true << QStringLiteral("b.png") << QStringLiteral("Data/Movies/b.png");
        QTest::newRow("climbs out with backslashes")
            << true << QStringLiteral("..\\..\\secret.txt") << QString();
        QTest::newRow("climbs out midway")
            << true << QStringLiteral("sub/../../../secret.txt") << QString();
        QTest::newRow("empty") << false << QString() << QString();
    }
    void resourcesStayInsideTheirBase() {
        QFETCH(bool, useBase);
        QFETCH(QString, relative);
        QFETCH(QString, expected);
        QTemporaryDir tmp;
        const QString program = tmp.path() + QStringLiteral("/prog");
        testsupport::writeFile(program, QStringLiteral("Images/a.jpg"), "jpg");
        testsupport::writeFile(program, QStringLiteral("Data/Movies/b.png"), "png");
        testsupport::writeFile(tmp.path(), QStringLiteral("secret.txt"), "no");
        testsupport::writeFile(program, QStringLiteral("secret.txt"), "no");
        platform::setProgramDir(program);
        const QString base = useBase ? program + QStringLiteral("/Data/Movies") : QString();
        const auto file = resolveMovieResource(base, relative);
        platform::setProgramDir(QString());
        if (expected.isEmpty()) {
            QVERIFY2(!file, qPrintable(file.value_or(QString())));
            return;
        }
        QVERIFY(file);
        QCOMPARE(*file, program + QLatin1Char('/') + expected);
    }
};

QTEST_MAIN(TestMemoryMovies)
#include "tst_flashhost_memory.moc"
