#include "flashhost/LegacyText.h"

#include "platform/Gbk.h"

#include <QJsonValue>

namespace flashhost {
namespace {

// Code points of Windows-1252 bytes 0x80..0x9F. The five bytes it leaves undefined
// are read as the C1 control of the same number.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int byteOf(char16_t c) {
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c)
            return 0x80 + i;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    return -1;
}

} // namespace

QByteArray windows1252Bytes(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = byteOf(c.unicode());
        out.append(static_cast<char>(b < 0 ? '?' : b));
    }
    return out;
}

QString repairLegacyText(const QString& misread) {
    for (QChar c : misread)
        if (byteOf(c.unicode()) < 0)
            return misread; // not a Windows-1252 reading: leave it as it came
    return platform::fromGbk(windows1252Bytes(misread));
}

QString commandText(const QString& received, int swfVersion) {
    if (swfVersion > 0 && swfVersion <= kLastLegacyTextVersion)
        return repairLegacyText(received);
    return received;
}

QString movieText(const QString& text, int swfVersion) {
    if (swfVersion <= 0 || swfVersion > kLastLegacyTextVersion)
        return text;
    QString out;
    for (const char c : platform::toGbk(text)) {
        const auto b = static_cast<unsigned char>(c);
        out += QChar(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b));
    }
    return out;
}

QString argumentText(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return QString();
    if (value.metaType().id() == QMetaType::QJsonValue) {
        const QJsonValue j = value.toJsonValue();
        if (j.isString())
            return j.toString();
        if (j.isBool())
            return j.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        if (j.isDouble())
            return QString::number(j.toDouble(), 'g', 15);
        return QString();
    }
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (value.metaType().id() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 15);
    if (value.canConvert<QString>())
        return value.toString();
    return QString();
}

} // namespace flashhost
