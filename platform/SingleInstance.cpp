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

SingleInstanceLock::SingleInstanceLock(const QString& name, const QString& dir) {
    QString folder = dir;
    if (folder.isEmpty())
        folder = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    QString file = name;
    if (folder.isEmpty() || !QDir(folder).exists()) {
        // The temporary folder is shared by every user: each user locks a file of their own.
        folder = QDir::tempPath();
        file += QLatin1Char('-') + QString::number(::getuid());
    }
    path_ = folder + QLatin1Char('/') + file + QLatin1String(".lock");
}

SingleInstanceLock::~SingleInstanceLock() {
    release();
}

bool SingleInstanceLock::tryAcquire() {
    if (fd_ >= 0)
        return true;
    const QByteArray p = QFile::encodeName(path_);
    int fd = ::open(p.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return true;
    // A file someone else put under our name is not our lock.
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_uid != ::getuid()) {
        ::close(fd);
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return !busy;
    }
    fd_ = fd;
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
