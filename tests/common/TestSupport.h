#pragma once
// Small helpers for tests: a temporary program folder and file writing.

#include "platform/ContentPack.h"
#include "platform/MessageService.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace testsupport {

// Writes bytes to dir/relativePath, creating folders; returns the full path.
QString writeFile(const QString& dir, const QString& relativePath, const QByteArray& bytes);

// Reads a whole file; empty when it cannot be read.
QByteArray readFile(const QString& path);

// The message boxes a recorder saw, each as "caption|text|flags".
inline QStringList boxes(const platform::MessageRecorder& recorder) {
    QStringList out;
    for (const platform::MessageCall& m : recorder.calls())
        out << QStringLiteral("%1|%2|%3").arg(m.caption, m.text).arg(m.flags);
    return out;
}

// Points the program folder at a fresh temporary folder while it lives.
class TempProgramDir {
public:
    TempProgramDir();
    ~TempProgramDir();
    QString path() const { return dir_.path(); }
    QString write(const QString& relativePath, const QByteArray& bytes) {
        return writeFile(path(), relativePath, bytes);
    }

private:
    QTemporaryDir dir_;
};

// A pack of the data build (Data/kjfile/<prefix>.dat) and its movies, "<prefix>1",
// "<prefix>2", ... as far as they go.
std::shared_ptr<platform::ContentPack> builtPack(const QString& prefix);
QStringList packMovies(const platform::ContentPack& pack, const QString& prefix);

} // namespace testsupport
