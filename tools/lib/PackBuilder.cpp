#include "tools/lib/PackBuilder.h"

#include <stdexcept>

namespace tools {

void PackBuilder::add(const QString& from, const QString& name, const QString& type,
                      const QByteArray& bytes) {
    const QString key = name.toCaseFolded();
    if (const auto it = addedBy_.constFind(key); it != addedBy_.constEnd())
        throw std::runtime_error(QStringLiteral("%1: item \"%2\" added by both %3 and %4")
                                     .arg(path_, name, *it, from)
                                     .toStdString());
    if (!writer_.add(name, type, bytes))
        throw std::runtime_error(
            QStringLiteral("%1: %2 added an item with a bad name \"%3\" or type \"%4\"")
                .arg(path_, from, name, type)
                .toStdString());
    addedBy_.insert(key, from);
}

QByteArray PackBuilder::build() const {
    const QByteArray bytes = writer_.build();
    if (bytes.isEmpty())
        throw std::runtime_error(
            (path_ + QStringLiteral(": the items do not fit in one pack")).toStdString());
    return bytes;
}

} // namespace tools
