// The SWF reader and rewriter on arbitrary bytes: no crash, no read out of bounds,
// and whatever parses survives a write and a second read unchanged.
#include "flashhost/swf/Swf.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

bool sameTags(const swf::Movie& a, const swf::Movie& b) {
    return a.tags.size() == b.tags.size() &&
           std::equal(a.tags.begin(), a.tags.end(), b.tags.begin(),
                      [](const swf::Tag& x, const swf::Tag& y) {
                          return x.code == y.code && x.body == y.body;
                      });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)swf::version(bytes);
    QString error;
    const std::optional<swf::Movie> movie = swf::parse(bytes, &error);
    if (!movie)
        return 0;

    const QByteArray written = swf::serialize(*movie);
    const std::optional<swf::Movie> again = swf::parse(written);
    if (!again || !sameTags(*movie, *again) ||
        again->header.frameCount != movie->header.frameCount ||
        again->header.frameSize.xmax != movie->header.frameSize.xmax ||
        again->header.frameSize.ymin != movie->header.frameSize.ymin)
        std::abort();

    static const QByteArray kActions = QByteArray::fromHex("96030000610007");
    const std::optional<QByteArray> injected = swf::injectFrameOneActions(bytes, kActions);
    if (injected) {
        const std::optional<swf::Movie> patched = swf::parse(*injected);
        if (!patched || patched->tags.size() != movie->tags.size() + 1)
            std::abort();
        const auto frame =
            std::find_if(patched->tags.begin(), patched->tags.end(),
                         [](const swf::Tag& t) { return t.code == swf::kTagShowFrame; });
        if (frame == patched->tags.begin() || (frame - 1)->code != swf::kTagDoAction ||
            (frame - 1)->body != kActions + QByteArray(1, '\0'))
            std::abort();
        // The player's uncompressed copy holds the same tags.
        const auto flat = swf::injectFrameOneActions(bytes, kActions, nullptr, true);
        const std::optional<swf::Movie> flatMovie = flat ? swf::parse(*flat) : std::nullopt;
        if (!flatMovie || flat->at(0) != 'F' || !sameTags(*patched, *flatMovie))
            std::abort();
    }
    return 0;
}
