#pragma once
// Content packs: resource-only libraries in the Windows executable-module format
// (PE32 or PE32+) under "Data\kjfile\", holding movies ("Flash") and pictures ("JPG").
//
// Opening a pack reads its headers and resource directory once, in small bounded reads,
// and keeps the file open; reading an item seeks to it and reads just its bytes, so a
// pack of hundreds of megabytes costs little memory. Every offset and size in the file
// is checked: a missing, truncated or malformed file gives an empty pack whose reads all
// fail with ResourceNotFound, never a crash.
//
// Names and types ignore letter case. Entries stored by number are named "#<number>".
//
// Packs that opened are kept for the life of the process, keyed by canonical path, so
// loading the same file again returns the same pack. A pack that failed to open is not
// remembered: a later load tries the file again (it may have been installed meanwhile).

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>

class QIODevice;

namespace platform {

// The resource-not-found error: "Resource <name> not found".
class ResourceNotFound : public std::runtime_error {
public:
    explicit ResourceNotFound(const QString& name);
};

class ContentPack {
public:
    // The pack program folder + "Data\kjfile\" + packName + ".dat" (any letter case).
    static std::shared_ptr<ContentPack> load(const QString& packName);
    // The pack at any path; the same canonical file gives the same object.
    static std::shared_ptr<ContentPack> open(const QString& filePath);
    // A pack read from a random-access device opened for reading; not cached.
    static std::shared_ptr<ContentPack> fromDevice(std::unique_ptr<QIODevice> device);

    ~ContentPack();
    ContentPack(const ContentPack&) = delete;
    ContentPack& operator=(const ContentPack&) = delete;

    bool isValid() const { return valid_; }
    // Why the file was refused (the offset or size that was bad); empty when valid.
    // Opening a file logs it too, so a damaged install can be told from a missing item.
    QString errorString() const { return error_; }
    bool contains(const QString& name, const QString& type) const;
    // Exactly the item's bytes, read from the file now; throws ResourceNotFound.
    QByteArray read(const QString& name, const QString& type) const;

    // For tests and tools: the stored types, and the names under one type, as stored.
    QStringList types() const;
    QStringList names(const QString& type) const;

private:
    struct Item {
        QString name; // as stored
        qint64 offset = 0;
        qint64 size = 0;
    };
    struct TypeItems {
        QString type; // as stored
        QHash<QString, Item> items;
    };
    friend class PackIndexBuilder;

    ContentPack() = default;
    const Item* find(const QString& name, const QString& type) const;

    std::unique_ptr<QIODevice> device_;
    QHash<QString, TypeItems> index_; // keyed by folded type, then folded name
    bool valid_ = false;
    QString error_;
    mutable QMutex readLock_;
};

} // namespace platform
