#include "tools/lib/PackWriter.h"

#include <QHash>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>

namespace tools {
namespace {

constexpr quint32 kFileAlignment = 0x200;
constexpr quint32 kSectionAlignment = 0x1000;
constexpr quint32 kSectionRva = kSectionAlignment;
constexpr quint32 kHeadersSize = 0x200;
constexpr quint32 kPeOffset = 0x80;
constexpr quint32 kHighBit = 0x80000000u;

constexpr quint32 alignUp(quint64 value, quint32 alignment) {
    return quint32((value + alignment - 1) / alignment * alignment);
}

// The real-mode stub every module starts with: prints a notice and exits.
const char kDosStub[] = "\x0E\x1F\xBA\x0E\x00\xB4\x09\xCD\x21\xB8\x01\x4C\xCD\x21"
                        "This program cannot be run in DOS mode.\r\r\n$";

// Upper-cases one UTF-16 unit at a time, as the resource compiler stores names.
QString upper(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        c = c.toUpper();
    return out;
}

// "#<n>" with n <= 65535 names a numbered entry.
bool numericId(const QString& text, quint16& id) {
    if (text.size() < 2 || text.size() > 6 || !text.startsWith(QLatin1Char('#')))
        return false;
    quint32 value = 0;
    for (int i = 1; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c - u'0');
    }
    if (value > 0xFFFF)
        return false;
    id = quint16(value);
    return true;
}

// Directory order: named entries first, by their (upper-case) UTF-16 units, then numbers.
bool entryLess(const QString& a, const QString& b) {
    quint16 idA = 0;
    quint16 idB = 0;
    const bool numA = numericId(a, idA);
    const bool numB = numericId(b, idB);
    if (numA != numB)
        return numB;
    if (numA)
        return idA < idB;
    return std::lexicographical_compare(a.utf16(), a.utf16() + a.size(), b.utf16(),
                                        b.utf16() + b.size());
}

// A directory counts its named and numbered entries in 16 bits each.
bool fitsDirectory(const QStringList& names) {
    qsizetype numbered = 0;
    quint16 id = 0;
    for (const QString& name : names)
        numbered += numericId(name, id) ? 1 : 0;
    return numbered <= 0xFFFF && names.size() - numbered <= 0xFFFF;
}

class Bytes {
public:
    explicit Bytes(QByteArray& out) : out_(out) {}
    void u8(qsizetype at, quint8 v) { out_[at] = char(v); }
    void u16(qsizetype at, quint16 v) {
        u8(at, quint8(v));
        u8(at + 1, quint8(v >> 8));
    }
    void u32(qsizetype at, quint32 v) {
        u16(at, quint16(v));
        u16(at + 2, quint16(v >> 16));
    }
    void u64(qsizetype at, quint64 v) {
        u32(at, quint32(v));
        u32(at + 4, quint32(v >> 32));
    }
    void raw(qsizetype at, const char* data, qsizetype size) {
        std::copy(data, data + size, out_.data() + at);
    }

private:
    QByteArray& out_;
};

// The module checksum: 16-bit one's-complement-style sum of the file plus its length.
quint32 peChecksum(const QByteArray& file, qsizetype checksumAt) {
    quint64 sum = 0;
    for (qsizetype i = 0; i + 1 < file.size(); i += 2) {
        if (i == checksumAt || i == checksumAt + 2)
            continue;
        sum += quint8(file[i]) | (quint8(file[i + 1]) << 8);
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return quint32(sum + quint64(file.size()));
}

} // namespace

bool PackWriter::add(const QString& name, const QString& type, const QByteArray& bytes) {
    if (name.isEmpty() || type.isEmpty() || name.size() > 0xFFFF || type.size() > 0xFFFF)
        return false;
    Item item{upper(name), upper(type), bytes};
    quint16 id = 0;
    if (numericId(item.name, id))
        item.name = QLatin1Char('#') + QString::number(id);
    if (numericId(item.type, id))
        item.type = QLatin1Char('#') + QString::number(id);
    const QPair<QString, QString> key(item.type, item.name);
    if (const auto found = indexOf_.constFind(key); found != indexOf_.constEnd()) {
        items_[found.value()].bytes = bytes;
        return true;
    }
    indexOf_.insert(key, items_.size());
    items_.append(item);
    return true;
}

QByteArray PackWriter::build() const {
    // Items in directory order: by type, then by name.
    QList<const Item*> order;
    for (const Item& item : items_)
        order.append(&item);
    std::sort(order.begin(), order.end(), [](const Item* a, const Item* b) {
        if (a->type != b->type)
            return entryLess(a->type, b->type);
        return entryLess(a->name, b->name);
    });
    QList<QList<const Item*>> byType;
    for (const Item* item : order) {
        if (byType.isEmpty() || byType.last().first()->type != item->type)
            byType.append(QList<const Item*>());
        byType.last().append(item);
    }
    QStringList typeNames;
    QList<QStringList> namesByType;
    for (const auto& group : byType) {
        typeNames.append(group.first()->type);
        namesByType.append(QStringList());
        for (const Item* item : group)
            namesByType.last().append(item->name);
    }
    if (!fitsDirectory(typeNames) ||
        !std::all_of(namesByType.begin(), namesByType.end(), fitsDirectory))
        return {};

    // Section layout: all directories, then the data entries, the name strings, the data.
    const qsizetype n = order.size();
    quint64 at = 16 + 8 * quint64(byType.size());
    QList<quint32> typeDirAt;
    for (const auto& group : byType) {
        typeDirAt.append(quint32(at));
        at += 16 + 8 * quint64(group.size());
    }
    const quint64 languageDirsAt = at;
    const quint64 dataEntriesAt = languageDirsAt + 24 * quint64(n);
    at = dataEntriesAt + 16 * quint64(n);
    QHash<QString, quint32> stringAt;
    QList<QString> strings;
    auto addString = [&](const QString& s) {
        quint16 id = 0;
        if (numericId(s, id) || stringAt.contains(s))
            return;
        stringAt.insert(s, quint32(at));
        strings.append(s);
        at += 2 + 2 * quint64(s.size());
    };
    for (const auto& group : byType) {
        addString(group.first()->type);
        for (const Item* item : group)
            addString(item->name);
    }
    QList<quint32> dataAt;
    for (const Item* item : order) {
        at = alignUp(at, 8);
        dataAt.append(quint32(at));
        at += quint64(item->bytes.size());
    }
    const quint64 sectionSize = at;
    if (sectionSize + kSectionRva + kSectionAlignment > 0xFFFFFFFFull - kSectionAlignment)
        return {};

    const bool pe32 = format_ == Format::Pe32;
    const quint32 rawSize = alignUp(sectionSize, kFileAlignment);
    QByteArray file(qsizetype(kHeadersSize) + rawSize, '\0');
    Bytes b(file);

    // The resource section.
    const qsizetype s = kHeadersSize;
    auto writeDirectory = [&](quint64 dir, const QStringList& names, auto targetOf) {
        quint16 named = 0;
        quint16 numbered = 0;
        for (qsizetype i = 0; i < names.size(); ++i) {
            const qsizetype entry = s + qsizetype(dir) + 16 + 8 * i;
            quint16 id = 0;
            if (numericId(names[i], id)) {
                ++numbered;
                b.u32(entry, id);
            } else {
                ++named;
                b.u32(entry, kHighBit | stringAt.value(names[i]));
            }
            b.u32(entry + 4, targetOf(i));
        }
        b.u16(s + qsizetype(dir) + 12, named);
        b.u16(s + qsizetype(dir) + 14, numbered);
    };
    writeDirectory(0, typeNames, [&](qsizetype t) { return kHighBit | typeDirAt[t]; });
    qsizetype item = 0;
    for (qsizetype t = 0; t < byType.size(); ++t) {
        const QStringList& names = namesByType[t];
        const qsizetype first = item;
        writeDirectory(typeDirAt[t], names, [&](qsizetype i) {
            return kHighBit | quint32(languageDirsAt + 24 * quint64(first + i));
        });
        item += names.size();
    }
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype languageDir = s + qsizetype(languageDirsAt) + 24 * i;
        const quint32 dataEntry = quint32(dataEntriesAt + 16 * quint64(i));
        b.u16(languageDir + 14, 1);
        b.u32(languageDir + 16, language_);
        b.u32(languageDir + 20, dataEntry);
        b.u32(s + dataEntry, kSectionRva + dataAt[i]);
        b.u32(s + dataEntry + 4, quint32(order[i]->bytes.size()));
        b.raw(s + dataAt[i], order[i]->bytes.constData(), order[i]->bytes.size());
    }
    for (const QString& str : strings) {
        const qsizetype at = s + stringAt.value(str);
        b.u16(at, quint16(str.size()));
        for (qsizetype i = 0; i < str.size(); ++i)
            b.u16(at + 2 + 2 * i, str[i].unicode());
    }

    // Headers: the DOS header and stub, then the module headers and the one section.
    b.u16(0x00, 0x5A4D); // "MZ"
    b.u16(0x02, 0x90);
    b.u16(0x04, 3);
    b.u16(0x08, 4);
    b.u16(0x0C, 0xFFFF);
    b.u16(0x10, 0xB8);
    b.u16(0x18, 0x40);
    b.u32(0x3C, kPeOffset);
    b.raw(0x40, kDosStub, sizeof kDosStub - 1);

    b.u32(kPeOffset, 0x00004550); // "PE\0\0"
    const qsizetype coff = kPeOffset + 4;
    const quint16 optionalSize = pe32 ? 0xE0 : 0xF0;
    b.u16(coff, pe32 ? 0x014C : 0x8664);
    b.u16(coff + 2, 1);
    b.u16(coff + 16, optionalSize);
    // Executable image, DLL; 32-bit machine or large-address-aware.
    b.u16(coff + 18, quint16(0x2002 | (pe32 ? 0x0100 : 0x0020)));

    const qsizetype opt = coff + 20;
    b.u16(opt, pe32 ? 0x10B : 0x20B);
    b.u8(opt + 2, 1); // linker version
    b.u32(opt + 8, rawSize);
    b.u32(opt + 20, kSectionRva); // base of code
    if (pe32) {
        b.u32(opt + 24, kSectionRva); // base of data
        b.u32(opt + 28, 0x10000000);
    } else {
        b.u64(opt + 24, 0x180000000ull);
    }
    b.u32(opt + 32, kSectionAlignment);
    b.u32(opt + 36, kFileAlignment);
    b.u16(opt + 40, 6); // operating system version 6.0
    b.u16(opt + 48, 6); // subsystem version 6.0
    b.u32(opt + 56, kSectionRva + alignUp(sectionSize, kSectionAlignment));
    b.u32(opt + 60, kHeadersSize);
    b.u16(opt + 68, 2); // Windows GUI
    // Dynamic base, no-execute compatible; high-entropy addresses for 64 bits.
    b.u16(opt + 70, quint16(0x0140 | (pe32 ? 0 : 0x0020)));
    qsizetype countAt = 0;
    if (pe32) {
        b.u32(opt + 72, 0x100000);
        b.u32(opt + 76, 0x1000);
        b.u32(opt + 80, 0x100000);
        b.u32(opt + 84, 0x1000);
        countAt = opt + 92;
    } else {
        b.u64(opt + 72, 0x100000);
        b.u64(opt + 80, 0x1000);
        b.u64(opt + 88, 0x100000);
        b.u64(opt + 96, 0x1000);
        countAt = opt + 108;
    }
    b.u32(countAt, 16);
    b.u32(countAt + 4 + 2 * 8, kSectionRva); // the resource directory
    b.u32(countAt + 4 + 2 * 8 + 4, quint32(sectionSize));

    const qsizetype section = opt + optionalSize;
    b.raw(section, ".rsrc", 5);
    b.u32(section + 8, quint32(sectionSize));
    b.u32(section + 12, kSectionRva);
    b.u32(section + 16, rawSize);
    b.u32(section + 20, kHeadersSize);
    b.u32(section + 36, 0x40000040); // initialised data, readable

    b.u32(opt + 64, peChecksum(file, opt + 64));
    return file;
}

bool PackWriter::write(const QString& path, QString* error) const {
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    const QByteArray bytes = build();
    if (bytes.isEmpty())
        return fail(QStringLiteral("%1: the items do not fit in one pack").arg(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return true;
}

} // namespace tools
