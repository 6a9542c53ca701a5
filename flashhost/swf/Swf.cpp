#include "flashhost/swf/Swf.h"

#include <algorithm>
#include <cstring>
#include <lzma.h>
#include <zlib.h>

namespace swf {
namespace {

constexpr int kHeaderSize = 8;     // signature, version, file length
constexpr int kLzmaHeaderSize = 9; // compressed length, 5 bytes of LZMA properties
constexpr int kFirstOutputChunk = 64 * 1024;

bool fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

quint16 readU16(const char* p) {
    return quint16(quint8(p[0]) | quint8(p[1]) << 8);
}

quint32 readU32(const char* p) {
    return quint32(quint8(p[0])) | quint32(quint8(p[1])) << 8 | quint32(quint8(p[2])) << 16 |
           quint32(quint8(p[3])) << 24;
}

void appendU16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void appendU32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

// Grows `out` while the decoder produces, never past `expected`: a declared size is
// an upper bound, not a promise, so memory follows what really comes out.
bool growOutput(QByteArray& out, qsizetype produced, qsizetype expected) {
    if (produced < out.size())
        return true;
    if (out.size() >= expected)
        return false;
    const qsizetype next =
        std::min<qsizetype>(expected, std::max<qsizetype>(kFirstOutputChunk, out.size() * 2));
    out.resize(next);
    return true;
}

// zlib data after the 8-byte header; exactly `expected` bytes must come out.
bool inflateBody(const QByteArray& in, qsizetype offset, qsizetype expected, QByteArray& out,
                 QString* error) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return fail(error, QStringLiteral("zlib could not start"));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData() + offset));
    z.avail_in = uInt(in.size() - offset);
    qsizetype produced = 0;
    int rc = Z_OK;
    while (produced < expected) {
        growOutput(out, produced, expected);
        z.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
        z.avail_out = uInt(out.size() - produced);
        rc = inflate(&z, Z_NO_FLUSH);
        produced = out.size() - z.avail_out;
        if (rc == Z_STREAM_END || (rc != Z_OK && rc != Z_BUF_ERROR))
            break;
        if (rc == Z_BUF_ERROR && z.avail_in == 0)
            break; // input ran out
    }
    inflateEnd(&z);
    if (produced < expected) {
        return fail(error, rc == Z_DATA_ERROR ? QStringLiteral("corrupt zlib data")
                                              : QStringLiteral("compressed data ends early"));
    }
    out.truncate(expected);
    return true;
}

// One LZMA decoding pass with the dictionary limited to `dictSize`. Returns 1 on
// success, 0 on a definite failure, -1 when a larger dictionary might help.
int lzmaPass(const QByteArray& in, qsizetype offset, const lzma_options_lzma& declared,
             quint32 dictSize, qsizetype expected, QByteArray& out, QString* error) {
    lzma_options_lzma opts = declared;
    opts.dict_size = dictSize;
    opts.ext_flags = LZMA_LZMA1EXT_ALLOW_EOPM;
    opts.ext_size_low = quint32(expected);
    opts.ext_size_high = 0;
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1EXT, &opts}, {LZMA_VLI_UNKNOWN, nullptr}};
    lzma_stream s = LZMA_STREAM_INIT;
    if (lzma_raw_decoder(&s, filters) != LZMA_OK) {
        fail(error, QStringLiteral("unsupported LZMA properties"));
        return 0;
    }
    s.next_in = reinterpret_cast<const uint8_t*>(in.constData() + offset);
    s.avail_in = size_t(in.size() - offset);
    out.clear();
    qsizetype produced = 0;
    lzma_ret rc = LZMA_OK;
    while (produced < expected) {
        growOutput(out, produced, expected);
        s.next_out = reinterpret_cast<uint8_t*>(out.data() + produced);
        s.avail_out = size_t(out.size() - produced);
        rc = lzma_code(&s, s.avail_in ? LZMA_RUN : LZMA_FINISH);
        produced = out.size() - qsizetype(s.avail_out);
        if (rc != LZMA_OK)
            break;
        if (s.avail_in == 0 && s.avail_out != 0)
            break; // input ran out
    }
    lzma_end(&s);
    if (produced >= expected) {
        out.truncate(expected);
        return 1;
    }
    if (rc == LZMA_DATA_ERROR && produced >= qsizetype(dictSize))
        return -1; // a match may reach further back than the dictionary held
    fail(error, rc == LZMA_DATA_ERROR ? QStringLiteral("corrupt LZMA data")
                                      : QStringLiteral("compressed data ends early"));
    return 0;
}

// LZMA data as SWF stores it: UI32 compressed length, 5 property bytes, raw stream
// without a size field. The dictionary starts small and grows only when the data
// proves it needs more, so a header declaring a huge dictionary allocates nothing.
bool unlzmaBody(const QByteArray& in, qsizetype expected, QByteArray& out, QString* error) {
    if (in.size() < kHeaderSize + kLzmaHeaderSize)
        return fail(error, QStringLiteral("truncated LZMA header"));
    lzma_filter filter{LZMA_FILTER_LZMA1, nullptr};
    const auto* props = reinterpret_cast<const uint8_t*>(in.constData() + kHeaderSize + 4);
    if (lzma_properties_decode(&filter, nullptr, props, 5) != LZMA_OK)
        return fail(error, QStringLiteral("bad LZMA properties"));
    const lzma_options_lzma declared = *static_cast<lzma_options_lzma*>(filter.options);
    free(filter.options);
    if (declared.lc + declared.lp > LZMA_LCLP_MAX)
        return fail(error, QStringLiteral("bad LZMA properties"));

    const quint32 limit =
        std::min<quint64>(std::max<quint32>(declared.dict_size, LZMA_DICT_SIZE_MIN),
                          std::max<quint64>(quint64(expected), LZMA_DICT_SIZE_MIN));
    quint32 dict = std::min<quint32>(limit, 1u << 20);
    for (;;) {
        const int r =
            lzmaPass(in, kHeaderSize + kLzmaHeaderSize, declared, dict, expected, out, error);
        if (r >= 0)
            return r == 1; // a failure has said why
        if (dict >= limit)
            return fail(error, QStringLiteral("corrupt LZMA data"));
        dict = quint32(std::min<quint64>(limit, quint64(dict) * 8));
    }
}

class BitReader {
public:
    BitReader(const char* data, qsizetype size) : data_(data), size_(size) {}
    bool readUB(int bits, quint32& value) {
        value = 0;
        if (bits < 0 || bits > 32 || pos_ + bits > size_ * 8)
            return false;
        for (int i = 0; i < bits; ++i, ++pos_)
            value = (value << 1) | ((quint8(data_[pos_ >> 3]) >> (7 - (pos_ & 7))) & 1);
        return true;
    }
    bool readSB(int bits, int& value) {
        quint32 u = 0;
        if (!readUB(bits, u))
            return false;
        if (bits > 0 && bits < 32 && (u & (1u << (bits - 1))))
            u |= ~0u << bits;
        value = int(qint32(u));
        return true;
    }
    qsizetype bytesUsed() const { return (pos_ + 7) / 8; }

private:
    const char* data_;
    qsizetype size_;
    qsizetype pos_ = 0;
};

bool parseTags(const QByteArray& data, qsizetype pos, std::vector<Tag>& tags, QString* error) {
    const qsizetype size = data.size();
    while (pos < size) {
        if (size - pos < 2)
            return fail(error, QStringLiteral("truncated tag header"));
        const quint16 codeAndLength = readU16(data.constData() + pos);
        pos += 2;
        const quint16 code = codeAndLength >> 6;
        qsizetype length = codeAndLength & 0x3F;
        if (length == 0x3F) {
            if (size - pos < 4)
                return fail(error, QStringLiteral("truncated tag header"));
            length = readU32(data.constData() + pos);
            pos += 4;
        }
        if (length > size - pos)
            return fail(error, QStringLiteral("tag %1 runs past the end of the movie").arg(code));
        if (code == kTagEnd)
            return true;
        tags.push_back({code, data.mid(pos, length)});
        pos += length;
    }
    return true; // no End tag: the movie simply ends
}

bool isLongFormTag(quint16 code) {
    // Bitmap tags are written with the long header even when short, as players expect.
    return code == 6 || code == kTagDefineBitsLossless || code == kTagDefineBitsJpeg2 ||
           code == kTagDefineBitsJpeg3 || code == kTagDefineBitsLossless2 || code == 90;
}

QByteArray zlibCompress(const QByteArray& data) {
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(data.constData()), uLong(data.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        return {};
    out.truncate(qsizetype(size));
    return out;
}

// Raw LZMA1 with its 5 property bytes and no end marker: the header gives the size.
QByteArray lzmaCompress(const QByteArray& data, QByteArray& props) {
    lzma_options_lzma opts;
    if (lzma_lzma_preset(&opts, 6))
        return {};
    opts.dict_size = std::max<quint32>(LZMA_DICT_SIZE_MIN,
                                       std::min<quint64>(opts.dict_size, quint64(data.size())));
    opts.ext_flags = 0;
    opts.ext_size_low = quint32(data.size());
    opts.ext_size_high = 0;
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1EXT, &opts}, {LZMA_VLI_UNKNOWN, nullptr}};
    lzma_filter plain{LZMA_FILTER_LZMA1, &opts};
    props.resize(5);
    if (lzma_properties_encode(&plain, reinterpret_cast<uint8_t*>(props.data())) != LZMA_OK)
        return {};
    lzma_stream s = LZMA_STREAM_INIT;
    if (lzma_raw_encoder(&s, filters) != LZMA_OK)
        return {};
    QByteArray out(data.size() + data.size() / 2 + 1024, Qt::Uninitialized);
    s.next_in = reinterpret_cast<const uint8_t*>(data.constData());
    s.avail_in = size_t(data.size());
    lzma_ret rc = LZMA_OK;
    do {
        const size_t done = s.total_out;
        if (done == size_t(out.size()))
            out.resize(out.size() * 2);
        s.next_out = reinterpret_cast<uint8_t*>(out.data()) + done;
        s.avail_out = size_t(out.size()) - done;
        rc = lzma_code(&s, LZMA_FINISH);
    } while (rc == LZMA_OK);
    const qsizetype total = qsizetype(s.total_out);
    lzma_end(&s);
    if (rc != LZMA_STREAM_END)
        return {};
    out.truncate(total);
    return out;
}

} // namespace

void BitWriter::writeUB(quint32 value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
        acc_ = (acc_ << 1) | ((value >> i) & 1);
        if (++used_ == 8) {
            out_.append(char(acc_));
            acc_ = 0;
            used_ = 0;
        }
    }
}

void BitWriter::writeSB(qint32 value, int bits) {
    writeUB(quint32(value) & (bits >= 32 ? ~0u : (1u << bits) - 1), bits);
}

void BitWriter::flush() {
    if (used_ > 0)
        writeUB(0, 8 - used_);
}

QByteArray BitWriter::bytes() {
    flush();
    return out_;
}

int BitWriter::bitsForUnsigned(quint32 value) {
    int bits = 0;
    while (value) {
        ++bits;
        value >>= 1;
    }
    return bits;
}

int BitWriter::bitsForSigned(qint32 value) {
    const quint32 magnitude = value < 0 ? ~quint32(value) : quint32(value);
    return bitsForUnsigned(magnitude) + 1;
}

QByteArray encodeRect(const Rect& r) {
    const int bits = std::max({BitWriter::bitsForSigned(r.xmin), BitWriter::bitsForSigned(r.xmax),
                               BitWriter::bitsForSigned(r.ymin), BitWriter::bitsForSigned(r.ymax)});
    BitWriter w;
    w.writeUB(quint32(bits), 5);
    for (int v : {r.xmin, r.xmax, r.ymin, r.ymax})
        w.writeSB(v, bits);
    return w.bytes();
}

QByteArray tagRecord(quint16 code, const QByteArray& body) {
    QByteArray out;
    if (body.size() < 0x3F && !isLongFormTag(code)) {
        appendU16(out, quint16(code << 6 | body.size()));
    } else {
        appendU16(out, quint16(code << 6 | 0x3F));
        appendU32(out, quint32(body.size()));
    }
    out.append(body);
    return out;
}

int version(const QByteArray& movie) {
    if (movie.size() < 4 || (movie[0] != 'F' && movie[0] != 'C' && movie[0] != 'Z') ||
        movie[1] != 'W' || movie[2] != 'S')
        return 0;
    return quint8(movie[3]);
}

std::optional<Movie> parse(const QByteArray& bytes, QString* error) {
    if (bytes.size() < kHeaderSize || version(bytes) == 0) {
        fail(error, QStringLiteral("not a SWF movie"));
        return std::nullopt;
    }
    Movie m;
    m.header.compression = bytes[0];
    m.header.version = quint8(bytes[3]);
    m.header.fileLength = readU32(bytes.constData() + 4);
    if (m.header.fileLength < kHeaderSize || m.header.fileLength > kMaxMovieSize) {
        fail(error, QStringLiteral("implausible movie length %1").arg(m.header.fileLength));
        return std::nullopt;
    }
    const qsizetype expected = qsizetype(m.header.fileLength) - kHeaderSize;
    QByteArray data;
    bool ok = true;
    switch (m.header.compression) {
    case 'F':
        if (bytes.size() < qsizetype(m.header.fileLength))
            ok = fail(error, QStringLiteral("the movie is truncated"));
        else
            data = bytes.mid(kHeaderSize, expected);
        break;
    case 'C':
        ok = inflateBody(bytes, kHeaderSize, expected, data, error);
        break;
    default:
        ok = unlzmaBody(bytes, expected, data, error);
        break;
    }
    if (!ok)
        return std::nullopt;

    BitReader bits(data.constData(), data.size());
    quint32 nbits = 0;
    Rect& r = m.header.frameSize;
    if (!bits.readUB(5, nbits) || !bits.readSB(int(nbits), r.xmin) ||
        !bits.readSB(int(nbits), r.xmax) || !bits.readSB(int(nbits), r.ymin) ||
        !bits.readSB(int(nbits), r.ymax) || data.size() - bits.bytesUsed() < 4) {
        fail(error, QStringLiteral("truncated movie header"));
        return std::nullopt;
    }
    const qsizetype pos = bits.bytesUsed();
    m.header.frameRateFixed8 = readU16(data.constData() + pos);
    m.header.frameCount = readU16(data.constData() + pos + 2);
    if (!parseTags(data, pos + 4, m.tags, error))
        return std::nullopt;
    return m;
}

QByteArray serialize(const Movie& m) {
    QByteArray body = encodeRect(m.header.frameSize);
    appendU16(body, m.header.frameRateFixed8);
    appendU16(body, m.header.frameCount);
    for (const Tag& t : m.tags)
        body.append(tagRecord(t.code, t.body));
    body.append(tagRecord(kTagEnd, {}));

    const char signature =
        m.header.compression == 'C' || m.header.compression == 'Z' ? m.header.compression : 'F';
    QByteArray out;
    out.append(signature);
    out.append("WS", 2);
    out.append(char(m.header.version));
    appendU32(out, quint32(kHeaderSize + body.size()));
    if (signature == 'F') {
        out.append(body);
    } else if (signature == 'C') {
        out.append(zlibCompress(body));
    } else {
        QByteArray props;
        const QByteArray packed = lzmaCompress(body, props);
        appendU32(out, quint32(packed.size()));
        out.append(props);
        out.append(packed);
    }
    return out;
}

std::optional<QByteArray> injectFrameOneActions(const QByteArray& movie, const QByteArray& actions,
                                                QString* error, bool flat) {
    std::optional<Movie> m = parse(movie, error);
    if (!m)
        return std::nullopt;
    // An ActionScript 3 movie never runs DoAction: the caller must know it got nothing.
    if (!m->tags.empty() && m->tags.front().code == kTagFileAttributes &&
        !m->tags.front().body.isEmpty() && (quint8(m->tags.front().body[0]) & 0x08)) {
        fail(error, QStringLiteral("ActionScript 3 movies run no frame actions"));
        return std::nullopt;
    }
    const auto firstFrame = std::find_if(m->tags.begin(), m->tags.end(),
                                         [](const Tag& t) { return t.code == kTagShowFrame; });
    if (firstFrame == m->tags.end()) {
        fail(error, QStringLiteral("the movie has no frame"));
        return std::nullopt;
    }
    QByteArray body = actions;
    body.append(char(0)); // End action
    m->tags.insert(firstFrame, Tag{kTagDoAction, body});
    if (flat)
        m->header.compression = 'F';
    return serialize(*m);
}

} // namespace swf
