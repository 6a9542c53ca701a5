#include "platform/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr char kTempInfix[] = ".new-";
constexpr int kSuffixLength = 6;
// A named temporary older than this has no writer left: writes take milliseconds.
constexpr qint64 kStaleSeconds = 60;

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

QByteArray tempName(const QByteArray& target) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = target + kTempInfix;
    for (int i = 0; i < kSuffixLength; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return name;
}

void removeStaleTemporaries(const QFileInfo& target) {
    const QString prefix = target.fileName() + QLatin1String(kTempInfix);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDir dir = target.absoluteDir();
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!name.startsWith(prefix) || name.size() != prefix.size() + kSuffixLength)
            continue;
        const QFileInfo temp(dir.filePath(name));
        if (temp.lastModified().toUTC().secsTo(now) > kStaleSeconds)
            QFile::remove(temp.filePath());
    }
}

// Fills `fd` and makes it durable with the mode the target should have.
bool fill(int fd, const QByteArray& bytes, mode_t mode) {
    return writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
}

// The unnamed way: true when the new contents are in place; `tried` false when the
// file system has no unnamed files, so that the named way is taken.
bool replaceUnnamed(const QByteArray& target, const QByteArray& folder, const QByteArray& bytes,
                    mode_t mode, bool& tried) {
    const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    tried = fd >= 0;
    if (fd < 0)
        return false;
    bool ok = fill(fd, bytes, mode);
    QByteArray temp;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0; ok && attempt < 100; ++attempt) {
        temp = tempName(target);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, temp.constData(), AT_SYMLINK_FOLLOW) ==
            0)
            break;
        temp.clear();
        if (errno != EEXIST) {
            // Without /proc the file cannot be named; write it the named way.
            tried = false;
            break;
        }
    }
    ::close(fd);
    if (temp.isEmpty())
        return false;
    if (::rename(temp.constData(), target.constData()) != 0) {
        ::unlink(temp.constData());
        return false;
    }
    return ok;
}

bool replaceNamed(const QByteArray& target, const QByteArray& bytes, mode_t mode) {
    QByteArray temp = target + kTempInfix + QByteArray(kSuffixLength, 'X');
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    bool ok = fill(fd, bytes, mode);
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.constData(), target.constData()) == 0;
    if (!ok)
        ::unlink(temp.constData());
    return ok;
}

} // namespace

bool replaceFileContents(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    const QString resolved = info.isSymLink() ? info.canonicalFilePath() : info.absoluteFilePath();
    if (resolved.isEmpty())
        return false;
    const QFileInfo targetInfo(resolved);
    removeStaleTemporaries(targetInfo);
    const QByteArray target = QFile::encodeName(resolved);
    const QByteArray folder = QFile::encodeName(targetInfo.absolutePath());
    struct stat old {};
    const mode_t mode =
        ::stat(target.constData(), &old) == 0 ? (old.st_mode & 07777) : mode_t(0644);

    bool tried = false;
    bool ok = replaceUnnamed(target, folder, bytes, mode, tried);
    if (!tried)
        ok = replaceNamed(target, bytes, mode);
    if (!ok)
        return false;
    // Make the rename itself durable; the new contents are already in place.
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace platform
