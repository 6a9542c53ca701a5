#pragma once
// Text that reaches the host from a movie.
//
// Movies of SWF version 5 and below hold their strings in the local code page (GBK
// here); the player reads them as Windows-1252. Such text is turned back into its bytes
// and decoded as GBK. Event arguments from the page may be missing or of another type.

#include <QString>
#include <QVariant>

namespace flashhost {

// The highest SWF version whose strings are in the local code page.
inline constexpr int kLastLegacyTextVersion = 5;

// Windows-1252 reading undone: the bytes again (characters outside it become '?').
QByteArray windows1252Bytes(const QString& text);

// "找不同" from a version 5 movie, read as Windows-1252, back to "找不同".
QString repairLegacyText(const QString& misread);

// The text of a movie's command for a movie of `swfVersion`.
QString commandText(const QString& received, int swfVersion);

// Text for a movie of `swfVersion` as the player reads the movie's own strings: for a
// version 5 movie "找不同" becomes its GBK bytes read as Windows-1252.
QString movieText(const QString& text, int swfVersion);

// An event argument as text: missing or null gives "", numbers and booleans their
// text form.
QString argumentText(const QVariant& value);

} // namespace flashhost
