#include "platform/CursorLoader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace platform {
namespace {

constexpr int kMaxSide = 256;
constexpr uint32_t kMaxFrames = 1000;
constexpr int64_t kMaxTotalPixels = 4 * 1024 * 1024; // all frames of one animation
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;
constexpr uint32_t kMaxJiffies = 60 * 60; // one step shows at most a minute

// Little-endian reads that fail instead of reading past the end.
class Bytes {
public:
    explicit Bytes(QByteArrayView data) : d_(data) {}
    qsizetype size() const { return d_.size(); }
    bool has(int64_t offset, int64_t length) const {
        return offset >= 0 && length >= 0 && offset <= d_.size() && length <= d_.size() - offset;
    }
    std::optional<uint32_t> u8(int64_t at) const {
        if (!has(at, 1))
            return std::nullopt;
        return static_cast<uint8_t>(d_[at]);
    }
    std::optional<uint32_t> u16(int64_t at) const {
        if (!has(at, 2))
            return std::nullopt;
        return byte(at) | byte(at + 1) << 8;
    }
    std::optional<uint32_t> u32(int64_t at) const {
        if (!has(at, 4))
            return std::nullopt;
        return byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24;
    }
    bool tagAt(int64_t at, const char (&tag)[5]) const {
        return has(at, 4) && d_.sliced(at, 4) == QByteArrayView(tag, 4);
    }
    QByteArrayView slice(int64_t at, int64_t length) const { return d_.sliced(at, length); }

private:
    uint32_t byte(int64_t at) const { return static_cast<uint8_t>(d_[at]); }
    QByteArrayView d_;
};

// ---- DIB images inside an icon directory --------------------------------------------

struct Dib {
    uint32_t headerSize;
    int width, height; // height of the colour image (half the stored height)
    int bpp;
    uint32_t paletteSize;
};

std::optional<Dib> readDibHeader(const Bytes& b) {
    const auto headerSize = b.u32(0), width = b.u32(4), height = b.u32(8), bpp = b.u16(14),
               compression = b.u32(16), colorsUsed = b.u32(32);
    if (!headerSize || !colorsUsed || *headerSize < 40 || !b.has(0, *headerSize))
        return std::nullopt;
    const auto w = static_cast<int32_t>(*width), h2 = static_cast<int32_t>(*height);
    // The stored height covers the colour image and the mask beneath it.
    if (w < 1 || w > kMaxSide || h2 < 2 || h2 % 2 != 0 || h2 / 2 > kMaxSide || *compression != 0)
        return std::nullopt;
    const int depth = static_cast<int>(*bpp);
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24 && depth != 32)
        return std::nullopt;
    uint32_t palette = 0;
    if (depth <= 8) {
        palette = *colorsUsed == 0 ? 1u << depth : *colorsUsed;
        if (palette > (1u << depth))
            return std::nullopt;
    }
    return Dib{*headerSize, w, h2 / 2, depth, palette};
}

int64_t stride(int width, int bpp) {
    return ((int64_t(width) * bpp + 31) / 32) * 4;
}

QImage decodeDib(const Bytes& b) {
    const std::optional<Dib> dib = readDibHeader(b);
    if (!dib)
        return {};
    const int w = dib->width, h = dib->height;
    const int64_t paletteAt = dib->headerSize;
    const int64_t colorAt = paletteAt + 4 * int64_t(dib->paletteSize);
    const int64_t colorStride = stride(w, dib->bpp), maskStride = stride(w, 1);
    const int64_t maskAt = colorAt + colorStride * h;
    if (!b.has(paletteAt, 4 * int64_t(dib->paletteSize)) || !b.has(colorAt, colorStride * h))
        return {};
    // A 32-bit image carries its own alpha and may come without a mask.
    const bool hasMask = b.has(maskAt, maskStride * h);
    if (!hasMask && (dib->bpp != 32 || b.size() > maskAt))
        return {};

    auto paletteColor = [&](uint32_t index) -> QRgb {
        if (index >= dib->paletteSize)
            return qRgb(0, 0, 0);
        const int64_t at = paletteAt + 4 * int64_t(index);
        return qRgb(int(*b.u8(at + 2)), int(*b.u8(at + 1)), int(*b.u8(at)));
    };

    QImage image(w, h, QImage::Format_ARGB32);
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        const int64_t row = colorAt + colorStride * (h - 1 - y); // rows are stored bottom-up
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            QRgb c;
            switch (dib->bpp) {
            case 1:
                c = paletteColor((*b.u8(row + x / 8) >> (7 - x % 8)) & 1);
                break;
            case 4:
                c = paletteColor((*b.u8(row + x / 2) >> (x % 2 ? 0 : 4)) & 0xF);
                break;
            case 8:
                c = paletteColor(*b.u8(row + x));
                break;
            case 24: {
                const int64_t p = row + 3 * int64_t(x);
                c = qRgb(int(*b.u8(p + 2)), int(*b.u8(p + 1)), int(*b.u8(p)));
                break;
            }
            default: {
                const int64_t p = row + 4 * int64_t(x);
                c = qRgba(int(*b.u8(p + 2)), int(*b.u8(p + 1)), int(*b.u8(p)), int(*b.u8(p + 3)));
                anyAlpha = anyAlpha || qAlpha(c) != 0;
            }
            }
            out[x] = c;
        }
    }
    if (dib->bpp == 32 && anyAlpha)
        return image;
    for (int y = 0; y < h; ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        const int64_t row = maskAt + maskStride * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const bool masked = hasMask && ((*b.u8(row + x / 8) >> (7 - x % 8)) & 1);
            const QRgb c = out[x] | 0xFF000000u;
            // A masked pixel with a colour inverts the screen, which a colour cursor
            // cannot do; black keeps it visible on the light windows of the program.
            if (!masked)
                out[x] = c;
            else
                out[x] = (c & 0x00FFFFFFu) == 0 ? 0u : qRgb(0, 0, 0);
        }
    }
    return image;
}

// Width and height from the PNG header, checked before the decoder sees the data.
bool pngHeaderFits(const Bytes& b) {
    auto bigEndian = [&](int64_t at) {
        return *b.u8(at) << 24 | *b.u8(at + 1) << 16 | *b.u8(at + 2) << 8 | *b.u8(at + 3);
    };
    if (!b.has(0, 24) || !b.tagAt(12, "IHDR"))
        return false;
    const uint32_t w = bigEndian(16), h = bigEndian(20);
    return w >= 1 && w <= kMaxSide && h >= 1 && h <= kMaxSide;
}

QImage decodePng(QByteArrayView data) {
    if (!pngHeaderFits(Bytes(data)))
        return {};
    QByteArray bytes = data.toByteArray();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() < 1 || size.height() < 1 || size.width() > kMaxSide ||
        size.height() > kMaxSide)
        return {};
    QImage image = reader.read();
    if (image.isNull() || image.size() != size)
        return {};
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool isPng(QByteArrayView data) {
    return data.startsWith("\x89PNG\r\n\x1a\n");
}

// ---- icon directories (.cur, .ico) --------------------------------------------------

std::optional<CursorImage> decodeIconDirectory(const Bytes& b) {
    const auto reserved = b.u16(0), type = b.u16(2), count = b.u16(4);
    if (!count || *reserved != 0 || (*type != 1 && *type != 2) || *count == 0 ||
        !b.has(6, 16 * int64_t(*count)))
        return std::nullopt;
    // Every entry must lie inside the file; the one nearest the usual 32 pixels is shown.
    int best = -1;
    int bestScore = 0;
    for (uint32_t i = 0; i < *count; ++i) {
        const int64_t e = 6 + 16 * int64_t(i);
        const uint32_t length = *b.u32(e + 8), offset = *b.u32(e + 12);
        if (length < 8 || !b.has(offset, length))
            return std::nullopt;
        const int side = *b.u8(e) == 0 ? 256 : int(*b.u8(e));
        const Bytes image(b.slice(offset, length));
        const int depth = isPng(b.slice(offset, length)) ? 32 : int(image.u16(14).value_or(0));
        const int score = std::abs(side - 32) * 64 - depth;
        if (best < 0 || score < bestScore) {
            best = static_cast<int>(i);
            bestScore = score;
        }
    }
    const int64_t e = 6 + 16 * int64_t(best);
    const QByteArrayView data = b.slice(*b.u32(e + 12), *b.u32(e + 8));
    CursorImage frame;
    frame.image = isPng(data) ? decodePng(data) : decodeDib(Bytes(data));
    if (frame.image.isNull())
        return std::nullopt;
    const int w = frame.image.width(), h = frame.image.height();
    if (*type == 2)
        frame.hotspot =
            QPoint(std::min<int>(*b.u16(e + 4), w - 1), std::min<int>(*b.u16(e + 6), h - 1));
    else
        frame.hotspot = QPoint(w / 2, h / 2); // an icon used as a cursor points with its centre
    return frame;
}

// ---- animated cursors (RIFF "ACON") -------------------------------------------------

struct AniChunks {
    std::optional<int64_t> header; // offset of the "anih" data
    std::optional<std::pair<int64_t, uint32_t>> rate, seq;
    std::vector<std::pair<int64_t, uint32_t>> icons;
};

// Walks chunks in [begin, end); `visit` gets (id offset, data offset, data size) and
// returns false to stop with an error.
template <typename Visit> bool walkChunks(const Bytes& b, int64_t begin, int64_t end, Visit visit) {
    int64_t at = begin;
    while (at < end) {
        if (end - at < 8)
            return false;
        const uint32_t size = *b.u32(at + 4);
        if (size > end - at - 8)
            return false;
        if (!visit(at, at + 8, size))
            return false;
        at = std::min<int64_t>(end, at + 8 + size + (size & 1)); // chunks are word-aligned
    }
    return true;
}

std::optional<AniChunks> readAniChunks(const Bytes& b) {
    const auto riffSize = b.u32(4);
    if (!b.tagAt(0, "RIFF") || !riffSize || *riffSize < 4 || !b.has(8, *riffSize) ||
        !b.tagAt(8, "ACON"))
        return std::nullopt;
    AniChunks c;
    const bool ok =
        walkChunks(b, 12, 8 + int64_t(*riffSize), [&](int64_t id, int64_t data, uint32_t size) {
            if (b.tagAt(id, "anih")) {
                if (size < 36 || c.header)
                    return false;
                c.header = data;
            } else if (b.tagAt(id, "rate")) {
                c.rate = {data, size};
            } else if (b.tagAt(id, "seq ")) {
                c.seq = {data, size};
            } else if (b.tagAt(id, "LIST") && size >= 4 && b.tagAt(data, "fram")) {
                return walkChunks(b, data + 4, data + size,
                                  [&](int64_t sub, int64_t subData, uint32_t subSize) {
                                      if (b.tagAt(sub, "icon")) {
                                          if (c.icons.size() >= kMaxFrames)
                                              return false;
                                          c.icons.emplace_back(subData, subSize);
                                      }
                                      return true;
                                  });
            }
            return true;
        });
    if (!ok || !c.header)
        return std::nullopt;
    return c;
}

int jiffiesToMs(uint32_t jiffies) {
    return static_cast<int>(std::clamp<uint32_t>(jiffies, 1, kMaxJiffies) * 1000 / 60);
}

std::vector<CursorImage> decodeAni(const Bytes& b) {
    const std::optional<AniChunks> c = readAniChunks(b);
    if (!c)
        return {};
    const uint32_t frames = *b.u32(*c->header + 4), declaredSteps = *b.u32(*c->header + 8),
                   displayRate = *b.u32(*c->header + 28);
    if (frames < 1 || frames > kMaxFrames || c->icons.size() < frames)
        return {};
    // Without a sequence the frames show in order, one step each.
    const uint32_t steps = c->seq ? declaredSteps : frames;
    if (steps < 1 || steps > kMaxFrames)
        return {};
    if ((c->seq && c->seq->second / 4 < steps) || (c->rate && c->rate->second / 4 < steps))
        return {};

    std::vector<CursorImage> decoded;
    int64_t pixels = 0;
    for (uint32_t i = 0; i < frames; ++i) {
        const auto [at, size] = c->icons[i];
        std::optional<CursorImage> frame = decodeIconDirectory(Bytes(b.slice(at, size)));
        if (!frame)
            return {};
        pixels += int64_t(frame->image.width()) * frame->image.height();
        if (pixels > kMaxTotalPixels)
            return {};
        decoded.push_back(std::move(*frame));
    }
    std::vector<CursorImage> out;
    out.reserve(steps);
    for (uint32_t s = 0; s < steps; ++s) {
        const uint32_t index = c->seq ? *b.u32(c->seq->first + 4 * int64_t(s)) : s;
        if (index >= frames)
            return {};
        CursorImage step = decoded[index];
        step.delayMs = jiffiesToMs(c->rate ? *b.u32(c->rate->first + 4 * int64_t(s)) : displayRate);
        out.push_back(std::move(step));
    }
    return out;
}

} // namespace

std::vector<CursorImage> loadCursorFrames(const QByteArray& bytes) {
    const Bytes b(bytes);
    if (b.tagAt(0, "RIFF"))
        return decodeAni(b);
    std::optional<CursorImage> frame = decodeIconDirectory(b);
    if (!frame)
        return {};
    return {std::move(*frame)};
}

std::vector<CursorImage> loadCursorFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxFileSize)
        return {};
    const QByteArray bytes = f.readAll();
    return bytes.size() > kMaxFileSize ? std::vector<CursorImage>() : loadCursorFrames(bytes);
}

QCursor loadCursor(const QString& path, const QCursor& fallback) {
    const std::vector<CursorImage> frames = loadCursorFile(path);
    if (frames.empty())
        return fallback;
    const CursorImage& f = frames.front();
    return QCursor(QPixmap::fromImage(f.image), f.hotspot.x(), f.hotspot.y());
}

AnimatedCursor::AnimatedCursor(std::vector<CursorImage> frames, QObject* parent) : QObject(parent) {
    for (const CursorImage& f : frames) {
        cursors_.emplace_back(QPixmap::fromImage(f.image), f.hotspot.x(), f.hotspot.y());
        delays_.push_back(std::max(f.delayMs, 16));
    }
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { advance(); });
}

QCursor AnimatedCursor::currentCursor() const {
    return cursors_.empty() ? QCursor() : cursors_[static_cast<size_t>(current_)];
}

void AnimatedCursor::attach(QWidget* widget) {
    if (!widget || cursors_.empty())
        return;
    widget->setCursor(currentCursor());
    if (std::find(widgets_.begin(), widgets_.end(), widget) == widgets_.end())
        widgets_.emplace_back(widget);
    if (cursors_.size() > 1 && !timer_.isActive())
        timer_.start(delays_[static_cast<size_t>(current_)]);
}

void AnimatedCursor::detach(QWidget* widget) {
    std::erase_if(widgets_,
                  [widget](const QPointer<QWidget>& w) { return w.isNull() || w == widget; });
    if (widgets_.empty())
        timer_.stop();
}

void AnimatedCursor::advance() {
    const QCursor previous = currentCursor();
    std::erase_if(widgets_, [&](const QPointer<QWidget>& w) {
        return w.isNull() || !w->testAttribute(Qt::WA_SetCursor) || !(w->cursor() == previous);
    });
    if (widgets_.empty())
        return;
    current_ = (current_ + 1) % frameCount();
    for (const QPointer<QWidget>& w : widgets_)
        w->setCursor(currentCursor());
    timer_.start(delays_[static_cast<size_t>(current_)]);
}

} // namespace platform
