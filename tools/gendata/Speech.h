#pragma once
// Speech of the demo data: text spoken by espeak-ng and kept as a small mono MP3
// (11.025 kHz, 16 kbit/s), cached by the generator so that a rerun speaks only new
// texts. Both run inside the generator (no process per line). Safe to call from several
// threads at once; the speaking itself is one text at a time.
//
//   out.writeData("Data/Sound/ReadNumber/3.mp3", gendata::speak(out, QStringLiteral("三")));
//   const QByteArray word = gendata::speak(out, QStringLiteral("apple"), gendata::Voice::English);
//   speak(out, QStringLiteral("鹿柴"), Voice::Mandarin, 140, QStringLiteral("lù zhài"));
//
// Mandarin is spoken from its reading, never from the characters (the voice has one
// reading a character and doubles the last syllable of some words): the pinyin given,
// or else the reading of the pinyin library (tools/gendata/reading.js) with our own
// corrections in content/chinese/readings.txt and the readings reviewed by hand in
// content/chinese/polyphones.txt. Every Mandarin line is noted in the build's record of
// what it spoke, with where it came from (see SpokenAt). Latin letters and English words
// in a Mandarin line are said by the English voice ("字母 E" as the letter's name).
//
// Throws std::runtime_error when espeak-ng, lame or the reader fails.

#include "tools/gendata/Generator.h"

namespace gendata {

enum class Voice {
    Mandarin, // espeak-ng "cmn-latn-pinyin", given numbered pinyin
    English,  // espeak-ng "en"
};

QByteArray speak(Output& out, const QString& text, Voice voice = Voice::Mandarin,
                 int wordsPerMinute = 140, const QString& pinyin = {});

// What the Mandarin voice is given for `text`: its syllables with tone numbers, the
// punctuation between them kept ("lu4 zhai4 。"); from `pinyin` when it is given.
QString mandarinReading(Output& out, const QString& text, const QString& pinyin = {});

// The same with how it was found, for the record of what the build spoke.
struct MandarinReading {
    QString said;
    QString readFrom;     // the text the reader read; empty when pinyin was given
    QString hanSyllables; // the reader's syllable of each Chinese character of `readFrom`
};
MandarinReading readMandarin(Output& out, const QString& text, const QString& pinyin = {});

// Notes a Mandarin line that is spoken by other means: `text` said as `reading.said`,
// where the innermost SpokenAt names.
void noteSpoken(Output& out, const QString& text, const MandarinReading& reading);

// Changes whenever a reading may change (our table, the reader, the library's version):
// part of the cache key of whatever keeps speech made from readings.
QString readingsVersion(Output& out);

// Names where the lines spoken on this thread come from, while it lives
// ("content/lessons/gushi/026.txt:12"); the innermost one counts.
class SpokenAt {
public:
    explicit SpokenAt(const QString& where);
    ~SpokenAt();
    void moveTo(const QString& where); // the next lines come from here
    SpokenAt(const SpokenAt&) = delete;
    SpokenAt& operator=(const SpokenAt&) = delete;

private:
    QString before_;
};

} // namespace gendata
