#pragma once
// Pinyin as the Mandarin voice is given it, and the voice's phonemes read back.
//
// The voice (espeak-ng "cmn-latn-pinyin") reads pinyin with tone numbers right, one
// syllable a word ("lu4 zhai4"); a syllable without a number it may read as a letter.
// So every reading is turned into numbered syllables, the neutral tone as 5:
//
//   syllables(u"lù zhài")           -> {"lu4", "zhai4"}
//   syllables(u"shāfā")             -> {"sha1", "fa1"}      (joined words are split)
//   spokenLine(u"鹿柴。", {"lu4", "zhai4"}) -> "lu4 zhai4 。"
//
// The check of the spoken lines compares the syllables meant with the voice's phonemes
// (espeak-ng's mnemonics, as `espeak-ng -x` prints them), syllable by syllable.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tools::pinyin {

// One numbered syllable: letters a-z or ü, then a tone 1-5 ("lü4", "ma5").
bool isSyllable(const QString& s);

// The numbered syllables of pinyin written with tone marks or numbers, split on spaces,
// apostrophes, hyphens and punctuation; a joined word is split into as few real
// syllables as it can be. Words that are not pinyin are left out.
QStringList syllables(const QString& pinyin);

// What a big letter card of the pinyin lessons says ("á | 啊", "f | 佛", "ǔn | 稳"): the
// letters when they are a syllable of their own, in their tone (the first when none is
// marked); else the syllable of the card's character (`characterReading`, numbered), in
// the tone the letters mark.
QString letterReading(const QString& letters, const QString& characterReading);

// A pinyin letter group said the way the pinyin lessons teach it: an initial with its
// vowel ("b" -> "bo1", "f" -> "fo2", "zh" -> "zhi1"), a final or a syllable in the first
// tone ("ang" -> "ang1", "ü" -> "ü1"); empty for anything else.
QString letterSyllable(const QString& letters);

// `text` with the pinyin letters written against Chinese characters ("单韵母a",
// "声母zh") put as the syllables they are said as ("单韵母 a1 "); English words, which
// stand apart from the characters, are left alone.
QString lettersSaid(const QString& text);

// `text` with its Chinese characters replaced by `readings` in turn, punctuation and
// everything else kept (the voice pauses at the punctuation). When the counts differ,
// the readings alone.
QString spokenLine(const QString& text, const QStringList& readings);

// Arabic numbers written in Chinese, as they are read: "10月1日" -> "十月一日",
// "25" -> "二十五", "3.5" -> "三点五", "2024年" -> "二零二四年".
QString numbersInChinese(const QString& text);

// A reading cut where its voice changes: the English stretches (Latin words and letters
// that are no numbered syllable: "E", "ABC", "doll") are said by the English voice, the
// rest by the Mandarin one.
//   voicePieces(u"zi4 mu3 E he2") -> {"zi4 mu3 ", Mandarin}, {"E", English}, {" he2", Mandarin}
struct Piece {
    QString text;
    bool english = false;
    bool operator==(const Piece&) const = default;
};
std::vector<Piece> voicePieces(const QString& reading);

// Code points that are Chinese characters.
int hanCount(const QString& text);

// One syllable as the voice said it: its sound (phoneme mnemonics without stress and
// tone) and its tone, 1-4, or 5 for a neutral (short, level) one.
struct Heard {
    QString sound;
    int tone = 0;
    bool operator==(const Heard&) const = default;
};

// The syllables of the voice's phonemes. English stretches ("(en)...(cmn)") are left
// out; a nasal after the tone belongs to the syllable before it.
std::vector<Heard> heardSyllables(const QString& phonemes);

// Where the syllables meant (`meant`, numbered) and the syllables heard part: empty
// when they agree, else a message naming the first syllable that differs or is doubled.
// `soundOf` gives the sound of a numbered syllable as the voice says it alone. A third
// tone heard as a second before another third is the voice's tone change, not a fault.
QString compare(const QStringList& meant, const std::vector<Heard>& heard,
                const std::function<QString(const QString&)>& soundOf);

} // namespace tools::pinyin
