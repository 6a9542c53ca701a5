#include "tools/gendata/Generator.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <mutex>
#include <stdexcept>

namespace gendata {
namespace {

bool sameContent(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() != bytes.size())
        return false;
    return f.readAll() == bytes;
}

void writeIfChanged(const QString& path, const QByteArray& bytes, int& counter) {
    if (sameContent(path, bytes))
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + path.toStdString());
    f.write(bytes);
    if (!f.commit())
        throw std::runtime_error("cannot write " + path.toStdString());
    ++counter;
}

std::mutex& notesLock() {
    static std::mutex m;
    return m;
}

// The notes taken by the `make` calls running on this thread, innermost last.
thread_local std::vector<QStringList*> takingNotes;

} // namespace

std::vector<Step>& steps() {
    static std::vector<Step> s;
    return s;
}

Output::Output(QString contentDir, QString outDir, QString resDir)
    : contentDir_(std::move(contentDir)), outDir_(std::move(outDir)), resDir_(std::move(resDir)) {}

QByteArray Output::content(const QString& relative) const {
    QFile f(contentDir_ + QLatin1Char('/') + relative);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing content file " + relative.toStdString());
    return f.readAll();
}

// The program finds data files in any letter case, resources only as named.
void Output::claim(const QString& what) {
    const QString key = what.startsWith(QLatin1String(":/")) ? what : what.toCaseFolded();
    if (claimed_.contains(key))
        throw std::runtime_error(what.toStdString() + " is written twice");
    claimed_.insert(key);
}

void Output::writeData(const QString& relative, const QByteArray& bytes) {
    claim(relative);
    writeIfChanged(outDir_ + QLatin1Char('/') + relative, bytes, written_);
    manifest_ << relative;
}

void Output::recordData(const QString& relative) {
    claim(relative);
    manifest_ << relative;
}

void Output::writeNote(const QString& name, const QByteArray& bytes) {
    claim(QStringLiteral("gendata-notes/") + name);
    writeIfChanged(outDir_ + QLatin1String("/gendata-notes/") + name, bytes, written_);
}

void Output::writeResource(const QString& alias, const QByteArray& bytes) {
    claim(QStringLiteral(":/") + alias);
    writeIfChanged(resDir_ + QLatin1String("/files/") + alias, bytes, written_);
    resources_ << alias;
}

QString Output::tempDir() const {
    const QString t = outDir_ + QLatin1String("/.gencache/tmp");
    QDir().mkpath(t);
    return t;
}

QByteArray Output::cached(const QString& key, const std::function<QByteArray()>& make) {
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex());
    const QString path = outDir_ + QLatin1String("/.gencache/") + hash;
    QFile f(path), kept(path + QLatin1String(".notes"));
    // Without its notes (made before notes were kept) an entry is made anew.
    if (kept.open(QIODevice::ReadOnly) && f.open(QIODevice::ReadOnly)) {
        for (const QString& line : QString::fromUtf8(kept.readAll()).split(QLatin1Char('\n')))
            if (!line.isEmpty())
                note(line);
        return f.readAll();
    }
    QStringList taken;
    takingNotes.push_back(&taken);
    QByteArray bytes;
    try {
        bytes = make();
    } catch (...) {
        takingNotes.pop_back();
        throw;
    }
    takingNotes.pop_back();
    int ignored = 0;
    writeIfChanged(path, bytes, ignored);
    writeIfChanged(path + QLatin1String(".notes"),
                   taken.isEmpty() ? QByteArray() : taken.join(QLatin1Char('\n')).toUtf8() + '\n',
                   ignored);
    return bytes;
}

void Output::note(const QString& line) {
    for (QStringList* taking : takingNotes)
        taking->append(line);
    const std::lock_guard<std::mutex> lock(notesLock());
    notes_ << line;
}

void Output::run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error((program + QLatin1Char(' ') + args.join(QLatin1Char(' ')) +
                                  QLatin1String(" failed: ") + QString::fromLocal8Bit(p.readAll()))
                                     .toStdString());
}

void Output::finish() {
    manifest_.sort();
    manifest_.removeDuplicates();
    writeIfChanged(outDir_ + QLatin1String("/Data/manifest.txt"),
                   manifest_.join(QLatin1Char('\n')).toUtf8() + '\n', written_);
    resources_.sort();
    QByteArray qrc = "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString& r : resources_)
        qrc += "  <file alias=\"" + r.toUtf8() + "\">files/" + r.toUtf8() + "</file>\n";
    qrc += "</qresource>\n</RCC>\n";
    writeIfChanged(resDir_ + QLatin1String("/resources.qrc"), qrc, written_);
    notes_.sort();
    notes_.removeDuplicates();
    int ignored = 0;
    writeIfChanged(outDir_ + QLatin1String("/spoken-lines.tsv"),
                   notes_.join(QLatin1Char('\n')).toUtf8() + '\n', ignored);
}

} // namespace gendata
