#include "TestSupport.h"

#include "platform/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

QString writeFile(const QString& dir, const QString& relativePath, const QByteArray& bytes) {
    const QString full = dir + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    f.write(bytes);
    return full;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TempProgramDir::TempProgramDir() {
    platform::setProgramDir(dir_.path());
}
TempProgramDir::~TempProgramDir() {
    platform::setProgramDir(QString());
}

std::shared_ptr<platform::ContentPack> builtPack(const QString& prefix) {
    return platform::ContentPack::open(QStringLiteral(PELUMO_BINARY_DIR "/Data/kjfile/") + prefix +
                                       QStringLiteral(".dat"));
}

QStringList packMovies(const platform::ContentPack& pack, const QString& prefix) {
    QStringList items;
    while (pack.contains(prefix + QString::number(items.size() + 1), QStringLiteral("Flash")))
        items << prefix + QString::number(items.size() + 1);
    return items;
}

} // namespace testsupport
