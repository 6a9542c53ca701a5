#pragma once
// The program folder and the data paths under it.
//
// The program names its files the Windows way ("DATA\Sound\bg.mp3", "Data\bgsnd\right.WAV"),
// on a file system that ignored letter case. Here the resolver walks the real tree and
// matches each part of the path ignoring case.

#include <QString>

namespace platform {

// The folder of the executable, or $PELUMO_PROGRAM_DIR when set (tests, tools).
QString programDir();

// Overrides the program folder (tests point it at a temporary folder); empty restores.
void setProgramDir(const QString& dir);

// The path of a file named relative to the program folder in the old spelling.
// When every part exists (in any letter case) the real path is returned; otherwise
// the path as spelled, with '/' separators, so that opening it fails plainly.
QString dataPath(const QString& windowsRelativePath);

// Same, relative to a given folder.
QString resolvePath(const QString& baseDir, const QString& windowsRelativePath);

// True when dataPath() found every part of the path.
bool dataPathExists(const QString& windowsRelativePath);

} // namespace platform
