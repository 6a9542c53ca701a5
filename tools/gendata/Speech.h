#pragma once
// Speech of the demo data: text spoken by espeak-ng and kept as a small mono MP3
// (11.025 kHz, 16 kbit/s), cached by the generator so that a rerun speaks only new
// texts. Both run inside the generator (no process per line). Safe to call from several
// threads at once; the speaking itself is one text at a time.
//
//   out.writeData("Data/Sound/ReadNumber/3.mp3", gendata::speak(out, QStringLiteral("三")));
//   const QByteArray word = gendata::speak(out, QStringLiteral("apple"), gendata::Voice::English);
//
// Throws std::runtime_error when espeak-ng or lame fails.

#include "tools/gendata/Generator.h"

namespace gendata {

enum class Voice {
    Mandarin, // espeak-ng "cmn-latn-pinyin": Chinese text as UTF-8 (its whole dictionary; Latin as
              // pinyin)
    English,  // espeak-ng "en"
};

QByteArray speak(Output& out, const QString& text, Voice voice = Voice::Mandarin,
                 int wordsPerMinute = 140);

} // namespace gendata
