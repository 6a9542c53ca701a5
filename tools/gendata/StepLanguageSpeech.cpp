// Speech of the picture and English activities: every name and word in
// content/language/speech.txt as "Data/Sound/<file>.mp3" (Mandarin or English voice of
// espeak-ng, 32 kbit/s mono MP3), cached by text and voice.
#include "tools/gendata/Generator.h"
#include "tools/gendata/LanguageSpeech.h"

#include <QFile>

namespace gendata {

QByteArray speakLanguage(Output& out, const QString& voice, const QString& text) {
    return out.cached(QStringLiteral("language-speech-v1|") + voice + '|' + text, [&] {
        const QString wav = out.tempDir() + QLatin1String("/lang-speech.wav");
        const QString mp3 = out.tempDir() + QLatin1String("/lang-speech.mp3");
        Output::run(QStringLiteral("espeak-ng"),
                    {QStringLiteral("-v"), voice, QStringLiteral("-s"),
                     voice == QLatin1String("en") ? QStringLiteral("125") : QStringLiteral("135"),
                     QStringLiteral("-w"), wav, text});
        Output::run(QStringLiteral("lame"),
                    {QStringLiteral("--quiet"), QStringLiteral("-m"), QStringLiteral("m"),
                     QStringLiteral("--resample"), QStringLiteral("22.05"), QStringLiteral("-b"),
                     QStringLiteral("32"), wav, mp3});
        QFile f(mp3);
        if (!f.open(QIODevice::ReadOnly))
            throw std::runtime_error("lame wrote no file");
        return f.readAll();
    });
}

namespace {

void makeLanguageSpeech(Output& out) {
    const QStringList lines =
        QString::fromUtf8(out.content(QStringLiteral("language/speech.txt"))).split('\n');
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() < 2 || f[0].isEmpty())
            throw std::runtime_error("bad line in language/speech.txt: " + line.toStdString());
        const QString text = f.size() > 2 && !f[2].isEmpty() ? f[2] : f[0].trimmed();
        out.writeData(QStringLiteral("Data/Sound/") + f[0] + QStringLiteral(".mp3"),
                      speakLanguage(out, f[1].trimmed(), text));
    }
}

const RegisterStep step{"languagespeech", &makeLanguageSpeech};

} // namespace
} // namespace gendata
