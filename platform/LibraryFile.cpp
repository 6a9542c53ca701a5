#include "platform/LibraryFile.h"

#include <QFile>
#include <QtEndian>

namespace platform {
namespace {

QString hex(quint64 value) {
    return QStringLiteral("0x") + QString::number(value, 16);
}

// True when [offset, offset + length) lies inside a file of `size` bytes.
bool inside(quint64 offset, quint64 length, quint64 size) {
    return offset <= size && length <= size - offset;
}

template <typename T> T field(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<T>(bytes.constData() + at);
}

} // namespace

QString libraryFileProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
    const quint64 size = quint64(file.size());
    const QByteArray header = file.read(64);
    if (header.size() < 64 || !header.startsWith("\x7F"
                                                 "ELF"))
        return QStringLiteral("not an ELF file");
    if (header[4] != 2 || header[5] != 1)
        return QStringLiteral("not a 64-bit little-endian ELF file");

    const quint64 phoff = field<quint64>(header, 32);
    const quint64 shoff = field<quint64>(header, 40);
    const quint16 phentsize = field<quint16>(header, 54);
    const quint16 phnum = field<quint16>(header, 56);
    const quint16 shentsize = field<quint16>(header, 58);
    const quint16 shnum = field<quint16>(header, 60);
    if (phnum == 0 || phentsize < 56)
        return QStringLiteral("no program headers");
    if (!inside(phoff, quint64(phnum) * phentsize, size))
        return QStringLiteral("program headers at %1 (%2 bytes) past the end of the file (%3)")
            .arg(hex(phoff), hex(quint64(phnum) * phentsize), hex(size));
    if (!inside(shoff, quint64(shnum) * shentsize, size))
        return QStringLiteral("section headers at %1 (%2 bytes) past the end of the file (%3)")
            .arg(hex(shoff), hex(quint64(shnum) * shentsize), hex(size));

    if (!file.seek(qint64(phoff)))
        return QStringLiteral("cannot read the program headers");
    const QByteArray table = file.read(qint64(phnum) * phentsize);
    if (quint64(table.size()) != quint64(phnum) * phentsize)
        return QStringLiteral("cannot read the program headers");
    for (int i = 0; i < phnum; ++i) {
        const qsizetype at = qsizetype(i) * phentsize;
        const quint64 offset = field<quint64>(table, at + 8);
        const quint64 length = field<quint64>(table, at + 32);
        if (!inside(offset, length, size))
            return QStringLiteral("segment %1 at %2 (%3 bytes) past the end of the file (%4)")
                .arg(QString::number(i), hex(offset), hex(length), hex(size));
    }
    return {};
}

} // namespace platform
