#pragma once
// State the main window owns and every activity uses: the shared sound stream, the
// background music and its switch, the click sound, the true-colour flag and the
// screen cursors.

#include <QByteArray>
#include <QCursor>
#include <QString>

class QAbstractButton;
class QPixmap;
class QWidget;

extern quint32 SoundChannel;   // the one stream of the current spoken word or effect
extern quint32 BgMusicChannel; // the looping background music
extern bool IsTrueColor;       // the display has 32 or more bits per pixel

namespace shell {

// The click sound every picture button and menu command plays.
void setClickSound(const QByteArray& wav);
void playClick();

// Whether the sound library is of version 2.4. When it is not (also when it is missing
// or damaged) the first call says "播放声音的库文件版本不合适!"; later calls say nothing.
bool soundLibraryFits();
// Frees the previous stream, creates one from a file under the program folder (named
// the Windows way, "DATA\Sound\ReadNumber\3.mp3") and plays it. When it fails and
// `report` is set, shows "播放声音文件失败!". Returns whether it plays.
bool playSoundFile(const QString& windowsPath, bool report = false);
// Same for a full path.
bool playSoundPath(const QString& fullPath, bool report = false);
void stopSound();

// Background music around an activity: stop on show, resume on close, both only when
// the main window's music switch is on.
bool musicWanted();
// The main window's music switch, which musicWanted reads.
void setMusicSwitch(QAbstractButton* button);
void pauseMusicForActivity();
void resumeMusicAfterActivity();

// The main window, which unparkMainWindow brings back.
void setMainWindow(QWidget* window);
// The main window that parked itself off screen keeping its Left in Tag comes back:
// Left := Tag, Tag := 0.
void unparkMainWindow();

// The right and wrong signs that activities show after an answer; the main window
// hands them over when it is made.
void setJudgementPictures(const QPixmap& right, const QPixmap& wrong);
QPixmap judgementPicture(bool right);

// Screen cursors by number (1 = the program's own pointer); an unset slot is the arrow.
QCursor screenCursor(int index);
void setScreenCursor(int index, const QCursor& cursor);
bool hasScreenCursor(int index);
void clearScreenCursors();

// What every window gets right after it is created: cursor 1 (double buffering is
// always on with Qt).
void prepareNewWindow(QWidget* w);

} // namespace shell
