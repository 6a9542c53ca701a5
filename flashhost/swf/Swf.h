#pragma once
// Reader and writer of the SWF container: the header (signature, version, length,
// frame size, rate and count) and the flat list of tags of the root timeline.
// Uncompressed ("FWS"), zlib ("CWS") and LZMA ("ZWS") files are read and written.
// Every size in the input is checked before use: any bytes give a movie or an
// error, never a crash or a read out of bounds.

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace swf {

// Tag codes the program reads or writes.
enum TagCode : quint16 {
    kTagEnd = 0,
    kTagShowFrame = 1,
    kTagDefineShape = 2,
    kTagSetBackgroundColor = 9,
    kTagDoAction = 12,
    kTagDefineSound = 14,
    kTagStartSound = 15,
    kTagDefineButtonSound = 17,
    kTagDefineBitsLossless = 20,
    kTagDefineBitsJpeg2 = 21,
    kTagDefineShape2 = 22,
    kTagPlaceObject2 = 26,
    kTagRemoveObject2 = 28,
    kTagDefineShape3 = 32,
    kTagDefineButton2 = 34,
    kTagDefineBitsJpeg3 = 35,
    kTagDefineBitsLossless2 = 36,
    kTagDefineSprite = 39,
    kTagFrameLabel = 43,
    kTagDoInitAction = 59,
    kTagFileAttributes = 69,
};

// Largest movie accepted once decompressed; declared sizes above it are refused.
constexpr quint32 kMaxMovieSize = 256u * 1024 * 1024;

struct Rect {
    int xmin = 0, xmax = 0, ymin = 0, ymax = 0; // twips (1/20 pixel)
};

struct Header {
    char compression = 'F'; // 'F' none, 'C' zlib, 'Z' LZMA
    quint8 version = 8;
    quint32 fileLength =
        0; // uncompressed length including the 8 bytes of signature, version, length
    Rect frameSize;
    quint16 frameRateFixed8 = 24 << 8; // frames per second in 8.8 fixed point
    quint16 frameCount = 1;
};

struct Tag {
    quint16 code = 0;
    QByteArray body;
};

// The tags of the root timeline in file order, without the closing End tag.
struct Movie {
    Header header;
    std::vector<Tag> tags;
};

// Reads a whole movie. Trailing bytes after the End tag (or after fileLength) are ignored.
std::optional<Movie> parse(const QByteArray& bytes, QString* error = nullptr);

// Writes the movie (tags, then an End tag), compressed as header.compression says;
// fileLength is computed, whatever the header holds.
QByteArray serialize(const Movie& m);

// Inserts a DoAction tag holding `actions` (and the closing End action) before the
// first ShowFrame of the root timeline, keeping everything else and the compression, or
// written uncompressed with `flat` (no time spent compressing what a player inflates).
std::optional<QByteArray> injectFrameOneActions(const QByteArray& movie, const QByteArray& actions,
                                                QString* error = nullptr, bool flat = false);

// The version byte of a movie's header; 0 when the bytes are not a SWF.
int version(const QByteArray& movie);

// Fields packed in bits, most significant first, as RECT, MATRIX and shape records
// hold them. Values must fit the given widths (see bitsFor*).
class BitWriter {
public:
    void writeUB(quint32 value, int bits);
    void writeSB(qint32 value, int bits);
    void flush(); // pads the last byte with zeros
    QByteArray bytes();

    static int bitsForUnsigned(quint32 value);
    static int bitsForSigned(qint32 value); // at least 1

private:
    QByteArray out_;
    quint32 acc_ = 0;
    int used_ = 0; // bits in acc_
};

// A RECT record: 5-bit field width, then xmin, xmax, ymin, ymax.
QByteArray encodeRect(const Rect& r);

// One tag record (short or long header) as it appears in a file; DefineSprite bodies
// and writers of nested timelines use it too.
QByteArray tagRecord(quint16 code, const QByteArray& body);

} // namespace swf
