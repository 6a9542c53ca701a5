#include "tools/lib/SongBook.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <stdexcept>

namespace tools {
namespace {

constexpr int kScale[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr double kEps = 1e-6;

[[noreturn]] void fail(const QString& song, const QString& what) {
    throw std::invalid_argument((song + QStringLiteral(": ") + what).toStdString());
}

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The MIDI note of scale degree `d` (0 is the tonic, 7 the tonic an octave up).
int midiOf(int d, int tonic) {
    return tonic + 12 * floorDiv(d, 7) + kScale[d - 7 * floorDiv(d, 7)];
}

// The scale degree (0..6) of a MIDI note; notes off the scale go to the one below.
int degreeOf(int midi, int tonic) {
    const int pc = ((midi - tonic) % 12 + 12) % 12;
    int d = 0;
    for (int i = 0; i < 7; ++i)
        if (kScale[i] <= pc)
            d = i;
    return d;
}

bool inChord(int degree, int root) {
    const int rel = ((degree - root) % 7 + 7) % 7;
    return rel == 0 || rel == 2 || rel == 4;
}

int tonicOf(const QString& key) {
    static const std::map<QString, int> keys = {{"C", 60}, {"D", 62}, {"E", 64}, {"F", 65},
                                                {"G", 67}, {"A", 57}, {"B", 59}};
    const auto it = keys.find(key.trimmed().toUpper());
    return it == keys.end() ? -1 : it->second;
}

} // namespace

std::vector<Song> parseSongBook(const QString& text) {
    std::vector<Song> songs;
    QStringList block;
    std::vector<int> blockLines; // the book's line of each line of the block
    const auto flush = [&] {
        if (block.isEmpty())
            return;
        Song s;
        s.title = block.takeFirst();
        s.titleLine = blockLines.front();
        for (qsizetype i = 0; i < block.size(); ++i) {
            const QString& line = block[i];
            static const QRegularExpression tune(QStringLiteral("^tune\\s*([A-Ga-g]?)\\s*:(.*)$"));
            const auto m = tune.match(line);
            if (m.hasMatch()) {
                s.tune = m.captured(2).trimmed();
                s.tonic = m.captured(1).isEmpty() ? 60 : tonicOf(m.captured(1));
                continue;
            }
            const qsizetype space = line.indexOf(QLatin1Char(' '));
            if (space <= 0 || line.mid(space).trimmed().isEmpty())
                fail(s.title, QStringLiteral("a line needs a picture and words: ") + line);
            s.lines.push_back(
                {line.left(space), line.mid(space).trimmed(), blockLines[size_t(i) + 1]});
        }
        if (s.lines.size() < 4 || s.lines.size() > 8)
            fail(s.title, QStringLiteral("four to eight lines of words"));
        if (!s.tune.isEmpty())
            parseTune(s.tune, s.tonic); // throws on a bad tune
        songs.push_back(std::move(s));
        block.clear();
        blockLines.clear();
    };
    int number = 0;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        ++number;
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('#')))
            continue;
        if (line.isEmpty()) {
            flush();
        } else {
            block << line;
            blockLines.push_back(number);
        }
    }
    flush();
    return songs;
}

std::vector<Phrase> parseTune(const QString& notation, int tonic) {
    static const QRegularExpression note(QStringLiteral("^([0-7])(['’,]*)([_.]*)$"));
    std::vector<MelodyNote> notes;
    double beat = 0, barStart = 0;
    int bars = 0;
    bool lastIsRest = true;
    const auto closeBar = [&] {
        if (std::abs(beat - barStart - 4) > kEps)
            fail(notation.left(20), QStringLiteral("bar %1 is not four beats").arg(bars + 1));
        barStart = beat;
        ++bars;
    };
    for (const QString& tok :
         notation.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        if (tok == QLatin1String("|")) {
            closeBar();
            continue;
        }
        if (tok == QLatin1String("-")) {
            if (!lastIsRest && !notes.empty())
                notes.back().beats += 1;
            beat += 1;
            continue;
        }
        const auto m = note.match(tok);
        if (!m.hasMatch())
            fail(notation.left(20), QStringLiteral("bad note ") + tok);
        double length = 1;
        for (QChar c : m.captured(3))
            length *= c == QLatin1Char('_') ? 0.5 : 1.5;
        const int digit = m.captured(1).toInt();
        if (digit > 0) {
            int d = digit - 1;
            for (QChar c : m.captured(2))
                d += c == QLatin1Char(',') ? -7 : 7;
            notes.push_back({beat, length, midiOf(d, tonic)});
        }
        lastIsRest = digit == 0;
        beat += length;
    }
    if (beat - barStart > kEps)
        closeBar();
    if (bars == 0 || bars % 2)
        fail(notation.left(20), QStringLiteral("a tune needs an even number of bars"));
    std::vector<Phrase> phrases(static_cast<size_t>(bars / 2));
    for (MelodyNote n : notes) {
        const size_t p = static_cast<size_t>(n.beat / 8 + kEps);
        n.beat -= 8.0 * static_cast<double>(p);
        phrases[p].push_back(n);
    }
    return phrases;
}

std::vector<Phrase> composeTune(int count, int tonic, uint32_t seed) {
    std::mt19937 rng(seed);
    const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    static const std::vector<std::vector<double>> rhythms = {
        {1, 1, 1, 1}, {1, 1, 2},        {2, 1, 1},          {0.5, 0.5, 1, 1, 1},
        {1, 1, 1, 1}, {1.5, 0.5, 1, 1}, {1, 1, 1, 0.5, 0.5}};
    static const std::vector<std::vector<double>> endings = {
        {1, 1, 2}, {2, 2}, {1.5, 0.5, 2}, {1, 3}};
    static const int progressions[][8] = {{0, 3, 4, 0, 0, 3, 4, 0},
                                          {0, 5, 3, 4, 0, 5, 4, 0},
                                          {0, 4, 5, 3, 0, 3, 4, 0},
                                          {0, 0, 3, 3, 4, 4, 0, 0},
                                          {0, 3, 0, 4, 3, 0, 4, 0}};
    const int* chords = progressions[pick(5)];
    int prev = pick(2) ? 2 : 4;

    // Chord tones nearest to `from` within the range 5, .. 2'.
    const auto nearestChordTone = [&](int from, int root) {
        std::vector<int> tones;
        for (int d = -3; d <= 8; ++d)
            if (inChord(d, root))
                tones.push_back(d);
        std::sort(tones.begin(), tones.end(), [from](int a, int b) {
            return std::abs(a - from) < std::abs(b - from) ||
                   (std::abs(a - from) == std::abs(b - from) && a < b);
        });
        return tones[static_cast<size_t>(pick(2))];
    };
    const auto bar = [&](int root, const std::vector<double>& rhythm, double start, int endOn,
                         Phrase& out) {
        double beat = start;
        for (size_t i = 0; i < rhythm.size(); ++i) {
            const double inBar = beat - start;
            int d;
            if (i + 1 == rhythm.size() && endOn != INT32_MIN) {
                d = endOn; // in the octave nearest the note before, within 5, .. 2'
                for (int c : {endOn - 7, endOn + 7})
                    if (c >= -3 && c <= 8 && std::abs(c - prev) < std::abs(d - prev))
                        d = c;
            } else if (std::abs(inBar) < kEps || std::abs(inBar - 2) < kEps) {
                d = nearestChordTone(prev, root);
            } else {
                static const int steps[] = {-1, 1, -1, 1, 0, 2, -2};
                d = std::clamp(prev + steps[pick(7)], -3, 8);
            }
            out.push_back({beat, rhythm[i], midiOf(d, tonic)});
            prev = d;
            beat += rhythm[i];
        }
    };
    // Four phrases: A, B (ends on the dominant), A' (A's first bar again), C (home).
    std::vector<Phrase> base(4);
    Phrase firstBar;
    for (int j = 0; j < 4; ++j) {
        const int root0 = j == 3 ? 0 : chords[2 * j], root1 = j == 3 ? 0 : chords[2 * j + 1];
        const int before = j == 3 ? 4 : root0;
        if (j == 2) {
            base[2] = firstBar;
            prev = degreeOf(firstBar.back().midi, tonic);
        } else {
            bar(before, rhythms[static_cast<size_t>(pick(int(rhythms.size())))], 0, INT32_MIN,
                base[static_cast<size_t>(j)]);
        }
        if (j == 0)
            firstBar = base[0];
        const int end = j == 3 ? 0 : j == 1 ? (pick(2) ? 4 : 1) : (root1 + 2 * pick(2)) % 7;
        bar(root1, endings[static_cast<size_t>(pick(int(endings.size())))], 4, end,
            base[static_cast<size_t>(j)]);
    }
    std::vector<Phrase> out;
    for (int j = 0; j < count; ++j)
        out.push_back(j == count - 1 ? base[3] : base[static_cast<size_t>(j % 4)]);
    return out;
}

Chord harmonise(const std::vector<MelodyNote>& barNotes, int tonic) {
    static const int candidates[] = {0, 4, 3, 5, 1};
    int best = 0;
    double bestScore = -1;
    for (int root : candidates) {
        double score = 0;
        for (const MelodyNote& n : barNotes)
            if (inChord(degreeOf(n.midi, tonic), root))
                score += n.beats + (std::fmod(n.beat, 4.0) < kEps ? 0.75 : 0);
        if (score > bestScore + kEps) {
            bestScore = score;
            best = root;
        }
    }
    return {best};
}

double syllables(const QString& words) {
    double count = 0;
    for (const QString& word : words.split(
             QRegularExpression(QStringLiteral("[\\s,.!?，。！？、]+")), Qt::SkipEmptyParts)) {
        int groups = 0;
        bool inVowels = false, latin = false;
        for (QChar c : word) {
            if (c.unicode() >= 0x3400 && c.unicode() < 0xa000) {
                count += 1;
                continue;
            }
            if (!c.isLetter())
                continue;
            latin = true;
            const bool vowel = QStringLiteral("aeiouyAEIOUY").contains(c);
            if (vowel && !inVowels)
                ++groups;
            inVowels = vowel;
        }
        if (latin) {
            if (word.size() > 3 && word.endsWith(QLatin1Char('e')) && groups > 1)
                --groups;
            count += std::max(1, groups);
        }
    }
    return count;
}

bool isChinese(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x3400 && c.unicode() < 0xa000)
            return true;
    return false;
}

uint32_t stableSeed(const QString& text) {
    uint32_t h = 2166136261u; // FNV-1a
    for (char c : text.toUtf8()) {
        h ^= static_cast<uint8_t>(c);
        h *= 16777619u;
    }
    return h;
}

SongPlan planSong(const Song& song) {
    SongPlan plan;
    const int lines = int(song.lines.size());
    const std::vector<Phrase> phrases = song.tune.isEmpty()
                                            ? composeTune(lines, song.tonic, stableSeed(song.title))
                                            : parseTune(song.tune, song.tonic);
    double longest = 0;
    for (const SongLine& l : song.lines)
        longest = std::max(longest, syllables(l.words));
    plan.framesPerBeat = longest > 9 ? 7 : 6;

    const auto addPhrase = [&plan](const Phrase& p, double at) {
        for (MelodyNote n : p) {
            n.beat += at;
            plan.melody.push_back(n);
        }
    };
    addPhrase(phrases.front(), 0);
    const int sung = lines <= 5 ? 2 * lines : lines;
    for (int k = 0; k < sung; ++k) {
        const double at = plan.introBeats + 8.0 * k;
        plan.verses.push_back({k % lines, at});
        addPhrase(phrases[static_cast<size_t>(k) % phrases.size()], at);
    }
    plan.endingBeat = plan.introBeats + 8.0 * sung;
    addPhrase(phrases.back(), plan.endingBeat);
    plan.totalBeats = plan.endingBeat + 8;

    const int bars = int(plan.totalBeats / 4);
    std::vector<std::vector<MelodyNote>> inBar(static_cast<size_t>(bars));
    for (const MelodyNote& n : plan.melody) {
        const int b = std::clamp(int(n.beat / 4 + kEps), 0, bars - 1);
        inBar[static_cast<size_t>(b)].push_back(n);
    }
    for (const auto& notes : inBar)
        plan.chords.push_back(harmonise(notes, song.tonic));
    plan.chords.back() = {0}; // the song ends at home
    return plan;
}

} // namespace tools
