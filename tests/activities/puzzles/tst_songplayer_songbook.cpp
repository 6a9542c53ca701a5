// The song book of the song packs: numbered notation, made-up tunes, the plan of a
// song, and the books as written.
#include "tools/lib/SongBook.h"

#include <QFile>
#include <QtTest>

using namespace tools;

class TestSongBook : public QObject {
    Q_OBJECT
private slots:
    void notation_data();
    void notation();
    void badNotation_data();
    void badNotation();
    void madeUpTunesStaySingable();
    void badBook_data();
    void badBook();
    void linesKnowWhereTheyStand();
    void booksAsWritten();
};

void TestSongBook::notation_data() {
    QTest::addColumn<QString>("tune");
    QTest::addColumn<QString>("notes"); // beat:beats:midi of the first phrase
    QTest::newRow("scale up an octave")
        << "1 2 3 4 | 5 6 7 1'"
        << "0:1:60 1:1:62 2:1:64 3:1:65 4:1:67 5:1:69 6:1:71 7:1:72";
    QTest::newRow("hold and rest") << "1 - - - | 5, - 0 -"
                                   << "0:4:60 4:2:55";
    QTest::newRow("dots and halves") << "1. 2_ 3_ 3_ 4 | 5 - - -"
                                     << "0:1.5:60 1.5:0.5:62 2:0.5:64 2.5:0.5:64 3:1:65 4:4:67";
    QTest::newRow("held over a bar line") << "1 2 3 - | - 5 6 7"
                                          << "0:1:60 1:1:62 2:3:64 5:1:67 6:1:69 7:1:71";
}

void TestSongBook::notation() {
    QFETCH(QString, tune);
    QStringList got;
    const std::vector<Phrase> phrases = parseTune(tune, 60);
    for (const MelodyNote& n : phrases.at(0))
        got << QString("%1:%2:%3").arg(n.beat).arg(n.beats).arg(n.midi);
    QTEST(got.join(' '), "notes");
}

void TestSongBook::badNotation_data() {
    QTest::addColumn<QString>("tune");
    QTest::newRow("bar of five beats") << "1 2 3 4 5 | 1 2 3 4";
    QTest::newRow("odd number of bars") << "1 2 3 4";
    QTest::newRow("note 8") << "1 2 3 8 | 1 2 3 4";
    QTest::newRow("empty") << "";
}

void TestSongBook::badNotation() {
    QFETCH(QString, tune);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, parseTune(tune, 60));
}

// Whatever the seed: phrases of two whole bars, notes within 5, .. 2', home at the end.
void TestSongBook::madeUpTunesStaySingable() {
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        const int count = 4 + int(seed % 5);
        const std::vector<Phrase> tune = composeTune(count, 62, seed);
        QCOMPARE(int(tune.size()), count);
        for (const Phrase& p : tune) {
            double beats = 0;
            for (const MelodyNote& n : p) {
                QVERIFY2(n.midi >= 62 - 5 && n.midi <= 62 + 14, qPrintable(QString::number(seed)));
                beats += n.beats;
            }
            QCOMPARE(beats, 8.0);
        }
        QCOMPARE((tune.back().back().midi - 62) % 12, 0);
        QCOMPARE(composeTune(count, 62, seed).back().back().midi, tune.back().back().midi);
    }
}

void TestSongBook::badBook_data() {
    QTest::addColumn<QString>("book");
    QTest::newRow("three lines") << "Song\n⭐ a\n⭐ b\n⭐ c\n";
    QTest::newRow("nine lines") << "Song\n" + QString("⭐ a\n").repeated(9);
    QTest::newRow("line without a picture") << "Song\nwords\n⭐ b\n⭐ c\n⭐ d\n";
    QTest::newRow("bad tune") << "Song\ntune: 1 2 3\n⭐ a\n⭐ b\n⭐ c\n⭐ d\n";
}

void TestSongBook::badBook() {
    QFETCH(QString, book);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, parseSongBook(book));
}

// Each title and line knows its line in the book, comments, blank lines and tunes counted.
void TestSongBook::linesKnowWhereTheyStand() {
    const QString book = QStringLiteral("# songs\n" // 1
                                        "\n"        // 2
                                        "One\n"     // 3
                                        "tune: 1 2 3 1 | 1 2 3 1 | 3 4 5 - | 3 4 5 - | 5 5 4 4 | 3 "
                                        "3 2 - | 1 5, 1 - | 1 5, 1 -\n" // 4
                                        "⭐ a\n⭐ b\n"                    // 5, 6
                                        "# a note\n"                    // 7
                                        "⭐ c\n⭐ d\n"                    // 8, 9
                                        "\n\n"                          // 10, 11
                                        "Two\n⭐ e\n⭐ f\n⭐ g\n⭐ h\n");   // 12-16
    const std::vector<Song> songs = parseSongBook(book);
    QCOMPARE(int(songs.size()), 2);
    QCOMPARE(songs[0].titleLine, 3);
    QCOMPARE(songs[1].titleLine, 12);
    const std::vector<int> first{5, 6, 8, 9}, second{13, 14, 15, 16};
    for (size_t i = 0; i < 4; ++i) {
        QCOMPARE(songs[0].lines[i].sourceLine, first[i]);
        QCOMPARE(songs[1].lines[i].sourceLine, second[i]);
    }
}

// Every song of the three lists: 30 to 60 seconds, every line sung, ending at home.
void TestSongBook::booksAsWritten() {
    const std::pair<const char*, int> books[] = {{"Essong", 27}, {"CHsong", 68}, {"tongyao", 65}};
    for (const auto& [name, count] : books) {
        QFile f(QString(PELUMO_SOURCE_DIR "/content/songs/") + name + ".txt");
        QVERIFY(f.open(QIODevice::ReadOnly));
        const std::vector<Song> songs = parseSongBook(QString::fromUtf8(f.readAll()));
        QCOMPARE(int(songs.size()), count);
        for (const Song& s : songs) {
            const SongPlan plan = planSong(s);
            QVERIFY2(plan.seconds() >= 30 && plan.seconds() <= 60, qPrintable(s.title));
            QSet<int> sung;
            for (const SongPlan::Slot& v : plan.verses)
                sung.insert(v.line);
            QCOMPARE(sung.size(), int(s.lines.size()));
            QCOMPARE(plan.chords.back().degree, 0);
        }
    }
}

QTEST_GUILESS_MAIN(TestSongBook)
#include "tst_songplayer_songbook.moc"
