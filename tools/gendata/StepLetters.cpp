// Data of the letters and the phonetic symbols: the example words' pictures (items of
// "Data/kjfile/pic.dat", 202x202 JPG, named by the word), the spoken example words
// "Data/Sound/apple.mp3"... (the letters are spoken by the language step), the keyboard game's
// "Data/bgsnd/ding.wav", and the pack "Data/kjfile/ENG_XYB.dat" with a movie per
// phonetic group ("Y1".."Y6" vowels, "F1".."F7" consonants) that shows each symbol
// with an example word and speaks it.
#include "tools/gendata/Generator.h"
#include "tools/gendata/LanguageMedia.h"
#include "tools/gendata/Packs.h"
#include "tools/gendata/Speech.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/PackWriter.h"
#include "tools/lib/SwfWriter.h"
#include "tools/lib/Synth.h"
#include "tools/lib/WavWriter.h"

namespace gendata {

using namespace tools::art;

namespace {

// The pictures of the 26 example words in the shared pack "pic.dat".
const AddToPack words{
    "Data/kjfile/pic.dat", "letters", [](Output& out) {
        QList<PackItem> items;
        int i = 0;
        for (const QStringList& row : contentRows(out, QStringLiteral("letters/words.txt")))
            items.append(
                {row[0], QStringLiteral("JPG"),
                 jpeg(pictureCard({202, 202}, row.value(1), row[0], paletteColour(i++)), 88)});
        return items;
    }};

using tools::Pose;
using tools::ShapeFill;
using tools::ShapeLine;
using tools::SwfShape;
using tools::SwfWriter;

struct Symbol {
    const char* ipa;     // as shown
    const char* speak;   // espeak-ng phonemes
    const char* example; // an English word with the sound
};

// Vowel groups 1..6, then consonant groups 1..7.
const std::vector<std::vector<Symbol>>& groups() {
    static const std::vector<std::vector<Symbol>> g = {
        {{"iː", "i:", "see"}, {"ɪ", "I", "sit"}, {"e", "E", "bed"}, {"æ", "a", "cat"}},
        {{"ɑː", "A:", "car"}, {"ʌ", "V", "cup"}, {"ɒ", "0", "hot"}, {"ɔː", "O:", "ball"}},
        {{"uː", "u:", "food"}, {"ʊ", "U", "book"}, {"ɜː", "3:", "bird"}, {"ə", "@", "ago"}},
        {{"eɪ", "eI", "cake"}, {"aɪ", "aI", "bike"}, {"ɔɪ", "OI", "boy"}},
        {{"aʊ", "aU", "cow"}, {"əʊ", "oU", "go"}},
        {{"ɪə", "i@", "ear"}, {"eə", "e@", "hair"}, {"ʊə", "U@", "tour"}},
        {{"p", "p@", "pen"}, {"b", "b@", "bag"}, {"t", "t@", "ten"}, {"d", "d@", "dog"}},
        {{"k", "k@", "kite"}, {"g", "g@", "girl"}, {"f", "f@", "fish"}, {"v", "v@", "van"}},
        {{"θ", "T@", "three"}, {"ð", "D@", "this"}, {"s", "s@", "sun"}, {"z", "z@", "zoo"}},
        {{"ʃ", "S@", "ship"}, {"ʒ", "Z@", "measure"}, {"h", "h@", "hat"}, {"r", "r@", "red"}},
        {{"tʃ", "tS@", "chair"},
         {"dʒ", "dZ@", "jump"},
         {"tr", "tr@", "tree"},
         {"dr", "dr@", "dress"}},
        {{"ts", "ts@", "cats"},
         {"dz", "dz@", "beds"},
         {"m", "m@", "map"},
         {"n", "n@", "nose"},
         {"ŋ", "N", "sing"}},
        {{"l", "l@", "leg"}, {"w", "w@", "water"}, {"j", "j@", "yes"}},
    };
    return g;
}

constexpr QSize kStage(620, 500);
constexpr qreal kRate = 12;
constexpr int kPerSymbol = 36; // three seconds each

QFont ipaFont(qreal px) {
    QFont f;
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans")});
    f.setPixelSize(int(px));
    f.setBold(true);
    return f;
}

SwfShape& addText(SwfShape& s, const QString& text, const QFont& font, QPointF centre,
                  const QColor& fill, const QColor& outline, qreal width) {
    QPainterPath path = textPath(text, font);
    path.translate(centre);
    return s.add(path, ShapeFill::solid(fill), ShapeLine{width, outline});
}

QByteArray groupMovie(Output& out, bool vowels, int number, const std::vector<Symbol>& symbols) {
    const QColor colour = vowels ? QColor(0xf0, 0x5a, 0x46) : QColor(0x2e, 0x7c, 0xe0);
    SwfWriter w(kStage, kRate, 8);
    w.setCompression('C');
    w.setBackgroundColor(mix(colour, Qt::white, 0.85));
    tools::SwfTimeline& root = w.root();
    const int total = int(symbols.size()) * kPerSymbol + 12;
    root.ensureFrames(total);

    SwfShape board;
    board.roundedRect(QRectF(20, 70, 580, 330), 34, ShapeFill::solid(QColor(0xff, 0xfd, 0xf6)),
                      ShapeLine{6, colour});
    const QString title = (vowels ? QStringLiteral("元音 · 第") : QStringLiteral("辅音 · 第")) +
                          QString("一二三四五六七").at(number - 1) + QStringLiteral("组");
    board.roundedRect(QRectF(170, 12, 280, 48), 24, ShapeFill::solid(colour),
                      ShapeLine{3, Qt::white});
    addText(board, title, cjkFont(28, QFont::Black), {310, 36}, Qt::white, shade(colour, -0.5),
            1.2);
    root.place(0, 1, w.defineShape(board));

    const qreal chipW = 560.0 / symbols.size();
    for (size_t k = 0; k < symbols.size(); ++k) {
        const Symbol& s = symbols[k];
        const QString ipa = QStringLiteral("/") + QString::fromUtf8(s.ipa) + QStringLiteral("/");
        SwfShape card;
        addText(card, ipa, ipaFont(120), {0, -40}, colour, shade(colour, -0.5), 3);
        addText(card, QString::fromLatin1(s.example), ipaFont(54), {0, 90},
                QColor(0x3a, 0x46, 0x6e), Qt::white, 1.5);
        const int cardId = w.defineShape(card);
        const int first = int(k) * kPerSymbol;
        const QPointF at(310, 225);
        root.tween(2, cardId, first, 6, Pose::at(at, 0.2, 0.2), Pose::at(at, 1.08));
        root.tween(2, cardId, first + 6, 3, Pose::at(at, 1.08), Pose::at(at));
        const QString said = QStringLiteral("[[") + QString::fromLatin1(s.speak) +
                             QStringLiteral("]], ") + QString::fromLatin1(s.example);
        root.startSound(first, w.defineSound(speak(out, said, Voice::English)));
        // The symbol stays as a chip along the bottom once it has been said.
        SwfShape chip;
        chip.roundedRect(QRectF(-chipW / 2 + 6, -30, chipW - 12, 60), 18,
                         ShapeFill::solid(mix(colour, Qt::white, 0.3)), ShapeLine{3, Qt::white});
        addText(chip, ipa, ipaFont(34), {}, Qt::white, shade(colour, -0.5), 1);
        root.place(first + kPerSymbol - 1, 3 + int(k), w.defineShape(chip),
                   QTransform::fromTranslate(30 + chipW * (k + 0.5), 450));
    }
    root.stop(total - 1);
    return w.finish();
}

std::vector<float> dingSound() {
    tools::Synth synth(44100);
    std::vector<tools::Note> notes = {{0.0, 0.35, 88, 0.8}, {0.06, 0.3, 95, 0.5}};
    std::vector<float> buf = synth.render(notes, tools::Timbre::Bell, 0.45, false);
    tools::Synth::normalize(buf, 0.8f);
    return buf;
}

void makeLetters(Output& out) {
    for (const QStringList& row : contentRows(out, QStringLiteral("letters/words.txt"))) {
        const QString file = QStringLiteral("Data/Sound/") + row[0] + QStringLiteral(".mp3");
        if (!spokenByLanguageStep(out, file))
            out.writeData(file, speak(out, row[0], Voice::English));
    }
    out.writeData(QStringLiteral("Data/bgsnd/ding.wav"), tools::makeWav(dingSound(), 44100, 2));

    tools::PackWriter pack;
    const auto& g = groups();
    for (int i = 0; i < int(g.size()); ++i) {
        const bool vowels = i < 6;
        const int number = vowels ? i + 1 : i - 5;
        pack.add((vowels ? QStringLiteral("Y") : QStringLiteral("F")) + QString::number(number),
                 QStringLiteral("Flash"), groupMovie(out, vowels, number, g[size_t(i)]));
    }
    out.writeData(QStringLiteral("Data/kjfile/ENG_XYB.dat"), pack.build());
}

const RegisterStep step{"letters", &makeLetters};

} // namespace
} // namespace gendata
