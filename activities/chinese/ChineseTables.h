#pragma once
// The built-in text tables of the Chinese activities (riddles, sayings, tongue
// twisters, idioms) are compiled into the program as resources ":/chinese/<name>.txt":
// UTF-8, one row a line, fields separated by tabs, "\r" written as a backslash and r,
// lines starting with '#' ignored. A line with the wrong number of fields is skipped,
// so a damaged table is only shorter, never read out of range.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace chinese {

using Table = QList<QStringList>;

Table parseTable(const QByteArray& utf8, int columns);
// The table of resource ":/chinese/<name>.txt"; empty when it is missing.
Table loadTable(const QString& name, int columns);
// A table text made for the screen: the "\r" line breaks become real line breaks.
QString screenText(const QString& text);

} // namespace chinese
