#pragma once
// Speech of the language steps: MP3 bytes of a text in a voice of espeak-ng
// ("cmn" Mandarin, "en" English), low bit rate, cached.
#include "tools/gendata/Generator.h"

namespace gendata {
QByteArray speakLanguage(Output& out, const QString& voice, const QString& text);
}
