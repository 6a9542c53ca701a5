#include "activities/chinese/ChineseTables.h"

#include <QFile>

namespace chinese {

Table parseTable(const QByteArray& utf8, int columns) {
    Table rows;
    const QString text = QString::fromUtf8(utf8);
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QString l = line;
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        if (l.trimmed().isEmpty() || l.startsWith(QLatin1Char('#')))
            continue;
        QStringList fields = l.split(QLatin1Char('\t'));
        if (fields.size() != columns)
            continue;
        for (QString& f : fields)
            f.replace(QLatin1String("\\r"), QLatin1String("\r"));
        rows.append(fields);
    }
    return rows;
}

Table loadTable(const QString& name, int columns) {
    QFile f(QStringLiteral(":/chinese/") + name + QStringLiteral(".txt"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return parseTable(f.readAll(), columns);
}

QString screenText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

} // namespace chinese
