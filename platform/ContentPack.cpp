#include "platform/ContentPack.h"

#include "platform/ProgramDir.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {
namespace {

// Limits that keep a hostile file from costing unbounded time or memory while the
// directory is parsed. Real packs stay far below them.
constexpr qint64 kPageSize = 4096;
constexpr int kMaxCachedPages = 4096;               // 16 MB of directory
constexpr qint64 kParseBudget = 64LL * 1024 * 1024; // bytes read while parsing
constexpr int kMaxEntries = 1 << 20;                // directory entries visited
constexpr int kMaxSections = 96;                    // what the system loader allows

constexpr quint32 kHighBit = 0x80000000u;

QString hex(qint64 value) {
    return QStringLiteral("0x") + QString::number(value, 16);
}

// The key names and types are matched by: case folded, numbers as "#<n>" without zeros.
QString keyOf(const QString& text) {
    if (text.startsWith(QLatin1Char('#')) && text.size() > 1) {
        const QStringView digits = QStringView(text).mid(1);
        const bool allDigits =
            std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
        bool ok = false;
        const uint id = digits.toUInt(&ok, 10);
        if (allDigits && ok && id <= 0xFFFF)
            return QLatin1Char('#') + QString::number(id);
    }
    return text.toCaseFolded();
}

// Little-endian reads at file offsets, each checked against the end of the file.
// Small reads come from cached pages, so walking a directory whose tables, names and
// data entries lie apart costs each page one system call; the total read is capped, so
// a hostile file cannot keep the parser busy.
class ByteSource {
public:
    explicit ByteSource(QIODevice& device) : device_(device), size_(device.size()) {}

    qint64 size() const { return size_; }

    bool read(qint64 offset, qint64 length, char* out) {
        if (offset < 0 || length < 0 || offset > size_ || length > size_ - offset) {
            failure_ = QStringLiteral("%1 bytes at offset %2 past the end of the file (%3)")
                           .arg(length)
                           .arg(hex(offset), hex(size_));
            return false;
        }
        if (length > kPageSize)
            return fetch(offset, length, out);
        while (length > 0) {
            const QByteArray* page = pageAt(offset / kPageSize);
            if (!page)
                return false;
            const qint64 inPage = offset % kPageSize;
            const qint64 n = std::min(length, qint64(page->size()) - inPage);
            std::memcpy(out, page->constData() + inPage, size_t(n));
            out += n;
            offset += n;
            length -= n;
        }
        return true;
    }

    bool u16(qint64 offset, quint16& value) {
        uchar b[2];
        if (!read(offset, 2, reinterpret_cast<char*>(b)))
            return false;
        value = quint16(b[0] | (b[1] << 8));
        return true;
    }

    bool u32(qint64 offset, quint32& value) {
        uchar b[4];
        if (!read(offset, 4, reinterpret_cast<char*>(b)))
            return false;
        value =
            quint32(b[0]) | (quint32(b[1]) << 8) | (quint32(b[2]) << 16) | (quint32(b[3]) << 24);
        return true;
    }

    // Why the last read failed.
    const QString& failure() const { return failure_; }

private:
    const QByteArray* pageAt(qint64 index) {
        if (const auto found = pages_.constFind(index); found != pages_.constEnd())
            return &found.value();
        if (pages_.size() >= kMaxCachedPages)
            pages_.clear();
        const qint64 start = index * kPageSize;
        QByteArray page(std::min(kPageSize, size_ - start), Qt::Uninitialized);
        if (!fetch(start, page.size(), page.data()))
            return nullptr;
        return &pages_.insert(index, page).value();
    }

private:
    bool fetch(qint64 offset, qint64 length, char* out) {
        spent_ += length;
        if (spent_ > kParseBudget) {
            failure_ = QStringLiteral("more than %1 bytes of directory").arg(kParseBudget);
            return false;
        }
        qint64 done = device_.seek(offset) ? 0 : -1;
        while (done >= 0 && done < length) {
            const qint64 n = device_.read(out + done, length - done);
            done = n > 0 ? done + n : -1;
        }
        if (done < 0)
            failure_ = QStringLiteral("read error at offset %1").arg(hex(offset));
        return done >= 0;
    }

    QIODevice& device_;
    qint64 size_;
    QHash<qint64, QByteArray> pages_;
    qint64 spent_ = 0;
    QString failure_;
};

// The module headers: where the resource directory is, and how addresses in the
// loaded image (RVAs) map to file offsets.
class PeImage {
public:
    quint32 resourceRva = 0;
    QString why; // what was wrong, unless a read past the end was

    bool parse(ByteSource& src) {
        quint16 mz = 0;
        quint32 peOffset = 0;
        quint32 signature = 0;
        if (!src.u16(0, mz))
            return false;
        if (mz != 0x5A4D)
            return fail(QStringLiteral("no MZ signature"));
        if (!src.u32(0x3C, peOffset) || !src.u32(peOffset, signature))
            return false;
        if (signature != 0x00004550)
            return fail(QStringLiteral("no PE signature at %1").arg(hex(peOffset)));
        const qint64 coff = qint64(peOffset) + 4;
        quint16 sectionCount = 0;
        quint16 optionalSize = 0;
        if (!src.u16(coff + 2, sectionCount) || !src.u16(coff + 16, optionalSize))
            return false;
        if (sectionCount == 0 || sectionCount > kMaxSections)
            return fail(QStringLiteral("%1 sections").arg(sectionCount));
        const qint64 optional = coff + 20;
        quint16 magic = 0;
        if (!src.u16(optional, magic))
            return false;
        qint64 countAt = 0;
        if (magic == 0x10B)
            countAt = 92; // PE32
        else if (magic == 0x20B)
            countAt = 108; // PE32+
        else
            return fail(QStringLiteral("optional header magic %1").arg(hex(magic)));
        const qint64 directoriesAt = countAt + 4;
        quint32 directoryCount = 0;
        if (countAt + 4 > optionalSize)
            return fail(QStringLiteral("optional header of %1 bytes").arg(hex(optionalSize)));
        if (!src.u32(optional + countAt, directoryCount))
            return false;
        constexpr int kResourceDirectory = 2;
        const qint64 resourceAt = directoriesAt + kResourceDirectory * 8;
        if (directoryCount > kResourceDirectory && resourceAt + 8 <= optionalSize &&
            !src.u32(optional + resourceAt, resourceRva))
            return false;
        return parseSections(src, optional + optionalSize, sectionCount);
    }

    // The file offset of an RVA and how many bytes of its section follow it.
    bool map(quint32 rva, qint64& fileOffset, qint64& available) const {
        for (const Section& s : sections_) {
            const quint32 size = s.virtualSize ? std::min(s.virtualSize, s.rawSize) : s.rawSize;
            if (rva >= s.virtualAddress && rva - s.virtualAddress < size) {
                fileOffset = qint64(s.rawPointer) + (rva - s.virtualAddress);
                available = size - (rva - s.virtualAddress);
                return true;
            }
        }
        return false;
    }

private:
    bool fail(const QString& reason) {
        why = reason;
        return false;
    }

    struct Section {
        quint32 virtualSize, virtualAddress, rawSize, rawPointer;
    };

    // Like the system loader, refuses a module whose sections run past the end of the file.
    bool parseSections(ByteSource& src, qint64 at, int count) {
        for (int i = 0; i < count; ++i, at += 40) {
            Section s{};
            if (!src.u32(at + 8, s.virtualSize) || !src.u32(at + 12, s.virtualAddress) ||
                !src.u32(at + 16, s.rawSize) || !src.u32(at + 20, s.rawPointer))
                return false;
            if (s.rawSize > 0 && qint64(s.rawPointer) + s.rawSize > src.size())
                return fail(QStringLiteral("section %1 data at %2 (%3 bytes) past the end of "
                                           "the file (%4)")
                                .arg(QString::number(i), hex(s.rawPointer), hex(s.rawSize),
                                     hex(src.size())));
            sections_.push_back(s);
        }
        return true;
    }

    std::vector<Section> sections_;
};

} // namespace

// Walks the three levels of the resource directory (type, name, language) into the
// pack's index. Any structure out of bounds, a directory reached twice (a loop or a
// shared subtree) or a tree of the wrong depth makes the whole file malformed.
class PackIndexBuilder {
public:
    PackIndexBuilder(ByteSource& src, const PeImage& pe) : src_(src), pe_(pe) {}

    QString why; // what was wrong, unless a read past the end was; offsets in the resources

    bool build(ContentPack& pack) {
        if (pe_.resourceRva == 0)
            return true; // a module without resources: valid, and empty
        if (!pe_.map(pe_.resourceRva, base_, limit_))
            return fail(
                QStringLiteral("resources at RVA %1 in no section").arg(hex(pe_.resourceRva)));
        return walkTypes(pack);
    }

private:
    struct Entry {
        QString name;
        quint32 target = 0; // offset in the resource section, high bit for a directory
    };

    bool fail(const QString& reason) {
        why = reason;
        return false;
    }

    bool subdirectory(const Entry& entry, bool withNames, QList<Entry>& out) {
        if (!(entry.target & kHighBit))
            return fail(QStringLiteral("entry %1 names data, not a directory").arg(entry.name));
        return entries(entry.target & ~kHighBit, withNames, out);
    }

    bool walkTypes(ContentPack& pack) {
        QList<Entry> types;
        if (!entries(0, true, types))
            return false;
        for (const Entry& type : types) {
            QList<Entry> names;
            if (!subdirectory(type, true, names))
                return false;
            for (const Entry& name : names) {
                QList<Entry> languages;
                if (!subdirectory(name, false, languages))
                    return false;
                if (languages.isEmpty())
                    continue;
                ContentPack::Item item;
                item.name = name.name;
                if (!dataEntry(languages.first().target, item))
                    return false;
                ContentPack::TypeItems& bucket = pack.index_[keyOf(type.name)];
                if (bucket.type.isEmpty())
                    bucket.type = type.name;
                const QString key = keyOf(name.name);
                if (!bucket.items.contains(key)) // the first of names equal but for case wins
                    bucket.items.insert(key, item);
            }
        }
        return true;
    }

    bool inSection(quint32 offset, qint64 length) const {
        return length >= 0 && offset <= limit_ && length <= limit_ - offset;
    }

    // The entries of the directory at `offset`; names are read only where needed.
    bool entries(quint32 offset, bool withNames, QList<Entry>& out) {
        if (visited_.contains(offset))
            return fail(QStringLiteral("directory at %1 reached twice").arg(hex(offset)));
        visited_.insert(offset);
        quint16 named = 0;
        quint16 ids = 0;
        if (!inSection(offset, 16))
            return fail(QStringLiteral("directory at %1 past the end of the resources (%2)")
                            .arg(hex(offset), hex(limit_)));
        if (!src_.u16(base_ + offset + 12, named) || !src_.u16(base_ + offset + 14, ids))
            return false;
        const int count = named + ids;
        entryCount_ += count;
        if (entryCount_ > kMaxEntries)
            return fail(QStringLiteral("more than %1 directory entries").arg(kMaxEntries));
        if (!inSection(offset + 16, qint64(count) * 8))
            return fail(QStringLiteral("%1 entries of the directory at %2 past the end of the "
                                       "resources (%3)")
                            .arg(QString::number(count), hex(offset), hex(limit_)));
        for (int i = 0; i < count; ++i) {
            const qint64 at = base_ + offset + 16 + qint64(i) * 8;
            quint32 id = 0;
            Entry e;
            if (!src_.u32(at, id) || !src_.u32(at + 4, e.target))
                return false;
            if (withNames && !entryName(id, e.name))
                return false;
            out.append(e);
        }
        return true;
    }

    bool entryName(quint32 id, QString& name) {
        if (!(id & kHighBit)) {
            name = QLatin1Char('#') + QString::number(id & 0xFFFF);
            return true;
        }
        const quint32 offset = id & ~kHighBit;
        quint16 length = 0;
        if (!inSection(offset, 2))
            return fail(QStringLiteral("name at %1 past the end of the resources (%2)")
                            .arg(hex(offset), hex(limit_)));
        if (!src_.u16(base_ + offset, length))
            return false;
        if (!inSection(offset + 2, qint64(length) * 2))
            return fail(QStringLiteral("name at %1 of %2 characters past the end of the "
                                       "resources (%3)")
                            .arg(hex(offset), QString::number(length), hex(limit_)));
        QByteArray utf16(qsizetype(length) * 2, Qt::Uninitialized);
        if (!src_.read(base_ + offset + 2, utf16.size(), utf16.data()))
            return false;
        name.resize(length);
        for (int i = 0; i < length; ++i)
            name[i] = QChar(char16_t(uchar(utf16[2 * i]) | (uchar(utf16[2 * i + 1]) << 8)));
        return true;
    }

    bool dataEntry(quint32 target, ContentPack::Item& item) {
        if (target & kHighBit)
            return fail(QStringLiteral("a fourth directory level under %1").arg(item.name));
        quint32 rva = 0;
        quint32 size = 0;
        if (!inSection(target, 16))
            return fail(QStringLiteral("data entry at %1 past the end of the resources (%2)")
                            .arg(hex(target), hex(limit_)));
        if (!src_.u32(base_ + target, rva) || !src_.u32(base_ + target + 4, size))
            return false;
        qint64 available = 0;
        if (!pe_.map(rva, item.offset, available) || size > available)
            return fail(QStringLiteral("data of %1 at RVA %2 (%3 bytes) outside its section")
                            .arg(item.name, hex(rva), hex(size)));
        item.size = size;
        return true;
    }

    ByteSource& src_;
    const PeImage& pe_;
    qint64 base_ = 0;
    qint64 limit_ = 0;
    QSet<quint32> visited_;
    int entryCount_ = 0;
};

namespace {

struct PackCache {
    QMutex lock;
    QHash<QString, std::shared_ptr<ContentPack>> packs;
};

PackCache& cache() {
    static PackCache instance;
    return instance;
}

} // namespace

ResourceNotFound::ResourceNotFound(const QString& name)
    : std::runtime_error(QStringLiteral("找不到资源 %1").arg(name).toStdString()) {}

ContentPack::~ContentPack() = default;

std::shared_ptr<ContentPack> ContentPack::load(const QString& packName) {
    return open(dataPath(QStringLiteral("Data\\kjfile\\") + packName + QStringLiteral(".dat")));
}

std::shared_ptr<ContentPack> ContentPack::open(const QString& filePath) {
    const QString canonical = QFileInfo(filePath).canonicalFilePath();
    if (canonical.isEmpty())
        return std::shared_ptr<ContentPack>(new ContentPack);
    PackCache& c = cache();
    QMutexLocker locker(&c.lock);
    if (const auto found = c.packs.constFind(canonical); found != c.packs.constEnd())
        return found.value();
    auto file = std::make_unique<QFile>(canonical);
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::shared_ptr<ContentPack>(new ContentPack);
    auto pack = fromDevice(std::move(file));
    if (pack->isValid())
        c.packs.insert(canonical, pack);
    else
        qWarning().noquote() << "content pack" << canonical << "refused:" << pack->errorString();
    return pack;
}

std::shared_ptr<ContentPack> ContentPack::fromDevice(std::unique_ptr<QIODevice> device) {
    std::shared_ptr<ContentPack> pack(new ContentPack);
    if (!device || !device->isReadable() || device->isSequential()) {
        pack->error_ = QStringLiteral("not a readable file");
        return pack;
    }
    ByteSource src(*device);
    PeImage pe;
    PackIndexBuilder builder(src, pe);
    if (pe.parse(src) && builder.build(*pack)) {
        pack->device_ = std::move(device);
        pack->valid_ = true;
    } else {
        pack->index_.clear();
        pack->error_ = !pe.why.isEmpty()        ? pe.why
                       : !builder.why.isEmpty() ? builder.why
                                                : src.failure();
    }
    return pack;
}

const ContentPack::Item* ContentPack::find(const QString& name, const QString& type) const {
    const auto bucket = index_.constFind(keyOf(type));
    if (bucket == index_.constEnd())
        return nullptr;
    const auto item = bucket->items.constFind(keyOf(name));
    return item == bucket->items.constEnd() ? nullptr : &item.value();
}

bool ContentPack::contains(const QString& name, const QString& type) const {
    return find(name, type) != nullptr;
}

QByteArray ContentPack::read(const QString& name, const QString& type) const {
    const Item* item = find(name, type);
    if (!item)
        throw ResourceNotFound(name);
    QMutexLocker locker(&readLock_);
    QByteArray bytes(item->size, Qt::Uninitialized);
    if (!device_->seek(item->offset))
        throw ResourceNotFound(name);
    qint64 done = 0;
    while (done < item->size) {
        const qint64 n = device_->read(bytes.data() + done, item->size - done);
        if (n <= 0)
            throw ResourceNotFound(name); // the file shrank under us
        done += n;
    }
    return bytes;
}

QStringList ContentPack::types() const {
    QStringList out;
    for (const TypeItems& bucket : index_)
        out.append(bucket.type);
    out.sort(Qt::CaseInsensitive);
    return out;
}

QStringList ContentPack::names(const QString& type) const {
    QStringList out;
    const auto bucket = index_.constFind(keyOf(type));
    if (bucket != index_.constEnd())
        for (const Item& item : bucket->items)
            out.append(item.name);
    out.sort(Qt::CaseInsensitive);
    return out;
}

} // namespace platform
