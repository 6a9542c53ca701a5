#pragma once
// Text of the data files and of the old file formats is in code page 936 (GBK).
// Qt has no codec for it, so conversions go through the C library's iconv.

#include <QByteArray>
#include <QString>

namespace platform {

// GBK bytes from text. Characters GBK cannot hold become '?', as the platform did.
QByteArray toGbk(const QString& text);

// Text from GBK bytes. Invalid sequences become U+FFFD; never fails.
QString fromGbk(const QByteArray& bytes);

// Length of a text in GBK bytes: the measure layout rules use
// (two for each Chinese character, one for ASCII).
int gbkByteLength(const QString& text);

} // namespace platform
