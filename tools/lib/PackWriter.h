#pragma once
// Writes content packs: resource-only DLLs in the Windows executable-module format that
// the system loader accepts as well as our reader. One ".rsrc" section holds a three-level
// resource directory (type, name, language) with names stored upper-case and entries
// sorted as the resource compiler writes them: named entries by name, then numbered ones.
//
// A name or type "#<number>" (at most 65535) is stored as a numbered entry.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

namespace tools {

class PackWriter {
public:
    enum class Format { Pe32Plus, Pe32 };

    explicit PackWriter(Format format = Format::Pe32Plus) : format_(format) {}

    // The language of every item; 0x0804 (Chinese, PRC) unless set, 0 for neutral.
    void setLanguage(quint16 language) { language_ = language; }

    // Adds an item; an item of the same name and type (ignoring case) is replaced.
    // False, and nothing added, for an empty or over-long name or type.
    bool add(const QString& name, const QString& type, const QByteArray& bytes);
    int count() const { return int(items_.size()); }

    // The whole file; empty when the items do not fit in one module (4 GB).
    QByteArray build() const;
    // Writes build() to `path` through a temporary file, so a failure leaves no half pack.
    bool write(const QString& path, QString* error) const;

private:
    struct Item {
        QString name; // upper-case
        QString type; // upper-case
        QByteArray bytes;
    };

    Format format_;
    quint16 language_ = 0x0804;
    QList<Item> items_;
    QHash<QPair<QString, QString>, qsizetype> indexOf_; // (type, name) -> position in items_
};

} // namespace tools
