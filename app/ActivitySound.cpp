#include "app/ActivitySound.h"

#include "app/ShellState.h"
#include "platform/ProgramDir.h"
#include "platform/SoundLibrary.h"

#include <QFile>

namespace shell {
namespace {
SoundListener& listener() {
    static SoundListener l;
    return l;
}
void tell(const QString& path) {
    if (listener())
        listener()(path);
}
} // namespace

bool playSound(const QString& windowsPath, bool report) {
    tell(windowsPath);
    return playSoundFile(windowsPath, report);
}

void playWave(const QString& windowsPath) {
    tell(windowsPath);
    QFile f(platform::dataPath(windowsPath));
    if (f.open(QIODevice::ReadOnly))
        platform::soundLibrary().PlayMemory(f.readAll());
}

void setSoundListener(SoundListener l) {
    listener() = std::move(l);
}

} // namespace shell
