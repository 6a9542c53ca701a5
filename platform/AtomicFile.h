#pragma once
// Replacing a file's contents so that a crash at any moment leaves either the old or
// the new contents, and nothing else.
//
// The bytes go into an unnamed file in the target's folder (O_TMPFILE), which is
// synced, given a temporary name and renamed over the target; a write killed before
// that leaves no file at all. Where the file system has no unnamed files, a named
// temporary "<file>.new-XXXXXX" is written instead. Temporaries of that pattern left
// by a killed earlier write are removed by the next write of the same file.

#include <QByteArray>
#include <QString>

namespace platform {

// Writes `bytes` as the new contents of `path`. A symbolic link is followed to a file of
// this user's own; a write that a link would send into another user's file or private
// folder, or that follows a link someone else made, is refused. An existing file keeps
// its permissions; a new one gets 0644. False on any failure, with the old file untouched.
bool replaceFileContents(const QString& path, const QByteArray& bytes);

} // namespace platform
