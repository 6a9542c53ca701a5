#include "tools/lib/CursorWriter.h"

#include <algorithm>

namespace tools {
namespace {

void put16(QByteArray& out, quint32 v) {
    out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& out, quint32 v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void chunk(QByteArray& out, const char* id, const QByteArray& data) {
    out.append(id, 4);
    put32(out, quint32(data.size()));
    out.append(data);
    if (data.size() % 2)
        out.append('\0');
}

// BITMAPINFOHEADER, bottom-up BGRA rows, then the 1-bit AND mask (rows padded to 4 bytes).
QByteArray dib(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray out;
    put32(out, 40);
    put32(out, quint32(w));
    put32(out, quint32(2 * h));
    put16(out, 1);
    put16(out, 32);
    put32(out, 0); // BI_RGB
    put32(out, quint32(w * h * 4 + maskStride * h));
    for (int i = 0; i < 4; ++i)
        put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            // 0xAARRGGBB is B, G, R, A in little-endian order. Clear pixels are written
            // as zero: an image that is clear throughout must not turn into its colours.
            put32(out, qAlpha(row[x]) == 0 ? 0u : row[x]);
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray mask(maskStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(row[x]) == 0)
                mask[x / 8] = char(mask[x / 8] | (0x80 >> (x % 8)));
        out.append(mask);
    }
    return out;
}

} // namespace

QByteArray writeCur(const QImage& image, QPoint hotspot) {
    if (image.isNull() || image.width() > 256 || image.height() > 256)
        return {};
    const QByteArray bitmap = dib(image);
    QByteArray out;
    put16(out, 0);
    put16(out, 2); // cursor
    put16(out, 1);
    out.append(char(image.width() & 0xFF)).append(char(image.height() & 0xFF)); // 256 is 0
    out.append('\0').append('\0');
    put16(out, quint32(std::clamp(hotspot.x(), 0, image.width() - 1)));
    put16(out, quint32(std::clamp(hotspot.y(), 0, image.height() - 1)));
    put32(out, quint32(bitmap.size()));
    put32(out, 6 + 16);
    out.append(bitmap);
    return out;
}

QByteArray writeAni(const std::vector<AniFrame>& frames) {
    if (frames.empty())
        return {};
    const auto n = quint32(frames.size());
    QByteArray header;
    put32(header, 36);
    put32(header, n); // frames
    put32(header, n); // steps
    put32(header, quint32(frames.front().image.width()));
    put32(header, quint32(frames.front().image.height()));
    put32(header, 32); // bit count
    put32(header, 1);  // planes
    put32(header, quint32(frames.front().jiffies));
    put32(header, 1); // frames are icons, no sequence
    QByteArray rate;
    QByteArray list("fram");
    for (const AniFrame& f : frames) {
        put32(rate, quint32(std::max(f.jiffies, 1)));
        chunk(list, "icon", writeCur(f.image, f.hotspot));
    }
    QByteArray body("ACON");
    chunk(body, "anih", header);
    chunk(body, "rate", rate);
    chunk(body, "LIST", list);
    QByteArray out;
    chunk(out, "RIFF", body);
    return out;
}

} // namespace tools
