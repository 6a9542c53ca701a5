#pragma once
// The quizzes' question banks: XML files whose document element holds one `list`
// element per topic, with the topic's data in attributes.
//
// Files are parsed by libxml2 without touching the network and without loading anything
// a file points to; only the document element's child elements and their attributes are
// kept. The declared encoding is honoured, and a file labelled GB2312 is read as GB18030,
// because banks so labelled hold characters that only the larger code pages have.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

// A bank that cannot be used: missing, unreadable, not well formed, or a topic without
// the attribute that lists it. The message is for the user.
class EXmlBankError : public std::runtime_error {
public:
    explicit EXmlBankError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// A parsed bank: the document element's child elements in document order.
class TXMLDocument {
public:
    struct Element {
        QString name;                              // qualified name, as written
        QList<QPair<QString, QString>> attributes; // in document order
        // The attribute's text, or nothing when the element has no such attribute.
        std::optional<QString> attribute(const QString& attrName) const;
    };

    // Reads and parses a file; replaces what was loaded. Throws EXmlBankError (and then
    // holds nothing).
    void LoadFromFile(const QString& fileName);
    // The same from bytes; `name` only names the source in messages.
    void LoadFromXML(const QByteArray& bytes, const QString& name = QString());
    void Clear();

    bool Active() const { return active_; }
    QString DocumentElementName() const { return root_; }
    const QList<Element>& ChildElements() const { return children_; }

private:
    bool active_ = false;
    QString root_;
    QList<Element> children_;
};

// The element name and the key attribute of the topics.
inline const QString kTopicElement = QStringLiteral("list");
inline const QString kTopicKey = QStringLiteral("Topic");

// Parses `fileName` and returns the value of `attrName` of every child of the document
// element named exactly `elementName`, in document order; other children are skipped.
// Throws EXmlBankError when the file cannot be read or parsed, or when such a child
// lacks the attribute.
QStringList ReadXMLList(const QString& fileName, const QString& elementName,
                        const QString& attrName);

// The attribute `attrName` of the first topic (a `list` child) whose `Topic` equals
// `topic`. Never throws: a document not loaded, no such topic or no such attribute all
// read as " " (one blank).
QString ReadXMLAttr(const TXMLDocument& doc, const QString& topic, const QString& attrName);
