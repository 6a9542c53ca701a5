// The scenes of a lesson: the scene's pictures above (or beside) its lines, the lines
// laid out as blocks that appear one after another as each is spoken, lines that do not
// fit going on to a next page; and the closing card of a moral.
#include "tools/lib/ArtKit.h"
#include "tools/lib/LessonWriter.h"

#include <QFontMetricsF>
#include <cmath>

namespace tools::lesson {
namespace {

using namespace tools::art;

constexpr qreal kPictureBox = 130;
constexpr qreal kRowHeight = 150; // the pictures' row above the lines
constexpr qreal kBlockGap = 14;
constexpr int kPauseFrames = 10;
constexpr int kCountFrames = 7; // at least, between two counted objects

// A laid-out line (or run of word cards) of a scene: its size, and what it shows and
// says once placed with its top centre at a point.
struct Block {
    QSizeF size;
    std::function<std::vector<Moment>(LessonWriter&, QPointF)> moments;
};

Visual at(const Piece& p, QPointF topCentre, Appear a = Appear::FadeUp) {
    return {p.id, Pose::at(topCentre), a};
}

// A caption on its panel, or (`deep`) a line in the category's deep colour.
Block textBlock(const QString& shown, const QString& spoken, const QFont& font, qreal width,
                qreal lineHeight, bool deep, int line) {
    const QSizeF pad = deep ? QSizeF() : kPanelPad;
    const TextInk ink =
        layoutLines(wrapText(shown, font, width - 2 * pad.width()), font, lineHeight);
    const QSizeF size = ink.box.size() + 2 * pad;
    return {size, [=](LessonWriter& w, QPointF top) {
                w.setLine(line);
                const Piece p = deep ? w.text(ink, w.deep())
                                     : w.text(ink, w.ink(), Qt::transparent, 0,
                                              mix(w.colour(), Qt::white, 0.88));
                return std::vector<Moment>{
                    {w.speech(spoken), 12, {at(p, top + QPointF(0, pad.height()))}}};
            }};
}

// A line of a poem: each character with its syllable of pinyin over it.
Block poemBlock(const Line& l, qreal width) {
    const QStringList syllables = words(l.second);
    const QStringList chars = graphemes(l.text);
    const auto cjk = [](const QString& g) { return !g.isEmpty() && isCjk(g.toUcs4().first()); };
    const int n = std::max(1, int(std::count_if(chars.begin(), chars.end(), cjk)));
    const int others = int(chars.size()) - n;
    qreal charPx = 46;
    const QFont pinyin = cjkFont(22, QFont::Medium);
    qreal cell = charPx + 10;
    for (const QString& s : syllables)
        cell = std::max(cell, textWidth(s, pinyin) + 8);
    const auto total = [&] { return n * cell + others * charPx * 0.62; };
    if (total() > width)
        cell = std::max(charPx + 2, (width - others * charPx * 0.62) / n);
    if (total() > width) {
        charPx = std::max(30.0, (width - others * 20) / n - 2);
        cell = charPx + 2;
    }
    const QFont hanzi = cjkFont(charPx, QFont::Bold);
    const QFontMetricsF hm(hanzi);
    QPainterPath top, bottom;
    qreal x = -total() / 2;
    int syllable = 0;
    for (const QString& g : chars) {
        const bool isChar = cjk(g);
        const qreal w = isChar ? cell : charPx * 0.62;
        if (isChar && syllable < syllables.size()) {
            const QString s = syllables[syllable++];
            const QFont f = fitOneLine(pinyin, s, cell - 2, 12);
            top.addText(QPointF(x + (w - textWidth(s, f)) / 2, 14 + 0.3 * f.pixelSize()), f, s);
        }
        bottom.addText(
            QPointF(isChar ? x + (w - hm.horizontalAdvance(g)) / 2 : x, 56 + 0.37 * charPx), hanzi,
            g);
        x += w;
    }
    return {QSizeF(total(), 88), [=](LessonWriter& w, QPointF at) {
                SwfShape s;
                s.add(top, ShapeFill::solid(shade(w.colour(), -0.4)));
                s.add(bottom, ShapeFill::solid(w.ink()));
                const Visual v{w.shape(s), Pose::at(at), Appear::FadeUp};
                return std::vector<Moment>{{w.speech(l.text), 12, {v}}};
            }};
}

// English above, its meaning under it: each spoken in its language.
Block englishBlock(const Line& l, qreal width) {
    const QFont en = cjkFont(34, QFont::Bold), zh = cjkFont(30, QFont::Bold);
    const qreal inner = width - 2 * kPanelPad.width();
    TextInk upper = layoutLines(wrapText(l.text, en, inner), en, 46);
    const TextInk lower = layoutLines(wrapText(l.second, zh, inner), zh, 42);
    const qreal h = upper.box.height() + 2 + lower.box.height();
    // The English's panel reaches round the meaning that comes under it.
    upper.box = QRectF(-std::max(upper.box.width(), lower.box.width()) / 2, 0,
                       std::max(upper.box.width(), lower.box.width()), h);
    return {upper.box.size() + 2 * kPanelPad, [=](LessonWriter& w, QPointF top) {
                w.setLine(l.lineNumber);
                const QPointF inside = top + QPointF(0, kPanelPad.height());
                const Piece a = w.text(upper, QColor(0x15, 0x4a, 0xa8), Qt::transparent, 0,
                                       mix(w.colour(), Qt::white, 0.88));
                const Piece b = w.text(lower, w.deep());
                return std::vector<Moment>{
                    {w.speech(l.text, true), 12, {at(a, inside)}},
                    {w.speech(l.second), 12, {at(b, inside + QPointF(0, h - lower.box.height()))}}};
            }};
}

Block bigBlock(const Line& l, qreal width) {
    const QFont font = fitOneLine(cjkFont(130, QFont::Black), l.text, width - 20, 40);
    const TextInk ink = layoutLines({l.text}, font, font.pixelSize() * 1.2);
    const QString spoken = l.second.isEmpty() ? l.text : l.second;
    return {ink.box.size(), [=](LessonWriter& w, QPointF top) {
                w.setLine(l.lineNumber);
                const Piece p = w.text(ink, w.colour(), shade(w.colour(), -0.5), 5);
                const QPointF centre = top + QPointF(0, ink.box.height() / 2);
                Visual v{w.sprite({{p.id, QTransform::fromTranslate(0, -ink.box.height() / 2)}}),
                         Pose::at(centre), Appear::Pop};
                return std::vector<Moment>{{w.speech(spoken), 12, {v}}};
            }};
}

// Word cards side by side: the picture, the pinyin over the character(s).
Block wordsBlock(const std::vector<Line>& cards, qreal width) {
    const QSizeF card(290, 136);
    const int perRow = std::max(1, int((width + 16) / (card.width() + 16)));
    const int rows = (int(cards.size()) + perRow - 1) / perRow;
    const int cols = std::min(perRow, int(cards.size()));
    const QSizeF size(cols * card.width() + (cols - 1) * 16,
                      rows * card.height() + (rows - 1) * 12);
    return {
        size, [=](LessonWriter& w, QPointF top) {
            std::vector<Moment> out;
            for (int i = 0; i < int(cards.size()); ++i) {
                const Line& l = cards[size_t(i)];
                w.setLine(l.lineNumber);
                const int row = i / perRow, col = i % perRow;
                const int inRow = std::min(perRow, int(cards.size()) - row * perRow);
                const QPointF centre(top.x() + (col - (inRow - 1) / 2.0) * (card.width() + 16),
                                     top.y() + row * (card.height() + 12) + card.height() / 2);
                SwfShape back;
                back.roundedRect(
                    QRectF(-card.width() / 2, -card.height() / 2, card.width(), card.height()), 24,
                    ShapeFill::solid(mix(w.colour(), Qt::white, 0.86)), ShapeLine{3, w.colour()});
                const QFont py = fitOneLine(cjkFont(30, QFont::Medium), l.second, 150, 14);
                const QFont hz = fitOneLine(cjkFont(58, QFont::Bold), l.text, 150, 24);
                TextInk pinyin = layoutLines({l.second}, py, 36);
                TextInk hanzi = layoutLines({l.text}, hz, 68);
                pinyin.path.translate(62, -56);
                hanzi.path.translate(62, -24);
                back.add(pinyin.path, ShapeFill::solid(shade(w.colour(), -0.4)));
                back.add(hanzi.path, ShapeFill::solid(w.ink()));
                const int sprite =
                    w.sprite({{w.shape(back), {}},
                              {w.emoji(l.emoji), w.emojiPose(l.emoji, {-72, 0}, 120).transform()}});
                out.push_back({w.speech(l.text), 12, {{sprite, Pose::at(centre), Appear::Pop}}});
            }
            return out;
        }};
}

// Objects appearing one by one, each with its number, counted aloud; rows as even and
// objects as large as the room allows.
Block countBlock(const Line& l, qreal width) {
    const int n = l.count;
    int perRow = 1;
    qreal s = 0;
    for (int k = 1; k <= std::min(n, 10); ++k) {
        const int r = (n + k - 1) / k;
        const qreal fits = std::min({110.0, (width + 12) / k - 12, 290.0 / r - 36});
        if (fits > s + 0.5) {
            s = fits;
            perRow = (n + r - 1) / r;
        }
    }
    const int rows = (n + perRow - 1) / perRow;
    const qreal step = s + 12, rowH = s + 36;
    return {QSizeF(perRow * step - 12, rows * rowH), [=](LessonWriter& w, QPointF top) {
                w.setLine(l.lineNumber);
                std::vector<Moment> out;
                const QFont font = cjkFont(26, QFont::Black);
                for (int i = 0; i < n; ++i) {
                    const int row = i / perRow, col = i % perRow;
                    const int inRow = std::min(perRow, n - row * perRow);
                    const QPointF c(top.x() + (col - (inRow - 1) / 2.0) * step,
                                    top.y() + row * rowH + s / 2);
                    const Piece label =
                        w.text(layoutLines({QString::number(i + 1)}, font, 30), w.deep());
                    out.push_back({w.speech(LessonWriter::chinese(i + 1)),
                                   kCountFrames,
                                   {{w.emoji(l.emoji), w.emojiPose(l.emoji, c, s), Appear::Pop},
                                    at(label, c + QPointF(0, s / 2 + 2), Appear::Pop)}});
                }
                return out;
            }};
}

// Groups side by side, each on its tray with its number under it.
Block groupsBlock(const Line& l, qreal width) {
    const int g = std::max<int>(1, int(l.groups.size()));
    const qreal tray = std::min(300.0, (width - (g - 1) * 24) / g);
    int most = 1;
    for (const Group& gr : l.groups)
        most = std::max(most, gr.count);
    qreal s = 72;
    int cols = 1, rows = 1;
    for (const qreal tried : {72.0, 60.0, 50.0, 42.0, 34.0}) {
        s = tried;
        cols = std::max(1, int((tray - 16) / (s + 6)));
        rows = (most + cols - 1) / cols;
        if (rows * (s + 6) <= 200)
            break;
    }
    const qreal trayH = std::max(90.0, rows * (s + 6) + 18);
    return {QSizeF(g * tray + (g - 1) * 24, trayH + 62), [=](LessonWriter& w, QPointF top) {
                w.setLine(l.lineNumber);
                std::vector<Moment> out;
                for (int k = 0; k < int(l.groups.size()); ++k) {
                    const Group& gr = l.groups[size_t(k)];
                    const qreal cx = top.x() + (k - (g - 1) / 2.0) * (tray + 24);
                    SwfShape back;
                    back.roundedRect(QRectF(-tray / 2, 0, tray, trayH), 22,
                                     ShapeFill::solid(mix(w.colour(), Qt::white, 0.86)),
                                     ShapeLine{3, w.colour()});
                    const QFont big = cjkFont(46, QFont::Black);
                    TextInk number = layoutLines({QString::number(gr.count)}, big, 56);
                    number.path.translate(0, trayH + 4);
                    back.add(number.path, ShapeFill::solid(w.colour()),
                             ShapeLine{2, shade(w.colour(), -0.5)});
                    Moment m;
                    m.visuals.push_back({w.shape(back), Pose::at({cx, top.y()}), Appear::Pop});
                    const int inRows = std::min(cols, std::max(1, gr.count));
                    for (int i = 0; i < gr.count; ++i) {
                        const int row = i / cols, col = i % cols;
                        const int inRow = std::min(inRows, gr.count - row * cols);
                        const QPointF c(cx + (col - (inRow - 1) / 2.0) * (s + 6),
                                        top.y() + 12 + row * (s + 6) + s / 2 +
                                            (trayH - 18 - rows * (s + 6)) / 2);
                        m.visuals.push_back(
                            {w.emoji(gr.emoji), w.emojiPose(gr.emoji, c, s), Appear::Pop});
                    }
                    const QString where =
                        g == 2 ? (k == 0 ? QStringLiteral("左边") : QStringLiteral("右边"))
                               : QString();
                    m.mp3 = w.speech(gr.count ? where + QStringLiteral("有") +
                                                    LessonWriter::chinese(gr.count) +
                                                    QStringLiteral("个")
                                              : where + QStringLiteral("一个也没有"));
                    m.minFrames = 12;
                    out.push_back(m);
                }
                return out;
            }};
}

// The blocks of `lines` for a width: consecutive words share one block.
std::vector<Block> blocksOf(const std::vector<Line>& lines, qreal width) {
    std::vector<Block> out;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& l = lines[i];
        switch (l.type) {
        case Line::Type::Say:
        case Line::Type::Moral:
            out.push_back(textBlock(l.text, l.text, cjkFont(32, QFont::Bold), width, 46, false,
                                    l.lineNumber));
            break;
        case Line::Type::Author: {
            QString spoken = l.text;
            spoken.replace(QStringLiteral("·"), QStringLiteral("，"));
            out.push_back(textBlock(l.text, spoken,
                                    fitOneLine(cjkFont(30, QFont::Bold), l.text, width, 20), width,
                                    44, true, l.lineNumber));
            break;
        }
        case Line::Type::Poem:
            out.push_back(poemBlock(l, width));
            break;
        case Line::Type::English:
            out.push_back(englishBlock(l, width));
            break;
        case Line::Type::Big:
            out.push_back(bigBlock(l, width));
            break;
        case Line::Type::Word: {
            std::vector<Line> run;
            for (; i < lines.size() && lines[i].type == Line::Type::Word; ++i)
                run.push_back(lines[i]);
            --i;
            out.push_back(wordsBlock(run, width));
            break;
        }
        case Line::Type::Count:
            out.push_back(countBlock(l, width));
            break;
        case Line::Type::Groups:
            out.push_back(groupsBlock(l, width));
            break;
        }
    }
    return out;
}

// Blocks into pages of at most `height`, in order.
std::vector<std::vector<Block>> paginate(const std::vector<Block>& blocks, qreal height) {
    std::vector<std::vector<Block>> pages;
    qreal used = 0;
    for (const Block& b : blocks) {
        const qreal need = b.size.height() + (used > 0 ? kBlockGap : 0);
        if (pages.empty() || used + need > height) {
            pages.push_back({b});
            used = b.size.height();
        } else {
            pages.back().push_back(b);
            used += need;
        }
    }
    return pages;
}

qreal widest(const std::vector<Block>& blocks) {
    qreal w = 0;
    for (const Block& b : blocks)
        w = std::max(w, b.size.width());
    return w;
}

} // namespace

int LessonWriter::scene(int frame, const Scene& s) {
    std::vector<Line> lines;
    bool moral = false;
    for (const Line& l : s.lines) {
        if (l.type != Line::Type::Moral) {
            lines.push_back(l);
            continue;
        }
        if (!lines.empty())
            frame = sceneLines(frame, s.pictures, lines);
        lines.clear();
        frame = moralCard(frame, l);
        moral = true;
    }
    return lines.empty() && moral ? frame : sceneLines(frame, s.pictures, lines);
}

int LessonWriter::sceneLines(int frame, const QStringList& shown, const std::vector<Line>& before) {
    clear(frame);
    const int n = int(shown.size());
    // Pictures in a row above the lines; beside them when that saves a page.
    std::vector<Block> blocks = blocksOf(before, kInside.width());
    const qreal row = n ? kRowHeight : 0;
    auto pages = paginate(blocks, kInside.height() - row);
    // The pictures and the tallest page together, centred on the board.
    qreal tallest = 0;
    for (const auto& page : pages) {
        qreal h = -kBlockGap;
        for (const Block& b : page)
            h += b.size.height() + kBlockGap;
        tallest = std::max(tallest, h);
    }
    const qreal top = kInside.top() + std::max(0.0, (kInside.height() - row - tallest) / 2);
    QRectF area(kInside.left(), top + row, kInside.width(), std::max(tallest, 0.0));
    std::vector<QPointF> centres;
    qreal box = kPictureBox;
    for (int i = 0; i < n; ++i)
        centres.push_back({350 + (i - (n - 1) / 2.0) * 155, top + kRowHeight / 2 - 6});
    const qreal column = n <= 3 ? 150 : 270;
    const std::vector<Block> beside = blocksOf(before, kInside.width() - column - 10);
    const auto besidePages = paginate(beside, kInside.height());
    if (n > 0 && besidePages.size() < pages.size() && widest(beside) > 0) {
        pages = besidePages;
        area = QRectF(kInside.left() + column + 10, kInside.top(), kInside.width() - column - 10,
                      kInside.height());
        centres.clear();
        box = n <= 3 ? kPictureBox : 120;
        for (int i = 0; i < n; ++i)
            centres.push_back(n <= 3 ? QPointF(kInside.left() + column / 2,
                                               kInside.top() + (i + 0.5) * kInside.height() / n)
                                     : QPointF(kInside.left() + 67 + (i % 2) * 136,
                                               kInside.top() + 120 + (i / 2) * 236));
    }
    pictures(frame, shown, centres, box);
    int f = frame + 1;
    if (pages.empty())
        return f + 24;
    for (size_t p = 0; p < pages.size(); ++p) {
        const int mark = depthMark();
        qreal total = -kBlockGap;
        for (const Block& b : pages[p])
            total += b.size.height() + kBlockGap;
        qreal y = area.top() + std::max(0.0, (area.height() - total) / 2);
        for (const Block& b : pages[p]) {
            f = play(f, b.moments(*this, QPointF(area.center().x(), y)));
            y += b.size.height() + kBlockGap;
        }
        f += kPauseFrames;
        if (p + 1 < pages.size())
            clear(f, mark);
    }
    return f;
}

// The moral on a card of its own.
int LessonWriter::moralCard(int frame, const Line& moral) {
    setLine(moral.lineNumber);
    clear(frame);
    SwfShape card;
    card.roundedRect(QRectF(70, 92, 560, 450), 36, ShapeFill::solid(mix(colour(), Qt::white, 0.85)),
                     ShapeLine{6, colour()});
    const QFont head = cjkFont(34, QFont::Black);
    TextInk heading = layoutLines({QStringLiteral("故事告诉我们")}, head, 44);
    heading.path.translate(350, 250);
    card.add(heading.path, ShapeFill::solid(deep()));
    show(frame, {shape(card), Pose::at({}), Appear::Now});
    pictures(frame, {QStringLiteral("💡")}, {{350, 172}}, 120);
    const Piece words = paragraph(moral.text, cjkFont(36, QFont::Black), 480, 50, ink());
    const int f = play(frame + 1, {{speech(moral.text), 12, {at(words, {350, 316})}}});
    return f + kPauseFrames;
}

} // namespace tools::lesson
