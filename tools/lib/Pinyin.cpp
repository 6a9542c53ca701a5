#include "tools/lib/Pinyin.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace tools::pinyin {
namespace {

// Initials and finals of Mandarin syllables; a few combinations they allow do not
// occur, which only matters for splitting a joined word, where the longest real
// syllable is tried first.
const QRegularExpression& syllableBase() {
    static const QRegularExpression re(QStringLiteral(
        "^(?:(?:zh|ch|sh|[bpmfdtnlgkhjqxrzcsyw])?"
        "(?:a|ai|an|ang|ao|e|ei|en|eng|er|i|ia|ian|iang|iao|ie|in|ing|iong|iu|o|ong|ou|u|ua|"
        "uai|uan|uang|ue|ui|un|uo|ü|üe|üan|ün|ê)|m|n|ng|hm|hng)$"));
    return re;
}

bool isBase(const QString& s) {
    return syllableBase().match(s).hasMatch();
}

// A vowel with a tone mark: the plain vowel and the tone.
bool untone(QChar c, QChar& plain, int& tone) {
    static const QString marked = QStringLiteral("āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜńňǹḿ");
    static const QString plainOf = QStringLiteral("aaaaeeeeiiiioooouuuuüüüünnnm");
    static const int toneOf[] = {1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 1, 2,
                                 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 2, 3, 4, 2};
    const qsizetype at = marked.indexOf(c);
    if (at < 0)
        return false;
    plain = plainOf[at];
    tone = toneOf[at];
    return true;
}

struct Letter {
    QChar c;
    int tone; // 0 for none
};

// A word of tone-marked pinyin split into syllables: as few as possible, each a real
// syllable with at most one tone mark; empty when it is not pinyin.
QStringList splitMarked(const std::vector<Letter>& word) {
    const int n = int(word.size());
    std::vector<int> best(size_t(n) + 1, 1 << 20), next(size_t(n) + 1, -1);
    best[size_t(n)] = 0;
    for (int i = n - 1; i >= 0; --i) {
        QString base;
        int marks = 0;
        for (int j = i; j < n && j - i < 6; ++j) {
            base += word[size_t(j)].c;
            marks += word[size_t(j)].tone ? 1 : 0;
            if (marks > 1)
                break;
            // The longer syllable wins a tie ("xian", not "xi an").
            if (isBase(base) && best[size_t(j) + 1] + 1 <= best[size_t(i)]) {
                best[size_t(i)] = best[size_t(j) + 1] + 1;
                next[size_t(i)] = j + 1;
            }
        }
    }
    if (n == 0 || next[0] < 0)
        return {};
    QStringList out;
    for (int i = 0; i < n; i = next[size_t(i)]) {
        QString s;
        int tone = 5;
        for (int j = i; j < next[size_t(i)]; ++j) {
            s += word[size_t(j)].c;
            if (word[size_t(j)].tone)
                tone = word[size_t(j)].tone;
        }
        out << s + QString::number(tone);
    }
    return out;
}

QStringList wordSyllables(const QString& raw) {
    const QString word = raw.toLower().replace(QLatin1Char('v'), QChar(0xfc));
    // Numbered: "lu4zhai4", "pa5", "ma" (no number: the neutral tone).
    static const QRegularExpression numbered(QStringLiteral("([a-zü]+)([1-5]?)"));
    bool hasDigit = std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
    if (hasDigit) {
        QStringList out;
        qsizetype at = 0;
        auto it = numbered.globalMatch(word);
        while (it.hasNext()) {
            const auto m = it.next();
            if (m.capturedStart() != at || !isBase(m.captured(1)))
                return {};
            at = m.capturedEnd();
            out << m.captured(1) + (m.captured(2).isEmpty() ? QStringLiteral("5") : m.captured(2));
        }
        return at == word.size() ? out : QStringList();
    }
    std::vector<Letter> letters;
    for (QChar c : word) {
        QChar plain;
        int tone = 0;
        if (untone(c, plain, tone))
            letters.push_back({plain, tone});
        else if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QChar(0xfc) ||
                 c == QChar(0xea))
            letters.push_back({c, 0});
        else
            return {};
    }
    return splitMarked(letters);
}

bool isHan(char32_t c) {
    return (c >= 0x4e00 && c <= 0x9fff) || (c >= 0x3400 && c <= 0x4dbf) ||
           (c >= 0x20000 && c <= 0x2ffff) || (c >= 0xf900 && c <= 0xfaff);
}

const QString kDigits = QStringLiteral("零一二三四五六七八九");

// 0 to 99999999 as it is read: 10 "十", 15 "十五", 105 "一百零五", 20000 "两万" is
// left to the reader ("二万" is understood; the lessons use small numbers).
QString integerInChinese(qint64 n, bool leadingTen = true) {
    if (n < 10)
        return kDigits[int(n)];
    if (n >= 10000) {
        const qint64 rest = n % 10000;
        QString s = integerInChinese(n / 10000) + QStringLiteral("万");
        if (rest)
            s += (rest < 1000 ? QStringLiteral("零") : QString()) + integerInChinese(rest, false);
        return s;
    }
    static const QString units[] = {QString(), QStringLiteral("十"), QStringLiteral("百"),
                                    QStringLiteral("千")};
    const QString digits = QString::number(n);
    QString s;
    bool zero = false;
    for (int i = 0; i < digits.size(); ++i) {
        const int d = digits[i].digitValue();
        const int place = int(digits.size()) - 1 - i;
        if (d == 0) {
            zero = true;
            continue;
        }
        if (zero)
            s += kDigits[0];
        zero = false;
        if (!(d == 1 && place == 1 && i == 0 && leadingTen))
            s += kDigits[d];
        s += units[place];
    }
    return s;
}

} // namespace

bool isSyllable(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^([a-zü]+)[1-5]$"));
    const auto m = re.match(s);
    return m.hasMatch() && isBase(m.captured(1));
}

QStringList syllables(const QString& pinyin) {
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{M}0-9]+"));
    QStringList out;
    for (const QString& word :
         pinyin.normalized(QString::NormalizationForm_C).split(separators, Qt::SkipEmptyParts))
        out << wordSyllables(word);
    return out;
}

QString letterReading(const QString& letters, const QString& characterReading) {
    const QStringList own = syllables(letters);
    const int tone = own.size() == 1 ? own[0].right(1).toInt() : 5;
    if (own.size() == 1) {
        // Finals on i, u and ü are written with y and w when they stand alone; ong, which
        // no syllable spells alone, is said as the lessons teach it, not as its card's 嗡.
        static const QRegularExpression standalone(
            QStringLiteral("^(?:a|ai|an|ang|ao|e|ei|en|eng|er|o|ong|ou|ê|[bpmfdtnlgkhjqxrzcsyw].*|"
                           "zh.*|ch.*|sh.*)$"));
        const QString base = own[0].chopped(1);
        static const QRegularExpression vowel(QStringLiteral("[aeiouüê]"));
        if (standalone.match(base).hasMatch() && vowel.match(base).hasMatch())
            return base + QString::number(tone == 5 ? 1 : tone);
    }
    if (!isSyllable(characterReading))
        return letters;
    const int own_tone = characterReading.right(1).toInt();
    return characterReading.chopped(1) + QString::number(tone != 5       ? tone
                                                         : own_tone == 5 ? 1
                                                                         : own_tone);
}

QString letterSyllable(const QString& letters) {
    // The syllables the lessons teach the initials with (玻 坡 摸 佛 得 特 讷 勒 ...).
    static const QHash<QString, QString> initials{
        {"b", "bo1"}, {"p", "po1"}, {"m", "mo1"},   {"f", "fo2"},   {"d", "de2"},   {"t", "te4"},
        {"n", "ne4"}, {"l", "le4"}, {"g", "ge1"},   {"k", "ke1"},   {"h", "he1"},   {"j", "ji1"},
        {"q", "qi1"}, {"x", "xi1"}, {"zh", "zhi1"}, {"ch", "chi1"}, {"sh", "shi1"}, {"r", "ri4"},
        {"z", "zi1"}, {"c", "ci2"}, {"s", "si1"},   {"y", "yi1"},   {"w", "wu1"},
    };
    const QString l = letters.toLower().replace(QLatin1Char('v'), QChar(0xfc));
    if (const auto hit = initials.constFind(l); hit != initials.constEnd())
        return *hit;
    return isBase(l) ? l + QLatin1Char('1') : QString();
}

QString lettersSaid(const QString& text) {
    // A group against a character is pinyin; so is the next one of a list ("见到j、q、x")
    // that such a group begins. Other letters are English ("用 in、on 来说").
    static const QRegularExpression group(QStringLiteral("(?<![A-Za-z])[a-zü]{1,4}(?![A-Za-z])"));
    // A Chinese character itself: "、" counts as Han to the regular expressions.
    const auto hanAt = [&](qsizetype i) {
        return i >= 0 && i < text.size() && text[i].script() == QChar::Script_Han;
    };
    QString out;
    qsizetype at = 0, lastPinyinEnd = -2;
    auto it = group.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const qsizetype from = m.capturedStart(), to = m.capturedEnd();
        const bool listed =
            from >= 1 && text[from - 1] == QChar(0x3001) && lastPinyinEnd == from - 1;
        const QString said =
            hanAt(from - 1) || hanAt(to) || listed ? letterSyllable(m.captured()) : QString();
        if (said.isEmpty())
            continue;
        out += text.mid(at, from - at) + QLatin1Char(' ') + said + QLatin1Char(' ');
        at = lastPinyinEnd = to;
    }
    return out + text.mid(at);
}

std::vector<Piece> voicePieces(const QString& reading) {
    // Words of letters alone, with the spaces, apostrophes and hyphens inside a phrase;
    // a numbered syllable ("mu3") has its digit after it and is no English.
    static const QRegularExpression english(
        QStringLiteral("(?<![A-Za-zü0-9])[A-Za-z]+(?:[ '’-]+[A-Za-z]+)*(?![A-Za-zü0-9])"));
    std::vector<Piece> out;
    qsizetype at = 0;
    auto it = english.globalMatch(reading);
    while (it.hasNext()) {
        const auto m = it.next();
        if (m.capturedStart() > at)
            out.push_back({reading.mid(at, m.capturedStart() - at), false});
        out.push_back({m.captured(), true});
        at = m.capturedEnd();
    }
    if (at < reading.size() || out.empty())
        out.push_back({reading.mid(at), false});
    return out;
}

int hanCount(const QString& text) {
    int n = 0;
    for (char32_t c : text.toUcs4())
        n += isHan(c) ? 1 : 0;
    return n;
}

QString spokenLine(const QString& text, const QStringList& readings) {
    if (hanCount(text) != readings.size())
        return readings.join(QLatin1Char(' '));
    QString out;
    int next = 0;
    for (char32_t c : text.toUcs4()) {
        if (isHan(c))
            out += QLatin1Char(' ') + readings[next++] + QLatin1Char(' ');
        else
            out += QString::fromUcs4(&c, 1);
    }
    return out.simplified();
}

QString numbersInChinese(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("([0-9０-９]+)(?:[.．]([0-9０-９]+))?(%|％)?(年)?"));
    QString out;
    qsizetype at = 0;
    auto it = number.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += text.mid(at, m.capturedStart() - at);
        at = m.capturedEnd();
        const auto plain = [](const QString& digits) {
            QString s;
            for (QChar c : digits)
                s += kDigits[c.digitValue()];
            return s;
        };
        const QString whole = m.captured(1);
        // Two of something is 两 ("2个" -> "两个"); 二 stays for a place ("第2个", "2号").
        static const QString measures =
            QStringLiteral("个只根颗条米捆角盒片块人罐朵头元本张支棵匹辆把双件粒位次岁天层"
                           "瓶杯碗枝座封幅首串群组堆排队份箱袋筐篮盘束时点厘公");
        const bool pair = whole.size() == 1 && QChar(whole[0]).digitValue() == 2 &&
                          m.captured(2).isEmpty() && m.captured(3).isEmpty() &&
                          m.captured(4).isEmpty() && m.capturedEnd() < text.size() &&
                          measures.contains(text[m.capturedEnd()]) &&
                          (m.capturedStart() == 0 || text[m.capturedStart() - 1] != QChar(0x7B2C));
        QString said;
        if (pair)
            said = QStringLiteral("两");
        else if (!m.captured(4).isEmpty() && whole.size() == 4)
            said = plain(whole) + m.captured(4); // a year, digit by digit
        else {
            said = whole.size() > 8 ? plain(whole) : integerInChinese(whole.toLongLong());
            if (!m.captured(2).isEmpty())
                said += QStringLiteral("点") + plain(m.captured(2));
            if (!m.captured(3).isEmpty())
                said = QStringLiteral("百分之") + said;
            said += m.captured(4);
        }
        out += said;
    }
    return out + text.mid(at);
}

std::vector<Heard> heardSyllables(const QString& phonemes) {
    // Stretches in another language, "(en)...(cmn)", are not Mandarin syllables.
    static const QRegularExpression foreign(
        QStringLiteral("\\((?!cmn\\))[a-z-]+\\).*?(\\(cmn\\)|$)"));
    static const QRegularExpression stress(QStringLiteral("[',]"));
    QString s = phonemes;
    s.remove(foreign).remove(QStringLiteral("(cmn)")).remove(stress);
    static const QString vowels = QStringLiteral("aeiouyAEIOUV@03");
    const auto boundary = [](QChar c) {
        return c == QLatin1Char('_') || c == QLatin1Char('|') || c == QLatin1Char(':') ||
               c.isSpace();
    };
    std::vector<Heard> out;
    QString sound;
    for (qsizetype i = 0; i < s.size();) {
        if (boundary(s[i])) {
            ++i;
            continue;
        }
        if (!s[i].isDigit()) {
            sound += s[i++];
            continue;
        }
        qsizetype j = i;
        while (j < s.size() && s[j].isDigit())
            ++j;
        const QString tone = s.mid(i, j - i);
        // A nasal after the tone closes this syllable unless a vowel follows it at once.
        if (j < s.size() && (s[j] == QLatin1Char('n') || s[j] == QLatin1Char('N')) &&
            (j + 1 >= s.size() || !vowels.contains(s[j + 1])))
            sound += s[j++];
        const int t = tone == QLatin1String("55")                                  ? 1
                      : tone == QLatin1String("35")                                ? 2
                      : tone.startsWith(QLatin1String("21"))                       ? 3
                      : tone == QLatin1String("51") || tone == QLatin1String("53") ? 4
                                                                                   : 5;
        out.push_back({sound, t});
        sound.clear();
        i = j;
    }
    if (!sound.isEmpty())
        out.push_back({sound, 0}); // a syllable the voice gave no tone
    return out;
}

QString compare(const QStringList& meant, const std::vector<Heard>& heard,
                const std::function<QString(const QString&)>& soundOf) {
    const auto toneOf = [&](int i) { return meant[i].right(1).toInt(); };
    const auto describe = [](const Heard& h) {
        return QStringLiteral("%1 (tone %2)").arg(h.sound).arg(h.tone);
    };
    const int n = int(std::min<size_t>(size_t(meant.size()), heard.size()));
    for (int i = 0; i < n; ++i) {
        const QString expected = soundOf(meant[i]);
        if (heard[size_t(i)].sound != expected) {
            if (i > 0 && heard[size_t(i)].sound == heard[size_t(i) - 1].sound &&
                heard.size() > size_t(meant.size()))
                return QStringLiteral("syllable %1 \"%2\" is said twice").arg(i).arg(meant[i - 1]);
            return QStringLiteral("syllable %1 \"%2\" is said %3, meant %4")
                .arg(i + 1)
                .arg(meant[i], describe(heard[size_t(i)]), expected);
        }
        const int want = toneOf(i), got = heard[size_t(i)].tone;
        const bool changedThird =
            want == 3 && got == 2 && i + 1 < meant.size() && toneOf(i + 1) == 3;
        if (got != want && !changedThird)
            return QStringLiteral("syllable %1 \"%2\" is said with tone %3")
                .arg(i + 1)
                .arg(meant[i])
                .arg(got);
    }
    if (heard.size() > size_t(meant.size())) {
        const Heard& extra = heard[size_t(n)];
        if (n > 0 && extra.sound == heard[size_t(n) - 1].sound)
            return QStringLiteral("syllable %1 \"%2\" is said twice").arg(n).arg(meant[n - 1]);
        return QStringLiteral("%1 syllables are said for %2: %3 more at the end")
            .arg(heard.size())
            .arg(meant.size())
            .arg(describe(extra));
    }
    if (heard.size() < size_t(meant.size()))
        return QStringLiteral("%1 syllables are said for %2: \"%3\" is left out")
            .arg(heard.size())
            .arg(meant.size())
            .arg(meant[n]);
    return {};
}

} // namespace tools::pinyin
