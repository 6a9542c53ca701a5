// The sound library as the program uses it: loaded from the data folder and
// driven through platform::SoundLibrary, playing on SDL's dummy device (which
// consumes audio in real time). Waits are for events; no test bounds how long they take.
//
// The library keeps one state for the whole process, so the order of the test
// functions matters: the click is tried before init, and free comes last.

#include "platform/SoundLibrary.h"
#include "tests/common/TestSupport.h"
#include "tools/lib/WavWriter.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <csignal>

using platform::SoundLibrary;
using testsupport::writeFile;

namespace {

constexpr int kOutRate = 44100; // the rate the library opens the device at
constexpr quint32 kPlaying = 1;
constexpr quint32 kPaused = 3;
constexpr int kEventTimeoutMs = 60000;

std::vector<float> tone(double seconds, int rate, int channels) {
    const int frames = static_cast<int>(seconds * rate);
    std::vector<float> out(static_cast<size_t>(frames * channels));
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            out[static_cast<size_t>(i * channels + c)] =
                0.3f * static_cast<float>(std::sin(2 * M_PI * 440.0 * i / rate));
    return out;
}

// A copy of a WAV with header bytes replaced from `at` on.
QByteArray patched(const QByteArray& wav, int at, const QByteArray& bytes) {
    return QByteArray(wav).replace(at, bytes.size(), bytes);
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
    QString makeMp3(const QString& name, double seconds, int rate = 44100, int channels = 2) {
        const QString wav =
            write(name + ".src.wav", tools::makeWav(tone(seconds, rate, channels), rate, channels));
        QProcess lame;
        lame.start("lame", {"--quiet", "-b", "64", wav, dir.filePath(name)});
        return lame.waitForFinished(60000) && lame.exitCode() == 0 ? dir.filePath(name) : QString();
    }
    // A new stream of the file, playing; 0 when either step failed.
    quint32 play(const QString& path, quint32 flags = 0) {
        const quint32 h = lib.StreamCreateFile(path, flags);
        return h && lib.ChannelPlay(h, false) ? h : 0;
    }
    bool playedAtLeast(quint32 h, quint64 count) {
        return QTest::qWaitFor([&] { return lib.ChannelPosition(h) >= count; }, kEventTimeoutMs);
    }
    bool stateBecomes(quint32 h, quint32 state) {
        return QTest::qWaitFor([&] { return lib.ChannelState(h) == state; }, kEventTimeoutMs);
    }

private slots:
    void initTestCase() {
        QVERIFY2(lib.isLoaded(), qPrintable(lib.errorString()));
        QCOMPARE(lib.GetVersion() >> 16, 0x0204u);
        wavShort = write("short.wav", tools::makeWav(tone(0.5, 44100, 2), 44100, 2));
        wavLong = write("long.wav", tools::makeWav(tone(3, 22050, 1), 22050, 1));
        mp3Short = makeMp3("short.mp3", 0.5);
        mp3Long = makeMp3("long.mp3", 3);
        QVERIFY2(!mp3Short.isEmpty() && !mp3Long.isEmpty(), "lame could not make the test MP3s");
    }

    // A library file that is missing, foreign or cut short is refused before it is
    // loaded (a cut one would crash the loader), and every call then answers 0.
    void unusableLibraryAnswersZero_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<qint64>("length");  // of the copy; -1 for all of it
        QTest::addColumn<bool>("onTheSide"); // loaded on a thread of its own
        const QString ours = PELUMO_BINARY_DIR "/Data/systxt/snd.txt";
        const qint64 size = QFileInfo(ours).size();
        QTest::newRow("no file") << QString() << qint64(-1) << false;
        QTest::newRow("text file") << "text" << qint64(-1) << false;
        QTest::newRow("library without the calls")
            << "/lib/x86_64-linux-gnu/libz.so.1" << qint64(-1) << false;
        QTest::newRow("cut to 36000 bytes") << ours << qint64(36000) << false;
        QTest::newRow("cut to half") << ours << size / 2 << false;
        QTest::newRow("last byte missing") << ours << size - 1 << false;
        QTest::newRow("no file, loaded on the side") << QString() << qint64(-1) << true;
        QTest::newRow("cut to half, loaded on the side") << ours << size / 2 << true;
    }
    void unusableLibraryAnswersZero() {
        QFETCH(QString, source);
        QFETCH(qint64, length);
        QFETCH(bool, onTheSide);
        testsupport::TempProgramDir program;
        if (source == "text") {
            program.write("Data/systxt/snd.txt", "not a library\n");
        } else if (!source.isEmpty()) {
            QFile file(source);
            if (!file.open(QIODevice::ReadOnly))
                QSKIP("no system library to stand in for a foreign one");
            program.write("Data/systxt/snd.txt", length < 0 ? file.readAll() : file.read(length));
        }
        SoundLibrary missing;
        if (onTheSide)
            missing.loadInBackground();
        QVERIFY(!missing.isLoaded() && !missing.errorString().isEmpty());
        QCOMPARE(missing.GetVersion(), 0u); // not 2.4: the caller reports the library unusable
        QVERIFY(!missing.Init(-1, 44100, 0, nullptr) && !missing.Free());
        QCOMPARE(missing.StreamCreateFile(wavShort, 0), 0u);
        QVERIFY(!missing.ChannelPlay(1, false) && !missing.PlayMemory(QByteArray("RIFF")));
    }

    // Loaded on a thread of its own while the program goes on, the library answers as
    // when loaded on first use; asking again does not load it twice.
    void loadedOnTheSide() {
        SoundLibrary side;
        side.loadInBackground();
        side.loadInBackground();
        QVERIFY2(side.isLoaded(), qPrintable(side.errorString()));
        QCOMPARE(side.GetVersion() >> 16, 0x0204u);
        side.loadInBackground(); // already loaded: nothing happens
        QVERIFY(side.isLoaded());
    }

    // Before init: streams are refused, yet the click plays (it opens the device itself).
    // Opening the device leaves the program's signals alone, so that SIGTERM and Ctrl+C
    // still end it.
    void clickPlaysWithoutInit() {
        struct sigaction before[2]{}, after[2]{};
        for (int i = 0; i < 2; ++i)
            QCOMPARE(sigaction(i ? SIGINT : SIGTERM, nullptr, &before[i]), 0);
        QCOMPARE(lib.StreamCreateFile(wavShort, 0), 0u);
        QByteArray click = testsupport::readFile(wavShort);
        QVERIFY(lib.PlayMemory(click));
        QVERIFY(lib.PlayMemory(click)); // again: restarts from the decoded copy
        click[100] = '\x7f';            // same size, other content
        QVERIFY(lib.PlayMemory(click));
        QVERIFY(!lib.PlayMemory(QByteArray("this is no sound at all")));
        QVERIFY(lib.PlayMemory(QByteArray())); // stops the click
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(sigaction(i ? SIGINT : SIGTERM, nullptr, &after[i]), 0);
            QVERIFY(after[i].sa_handler == before[i].sa_handler);
        }
    }

    void initOnlyOnce() {
        QVERIFY(lib.Init(-1, 44100, 0, nullptr));
        const quint32 h = play(wavLong);
        QVERIFY(playedAtLeast(h, 1000));
        QVERIFY(!lib.Init(-1, 44100, 0, nullptr));
        // The second init disturbed nothing: the stream plays on.
        QVERIFY(playedAtLeast(h, lib.ChannelPosition(h) + frames(0.1)));
        QCOMPARE(lib.ChannelState(h), kPlaying);
        QVERIFY(lib.StreamFree(h));
    }

    void unreadableFilesGiveZero_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray wav = tools::makeWav(tone(0.2, 44100, 1), 44100, 1);
        QTest::newRow("missing file") << "nowhere/none.wav" << QByteArray();
        QTest::newRow("folder") << "" << QByteArray();
        QTest::newRow("text named .mp3") << "text.mp3" << QByteArray("Plain text.\n").repeated(50);
        QTest::newRow("WAV cut inside the header") << "cut.wav" << wav.left(30);
        QTest::newRow("WAV with a partial frame only") << "cut3.wav" << wav.left(45);
        QTest::newRow("float WAV") << "float.wav" << patched(wav, 20, QByteArray("\3\0", 2));
        QTest::newRow("24-bit WAV") << "b24.wav" << patched(wav, 34, QByteArray("\x18\0", 2));
        QTest::newRow("WAV of rate 0") << "r0.wav" << patched(wav, 24, QByteArray(4, '\0'));
        QTest::newRow("ID3 tag without audio")
            << "tag.mp3" << QByteArray("ID3\x03\x00\x00\x00\x00\x00\x00", 10);
    }
    void unreadableFilesGiveZero() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString path = bytes.isNull() ? dir.filePath(name) : write(name, bytes);
        const quint32 count = lib.StreamCount();
        QCOMPARE(lib.StreamCreateFile(path, 0), 0u);
        QCOMPARE(lib.StreamCount(), count);
    }

    // Paths reach the library whole, whatever their characters.
    void fileNames_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("Chinese folder and name") << "声音/认识动物.wav";
        QTest::newRow("folder with a character GBK cannot hold") << "Müller ö/right.WAV";
    }
    void fileNames() {
        QFETCH(QString, name);
        const quint32 h = play(write(name, testsupport::readFile(wavShort)));
        QVERIFY(h && playedAtLeast(h, 1000));
        QVERIFY(lib.StreamFree(h));
    }

    // Each file plays to its end once, at the device's rate whatever its own.
    void playsToTheEnd_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("seconds");
        QTest::newRow("16-bit stereo 44100 Hz (every effect shipped)")
            << "s.wav" << tools::makeWav(tone(0.5, 44100, 2), 44100, 2) << 0.5;
        QTest::newRow("16-bit mono 22050 Hz, .WAV")
            << "b.WAV" << tools::makeWav(tone(0.4, 22050, 1), 22050, 1) << 0.4;
        // Byte rate 11025, block of 1 byte, 8 bits: the 16-bit samples read as twice as many.
        QTest::newRow("8-bit mono 11025 Hz")
            << "d.wav"
            << patched(tools::makeWav(tone(0.2, 11025, 1), 11025, 1), 28,
                       QByteArray("\x11\x2B\0\0\x01\0\x08\0", 8))
            << 0.4;
        QTest::newRow("data size beyond the file")
            << "e.wav" << tools::makeWav(tone(0.8, 44100, 1), 44100, 1).left(44 + 44100 * 2 * 2 / 5)
            << 0.4;
        QTest::newRow("MP3") << "short.mp3" << QByteArray() << 0.5;
        QTest::newRow("MP3 named .wav") << "mp3.wav" << QByteArray() << 0.5;
        QTest::newRow("MP3 mono 11025 Hz (all speech shipped)")
            << "speech.mp3" << QByteArray() << 0.7;
    }
    void playsToTheEnd() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(double, seconds);
        QString path = dir.filePath(name);
        if (name == "mp3.wav")
            QVERIFY(QFile::exists(path) || QFile::copy(mp3Short, path));
        else if (name == "speech.mp3")
            QVERIFY(QFile::exists(path) || !makeMp3(name, seconds, 11025, 1).isEmpty());
        else if (!bytes.isEmpty())
            path = write(name, bytes);
        const quint32 h = lib.StreamCreateFile(path, 0);
        QVERIFY(h != 0);
        QCOMPARE(lib.ChannelState(h), 0u);
        QVERIFY(lib.ChannelPlay(h, false));
        QVERIFY(stateBecomes(h, 0));
        // Every frame came out once, converted to the device rate (MP3 frames add a little).
        const quint64 expected = frames(seconds);
        const quint64 played = lib.ChannelPosition(h);
        QVERIFY2(played >= expected - expected / 50 && played <= expected + frames(0.06),
                 qPrintable(QStringLiteral("%1 frames, expected %2").arg(played).arg(expected)));
        QVERIFY(lib.StreamFree(h));
    }

    // Stop pauses: nothing plays on, and a plain play resumes where it stopped. A restart,
    // or a play after the end, starts over: right after it, far less has played than the
    // two seconds before.
    void playAgain_data() {
        QTest::addColumn<QString>("when");
        QTest::addColumn<bool>("restart");
        QTest::addColumn<bool>("fromStart");
        QTest::newRow("play after stop resumes") << "stopped" << false << false;
        QTest::newRow("restart after stop") << "stopped" << true << true;
        QTest::newRow("restart while playing") << "playing" << true << true;
        QTest::newRow("play after the end") << "ended" << false << true;
    }
    void playAgain() {
        QFETCH(QString, when);
        QFETCH(bool, restart);
        QFETCH(bool, fromStart);
        const quint32 h = play(mp3Long);
        QVERIFY(playedAtLeast(h, frames(2.0)));
        if (when == "stopped") {
            QVERIFY(lib.ChannelStop(h));
            QCOMPARE(lib.ChannelState(h), kPaused);
            const quint64 stoppedAt = lib.ChannelPosition(h);
            QTest::qWait(300);
            QCOMPARE(lib.ChannelPosition(h), stoppedAt);
            QVERIFY(lib.ChannelStop(h)); // twice is harmless
        }
        if (when == "ended")
            QVERIFY(stateBecomes(h, 0));
        const quint64 before = lib.ChannelPosition(h);
        QVERIFY(lib.ChannelPlay(h, restart));
        QCOMPARE(lib.ChannelState(h), kPlaying);
        QVERIFY(lib.ChannelStop(h));
        QCOMPARE(lib.ChannelPosition(h) < before, fromStart);
        QVERIFY(lib.StreamFree(h));
    }

    void loopPlaysOn() {
        const quint32 h = play(mp3Short, SoundLibrary::kLoop);
        QVERIFY(playedAtLeast(h, frames(1.2))); // more than twice the file
        QCOMPARE(lib.ChannelState(h), kPlaying);
        QVERIFY(lib.StreamFree(h));
    }

    void badHandlesFailQuietly() {
        const quint32 before = lib.StreamCount();
        for (quint32 bad : {0u, 0xFFFFFFFFu, 123456u})
            QVERIFY(!lib.ChannelPlay(bad, true) && !lib.ChannelStop(bad) && !lib.StreamFree(bad));
        // A freed handle is dead and never handed out again.
        const quint32 h = play(wavShort);
        QVERIFY(lib.StreamFree(h));
        QVERIFY(!lib.StreamFree(h) && !lib.ChannelPlay(h, false));
        const quint32 next = lib.StreamCreateFile(wavShort, 0);
        QVERIFY(next != 0 && next != h);
        QVERIFY(lib.StreamFree(next));
        QCOMPARE(lib.StreamCount(), before);
    }

    // Streams mix: stopping the music leaves the others playing; freed channels come back,
    // the paused one too, so more streams than channels play in turn.
    void severalStreamsAtOnce() {
        const quint32 base = lib.StreamCount();
        const quint32 music = play(PELUMO_BINARY_DIR "/Data/Sound/bg.mp3", SoundLibrary::kLoop);
        const quint32 speech = play(wavLong), effect = play(mp3Long);
        QVERIFY(music && speech && effect && lib.PlayMemory(testsupport::readFile(wavShort)));
        QVERIFY(playedAtLeast(music, frames(0.2)) && lib.ChannelStop(music));
        QVERIFY(playedAtLeast(speech, frames(0.4)) && playedAtLeast(effect, frames(0.4)));
        for (quint32 h : {speech, effect, music})
            QVERIFY(lib.StreamFree(h));
        QCOMPARE(lib.StreamCount(), base);
        for (int i = 0; i < 40; ++i) {
            const quint32 h = play(wavShort);
            QVERIFY(h && (i < 39 || playedAtLeast(h, 1000)) && lib.StreamFree(h));
        }
    }

    // Kept last: after free the library stays shut.
    void everythingFailsAfterFree() {
        const quint32 h = play(wavLong, SoundLibrary::kLoop);
        QVERIFY(h && lib.Free());
        QCOMPARE(lib.StreamCount(), 0u);
        QVERIFY(!lib.Free() && !lib.Init(-1, 44100, 0, nullptr) && !lib.ChannelPlay(h, false));
        QCOMPARE(lib.StreamCreateFile(wavShort, 0), 0u);
        QVERIFY(!lib.PlayMemory(testsupport::readFile(wavShort)));
        QCOMPARE(lib.GetVersion() >> 16, 0x0204u);
    }
};

QTEST_GUILESS_MAIN(TestSoundLibrary)
#include "tst_soundlibrary.moc"
