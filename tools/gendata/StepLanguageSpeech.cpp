// Speech of the picture and English activities: every name and word in
// content/language/speech.txt as "Data/Sound/<file>.mp3", in the Mandarin or the
// English voice of the shared speech helper.
#include "tools/gendata/Generator.h"
#include "tools/gendata/Speech.h"

namespace gendata {
namespace {

void makeLanguageSpeech(Output& out) {
    const QStringList lines =
        QString::fromUtf8(out.content(QStringLiteral("language/speech.txt"))).split('\n');
    int number = 0;
    for (const QString& line : lines) {
        ++number;
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const SpokenAt at(QStringLiteral("content/language/speech.txt:%1").arg(number));
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() < 2 || f[0].isEmpty())
            throw std::runtime_error("bad line in language/speech.txt: " + line.toStdString());
        const QString text = f.size() > 2 && !f[2].isEmpty() ? f[2] : f[0].trimmed();
        const Voice voice =
            f[1].trimmed() == QLatin1String("en") ? Voice::English : Voice::Mandarin;
        out.writeData(QStringLiteral("Data/Sound/") + f[0] + QStringLiteral(".mp3"),
                      speak(out, text, voice, voice == Voice::English ? 125 : 140));
    }
}

const RegisterStep step{"languagespeech", &makeLanguageSpeech};

} // namespace
} // namespace gendata
