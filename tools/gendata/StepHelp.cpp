// The help file beside the executable, compiled from the pages in content/help.
#include "tools/gendata/Generator.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace gendata {
namespace {

void makeHelp(Output& out) {
    const QDir src(out.contentDir() + QStringLiteral("/help"));
    const QStringList files = src.entryList(QDir::Files, QDir::Name);
    QCryptographicHash key(QCryptographicHash::Sha1);
    for (const QString& f : files)
        key.addData(out.content(QStringLiteral("help/") + f));
    const QByteArray chm =
        out.cached(QStringLiteral("help-") + QString::fromLatin1(key.result().toHex()), [&] {
            const QString work = out.tempDir() + QStringLiteral("/help");
            QDir(work).removeRecursively();
            QDir().mkpath(work);
            for (const QString& f : files)
                QFile::copy(src.filePath(f), work + QLatin1Char('/') + f);
            Output::run(QStringLiteral("sh"),
                        {QStringLiteral("-c"),
                         QStringLiteral("cd '%1' && chmcmd --no-html-scan help.hhp").arg(work)});
            QFile f(work + QStringLiteral("/help.chm"));
            if (!f.open(QIODevice::ReadOnly))
                throw std::runtime_error("chmcmd made no help file");
            return f.readAll();
        });
    out.writeData(QStringLiteral("Pelumo帮助.chm"), chm);
}

RegisterStep step{"help", &makeHelp};

} // namespace
} // namespace gendata
