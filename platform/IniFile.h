#pragma once
// INI files with the semantics of the Windows private-profile functions, as the old
// class library's INI class used them (the score file "Data\YZLY.ini" is one).
//
// - Section and key names ignore letter case; the first section and the first key of
//   a name win. Names are trimmed of blanks.
// - Text is GBK on disk. A file that starts with a UTF-8 byte order mark (an editor
//   saved it so) is read as UTF-8 and written back as UTF-8 with the mark. Lines end
//   in CRLF when the file is rewritten.
// - A value is the text after the first '=', trimmed of blanks; one pair of matching
//   surrounding quotes (" or ') is removed.
// - A missing file reads as empty; the first write creates it (not its folder).
// - Every write reads the file afresh and rewrites it whole through replaceFileContents
//   (AtomicFile.h), so a crash or a failed write leaves the old file intact and no
//   temporary file behind. Lines the class does not understand
//   (comments, lines without '=', garbage) are kept byte for byte.
// - Writes report failure by returning false; they never throw. A file that exists
//   but cannot be read is never overwritten.

#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

class IniFile {
public:
    explicit IniFile(QString path);

    const QString& fileName() const { return path_; }

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // The value as an integer: decimal or "$"/"0x" hexadecimal with an optional sign;
    // anything else (empty, trailing text, out of 32-bit range) gives the default.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // Key names of a section in file order; empty when the section is missing.
    QStringList ReadSection(const QString& section) const;
    // Section names in file order, each once.
    QStringList ReadSections() const;
    // "key=value" for every key of a section, values as ReadString gives them.
    QStringList ReadSectionValues(const QString& section) const;
    // As the class library defines it: the section has at least one key.
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    // Replaces the key's value in place, or adds the key at the end of its section,
    // or adds the section at the end of the file. Line breaks and NULs in the value
    // become blanks, so a value can never add lines. Names that could not be read
    // back (empty, with a line break, a key with '=' or starting with '[' or ';')
    // are refused.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    // Several values in one rewrite: all of them are written or, on failure, none.
    struct Entry {
        QString section, key, value;
    };
    bool WriteStrings(const QList<Entry>& entries);
    // Removes every section of that name: the header and each line up to the next one.
    bool EraseSection(const QString& section);
    // Removes every line of that key in the section, so no repeated key comes to light.
    bool DeleteKey(const QString& section, const QString& key);
    // Writes are immediate; kept for callers written against the class library.
    bool UpdateFile() { return true; }

    // The class library's string-to-integer rule used by ReadInteger.
    static int toInteger(const QString& text, int defaultValue);

private:
    QString path_;
};

} // namespace platform
