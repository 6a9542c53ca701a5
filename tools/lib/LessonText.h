#pragma once
// Text of the lesson movies as outlines: lines broken to a width (Chinese between
// characters, never a line opening with closing punctuation; English between words;
// lines of a paragraph balanced), with the emoji inside a text kept apart as pictures,
// since the colour emoji font has no outlines.

#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QStringList>
#include <utility>
#include <vector>

namespace tools::lesson {

struct TextInk {
    QPainterPath path;                             // the letters
    std::vector<std::pair<QString, QRectF>> emoji; // pictures inside the text and their boxes
    QRectF box;                                    // the laid-out lines
};

// The graphemes (user-perceived characters) of a text, spaces included.
QStringList graphemes(const QString& text);
// True for a grapheme drawn by the emoji font.
bool isPictograph(const QString& grapheme);
// Width of a line, an emoji counting a little more than a character.
qreal textWidth(const QString& text, const QFont& font);
// The lines of `text` no wider than `width` (a word too long for it stands alone).
QStringList wrapText(const QString& text, const QFont& font, qreal width);
// `lines` laid out `lineHeight` apart from y = 0 down, each centred on x = 0 (or starting
// at x = 0 with AlignLeft).
TextInk layoutLines(const QStringList& lines, const QFont& font, qreal lineHeight,
                    Qt::Alignment align = Qt::AlignHCenter);
// The largest font of at most `font`'s size, and at least `minPx`, that puts `text` on
// one line of `width`; the smallest when none does.
QFont fitOneLine(QFont font, const QString& text, qreal width, qreal minPx);

} // namespace tools::lesson
