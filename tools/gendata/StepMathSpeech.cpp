// Speech of the mathematics activities: the numbers 0 to 30, the parts of the
// addition table, the 45 multiplication rhymes and recitals of both tables, spoken
// in Mandarin by espeak-ng and kept as MP3; and the fanfare of a won pair game.
#include "tools/gendata/Generator.h"
#include "tools/gendata/Speech.h"
#include "tools/lib/Synth.h"
#include "tools/lib/WavWriter.h"

#include <QStringList>

namespace gendata {
namespace {

// Chinese numerals 0..100 as a child reads them ("十一", "二十", "一百").
QString chinese(int n) {
    static const QStringList digit = {
        QStringLiteral("零"), QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三"),
        QStringLiteral("四"), QStringLiteral("五"), QStringLiteral("六"), QStringLiteral("七"),
        QStringLiteral("八"), QStringLiteral("九")};
    if (n == 100)
        return QStringLiteral("一百");
    if (n < 10)
        return digit[n];
    const QString tens = n < 20 ? QString() : digit[n / 10];
    return tens + QStringLiteral("十") + (n % 10 ? digit[n % 10] : QString());
}

// The rhyme of a×b (a <= b): "三三得九", "三四十二", "二五一十".
QString rhyme(int a, int b) {
    const int c = a * b;
    if (c < 10)
        return chinese(a) + chinese(b) + QStringLiteral("得") + chinese(c);
    const QString product = c % 10 == 0 ? chinese(c / 10) + QStringLiteral("十") : chinese(c);
    return chinese(a) + chinese(b) + product;
}

// The numbers are spoken a little slower than the lessons.
QByteArray say(Output& out, const QString& text) {
    return speak(out, text, Voice::Mandarin, 135);
}

void makeMathSpeech(Output& out) {
    const SpokenAt at(QStringLiteral("numbers (tools/gendata/StepMathSpeech.cpp)"));
    for (int n = 0; n <= 30; ++n)
        out.writeData(QStringLiteral("Data/Sound/ReadNumber/%1.mp3").arg(n), say(out, chinese(n)));

    const QString number = QStringLiteral("Data/sound/Number/");
    for (int n = 1; n <= 10; ++n)
        out.writeData(number + QStringLiteral("%1.mp3").arg(n), say(out, chinese(n)));
    out.writeData(number + QStringLiteral("＋.mp3"), say(out, QStringLiteral("加")));
    out.writeData(number + QStringLiteral("＝.mp3"), say(out, QStringLiteral("等于")));

    QStringList additions, rhymes;
    for (int a = 1; a <= 9; ++a)
        for (int b = 1; b <= 10 - a; ++b)
            additions << chinese(a) + QStringLiteral("加") + chinese(b) + QStringLiteral("等于") +
                             chinese(a + b);
    for (int a = 1; a <= 9; ++a)
        for (int b = a; b <= 9; ++b) {
            rhymes << rhyme(a, b);
            out.writeData(number + QStringLiteral("%1×%2＝%3.mp3").arg(a).arg(b).arg(a * b),
                          say(out, rhymes.back()));
        }
    out.writeData(number + QStringLiteral("jf.mp3"),
                  say(out, additions.join(QStringLiteral("，"))));
    out.writeData(number + QStringLiteral("cf.mp3"), say(out, rhymes.join(QStringLiteral("，"))));

    // A short rising fanfare ending on a held chord.
    std::vector<tools::Note> fanfare;
    const int melody[] = {67, 72, 76, 79, 76, 79};
    for (int i = 0; i < 6; ++i)
        fanfare.push_back({i * 0.11, 0.12, melody[i], 0.7, (i % 2) ? 0.2 : -0.2});
    for (int n : {72, 76, 79, 84})
        fanfare.push_back({0.7, 0.8, n, 0.45, 0});
    std::vector<float> wave = tools::Synth(44100).render(fanfare, tools::Timbre::Bell, 1.7, false);
    tools::Synth::normalize(wave, 0.8f);
    out.writeData(QStringLiteral("Data/bgsnd/good.WAV"), tools::makeWav(wave, 44100, 2));
}

const RegisterStep step{"mathspeech", &makeMathSpeech};

} // namespace
} // namespace gendata
