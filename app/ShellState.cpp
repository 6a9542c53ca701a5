#include "app/ShellState.h"

#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/SoundLibrary.h"
#include <QAbstractButton>
#include <QPointer>

#include <QImage>
#include <QMap>
#include <QPixmap>
#include <QWidget>

quint32 SoundChannel = 0;
quint32 BgMusicChannel = 0;
bool IsTrueColor = false;

namespace shell {
namespace {
QByteArray& clickSound() {
    static QByteArray wav;
    return wav;
}
// Kept as images: a static pixmap would outlive the application that owns its data.
QImage& judgement(bool right) {
    static QImage rightSign, wrongSign;
    return right ? rightSign : wrongSign;
}
QMap<int, QCursor>& cursors() {
    static QMap<int, QCursor> c;
    return c;
}
} // namespace

void setClickSound(const QByteArray& wav) {
    clickSound() = wav;
}

void playClick() {
    if (!clickSound().isEmpty())
        platform::soundLibrary().PlayMemory(clickSound());
}

bool soundLibraryFits() {
    static bool said = false;
    if ((platform::soundLibrary().GetVersion() >> 16) == 0x0204)
        return true;
    // Every window that starts the library would say it again; once is enough.
    if (!said) {
        said = true;
        platform::showMessage(nullptr, QStringLiteral("播放声音的库文件版本不合适!"), QString(),
                              platform::MB_ICONERROR);
    }
    return false;
}

bool playSoundPath(const QString& fullPath, bool report) {
    auto& snd = platform::soundLibrary();
    snd.StreamFree(SoundChannel);
    SoundChannel = snd.StreamCreateFile(fullPath, 0);
    const bool ok = snd.ChannelPlay(SoundChannel, false);
    if (!ok && report)
        platform::showMessage(nullptr, QStringLiteral("播放声音文件失败!"), QString(),
                              platform::MB_ICONERROR);
    return ok;
}

bool playSoundFile(const QString& windowsPath, bool report) {
    return playSoundPath(platform::dataPath(windowsPath), report);
}

void stopSound() {
    platform::soundLibrary().ChannelStop(SoundChannel);
}

namespace {
QPointer<QAbstractButton>& musicSwitch() {
    static QPointer<QAbstractButton> s;
    return s;
}
} // namespace

void setMusicSwitch(QAbstractButton* button) {
    musicSwitch() = button;
}

bool musicWanted() {
    return musicSwitch() && musicSwitch()->isChecked();
}

void pauseMusicForActivity() {
    if (musicWanted())
        platform::soundLibrary().ChannelStop(BgMusicChannel);
}

void resumeMusicAfterActivity() {
    if (musicWanted())
        platform::soundLibrary().ChannelPlay(BgMusicChannel, false);
}

void setJudgementPictures(const QPixmap& right, const QPixmap& wrong) {
    judgement(true) = right.toImage();
    judgement(false) = wrong.toImage();
}

QPixmap judgementPicture(bool right) {
    return QPixmap::fromImage(judgement(right));
}

namespace {
QPointer<QWidget>& mainWindow() {
    static QPointer<QWidget> w;
    return w;
}
} // namespace

void setMainWindow(QWidget* window) {
    mainWindow() = window;
}

void unparkMainWindow() {
    QWidget* w = mainWindow();
    if (!w)
        return;
    w->setProperty("Left", w->property("Tag"));
    w->setProperty("Tag", 0);
}

QCursor screenCursor(int index) {
    return cursors().value(index, QCursor(Qt::ArrowCursor));
}
void setScreenCursor(int index, const QCursor& cursor) {
    cursors().insert(index, cursor);
}
bool hasScreenCursor(int index) {
    return cursors().contains(index);
}
void clearScreenCursors() {
    cursors().clear();
}

void prepareNewWindow(QWidget* w) {
    if (w && hasScreenCursor(1))
        w->setCursor(screenCursor(1));
}

} // namespace shell
