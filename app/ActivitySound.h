#pragma once
// The sounds every activity plays: speech and effects on the shell's shared stream,
// short waves on the click channel, and a listener that tests use to see which files
// were asked for.

#include <QString>
#include <functional>

namespace shell {

// Frees the previous stream and plays a file under the program folder on the shared
// stream; when it fails and `report` is set, shows "播放声音文件失败!".
bool playSound(const QString& windowsPath, bool report = true);
// Plays a short WAV file at once on the wave player (the channel of the click sound),
// cutting off whatever that channel played; failures are silent.
void playWave(const QString& windowsPath);

// Told of every file asked for (by playSound and playWave), before it is played.
using SoundListener = std::function<void(const QString& windowsPath)>;
void setSoundListener(SoundListener listener);
// The same, also told which output plays it: the shared stream, where the next sound
// cuts it off, or the wave player beside it.
enum class SoundOutput { Stream, Wave };
using OutputListener = std::function<void(const QString& windowsPath, SoundOutput output)>;
void setOutputListener(OutputListener listener);

} // namespace shell
