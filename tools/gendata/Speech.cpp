#include "tools/gendata/Speech.h"

#include <QFile>
#include <atomic>

namespace gendata {

QByteArray speak(Output& out, const QString& text, Voice voice, int wordsPerMinute) {
    const QString code =
        voice == Voice::English ? QStringLiteral("en") : QStringLiteral("cmn-latn-pinyin");
    const QString rate = QString::number(wordsPerMinute);
    return out.cached(QStringLiteral("speech-v1|%1|%2|").arg(code, rate) + text, [&] {
        // A name of its own for each call, as threads speak side by side.
        static std::atomic<int> calls{0};
        const QString base = out.tempDir() + QStringLiteral("/speech%1").arg(calls++);
        const QString wav = base + QStringLiteral(".wav");
        const QString mp3 = base + QStringLiteral(".mp3");
        Output::run(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), code, QStringLiteral("-s"),
                                                  rate, QStringLiteral("-w"), wav, text});
        Output::run(QStringLiteral("lame"),
                    {QStringLiteral("--quiet"), QStringLiteral("-m"), QStringLiteral("m"),
                     QStringLiteral("--resample"), QStringLiteral("11.025"), QStringLiteral("-b"),
                     QStringLiteral("16"), wav, mp3});
        QFile f(mp3);
        if (!f.open(QIODevice::ReadOnly))
            throw std::runtime_error("lame wrote nothing for " + text.toStdString());
        QByteArray bytes = f.readAll();
        f.close();
        QFile::remove(wav);
        QFile::remove(mp3);
        return bytes;
    });
}

} // namespace gendata
