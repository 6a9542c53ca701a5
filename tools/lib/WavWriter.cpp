#include "tools/lib/WavWriter.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>
#include <cmath>

namespace tools {

QByteArray makeWav(const std::vector<float>& samples, int sampleRate, int channels) {
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    const quint32 dataBytes = static_cast<quint32>(samples.size() * 2);
    s.writeRawData("RIFF", 4);
    s << quint32(36 + dataBytes);
    s.writeRawData("WAVEfmt ", 8);
    s << quint32(16) << quint16(1) << quint16(channels) << quint32(sampleRate)
      << quint32(sampleRate * channels * 2) << quint16(channels * 2) << quint16(16);
    s.writeRawData("data", 4);
    s << dataBytes;
    for (float v : samples)
        s << qint16(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
    return out;
}

} // namespace tools
