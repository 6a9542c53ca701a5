#include "platform/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
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

// A folder that only its owner can write to, and the owner is someone else: nothing of
// ours may be put there, even where the permissions would let us (as root).
bool othersPrivateFolder(const struct stat& folder) {
    return folder.st_uid != ::geteuid() && (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// A link this user may follow: made by this user, or by root (who could write anything
// anyway). Anyone else's link could have been planted to aim our write at a file of ours.
bool trustedLink(const struct stat& link) {
    return link.st_uid == ::geteuid() || link.st_uid == 0;
}

// Where a write of `path` lands. A symbolic link is followed, hop by hop, only to a file
// of this user, by links this user trusts, and never into another user's private folder;
// otherwise the result is empty and nothing may be written.
QByteArray landingPath(const QString& path) {
    QByteArray current = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    bool linkedName = false; // the name itself was a link
    bool linked = false;     // any link on the way, a folder's too
    for (int hop = 0; hop < 40; ++hop) {
        const qsizetype slash = current.lastIndexOf('/');
        const QByteArray name = current.mid(slash + 1);
        const QByteArray named = slash > 0 ? current.left(slash) : QByteArray("/");
        char real[PATH_MAX];
        if (name.isEmpty() || name == "." || name == ".." ||
            ::realpath(named.constData(), real) == nullptr)
            return {};
        const QByteArray folder(real);
        // The data folder itself may be the link; a folder named as it is was chosen by
        // whoever runs us.
        if (folder != QFile::encodeName(QDir::cleanPath(QFile::decodeName(named))))
            linked = true;
        struct stat folderStat {};
        if (::stat(folder.constData(), &folderStat) != 0 ||
            (linked && othersPrivateFolder(folderStat)))
            return {};
        const QByteArray full = (folder == "/" ? QByteArray() : folder) + '/' + name;
        struct stat st {};
        if (::lstat(full.constData(), &st) != 0)
            return errno == ENOENT ? full : QByteArray();
        if (!S_ISLNK(st.st_mode)) {
            // A file a link names must be this user's own; one standing in its own place
            // (in a shared program folder, say) is replaced, never written into, so its
            // owner does not matter.
            if (linkedName && (st.st_uid != ::geteuid() || !S_ISREG(st.st_mode)))
                return {};
            return full;
        }
        if (!trustedLink(st))
            return {};
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink(full.constData(), target.data(), size_t(target.size()));
        if (n <= 0 || n >= target.size())
            return {};
        target.truncate(n);
        current = target.startsWith('/') ? target : folder + '/' + target;
        linkedName = linked = true;
    }
    return {}; // a loop of links
}

} // namespace

bool replaceFileContents(const QString& path, const QByteArray& bytes) {
    const QByteArray target = landingPath(path);
    if (target.isEmpty())
        return false;
    const QFileInfo targetInfo(QFile::decodeName(target));
    removeStaleTemporaries(targetInfo);
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
