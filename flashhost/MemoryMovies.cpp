#include "flashhost/MemoryMovies.h"

#include "platform/ProgramDir.h"

#include <QDir>

namespace flashhost {

QString makeMemoryMoviePath(int id) {
    return QStringLiteral("/movie/%1/%2/%3")
        .arg(QLatin1String(kMemoryTag))
        .arg(id)
        .arg(QLatin1String(kMemoryMovieFile));
}

std::optional<MemoryPath> parseMemoryMoviePath(const QString& url) {
    QString text = url;
    text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const int tagAt = text.indexOf(QLatin1String(kMemoryTag));
    if (tagAt < 0)
        return std::nullopt;
    // Skip the tag and the one separator after it.
    const QString rest = text.mid(tagAt + static_cast<int>(sizeof(kMemoryTag) - 1) + 1);
    if (rest.isEmpty())
        return std::nullopt;
    const int slash = rest.indexOf(QLatin1Char('/'));
    if (slash <= 0)
        return std::nullopt;
    const QString number = rest.left(slash);
    for (QChar c : number)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    bool ok = false;
    const int id = number.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return MemoryPath{id, rest.mid(slash + 1)};
}

std::optional<QString> resolveMovieResource(const QString& base, const QString& relative) {
    QString root = base.isEmpty() ? platform::programDir() : base;
    if (QDir::isRelativePath(root))
        root = platform::programDir() + QLatin1Char('/') + root;
    root = QDir::cleanPath(root);
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rel.startsWith(QLatin1Char('/')))
        rel.remove(0, 1);
    if (rel.isEmpty())
        return std::nullopt;
    // Judge the path as written first, so that ".." never reaches the file system walk.
    const QString plain = QDir::cleanPath(root + QLatin1Char('/') + rel);
    const QString inside = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    if (!plain.startsWith(inside))
        return std::nullopt;
    const QString resolved = QDir::cleanPath(platform::resolvePath(root, rel));
    if (!resolved.startsWith(inside))
        return std::nullopt;
    return resolved;
}

MovieRegistry& MovieRegistry::instance() {
    static MovieRegistry registry;
    return registry;
}

int MovieRegistry::add(const void* owner, const QByteArray& bytes, const QString& base,
                       ResourceSource resource, int layer) {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->second.owner == owner && (layer == 0 || it->second.layer == layer))
            it = entries_.erase(it);
        else
            ++it;
    }
    const int id = counter_++;
    entries_[id] = Entry{bytes, owner, base, std::move(resource), layer};
    return id;
}

void MovieRegistry::removeOwner(const void* owner) {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->second.owner == owner)
            it = entries_.erase(it);
        else
            ++it;
    }
}

void MovieRegistry::setBase(const void* owner, const QString& base) {
    for (auto& [id, entry] : entries_)
        if (entry.owner == owner)
            entry.base = base;
}

void MovieRegistry::setCallSource(int id, CallSource call) {
    const auto it = entries_.find(id);
    if (it != entries_.end())
        it->second.call = std::move(call);
}

const MovieRegistry::Entry* MovieRegistry::find(int id) const {
    const auto it = entries_.find(id);
    return it == entries_.end() ? nullptr : &it->second;
}

int MovieRegistry::ownerCount(const void* owner) const {
    int n = 0;
    for (const auto& [id, entry] : entries_)
        n += entry.owner == owner ? 1 : 0;
    return n;
}

} // namespace flashhost
