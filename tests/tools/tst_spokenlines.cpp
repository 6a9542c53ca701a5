// Every Mandarin line the build spoke is heard as meant: the voice's phonemes for what
// the build gave it (spoken-lines.tsv beside Data/: where, text, syllables meant, what
// the voice was given) agree with the syllables meant, syllable by syllable and tone by
// tone, and no syllable is said twice. A failure names the file and line.
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
        if (field.size() != 4)
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

QTEST_GUILESS_MAIN(TestSpokenLines)
#include "tst_spokenlines.moc"
