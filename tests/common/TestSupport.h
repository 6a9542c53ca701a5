#pragma once
// Small helpers for tests: a temporary program folder and file writing.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// Writes bytes to dir/relativePath, creating folders; returns the full path.
QString writeFile(const QString& dir, const QString& relativePath, const QByteArray& bytes);

// Reads a whole file; empty when it cannot be read.
QByteArray readFile(const QString& path);

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

} // namespace testsupport
