// The cursor loader on arbitrary bytes: no crash, and whatever it returns is sane.
#include "platform/CursorLoader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::vector<platform::CursorImage> frames = platform::loadCursorFrames(bytes);
    if (frames.size() > 1000)
        std::abort();
    for (const platform::CursorImage& f : frames) {
        const QImage& i = f.image;
        if (i.isNull() || i.width() > 256 || i.height() > 256 || !i.rect().contains(f.hotspot) ||
            f.delayMs < 0)
            std::abort();
    }
    return 0;
}
