#pragma once
// One running copy per user: an exclusive lock on a file in the runtime folder.
// The kernel drops the lock when the process ends, so a copy that crashed or was
// killed never blocks the next start.

#include <QString>

namespace platform {

class SingleInstanceLock {
public:
    // `name` is the lock's name ("Tovimbrel"); `dir` the folder of the lock file
    // (default: $XDG_RUNTIME_DIR, else a folder of the user's own, mode 700, in the
    // cache folder; the same place at every start, whatever other users do).
    explicit SingleInstanceLock(const QString& name, const QString& dir = QString());
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when this process now holds the lock; false when another copy does. A lock
    // file the user does not own is never trusted: it is replaced. With no folder of
    // the user's own at all, the lock counts as held (better to start twice than never).
    bool tryAcquire();
    bool isHeld() const { return fd_ >= 0; }
    void release();
    QString lockFilePath() const { return path_; }

private:
    QString path_;
    int fd_ = -1;
};

} // namespace platform
