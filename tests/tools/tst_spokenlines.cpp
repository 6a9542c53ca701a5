// Every Mandarin line the build spoke is heard as meant: the voice's phonemes for what
// the build gave it (spoken-lines.tsv beside Data/: where, text, syllables meant, what
// the voice was given, what the reader read, its syllable of each character) agree with
// the syllables meant, syllable by syllable and tone by tone, and no syllable is said
// twice. And every character with more than one common reading in a line read from its
// text was spoken as content/chinese/polyphones.txt, reviewed by hand, says. A failure
// names the file and line.
#include "tools/lib/Pinyin.h"

#include <espeak-ng/speak_lib.h>

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QtTest>
#include <cstdio>

namespace py = tools::pinyin;

class TestSpokenLines : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyLineHeardAsMeant();
    void everyPolyphoneAsReviewed();
    void everySongLineNamesItsOwnLine();
    void cleanupTestCase() { espeak_Terminate(); }

private:
    QString phonemes(const QString& text);
    QString soundOf(const QString& syllable);
    QHash<QString, QString> sounds_;
};

void TestSpokenLines::initTestCase() {
    QVERIFY2(espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0) > 0,
             "espeak-ng cannot start");
    QCOMPARE(espeak_SetVoiceByName("cmn-latn-pinyin"), EE_OK);
}

// The voice's phoneme mnemonics for `text`, clause after clause.
QString TestSpokenLines::phonemes(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const void* at = utf8.constData();
    QString out;
    while (at) {
        const char* p = espeak_TextToPhonemes(&at, espeakCHARS_UTF8, 0);
        if (p)
            out += QString::fromUtf8(p) + QLatin1Char(' ');
    }
    return out;
}

QString TestSpokenLines::soundOf(const QString& syllable) {
    const auto hit = sounds_.constFind(syllable);
    if (hit != sounds_.constEnd())
        return *hit;
    QString sound;
    for (const py::Heard& h : py::heardSyllables(phonemes(syllable)))
        sound += h.sound;
    sounds_.insert(syllable, sound);
    return sound;
}

void TestSpokenLines::everyLineHeardAsMeant() {
    QFile f(QStringLiteral(PELUMO_BINARY_DIR "/spoken-lines.tsv"));
    QVERIFY2(f.open(QIODevice::ReadOnly), "spoken-lines.tsv is missing: the build notes it");
    // What is not pinyin in what the voice was given (English words, letters) is not
    // a Mandarin syllable: the line is heard in the pieces between.
    static const QRegularExpression latin(QStringLiteral("[A-Za-zü]+[0-9]?"));
    int lines = 0, syllables = 0;
    QStringList faults;
    for (const QString& row : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QStringList field = row.split(QLatin1Char('\t'));
        if (field.size() < 4)
            continue;
        const QString &where = field[0], &text = field[1], &said = field[3];
        const QStringList meant = field[2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        std::vector<py::Heard> heard;
        qsizetype from = 0;
        const auto hear = [&](const QString& piece) {
            for (const py::Heard& h : py::heardSyllables(phonemes(piece)))
                heard.push_back(h);
        };
        auto it = latin.globalMatch(said);
        while (it.hasNext()) {
            const auto m = it.next();
            if (py::isSyllable(m.captured()))
                continue;
            hear(said.mid(from, m.capturedStart() - from));
            from = m.capturedEnd();
        }
        hear(said.mid(from));
        ++lines;
        syllables += int(meant.size());
        const QString fault =
            py::compare(meant, heard, [this](const QString& s) { return soundOf(s); });
        if (!fault.isEmpty())
            faults << QStringLiteral("%1: %2 — %3").arg(where, text, fault);
    }
    qInfo("%d Mandarin lines, %d syllables checked; %lld heard otherwise than meant", lines,
          syllables, static_cast<long long>(faults.size()));
    QVERIFY2(lines > 0, "spoken-lines.tsv lists no line");
    // Every fault, not only as many as the test library shows.
    for (const QString& fault : faults)
        std::fprintf(stderr, "%s\n", qPrintable(fault));
    QVERIFY2(
        faults.isEmpty(),
        qPrintable(QStringLiteral("%1 lines are heard otherwise than meant").arg(faults.size())));
}

void TestSpokenLines::everyPolyphoneAsReviewed() {
    QFile table(QStringLiteral(PELUMO_SOURCE_DIR "/content/chinese/polyphones.txt"));
    QVERIFY(table.open(QIODevice::ReadOnly));
    QSet<QChar> listed;
    QHash<QString, QStringList> reviewed; // line -> "长chang2", ... in order
    for (const QString& row : QString::fromUtf8(table.readAll()).split(QLatin1Char('\n'))) {
        if (row.startsWith(QLatin1String("#!chars\t"))) {
            const QString chars = row.mid(8).simplified().remove(QLatin1Char(' '));
            for (QChar c : chars)
                listed.insert(c);
        }
        if (row.startsWith(QLatin1Char('#')) || row.trimmed().isEmpty())
            continue;
        const QStringList field = row.split(QLatin1Char('\t'));
        QVERIFY2(field.size() >= 2, qPrintable(QStringLiteral("bad line: ") + row));
        QVERIFY2(!reviewed.contains(field[0]), qPrintable(QStringLiteral("twice: ") + row));
        reviewed.insert(field[0], field[1].split(QLatin1Char(' '), Qt::SkipEmptyParts));
    }
    QVERIFY2(listed.size() > 100, "polyphones.txt lists no characters");

    QFile f(QStringLiteral(PELUMO_BINARY_DIR "/spoken-lines.tsv"));
    QVERIFY2(f.open(QIODevice::ReadOnly), "spoken-lines.tsv is missing: the build notes it");
    int occurrences = 0;
    QStringList faults;
    for (const QString& row : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QStringList field = row.split(QLatin1Char('\t'));
        if (field.size() < 6 || field[4].isEmpty())
            continue; // spoken from its own pinyin, or no Chinese in it
        const QString &where = field[0], &read = field[4];
        const QStringList meant = field[2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QStringList han = field[5].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QList<uint> chars = read.toUcs4();
        QStringList spoken; // "长chang2", ... as the build spoke them
        int k = 0;
        for (const uint c : chars) {
            if (!QChar::isLetter(c) || QChar::script(c) != QChar::Script_Han)
                continue;
            if (k >= han.size()) {
                faults
                    << QStringLiteral("%1: %2 — fewer syllables than characters").arg(where, read);
                break;
            }
            if (c <= 0xFFFF && listed.contains(QChar(c)))
                spoken << QString(QChar(c)) + han[k];
            ++k;
        }
        // What the reader gave for the characters is what the voice was given, in order.
        qsizetype at = 0;
        for (const QString& s : han)
            if (at >= 0)
                at = meant.indexOf(s, at) < 0 ? -1 : meant.indexOf(s, at) + 1;
        if (at < 0)
            faults << QStringLiteral("%1: %2 — not spoken as read").arg(where, read);
        if (spoken.isEmpty())
            continue;
        occurrences += int(spoken.size());
        const auto hit = reviewed.constFind(read);
        if (hit == reviewed.constEnd())
            faults << QStringLiteral("%1: %2 — no reviewed reading (%3)")
                          .arg(where, read, spoken.join(QLatin1Char(' ')));
        else if (*hit != spoken)
            faults << QStringLiteral("%1: %2 — spoken %3, reviewed %4")
                          .arg(where, read, spoken.join(QLatin1Char(' ')),
                               hit->join(QLatin1Char(' ')));
    }
    qInfo("%d occurrences of polyphones checked; %lld faults", occurrences,
          static_cast<long long>(faults.size()));
    QVERIFY2(occurrences > 0, "no line read from its text has a listed character");
    for (const QString& fault : faults)
        std::fprintf(stderr, "%s\n", qPrintable(fault));
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("%1 lines are not spoken as reviewed").arg(faults.size())));
}

// A song's title and each of its lines are recorded at their own line of the song book,
// so that a failure above points at the line to mend.
void TestSpokenLines::everySongLineNamesItsOwnLine() {
    QFile f(QStringLiteral(PELUMO_BINARY_DIR "/spoken-lines.tsv"));
    QVERIFY2(f.open(QIODevice::ReadOnly), "spoken-lines.tsv is missing: the build notes it");
    static const QRegularExpression place(QStringLiteral("^(content/songs/[^:]+):(\\d+)$"));
    QHash<QString, QStringList> books;
    int songLines = 0;
    QStringList faults;
    for (const QString& row : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QStringList field = row.split(QLatin1Char('\t'));
        if (field.size() < 2 || !field[0].startsWith(QLatin1String("content/songs/")))
            continue;
        ++songLines;
        const QRegularExpressionMatch m = place.match(field[0]);
        if (!m.hasMatch()) {
            faults << field[0] + QStringLiteral(": names no line");
            continue;
        }
        if (!books.contains(m.captured(1))) {
            QFile book(QStringLiteral(PELUMO_SOURCE_DIR "/") + m.captured(1));
            QVERIFY2(book.open(QIODevice::ReadOnly), qPrintable(m.captured(1)));
            books.insert(m.captured(1), QString::fromUtf8(book.readAll()).split(QLatin1Char('\n')));
        }
        const QStringList& lines = books[m.captured(1)];
        const int n = m.captured(2).toInt();
        if (n < 1 || n > lines.size() || !lines[n - 1].contains(field[1].trimmed()))
            faults << QStringLiteral("%1: %2 is not on that line").arg(field[0], field[1]);
    }
    for (const QString& fault : faults)
        std::fprintf(stderr, "%s\n", qPrintable(fault));
    QVERIFY2(songLines > 100, "the record holds no song lines");
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("%1 song lines name another line").arg(faults.size())));
}

QTEST_GUILESS_MAIN(TestSpokenLines)
#include "tst_spokenlines.moc"
