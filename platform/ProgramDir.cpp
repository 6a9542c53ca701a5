#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {
namespace {

QString& overrideDir() {
    static QString dir;
    return dir;
}

// Finds the entry of `dir` named `part` ignoring case; an exact match wins.
QString matchEntry(const QString& dir, const QString& part) {
    if (QFileInfo::exists(dir + QLatin1Char('/') + part))
        return part;
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(part, Qt::CaseInsensitive) == 0)
            return e;
    return {};
}

struct Resolved {
    QString path;
    bool found;
};

Resolved resolve(const QString& baseDir, const QString& relative) {
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString cur = baseDir;
    if (cur.endsWith(QLatin1Char('/')) && cur.size() > 1)
        cur.chop(1);
    bool found = true;
    for (const QString& part : parts) {
        if (part == QLatin1String("."))
            continue;
        QString real = found && part != QLatin1String("..") ? matchEntry(cur, part) : QString();
        if (part == QLatin1String(".."))
            real = part;
        if (real.isEmpty()) {
            found = false;
            real = part;
        }
        cur += QLatin1Char('/') + real;
    }
    return {QDir::cleanPath(cur), found && QFileInfo::exists(cur)};
}

} // namespace

QString programDir() {
    if (!overrideDir().isEmpty())
        return overrideDir();
    const QByteArray env = qgetenv("PELUMO_PROGRAM_DIR");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void setProgramDir(const QString& dir) {
    overrideDir() = dir;
}

QString resolvePath(const QString& baseDir, const QString& windowsRelativePath) {
    return resolve(baseDir, windowsRelativePath).path;
}

QString dataPath(const QString& windowsRelativePath) {
    return resolve(programDir(), windowsRelativePath).path;
}

bool dataPathExists(const QString& windowsRelativePath) {
    return resolve(programDir(), windowsRelativePath).found;
}

} // namespace platform
