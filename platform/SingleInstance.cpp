#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A folder only this user can write to: made with mode 700 when it is not there; one
// that exists must be a real folder (not a link), owned by this user, closed to others.
bool privateFolder(const QString& folder, bool create) {
    const QByteArray p = QFile::encodeName(folder);
    if (create && ::mkdir(p.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    return ::lstat(p.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

// Where the lock lives: the runtime folder, else a folder of this user's own in the
// cache folder. Never the shared temporary folder: what other users create or remove
// there would move the lock between two starts, and two copies would run.
QString lockFolder() {
    const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && privateFolder(runtime, false))
        return runtime;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QString own = QStringLiteral("/pelumo-%1").arg(::getuid());
    if (!cache.isEmpty() && QDir().mkpath(cache) && privateFolder(cache + own, true))
        return cache + own;
    return {};
}

} // namespace

SingleInstanceLock::SingleInstanceLock(const QString& name, const QString& dir) {
    const QString folder = dir.isEmpty() ? lockFolder() : dir;
    if (!folder.isEmpty())
        path_ = folder + QLatin1Char('/') + name + QLatin1String(".lock");
}

SingleInstanceLock::~SingleInstanceLock() {
    release();
}

bool SingleInstanceLock::tryAcquire() {
    if (fd_ >= 0)
        return true;
    if (path_.isEmpty())
        return true; // nowhere safe to lock: better to start twice than never
    const QByteArray p = QFile::encodeName(path_);
    for (int attempt = 0; attempt < 2; ++attempt) {
        int fd = ::open(p.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return true;
        // A file someone else put under our name is not our lock: it goes, and ours
        // takes its place.
        struct stat st {};
        if (::fstat(fd, &st) != 0 || st.st_uid != ::getuid() || !S_ISREG(st.st_mode)) {
            ::close(fd);
            ::unlink(p.constData());
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(fd);
            return !busy;
        }
        fd_ = fd;
        return true;
    }
    return true;
}

void SingleInstanceLock::release() {
    if (fd_ < 0)
        return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

} // namespace platform
