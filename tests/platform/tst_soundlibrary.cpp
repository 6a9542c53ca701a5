// The sound library as the program uses it: loaded from the data folder and
// driven through platform::SoundLibrary, playing on SDL's dummy device (which
// consumes audio in real time).
//
// The library keeps one state for the whole process, so the order of the test
// functions matters: the click is tried before init, and free comes last.

#include "platform/SoundLibrary.h"
#include "tests/common/TestSupport.h"
#include "tools/lib/WavWriter.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <cmath>

using platform::SoundLibrary;
using testsupport::writeFile;

namespace {

constexpr int kOutRate = 44100; // the rate the library opens the device at
constexpr int kPlaying = 1;
constexpr int kPaused = 3;

std::vector<float> tone(double seconds, int rate, int channels) {
    const int frames = static_cast<int>(seconds * rate);
    std::vector<float> out(static_cast<size_t>(frames * channels));
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            out[static_cast<size_t>(i * channels + c)] =
                0.3f * static_cast<float>(std::sin(2 * M_PI * 440.0 * i / rate));
    return out;
}

// A WAV of any header values, with `dataBytes` bytes of quiet samples.
QByteArray customWav(quint16 tag, quint16 channels, quint32 rate, quint16 bits, quint32 dataBytes) {
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    const quint16 align = static_cast<quint16>(channels * bits / 8);
    s.writeRawData("RIFF", 4);
    s << quint32(36 + dataBytes);
    s.writeRawData("WAVEfmt ", 8);
    s << quint32(16) << tag << channels << rate << quint32(rate * align) << align << bits;
    s.writeRawData("data", 4);
    s << dataBytes;
    out.append(QByteArray(static_cast<qsizetype>(dataBytes), bits == 8 ? '\x80' : '\0'));
    return out;
}

quint64 frames(double seconds) {
    return static_cast<quint64>(seconds * kOutRate);
}

} // namespace

class TestSoundLibrary : public QObject {
    Q_OBJECT

private:
    SoundLibrary& lib = platform::soundLibrary();
    QTemporaryDir dir;
    QString wavShort; // 0.5 s, 16-bit stereo, 44100 Hz
    QString wavLong;  // 3 s, 16-bit mono, 22050 Hz
    QString mp3Short; // 0.5 s
    QString mp3Long;  // 3 s

    QString write(const QString& name, const QByteArray& bytes) {
        return writeFile(dir.path(), name, bytes);
    }
    QString makeMp3(const QString& name, double seconds) {
        const QString wav = write(name + QStringLiteral(".src.wav"),
                                  tools::makeWav(tone(seconds, 44100, 2), 44100, 2));
        const QString mp3 = dir.filePath(name);
        QProcess lame;
        lame.start(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("-b"),
                                            QStringLiteral("64"), wav, mp3});
        if (!lame.waitForFinished(30000) || lame.exitCode() != 0)
            return {};
        return mp3;
    }
    // Waits until the stream has played at least `count` frames.
    bool playedAtLeast(quint32 h, quint64 count, int timeoutMs = 3000) {
        return QTest::qWaitFor([&] { return lib.ChannelPosition(h) >= count; }, timeoutMs);
    }
    bool stateBecomes(quint32 h, quint32 state, int timeoutMs = 3000) {
        return QTest::qWaitFor([&] { return lib.ChannelState(h) == state; }, timeoutMs);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QVERIFY2(lib.isLoaded(), qPrintable(lib.errorString()));
        wavShort =
            write(QStringLiteral("short.wav"), tools::makeWav(tone(0.5, 44100, 2), 44100, 2));
        wavLong = write(QStringLiteral("long.wav"), tools::makeWav(tone(3, 22050, 1), 22050, 1));
        mp3Short = makeMp3(QStringLiteral("short.mp3"), 0.5);
        mp3Long = makeMp3(QStringLiteral("long.mp3"), 3);
        QVERIFY2(!mp3Short.isEmpty() && !mp3Long.isEmpty(), "lame could not make the test MP3s");
    }

    // Opening the sound device must leave the program's signals alone, so that it can
    // still be ended by SIGTERM or Ctrl+C.
    // (First test to open the device, so that "before" is the state without it.)
    void signalsStayTheProgramsOwn() {
        struct sigaction before[2]{};
        const int sigs[2] = {SIGTERM, SIGINT};
        for (int i = 0; i < 2; ++i)
            QCOMPARE(sigaction(sigs[i], nullptr, &before[i]), 0);
        QVERIFY(lib.PlayMemory(tools::makeWav(tone(0.05, 44100, 1), 44100, 1)));
        for (int i = 0; i < 2; ++i) {
            struct sigaction after {};
            QCOMPARE(sigaction(sigs[i], nullptr, &after), 0);
            QVERIFY(after.sa_handler == before[i].sa_handler);
        }
    }

    void missingLibraryAnswersZero_data() {
        QTest::addColumn<QString>("libraryFile");
        QTest::newRow("no file") << QString();
        QTest::newRow("text file") << QStringLiteral("text");
        QTest::newRow("library without the calls")
            << QStringLiteral("/lib/x86_64-linux-gnu/libz.so.1");
    }
    void missingLibraryAnswersZero() {
        QFETCH(QString, libraryFile);
        testsupport::TempProgramDir program;
        if (libraryFile == QLatin1String("text"))
            program.write(QStringLiteral("Data/systxt/snd.txt"), "not a library\n");
        else if (!libraryFile.isEmpty() && !QFile::exists(libraryFile))
            QSKIP("no system library to stand in for a foreign one");
        else if (!libraryFile.isEmpty())
            QVERIFY(QDir().mkpath(program.path() + "/Data/systxt") &&
                    QFile::copy(libraryFile, program.path() + "/Data/systxt/snd.txt"));
        SoundLibrary missing;
        QVERIFY(!missing.isLoaded());
        QVERIFY(!missing.errorString().isEmpty());
        QCOMPARE(missing.GetVersion(), 0u);
        QVERIFY(!missing.Init(-1, 44100, 0, nullptr));
        QCOMPARE(missing.StreamCreateFile(wavShort, 0), 0u);
        QVERIFY(!missing.ChannelPlay(1, false));
        QVERIFY(!missing.ChannelStop(1));
        QVERIFY(!missing.StreamFree(1));
        QVERIFY(!missing.PlayMemory(QByteArray("RIFF")));
        QVERIFY(!missing.Free());
        QCOMPARE(missing.StreamCount(), 0u);
    }

    void versionIs2_4() { QCOMPARE(lib.GetVersion() >> 16, 0x0204u); }

    // Before init: streams are refused, yet the click plays (it opens the device itself).
    void clickPlaysWithoutInit() {
        QCOMPARE(lib.StreamCreateFile(wavShort, 0), 0u);
        const QByteArray click = testsupport::readFile(wavShort);
        QVERIFY(lib.PlayMemory(click));
        QVERIFY(lib.PlayMemory(click)); // again: restarts from the decoded copy
        QByteArray other = click;
        other[100] = '\x7f'; // same size, other content, other buffer
        QVERIFY(lib.PlayMemory(other));
        QVERIFY(!lib.PlayMemory(QByteArray("this is no sound at all")));
        QVERIFY(lib.PlayMemory(QByteArray())); // stops the click
    }

    void initOnlyOnce() {
        QVERIFY(lib.Init(-1, 44100, 0, nullptr));
        const quint32 h = lib.StreamCreateFile(wavLong, 0);
        QVERIFY(h != 0);
        QVERIFY(lib.ChannelPlay(h, false));
        QVERIFY(playedAtLeast(h, 1000));
        QVERIFY(!lib.Init(-1, 44100, 0, nullptr));
        // The second init disturbed nothing: the stream plays on.
        const quint64 before = lib.ChannelPosition(h);
        QVERIFY(playedAtLeast(h, before + frames(0.1)));
        QCOMPARE(lib.ChannelState(h), quint32(kPlaying));
        QVERIFY(lib.StreamFree(h));
    }

    void unreadableFilesGiveZero_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray wav = tools::makeWav(tone(0.2, 44100, 1), 44100, 1);
        QTest::newRow("missing file") << QStringLiteral("nowhere/none.wav") << QByteArray();
        QTest::newRow("empty file") << QStringLiteral("empty.wav") << QByteArray("");
        QTest::newRow("text named .mp3") << QStringLiteral("text.mp3")
                                         << QByteArray("Hello, this is plain text.\n").repeated(50);
        QTest::newRow("WAV cut inside the header") << QStringLiteral("cut.wav") << wav.left(30);
        QTest::newRow("WAV cut before the samples") << QStringLiteral("cut2.wav") << wav.left(44);
        QTest::newRow("WAV with a partial frame only")
            << QStringLiteral("cut3.wav") << wav.left(45);
        QTest::newRow("float WAV")
            << QStringLiteral("float.wav") << customWav(3, 1, 44100, 32, 4000);
        QTest::newRow("24-bit WAV")
            << QStringLiteral("b24.wav") << customWav(1, 1, 44100, 24, 3000);
        QTest::newRow("WAV of zero channels")
            << QStringLiteral("c0.wav") << customWav(1, 0, 44100, 16, 4000);
        QTest::newRow("WAV of rate 0") << QStringLiteral("r0.wav") << customWav(1, 1, 0, 16, 4000);
        QTest::newRow("ID3 tag without audio")
            << QStringLiteral("tag.mp3") << QByteArray("ID3\x03\x00\x00\x00\x00\x00\x00", 10);
        QTest::newRow("RIFF of another kind")
            << QStringLiteral("avi.wav") << QByteArray("RIFF\x10\0\0\0AVI LIST\0\0\0\0", 20);
    }
    void unreadableFilesGiveZero() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString path = bytes.isNull() ? dir.filePath(name) : write(name, bytes);
        const quint32 count = lib.StreamCount();
        QCOMPARE(lib.StreamCreateFile(path, 0), 0u);
        QCOMPARE(lib.StreamCount(), count);
    }

    void directoryGivesZero() { QCOMPARE(lib.StreamCreateFile(dir.path(), 0), 0u); }

    // Each file plays to its end once, at the device's rate whatever its own.
    void playsToTheEnd_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("seconds");
        QTest::newRow("16-bit stereo 44100 Hz")
            << "a.wav" << tools::makeWav(tone(0.4, 44100, 2), 44100, 2) << 0.4;
        QTest::newRow("16-bit mono 22050 Hz, .WAV")
            << "b.WAV" << tools::makeWav(tone(0.4, 22050, 1), 22050, 1) << 0.4;
        QTest::newRow("16-bit mono 48000 Hz")
            << "c.wav" << tools::makeWav(tone(0.4, 48000, 1), 48000, 1) << 0.4;
        QTest::newRow("8-bit mono 11025 Hz")
            << "d.wav" << customWav(1, 1, 11025, 8, 11025 * 2 / 5) << 0.4;
        QTest::newRow("data size beyond the file")
            << "e.wav" << tools::makeWav(tone(0.8, 44100, 1), 44100, 1).left(44 + 44100 * 2 * 2 / 5)
            << 0.4;
        QTest::newRow("MP3") << "short.mp3" << QByteArray() << 0.5;
        QTest::newRow("MP3 named .wav") << "mp3.wav" << QByteArray() << 0.5;
    }
    void playsToTheEnd() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(double, seconds);
        QString path = dir.filePath(name);
        if (name == QLatin1String("mp3.wav"))
            QVERIFY(QFile::copy(mp3Short, path));
        else if (!bytes.isEmpty())
            path = write(name, bytes);
        const quint32 h = lib.StreamCreateFile(path, 0);
        QVERIFY(h != 0);
        QCOMPARE(lib.ChannelState(h), 0u);
        QVERIFY(lib.ChannelPlay(h, false));
        QCOMPARE(lib.ChannelState(h), quint32(kPlaying));
        QVERIFY(stateBecomes(h, 0, 3000));
        // Every frame came out once, converted to the device rate (MP3 frames add a little).
        const quint64 expected = frames(seconds);
        const quint64 played = lib.ChannelPosition(h);
        QVERIFY2(played >= expected - expected / 50 && played <= expected + frames(0.06),
                 qPrintable(QStringLiteral("%1 frames, expected %2").arg(played).arg(expected)));
        // Played again after its end, it starts over.
        QVERIFY(lib.ChannelPlay(h, false));
        QCOMPARE(lib.ChannelState(h), quint32(kPlaying));
        QVERIFY(lib.ChannelPosition(h) < played);
        QVERIFY(lib.StreamFree(h));
    }

    void stopPausesAndPlayResumes_data() {
        QTest::addColumn<bool>("mp3");
        QTest::newRow("WAV") << false;
        QTest::newRow("MP3") << true;
    }
    void stopPausesAndPlayResumes() {
        QFETCH(bool, mp3);
        const quint32 h = lib.StreamCreateFile(mp3 ? mp3Long : wavLong, 0);
        QVERIFY(h != 0);
        QVERIFY(lib.ChannelPlay(h, false));
        QVERIFY(playedAtLeast(h, frames(0.3)));
        QVERIFY(lib.ChannelStop(h));
        QCOMPARE(lib.ChannelState(h), quint32(kPaused));
        const quint64 stoppedAt = lib.ChannelPosition(h);
        QTest::qWait(300);
        QCOMPARE(lib.ChannelPosition(h), stoppedAt);
        QVERIFY(lib.ChannelStop(h)); // stopping twice is harmless
        QVERIFY(lib.ChannelPlay(h, false));
        QCOMPARE(lib.ChannelState(h), quint32(kPlaying));
        QVERIFY(lib.ChannelPosition(h) >= stoppedAt); // not from the start
        QVERIFY(playedAtLeast(h, stoppedAt + frames(0.2)));
        QVERIFY(lib.ChannelPosition(h) < stoppedAt + frames(1.0));
        QVERIFY(lib.StreamFree(h));
    }

    void restartStartsOver() {
        const quint32 h = lib.StreamCreateFile(mp3Long, 0);
        QVERIFY(h != 0);
        QVERIFY(lib.ChannelPlay(h, false));
        QVERIFY(playedAtLeast(h, frames(0.4)));
        QVERIFY(lib.ChannelPlay(h, true)); // while playing
        QVERIFY(lib.ChannelPosition(h) < frames(0.3));
        QVERIFY(playedAtLeast(h, frames(0.4)));
        QVERIFY(lib.ChannelStop(h));
        QVERIFY(lib.ChannelPlay(h, true)); // while stopped
        QCOMPARE(lib.ChannelState(h), quint32(kPlaying));
        QVERIFY(lib.ChannelPosition(h) < frames(0.3));
        QVERIFY(lib.StreamFree(h));
    }

    void loopPlaysOn_data() {
        QTest::addColumn<bool>("mp3");
        QTest::newRow("WAV") << false;
        QTest::newRow("MP3") << true;
    }
    void loopPlaysOn() {
        QFETCH(bool, mp3);
        const quint32 h = lib.StreamCreateFile(mp3 ? mp3Short : wavShort, SoundLibrary::kLoop);
        QVERIFY(h != 0);
        QVERIFY(lib.ChannelPlay(h, false));
        QVERIFY(playedAtLeast(h, frames(1.2))); // more than twice the file
        QCOMPARE(lib.ChannelState(h), quint32(kPlaying));
        QVERIFY(lib.StreamFree(h));
    }

    void badHandlesFailQuietly() {
        const quint32 before = lib.StreamCount();
        for (quint32 bad : {0u, 0xFFFFFFFFu, 123456u}) {
            QVERIFY(!lib.ChannelPlay(bad, false));
            QVERIFY(!lib.ChannelPlay(bad, true));
            QVERIFY(!lib.ChannelStop(bad));
            QVERIFY(!lib.StreamFree(bad));
            QCOMPARE(lib.ChannelState(bad), 0u);
            QCOMPARE(lib.ChannelPosition(bad), 0u);
        }
        // A freed handle is dead and never handed out again.
        const quint32 h = lib.StreamCreateFile(wavShort, 0);
        QVERIFY(h != 0);
        QVERIFY(lib.ChannelPlay(h, false));
        QVERIFY(lib.StreamFree(h));
        QVERIFY(!lib.StreamFree(h));
        QVERIFY(!lib.ChannelPlay(h, false));
        const quint32 next = lib.StreamCreateFile(wavShort, 0);
        QVERIFY(next != 0 && next != h);
        QVERIFY(lib.StreamFree(next));
        QCOMPARE(lib.StreamCount(), before);
    }

    void chineseFileName() {
        const QByteArray wav = testsupport::readFile(wavShort);
        const QString path = write(QStringLiteral("声音/认识动物.wav"), wav);
        QVERIFY(!path.isEmpty());
        const quint32 h = lib.StreamCreateFile(path, 0);
        QVERIFY(h != 0);
        QVERIFY(lib.ChannelPlay(h, false));
        QVERIFY(playedAtLeast(h, 1000));
        QVERIFY(lib.StreamFree(h));
    }

    void severalStreamsAtOnce() {
        const quint32 base = lib.StreamCount();
        const quint32 music = lib.StreamCreateFile(
            QStringLiteral(PELUMO_BINARY_DIR "/Data/Sound/bg.mp3"), SoundLibrary::kLoop);
        const quint32 speech = lib.StreamCreateFile(wavLong, 0);
        const quint32 effect = lib.StreamCreateFile(mp3Long, 0);
        QVERIFY(music && speech && effect);
        QCOMPARE(lib.StreamCount(), base + 3);
        QVERIFY(lib.PlayMemory(testsupport::readFile(wavShort)));
        for (quint32 h : {music, speech, effect})
            QVERIFY(lib.ChannelPlay(h, false));
        for (quint32 h : {music, speech, effect})
            QVERIFY(playedAtLeast(h, frames(0.2)));
        // Stopping the music leaves the others playing.
        QVERIFY(lib.ChannelStop(music));
        const quint64 speechAt = lib.ChannelPosition(speech);
        QVERIFY(playedAtLeast(speech, speechAt + frames(0.1)));
        QCOMPARE(lib.ChannelState(effect), quint32(kPlaying));
        QCOMPARE(lib.ChannelState(music), quint32(kPaused));

        QVERIFY(lib.StreamFree(speech));
        QCOMPARE(lib.StreamCount(), base + 2);
        QVERIFY(lib.StreamFree(effect));
        QCOMPARE(lib.StreamCount(), base + 1);
        // A stream freed while paused.
        QVERIFY(lib.StreamFree(music));
        QCOMPARE(lib.StreamCount(), base);
        // The channels came back, the paused one too: more streams than channels
        // play in turn.
        for (int i = 0; i < 40; ++i) {
            const quint32 h = lib.StreamCreateFile(wavShort, 0);
            QVERIFY(lib.ChannelPlay(h, false));
            if (i == 0 || i == 39)
                QVERIFY(playedAtLeast(h, 1000));
            QVERIFY(lib.StreamFree(h));
        }
    }

    // Kept last: after free the library stays shut.
    void everythingFailsAfterFree() {
        const quint32 h = lib.StreamCreateFile(wavLong, SoundLibrary::kLoop);
        QVERIFY(h != 0);
        QVERIFY(lib.ChannelPlay(h, false));
        QVERIFY(lib.Free());
        QCOMPARE(lib.StreamCount(), 0u);
        QVERIFY(!lib.Free());
        QVERIFY(!lib.Init(-1, 44100, 0, nullptr));
        QCOMPARE(lib.StreamCreateFile(wavShort, 0), 0u);
        QVERIFY(!lib.ChannelPlay(h, false));
        QVERIFY(!lib.ChannelStop(h));
        QVERIFY(!lib.StreamFree(h));
        QVERIFY(!lib.PlayMemory(testsupport::readFile(wavShort)));
        QCOMPARE(lib.ChannelState(h), 0u);
        QCOMPARE(lib.GetVersion() >> 16, 0x0204u);
    }
};

QTEST_GUILESS_MAIN(TestSoundLibrary)
#include "tst_soundlibrary.moc"
