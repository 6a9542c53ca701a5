#include "platform/Gbk.h"

#include <QList>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

// GB18030 is a superset of GBK that decodes every GBK byte sequence; for
// encoding, GBK keeps us within the two-byte range the old files can hold.
QByteArray convert(const char* to, const char* from, const QByteArray& in, const QByteArray& bad,
                   int badInputSkip) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out;
    out.reserve(in.size() * 2 + 8);
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = static_cast<size_t>(in.size());
    char buf[1024];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<qsizetype>(dst - buf));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (truncated sequence at the end): replace and skip.
            out.append(bad);
            size_t skip = std::min<size_t>(srcLeft, static_cast<size_t>(badInputSkip));
            src += skip;
            srcLeft -= skip;
        }
    }
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buf, static_cast<qsizetype>(dst - buf));
    iconv_close(cd);
    return out;
}

} // namespace

QByteArray toGbk(const QString& text) {
    // UTF-32 input lets an unencodable character be skipped as one unit.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "UTF-32LE is the host order");
    const QList<uint> ucs4 = text.toUcs4();
    QByteArray utf32(reinterpret_cast<const char*>(ucs4.constData()), ucs4.size() * 4);
    return convert("GBK", "UTF-32LE", utf32, "?", 4);
}

QString fromGbk(const QByteArray& bytes) {
    return QString::fromUtf8(convert("UTF-8", "GB18030", bytes, "\xEF\xBF\xBD", 1));
}

int gbkByteLength(const QString& text) {
    return static_cast<int>(toGbk(text).size());
}

} // namespace platform
