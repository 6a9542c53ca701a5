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
    bool caption = false; // a narrated sentence, which may give way to the next one
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

const QFont& pinyinFont() {
    static const QFont f = cjkFont(22, QFont::Medium);
    return f;
}

// The room a character of a poem takes: the widest syllable of all `lines` fits over it,
// so that the characters of every line stand in the same columns.
qreal poemCell(const std::vector<Line>& lines) {
    qreal cell = 56;
    for (const Line& l : lines)
        if (l.type == Line::Type::Poem)
            for (const QString& s : words(l.second))
                cell = std::max(cell, textWidth(s, pinyinFont()) + 14);
    return cell;
}

// A line of a poem: each character with its syllable of pinyin over it.
Block poemBlock(const Line& l, qreal width, qreal cell) {
    const QStringList syllables = words(l.second);
    const QStringList chars = graphemes(l.text);
    const auto cjk = [](const QString& g) { return !g.isEmpty() && isCjk(g.toUcs4().first()); };
    const int n = std::max(1, int(std::count_if(chars.begin(), chars.end(), cjk)));
    const int others = int(chars.size()) - n;
    qreal charPx = 46;
    const QFont& pinyin = pinyinFont();
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
                w.setLine(l.lineNumber);
                SwfShape s;
                s.add(top, ShapeFill::solid(shade(w.colour(), -0.4)));
                s.add(bottom, ShapeFill::solid(w.ink()));
                const Visual v{w.shape(s), Pose::at(at), Appear::FadeUp};
                return std::vector<Moment>{{w.pinyinSpeech(l.text, l.second), 12, {v}}};
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
    // A pinyin letter card says its letters as the card's character teaches them.
    const bool letters =
        !l.second.isEmpty() && l.second.toUcs4().size() == 1 && isCjk(l.second.toUcs4().first()) &&
        std::none_of(l.text.begin(), l.text.end(),
                     [](QChar c) { return c.isDigit() || c.script() == QChar::Script_Han; });
    const QString spoken = l.second.isEmpty() ? l.text : l.second;
    return {ink.box.size(), [=](LessonWriter& w, QPointF top) {
                w.setLine(l.lineNumber);
                const Piece p = w.text(ink, w.colour(), shade(w.colour(), -0.5), 5);
                const QPointF centre = top + QPointF(0, ink.box.height() / 2);
                Visual v{w.sprite({{p.id, QTransform::fromTranslate(0, -ink.box.height() / 2)}}),
                         Pose::at(centre), Appear::Pop};
                return std::vector<Moment>{
                    {letters ? w.letterSpeech(l.text, l.second) : w.speech(spoken), 12, {v}}};
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
                out.push_back({w.pinyinSpeech(l.text, l.second),
                               12,
                               {{sprite, Pose::at(centre), Appear::Pop}}});
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

// Where the groups of a line go, from the top centre of the line's place: each group's
// tray, the size and the centres of its objects, and where the top of its number is.
struct GroupPlace {
    QRectF tray;
    qreal size = 0;
    std::vector<QPointF> centres;
    QPointF number;
};

struct GroupLayout {
    QSizeF size;
    std::vector<GroupPlace> groups;
};

constexpr qreal kNumberHeight = 56;

// Side by side, each group on a tray of its own with its number under it; its objects in
// as many rows as the tray needs.
GroupLayout traysLayout(const Line& l, qreal width) {
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
    GroupLayout out{QSizeF(g * tray + (g - 1) * 24, trayH + 62), {}};
    for (int k = 0; k < int(l.groups.size()); ++k) {
        const int n = l.groups[size_t(k)].count;
        const qreal cx = (k - (g - 1) / 2.0) * (tray + 24);
        GroupPlace p{QRectF(cx - tray / 2, 0, tray, trayH), s, {}, QPointF(cx, trayH + 4)};
        const int ownRows = (n + cols - 1) / cols;
        for (int i = 0; i < n; ++i) {
            const int row = i / cols, col = i % cols;
            const int inRow = std::min(cols, n - row * cols);
            p.centres.push_back({cx + (col - (inRow - 1) / 2.0) * (s + 6),
                                 9 + row * (s + 6) + s / 2 + (trayH - 18 - ownRows * (s + 6)) / 2});
        }
        out.groups.push_back(p);
    }
    return out;
}

// One straight row a group, the rows one under the other with their left ends lined up
// and each number before its row: the longer row is the longer one.
GroupLayout rowsLayout(const Line& l, qreal width) {
    int most = 1;
    for (const Group& gr : l.groups)
        most = std::max(most, gr.count);
    constexpr qreal numberRoom = 76, gap = 4;
    const qreal s = std::min(72.0, (width - numberRoom - 24 - (most - 1) * gap) / most);
    const qreal rowH = s + 20;
    const int g = int(l.groups.size());
    GroupLayout out{QSizeF(width, g * rowH + (g - 1) * 14), {}};
    const qreal left = -width / 2;
    for (int k = 0; k < g; ++k) {
        const qreal top = k * (rowH + 14);
        GroupPlace p{QRectF(left, top, width, rowH),
                     s,
                     {},
                     QPointF(left + numberRoom / 2, top + (rowH - kNumberHeight) / 2)};
        for (int i = 0; i < l.groups[size_t(k)].count; ++i)
            p.centres.push_back({left + numberRoom + 12 + i * (s + gap) + s / 2, top + rowH / 2});
        out.groups.push_back(p);
    }
    return out;
}

// A tower a group, built up from one floor, the towers side by side with their numbers
// under them: the taller tower is the higher one.
GroupLayout stacksLayout(const Line& l, qreal width) {
    int most = 1;
    for (const Group& gr : l.groups)
        most = std::max(most, gr.count);
    constexpr qreal gap = 7; // each block seen, to be counted
    const qreal s = std::min(64.0, 250.0 / most - gap);
    const qreal floor = most * (s + gap) + 12; // from the top of the trays
    const int g = std::max<int>(1, int(l.groups.size()));
    const qreal trayW = s + 40;
    const qreal step = std::min(std::max(trayW + 60, 180.0), (width - trayW) / std::max(1, g - 1));
    GroupLayout out{QSizeF((g - 1) * step + trayW, floor + 10 + 4 + kNumberHeight), {}};
    for (int k = 0; k < int(l.groups.size()); ++k) {
        const qreal cx = (k - (g - 1) / 2.0) * step;
        GroupPlace p{QRectF(cx - trayW / 2, 0, trayW, floor + 10), s, {}, QPointF(cx, floor + 14)};
        for (int i = 0; i < l.groups[size_t(k)].count; ++i)
            p.centres.push_back({cx, floor - gap - i * (s + gap) - s / 2});
        out.groups.push_back(p);
    }
    return out;
}

GroupLayout groupLayout(const Line& l, qreal width) {
    switch (l.arrange) {
    case Line::Arrange::Rows:
        return rowsLayout(l, width);
    case Line::Arrange::Stacks:
        return stacksLayout(l, width);
    case Line::Arrange::Trays:
        break;
    }
    return traysLayout(l, width);
}

// Groups each on its tray with its number, each group said as it comes.
Block groupsBlock(const Line& l, qreal width) {
    const GroupLayout layout = groupLayout(l, width);
    return {
        layout.size, [=](LessonWriter& w, QPointF top) {
            w.setLine(l.lineNumber);
            std::vector<Moment> out;
            const int g = int(l.groups.size());
            for (int k = 0; k < g; ++k) {
                const Group& gr = l.groups[size_t(k)];
                const GroupPlace& place = layout.groups[size_t(k)];
                // The tray pops from its own top centre.
                const QPointF origin(place.tray.center().x(), place.tray.top());
                SwfShape back;
                back.roundedRect(place.tray.translated(-origin), 22,
                                 ShapeFill::solid(mix(w.colour(), Qt::white, 0.86)),
                                 ShapeLine{3, w.colour()});
                const QFont big = cjkFont(46, QFont::Black);
                TextInk number = layoutLines({QString::number(gr.count)}, big, kNumberHeight);
                number.path.translate(place.number - origin);
                back.add(number.path, ShapeFill::solid(w.colour()),
                         ShapeLine{2, shade(w.colour(), -0.5)});
                Moment m;
                m.visuals.push_back({w.shape(back), Pose::at(top + origin), Appear::Pop});
                for (const QPointF& c : place.centres)
                    m.visuals.push_back({w.emoji(gr.emoji),
                                         w.emojiPose(gr.emoji, top + c, place.size), Appear::Pop});
                // Two groups are said by where they are.
                QString where;
                if (g == 2)
                    where = l.arrange == Line::Arrange::Rows
                                ? (k == 0 ? QStringLiteral("上面") : QStringLiteral("下面"))
                                : (k == 0 ? QStringLiteral("左边") : QStringLiteral("右边"));
                m.mp3 =
                    w.speech(gr.count ? where + QStringLiteral("有") +
                                            LessonWriter::chinese(gr.count) + QStringLiteral("个")
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
    const qreal cell = poemCell(lines);
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& l = lines[i];
        switch (l.type) {
        case Line::Type::Say:
        case Line::Type::Moral:
            out.push_back(textBlock(l.text, l.text, cjkFont(32, QFont::Bold), width, 46, false,
                                    l.lineNumber));
            out.back().caption = true;
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
            out.push_back(poemBlock(l, width, cell));
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
            frame = sceneLines(frame, drawnPictures(s), drawnSizes(s), lines);
        lines.clear();
        frame = moralCard(frame, l);
        moral = true;
    }
    return lines.empty() && moral ? frame
                                  : sceneLines(frame, drawnPictures(s), drawnSizes(s), lines);
}

namespace {

qreal heightOf(const std::vector<Block>& blocks) {
    qreal h = -kBlockGap;
    for (const Block& b : blocks)
        h += b.size.height() + kBlockGap;
    return std::max(h, 0.0);
}

// Where a scene's pictures and lines go.
struct Plan {
    std::vector<QPointF> centres; // of the pictures
    std::vector<qreal> boxes;     // the squares they fit in
    QRectF area;                  // of the lines
    std::vector<Block> blocks;
    std::vector<std::vector<Block>> pages;
    bool slot = false; // captions take turns under the rest, which stays
    qreal slotHeight = 0, restHeight = 0;
};

// The pictures in a row above the lines (`beside` false) or in a column left of them.
Plan plan(const std::vector<Line>& lines, int pictures, bool beside) {
    Plan p;
    qreal box = kPictureBox;
    const qreal column = pictures <= 3 ? 150 : 270;
    const qreal width = beside ? kInside.width() - column - 10 : kInside.width();
    const qreal row = pictures && !beside ? kRowHeight : 0;
    p.blocks = blocksOf(lines, width);
    p.pages = paginate(p.blocks, kInside.height() - row);
    if (p.pages.size() > 1) {
        // Captions that would turn the page take turns in one place instead, so that the
        // counted objects or the words they speak of stay in view.
        std::vector<Block> rest;
        for (const Block& b : p.blocks) {
            if (b.caption)
                p.slotHeight = std::max(p.slotHeight, b.size.height());
            else
                rest.push_back(b);
        }
        p.slot = !rest.empty() && p.slotHeight > 0 &&
                 heightOf(rest) + kBlockGap + p.slotHeight <= kInside.height() - row;
    }
    qreal tallest = 0;
    for (const auto& page : p.pages)
        tallest = std::max(tallest, heightOf(page));
    if (p.slot) {
        std::vector<Block> rest;
        std::copy_if(p.blocks.begin(), p.blocks.end(), std::back_inserter(rest),
                     [](const Block& b) { return !b.caption; });
        p.restHeight = heightOf(rest);
        tallest = p.restHeight + kBlockGap + p.slotHeight;
    }
    if (beside) {
        p.area = QRectF(kInside.left() + column + 10, kInside.top(), width, kInside.height());
        box = pictures <= 3 ? kPictureBox : 120;
        p.boxes.assign(size_t(pictures), box);
        for (int i = 0; i < pictures; ++i)
            p.centres.push_back(
                pictures <= 3 ? QPointF(kInside.left() + column / 2,
                                        kInside.top() + (i + 0.5) * kInside.height() / pictures)
                              : QPointF(kInside.left() + 67 + (i % 2) * 136,
                                        kInside.top() + 120 + (i / 2) * 236));
        return p;
    }
    // The pictures and the tallest page together, centred on the board.
    const qreal top = kInside.top() + std::max(0.0, (kInside.height() - row - tallest) / 2);
    p.area = QRectF(kInside.left(), top + row, width, tallest);
    p.boxes.assign(size_t(pictures), box);
    for (int i = 0; i < pictures; ++i)
        p.centres.push_back({350 + (i - (pictures - 1) / 2.0) * 155, top + kRowHeight / 2 - 6});
    return p;
}

// How many turns of the page a plan takes (a place for captions counting as one page).
size_t turns(const Plan& p) {
    return p.slot ? 1 : p.pages.size();
}

bool compared(const QList<qreal>& sizes) {
    return std::any_of(sizes.begin(), sizes.end(), [](qreal s) { return s < 1; });
}

// Pictures of given sizes: each in its share of the room, all standing on the floor of
// the row, so that the bigger is seen bigger.
void standOnFloor(Plan& p, const QStringList& shown, const QList<qreal>& sizes) {
    for (size_t i = 0; i < p.centres.size() && i < size_t(sizes.size()); ++i) {
        const qreal floor = p.centres[i].y() + p.boxes[i] / 2;
        p.boxes[i] *= sizes[qsizetype(i)];
        const qreal h = emojiBox(shown[qsizetype(i)], {}, p.boxes[i]).height();
        p.centres[i].setY(floor - h / 2);
    }
}

// The plan of a scene: pictures above the lines, beside them when that saves turning a
// page, unless their sizes are compared.
Plan scenePlan(const QStringList& shown, const QList<qreal>& sizes,
               const std::vector<Line>& lines) {
    const int n = int(shown.size());
    Plan p = plan(lines, n, false);
    if (compared(sizes)) {
        standOnFloor(p, shown, sizes);
        return p;
    }
    if (n > 0 && turns(p) > 1) {
        Plan side = plan(lines, n, true);
        if (turns(side) < turns(p))
            p = std::move(side);
    }
    return p;
}

} // namespace

int LessonWriter::sceneLines(int frame, const QStringList& shown, const QList<qreal>& sizes,
                             const std::vector<Line>& lines) {
    clear(frame);
    const Plan p = scenePlan(shown, sizes, lines);
    pictures(frame, shown, p.centres, p.boxes, compared(sizes));
    int f = frame + 1;
    if (p.blocks.empty())
        return f + 24;
    const qreal x = p.area.center().x();
    if (p.slot) {
        const qreal group = p.restHeight + kBlockGap + p.slotHeight;
        qreal y = p.area.top() + std::max(0.0, (p.area.height() - group) / 2);
        const qreal slotTop = y + p.restHeight + kBlockGap;
        std::pair<int, int> caption{0, 0}; // the depths of the caption showing
        for (const Block& b : p.blocks) {
            if (!b.caption) {
                f = play(f, b.moments(*this, QPointF(x, y)));
                y += b.size.height() + kBlockGap;
                continue;
            }
            clear(f, caption.first, caption.second); // the caption before goes
            caption.first = depthMark();
            f = play(f,
                     b.moments(*this, QPointF(x, slotTop + (p.slotHeight - b.size.height()) / 2)));
            caption.second = depthMark();
        }
        return f + kPauseFrames;
    }
    for (size_t page = 0; page < p.pages.size(); ++page) {
        const int mark = depthMark();
        qreal y = p.area.top() + std::max(0.0, (p.area.height() - heightOf(p.pages[page])) / 2);
        for (const Block& b : p.pages[page]) {
            f = play(f, b.moments(*this, QPointF(x, y)));
            y += b.size.height() + kBlockGap;
        }
        f += kPauseFrames;
        if (page + 1 < p.pages.size())
            clear(f, mark);
    }
    return f;
}

// The moral on a card of its own: the light of an idea, "故事告诉我们" and the moral.
int LessonWriter::moralCard(int frame, const Line& moral) {
    setLine(moral.lineNumber);
    clear(frame);
    const QFont font = cjkFont(36, QFont::Black);
    const TextInk words = layoutLines(wrapText(moral.text, font, 480), font, 50);
    const qreal height = 150 + 56 + words.box.height() + 40;
    const qreal top = kInside.center().y() - height / 2;
    SwfShape card;
    card.roundedRect(QRectF(70, top, 560, height), 36,
                     ShapeFill::solid(mix(colour(), Qt::white, 0.85)), ShapeLine{6, colour()});
    TextInk heading = layoutLines({QStringLiteral("故事告诉我们")}, cjkFont(34, QFont::Black), 44);
    heading.path.translate(350, top + 150);
    card.add(heading.path, ShapeFill::solid(deep()));
    show(frame, {shape(card), Pose::at({}), Appear::Now});
    pictures(frame, {QStringLiteral("💡")}, {{350, top + 82}}, {120});
    const Piece said = text(words, ink());
    const int f = play(frame + 1, {{speech(moral.text), 12, {at(said, {350, top + 206})}}});
    return f + kPauseFrames;
}

SceneLayout sceneLayout(const Scene& scene) {
    std::vector<Line> lines;
    std::copy_if(scene.lines.begin(), scene.lines.end(), std::back_inserter(lines),
                 [](const Line& l) { return l.type != Line::Type::Moral; });
    const QStringList shown = drawnPictures(scene);
    const Plan p = scenePlan(shown, drawnSizes(scene), lines);
    SceneLayout out;
    for (size_t i = 0; i < p.centres.size(); ++i)
        out.pictures.push_back(emojiBox(shown[qsizetype(i)], p.centres[i], p.boxes[i]));
    for (const Line& l : lines) {
        if (l.type != Line::Type::Groups)
            continue;
        auto& groups = out.groups[l.lineNumber];
        const GroupLayout g = groupLayout(l, p.area.width());
        for (size_t k = 0; k < g.groups.size(); ++k) {
            groups.emplace_back();
            for (const QPointF& c : g.groups[k].centres)
                groups.back().push_back(emojiBox(l.groups[k].emoji, c, g.groups[k].size));
        }
    }
    return out;
}

} // namespace tools::lesson
