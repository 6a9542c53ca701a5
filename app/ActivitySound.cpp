#include "app/ActivitySound.h"

#include "app/ShellState.h"
#include "platform/ProgramDir.h"
#include "platform/SoundLibrary.h"

#include <QFile>

namespace shell {
namespace {
OutputListener& listener() {
    static OutputListener l;
    return l;
}
void tell(const QString& path, SoundOutput output) {
    if (listener())
        listener()(path, output);
}
} // namespace

bool playSound(const QString& windowsPath, bool report) {
    tell(windowsPath, SoundOutput::Stream);
    return playSoundFile(windowsPath, report);
}

void playWave(const QString& windowsPath) {
    tell(windowsPath, SoundOutput::Wave);
    QFile f(platform::dataPath(windowsPath));
    if (f.open(QIODevice::ReadOnly))
        platform::soundLibrary().PlayMemory(f.readAll());
}

void setSoundListener(SoundListener l) {
    if (!l) {
        listener() = {};
        return;
    }
    listener() = [l = std::move(l)](const QString& path, SoundOutput) { l(path); };
}

void setOutputListener(OutputListener l) {
    listener() = std::move(l);
}

} // namespace shell
