#include "platform/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/Gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {
namespace {

// Larger files are not INI files this program wrote; they are left alone.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

// Files are GBK, unless an editor saved them as UTF-8 with a byte order mark: those are
// read as UTF-8 and written back the same way.
enum class Encoding { Gbk, Utf8Bom };
constexpr char kBom[] = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// A GBK lead byte starts a two-byte character whose second byte may look like ASCII.
// In UTF-8 every byte of a character is above ASCII, so there is nothing to skip.
bool isLeadByte(char c, Encoding enc) {
    return enc == Encoding::Gbk && static_cast<unsigned char>(c) >= 0x81;
}

QByteArrayView trimmed(QByteArrayView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

// Lower-cases ASCII letters only, never the second byte of a GBK character, so that
// two different Chinese names cannot compare equal.
QByteArray fold(QByteArrayView s, Encoding enc) {
    QByteArray out(s.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (isLeadByte(c, enc) && i + 1 < s.size()) {
            out[i] = c;
            out[i + 1] = s[i + 1];
            ++i;
        } else {
            out[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
        }
    }
    return out;
}

bool isAscii(QByteArrayView s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Strings are converted together: iconv is set up anew for every conversion, which is
// slow. Parts are joined by line breaks, which no GBK character contains; a part that
// holds one itself is converted on its own.
QString decode(const QByteArray& bytes, Encoding enc) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    return enc == Encoding::Gbk ? fromGbk(bytes) : QString::fromUtf8(bytes);
}

QByteArray encode(const QString& text, Encoding enc) {
    return enc == Encoding::Gbk ? toGbk(text) : text.toUtf8();
}

QStringList decodeAll(const QList<QByteArray>& parts, Encoding enc) {
    if (parts.isEmpty())
        return {};
    QStringList out = decode(parts.join('\n'), enc).split(QLatin1Char('\n'));
    if (out.size() != parts.size()) {
        out.clear();
        for (const QByteArray& p : parts)
            out << decode(p, enc);
    }
    return out;
}

QList<QByteArray> encodeAll(const QStringList& parts, Encoding enc) {
    if (parts.isEmpty())
        return {};
    const QString joined = parts.join(QLatin1Char('\n'));
    const bool ascii =
        std::all_of(joined.begin(), joined.end(), [](QChar c) { return c.unicode() < 0x80; });
    QList<QByteArray> out = (ascii ? joined.toLatin1() : encode(joined, enc)).split('\n');
    if (out.size() != parts.size()) {
        out.clear();
        for (const QString& p : parts)
            out << encode(p, enc);
    }
    return out;
}

// The position of the last ']' that is a character of its own, or -1.
qsizetype lastCloseBracket(QByteArrayView s, Encoding enc) {
    qsizetype found = -1;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (isLeadByte(s[i], enc))
            ++i;
        else if (s[i] == ']')
            found = i;
    }
    return found;
}

struct Line {
    enum Kind { Other, Section, Key };
    QByteArray raw; // the line as on disk, without its line break
    Kind kind = Other;
    QByteArray name;       // folded section or key name
    qsizetype equals = -1; // position of '=' in a key line
};

Line classify(QByteArray raw, Encoding enc) {
    Line line;
    line.raw = std::move(raw);
    const QByteArrayView t = trimmed(line.raw);
    if (t.isEmpty() || t[0] == ';')
        return line;
    if (t[0] == '[') {
        const qsizetype close = lastCloseBracket(t, enc);
        if (close > 0) {
            line.kind = Line::Section;
            line.name = fold(trimmed(t.sliced(1, close - 1)), enc);
        }
        return line;
    }
    const qsizetype eq = line.raw.indexOf('=');
    if (eq < 0)
        return line;
    const QByteArrayView key = trimmed(QByteArrayView(line.raw).first(eq));
    if (key.isEmpty())
        return line;
    line.kind = Line::Key;
    line.name = fold(key, enc);
    line.equals = eq;
    return line;
}

// The name of a section or key line as written, in the file's encoding.
QByteArray rawName(const Line& line, Encoding enc) {
    const QByteArrayView raw(line.raw);
    if (line.kind == Line::Key)
        return trimmed(raw.first(line.equals)).toByteArray();
    const QByteArrayView t = trimmed(raw);
    return trimmed(t.sliced(1, lastCloseBracket(t, enc) - 1)).toByteArray();
}

QByteArray rawValue(const Line& line) {
    QByteArrayView v = trimmed(QByteArrayView(line.raw).sliced(line.equals + 1));
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
        v = v.sliced(1, v.size() - 2);
    return v.toByteArray();
}

// The file as lines; sections are runs of lines from a header to the next one.
class Document {
public:
    std::vector<Line> lines;
    Encoding encoding = Encoding::Gbk;

    explicit Document(const QByteArray& bytes = {}) {
        qsizetype start = 0;
        if (bytes.startsWith(kBom)) {
            encoding = Encoding::Utf8Bom;
            start = qsizetype(sizeof kBom - 1);
        }
        while (start < bytes.size()) {
            qsizetype end = bytes.indexOf('\n', start);
            if (end < 0)
                end = bytes.size();
            qsizetype stop = end;
            if (stop > start && bytes[stop - 1] == '\r')
                --stop;
            lines.push_back(classify(bytes.mid(start, stop - start), encoding));
            start = end + 1;
        }
    }

    QByteArray serialize() const {
        QByteArray out;
        qsizetype total = 3;
        for (const Line& l : lines)
            total += l.raw.size() + 2;
        out.reserve(total);
        if (encoding == Encoding::Utf8Bom)
            out += kBom;
        for (const Line& l : lines) {
            out += l.raw;
            out += "\r\n";
        }
        return out;
    }

    // Index of the first header with this folded name, or -1.
    int findSection(const QByteArray& name) const {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].kind == Line::Section && lines[i].name == name)
                return static_cast<int>(i);
        return -1;
    }

    // One past the last line of the section whose header is at `header`.
    int sectionEnd(int header) const {
        size_t i = static_cast<size_t>(header) + 1;
        while (i < lines.size() && lines[i].kind != Line::Section)
            ++i;
        return static_cast<int>(i);
    }

    int findKey(int header, const QByteArray& key) const {
        const int end = sectionEnd(header);
        for (int i = header + 1; i < end; ++i)
            if (lines[i].kind == Line::Key && lines[i].name == key)
                return i;
        return -1;
    }

    // Replaces the key's value in place, or adds the key at the end of its section, or
    // adds the section at the end. All arguments are in the file's encoding.
    void set(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
        const int header = findSection(foldedName(section));
        if (header < 0) {
            lines.push_back(classify('[' + section + ']', encoding));
            lines.push_back(classify(key + '=' + value, encoding));
            return;
        }
        const int existing = findKey(header, foldedName(key));
        if (existing >= 0) {
            Line& line = lines[existing];
            line = classify(line.raw.left(line.equals + 1) + value, encoding);
            return;
        }
        // After the last non-blank line of the section, so blank separators stay below.
        int at = sectionEnd(header);
        while (at > header + 1 && trimmed(lines[at - 1].raw).isEmpty())
            --at;
        lines.insert(lines.begin() + at, classify(key + '=' + value, encoding));
    }

    QByteArray foldedName(const QByteArray& name) const { return fold(trimmed(name), encoding); }
    QByteArray foldedName(const QString& name) const {
        return foldedName(encodeAll({name}, encoding).front());
    }

    const Line* find(const QString& section, const QString& key) const {
        const QList<QByteArray> names = encodeAll({section, key}, encoding);
        const int header = findSection(foldedName(names[0]));
        if (header < 0)
            return nullptr;
        const int k = findKey(header, foldedName(names[1]));
        return k < 0 ? nullptr : &lines[k];
    }
};

enum class LoadState { Loaded, Missing, Unreadable };

struct Loaded {
    LoadState state;
    Document doc;
};

Loaded load(const QString& path) {
    QFile f(path);
    if (!f.exists())
        return {LoadState::Missing, Document()};
    if (!QFileInfo(path).isFile() || f.size() > kMaxFileSize || !f.open(QIODevice::ReadOnly))
        return {LoadState::Unreadable, Document()};
    // readAll, not read(limit): the latter reserves the whole limit up front.
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError || bytes.size() > kMaxFileSize)
        return {LoadState::Unreadable, Document()};
    return {LoadState::Loaded, Document(bytes)};
}

bool save(const QString& path, const Document& doc) {
    return replaceFileContents(path, doc.serialize());
}

bool hasLineBreak(const QString& s) {
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r')) ||
           s.contains(QChar(u'\0'));
}

bool validSection(const QString& section) {
    return !section.trimmed().isEmpty() && !hasLineBreak(section);
}

bool validKey(const QString& key) {
    const QString k = key.trimmed();
    return !k.isEmpty() && !hasLineBreak(k) && !k.contains(QLatin1Char('=')) &&
           !k.startsWith(QLatin1Char('[')) && !k.startsWith(QLatin1Char(';'));
}

QString singleLine(QString value) {
    for (QChar& c : value)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(u'\0'))
            c = QLatin1Char(' ');
    return value;
}

std::optional<int> parseInteger(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    bool hex = false;
    if (i < n && text[i] == QLatin1Char('$')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0') &&
               (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;
    uint64_t value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return std::nullopt;
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (hex) // eight hex digits fill all 32 bits, sign included
        return static_cast<int>(static_cast<uint32_t>(negative ? 0u - value : value));
    if (negative ? value > 2147483648ull : value > static_cast<uint64_t>(INT_MAX))
        return std::nullopt;
    return static_cast<int>(negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value));
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const Loaded l = load(path_);
    const Line* line = l.doc.find(section, key);
    return line ? decodeAll({rawValue(*line)}, l.doc.encoding).front() : defaultValue;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
    return toInteger(ReadString(section, key, QString()), defaultValue);
}

QStringList IniFile::ReadSection(const QString& section) const {
    const Loaded l = load(path_);
    const int header = l.doc.findSection(l.doc.foldedName(section));
    if (header < 0)
        return {};
    QList<QByteArray> keys;
    const int end = l.doc.sectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (l.doc.lines[i].kind == Line::Key)
            keys << rawName(l.doc.lines[i], l.doc.encoding);
    return decodeAll(keys, l.doc.encoding);
}

QStringList IniFile::ReadSections() const {
    const Loaded l = load(path_);
    QList<QByteArray> names;
    QSet<QByteArray> seen;
    for (const Line& line : l.doc.lines) {
        if (line.kind != Line::Section || seen.contains(line.name))
            continue;
        seen.insert(line.name);
        names << rawName(line, l.doc.encoding);
    }
    return decodeAll(names, l.doc.encoding);
}

QStringList IniFile::ReadSectionValues(const QString& section) const {
    const Loaded l = load(path_);
    const int header = l.doc.findSection(l.doc.foldedName(section));
    if (header < 0)
        return {};
    QList<QByteArray> parts; // name, value, name, value, ...
    const int end = l.doc.sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const Line& line = l.doc.lines[i];
        if (line.kind != Line::Key)
            continue;
        // A repeated key reads as its first occurrence, as ReadString does.
        parts << rawName(line, l.doc.encoding)
              << rawValue(l.doc.lines[l.doc.findKey(header, line.name)]);
    }
    const QStringList text = decodeAll(parts, l.doc.encoding);
    QStringList values;
    for (qsizetype i = 0; i + 1 < text.size(); i += 2)
        values << text[i] + QLatin1Char('=') + text[i + 1];
    return values;
}

bool IniFile::SectionExists(const QString& section) const {
    return !ReadSection(section).isEmpty();
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    return load(path_).doc.find(section, key) != nullptr;
}

bool IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    return WriteStrings({{section, key, value}});
}

bool IniFile::WriteStrings(const QList<Entry>& entries) {
    if (entries.isEmpty())
        return true;
    QStringList text;
    for (const Entry& e : entries) {
        if (!validSection(e.section) || !validKey(e.key))
            return false;
        text << e.section.trimmed() << e.key.trimmed() << singleLine(e.value);
    }
    Loaded l = load(path_);
    if (l.state == LoadState::Unreadable)
        return false;
    const QList<QByteArray> bytes = encodeAll(text, l.doc.encoding);
    for (qsizetype i = 0; i + 2 < bytes.size(); i += 3)
        l.doc.set(bytes[i], bytes[i + 1], bytes[i + 2]);
    return save(path_, l.doc);
}

bool IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    return WriteString(section, key, QString::number(value));
}

bool IniFile::EraseSection(const QString& section) {
    Loaded l = load(path_);
    if (l.state == LoadState::Unreadable)
        return false;
    const QByteArray name = l.doc.foldedName(section);
    bool changed = false;
    // Every section of that name goes, so the name really is gone afterwards.
    for (int header = l.doc.findSection(name); header >= 0; header = l.doc.findSection(name)) {
        l.doc.lines.erase(l.doc.lines.begin() + header,
                          l.doc.lines.begin() + l.doc.sectionEnd(header));
        changed = true;
    }
    return !changed || save(path_, l.doc);
}

bool IniFile::DeleteKey(const QString& section, const QString& key) {
    Loaded l = load(path_);
    if (l.state == LoadState::Unreadable)
        return false;
    const int header = l.doc.findSection(l.doc.foldedName(section));
    if (header < 0)
        return true;
    const QByteArray name = l.doc.foldedName(key);
    bool changed = false;
    // A repeated key would surface once the first one is gone; remove them all.
    for (int k = l.doc.findKey(header, name); k >= 0; k = l.doc.findKey(header, name)) {
        l.doc.lines.erase(l.doc.lines.begin() + k);
        changed = true;
    }
    return !changed || save(path_, l.doc);
}

int IniFile::toInteger(const QString& text, int defaultValue) {
    return parseInteger(text).value_or(defaultValue);
}

} // namespace platform
