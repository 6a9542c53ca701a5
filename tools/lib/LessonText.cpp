#include "tools/lib/LessonText.h"

#include "tools/lib/LessonScript.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <cmath>

namespace tools::lesson {
namespace {

constexpr qreal kEmojiEm = 1.15;

// Punctuation that closes: it stays at the end of the line before.
bool closes(const QString& g) {
    static const QString marks = QStringLiteral("，。、；：！？”’）》」』】…,.;:!?)]%");
    return g.size() == 1 && marks.contains(g[0]);
}

bool latinLetter(const QString& g) {
    const QChar c = g.isEmpty() ? QChar() : g[0];
    return c.unicode() < 0x2E80 && c.isLetterOrNumber();
}

// Pieces that are never broken: a Latin word (with its apostrophes and hyphens), or
// one grapheme; spaces are pieces of their own.
QStringList pieces(const QString& text) {
    QStringList out;
    QString word;
    for (const QString& g : graphemes(text)) {
        const bool wordy = latinLetter(g) || (!word.isEmpty() &&
                                              (g == QLatin1String("'") || g == QLatin1String("-")));
        if (wordy) {
            word += g;
            continue;
        }
        if (!word.isEmpty())
            out << word;
        word.clear();
        out << g;
    }
    if (!word.isEmpty())
        out << word;
    return out;
}

QStringList greedy(const QStringList& parts, const QFont& font, qreal width) {
    QStringList lines;
    QString line;
    for (const QString& p : parts) {
        const bool space = p.size() == 1 && p[0].isSpace();
        if (line.isEmpty() && space)
            continue;
        const QString longer = line + p;
        if (!line.isEmpty() && !closes(p) && !space && textWidth(longer, font) > width) {
            lines << line.trimmed();
            line = p;
        } else {
            line = longer;
        }
    }
    if (!line.trimmed().isEmpty())
        lines << line.trimmed();
    return lines;
}

} // namespace

QStringList graphemes(const QString& s) {
    QStringList out;
    QTextBoundaryFinder f(QTextBoundaryFinder::Grapheme, s);
    qsizetype from = 0;
    while (f.toNextBoundary() >= 0) {
        out << s.mid(from, f.position() - from);
        from = f.position();
    }
    return out;
}

bool isPictograph(const QString& g) {
    const QList<uint> ucs = g.toUcs4();
    if (ucs.isEmpty())
        return false;
    const uint c = ucs.first();
    return c >= 0x1F000 || (c >= 0x2100 && !isCjk(c) && QChar::category(c) == QChar::Symbol_Other);
}

qreal textWidth(const QString& text, const QFont& font) {
    const QFontMetricsF m(font);
    qreal w = 0;
    QString run;
    for (const QString& g : graphemes(text)) {
        if (isPictograph(g)) {
            w += m.horizontalAdvance(run) + kEmojiEm * font.pixelSize();
            run.clear();
        } else {
            run += g;
        }
    }
    return w + m.horizontalAdvance(run);
}

QStringList wrapText(const QString& text, const QFont& font, qreal width) {
    // Lines break after a clause where they can: a clause that fits stays whole.
    const QStringList fine = pieces(text);
    QStringList parts, clause;
    for (int i = 0; i < fine.size(); ++i) {
        clause << fine[i];
        const bool ends = closes(fine[i]) && (i + 1 == fine.size() || !closes(fine[i + 1]));
        if (!ends && i + 1 < fine.size())
            continue;
        if (textWidth(clause.join(QString()), font) <= width)
            parts << clause.join(QString());
        else
            parts << clause;
        clause.clear();
    }
    QStringList lines = greedy(parts, font, width);
    if (lines.size() < 2)
        return lines;
    // Balanced: the narrowest width that needs no more lines.
    qreal lo = width / lines.size(), hi = width;
    QStringList best = lines;
    for (int i = 0; i < 10; ++i) {
        const qreal mid = (lo + hi) / 2;
        const QStringList tried = greedy(parts, font, mid);
        if (tried.size() <= lines.size()) {
            best = tried;
            hi = mid;
        } else {
            lo = mid;
        }
    }
    return best;
}

TextInk layoutLines(const QStringList& lines, const QFont& font, qreal lineHeight,
                    Qt::Alignment align) {
    TextInk ink;
    const QFontMetricsF m(font);
    const qreal px = font.pixelSize();
    qreal widest = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const qreal w = textWidth(lines[i], font);
        widest = std::max(widest, w);
        qreal x = align & Qt::AlignLeft ? 0 : -w / 2;
        // Ideographs and capitals sit centred on the line's middle.
        const qreal middle = (i + 0.5) * lineHeight;
        const qreal baseline = middle + 0.37 * px;
        QString run;
        const auto flush = [&] {
            if (run.isEmpty())
                return;
            ink.path.addText(QPointF(x, baseline), font, run);
            x += m.horizontalAdvance(run);
            run.clear();
        };
        for (const QString& g : graphemes(lines[i])) {
            if (!isPictograph(g)) {
                run += g;
                continue;
            }
            flush();
            const qreal size = kEmojiEm * px;
            ink.emoji.push_back({g, QRectF(x + 0.04 * px, middle - size / 2, size * 0.93, size)});
            x += size;
        }
        flush();
    }
    const qreal left = align & Qt::AlignLeft ? 0 : -widest / 2;
    ink.box = QRectF(left, 0, widest, lineHeight * lines.size());
    return ink;
}

QFont fitOneLine(QFont font, const QString& text, qreal width, qreal minPx) {
    const qreal w = textWidth(text, font);
    if (w > width) {
        const int px = int(std::floor(font.pixelSize() * width / w));
        font.setPixelSize(std::max(int(minPx), px));
    }
    return font;
}

} // namespace tools::lesson
