#include "activities/common/UReadXML.h"

#include <QFile>
#include <QFileInfo>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <memory>
#include <mutex>

namespace {

// Banks are a few kilobytes; anything this large is not one.
constexpr qint64 kMaxBankBytes = 64 * 1024 * 1024;

void prepareParser() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        // Files declared GB2312 really hold GBK, and GB18030 is a superset of both.
        xmlAddEncodingAlias("GB18030", "GB2312");
    });
}

QString fromXml(const xmlChar* s) {
    return s ? QString::fromUtf8(reinterpret_cast<const char*>(s)) : QString();
}

QString qualifiedName(const xmlChar* name, const xmlNs* ns) {
    const QString local = fromXml(name);
    if (ns && ns->prefix)
        return fromXml(ns->prefix) + QLatin1Char(':') + local;
    return local;
}

// Entities declared in the file are expanded, within limits, so that a small file cannot
// grow into a huge text; nothing outside the file is ever read.
constexpr int kMaxEntityDepth = 16;
constexpr qsizetype kMaxAttributeChars = 1 << 20;

void appendNodes(const xmlNode* first, QString& text, int depth) {
    if (depth > kMaxEntityDepth)
        throw EXmlBankError(QStringLiteral("题库里的实体嵌套太深。"));
    for (const xmlNode* n = first; n; n = n->next) {
        if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
            text += fromXml(n->content);
        } else if (n->type == XML_ENTITY_REF_NODE) {
            const auto* ent = reinterpret_cast<const xmlEntity*>(n->children);
            if (!ent || ent->type != XML_ENTITY_DECL || ent->etype != XML_INTERNAL_GENERAL_ENTITY)
                continue;
            if (ent->children)
                appendNodes(ent->children, text, depth + 1);
            else
                text += fromXml(ent->content);
        }
        if (text.size() > kMaxAttributeChars)
            throw EXmlBankError(QStringLiteral("题库里有太长的属性。"));
    }
}

QString attributeText(const xmlAttr* attr) {
    QString text;
    appendNodes(attr->children, text, 0);
    return text;
}

struct DocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
struct CtxtFree {
    void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};

QString describe(const QString& name) {
    return name.isEmpty() ? QStringLiteral("题库") : QStringLiteral("题库“%1”").arg(name);
}

} // namespace

std::optional<QString> TXMLDocument::Element::attribute(const QString& attrName) const {
    for (const auto& a : attributes)
        if (a.first == attrName)
            return a.second;
    return std::nullopt;
}

void TXMLDocument::Clear() {
    active_ = false;
    root_.clear();
    children_.clear();
}

void TXMLDocument::LoadFromFile(const QString& fileName) {
    Clear();
    const QString shown = QFileInfo(fileName).fileName();
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        throw EXmlBankError(QStringLiteral("找不到%1。").arg(describe(shown)));
    if (f.size() > kMaxBankBytes)
        throw EXmlBankError(QStringLiteral("%1太大，不是题库文件。").arg(describe(shown)));
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw EXmlBankError(QStringLiteral("读取%1失败。").arg(describe(shown)));
    LoadFromXML(bytes, shown);
}

namespace {

// The first error of a parse: the parser goes on after it and its last error is often a
// consequence ("Premature end of data") far from the cause.
struct FirstError {
    QString message;
    int line = 0;
};

void keepFirstError(void* user, xmlErrorPtr err) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(user);
    auto* first = ctxt ? static_cast<FirstError*>(ctxt->_private) : nullptr;
    if (!first || !err || err->level < XML_ERR_ERROR || !first->message.isNull())
        return;
    first->message = err->message ? QString::fromUtf8(err->message).trimmed() : QStringLiteral("");
    first->line = err->line;
}

} // namespace

void TXMLDocument::LoadFromXML(const QByteArray& bytes, const QString& name) {
    Clear();
    prepareParser();
    std::unique_ptr<xmlParserCtxt, CtxtFree> ctxt(xmlNewParserCtxt());
    if (!ctxt)
        throw EXmlBankError(QStringLiteral("内存不足，无法读取%1。").arg(describe(name)));
    FirstError first;
    ctxt->_private = &first;
    ctxt->userData = ctxt.get();
    if (ctxt->sax)
        ctxt->sax->serror = keepFirstError;
    // No network, no external DTD or entities, no messages on the console.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    std::unique_ptr<xmlDoc, DocFree> doc(xmlCtxtReadMemory(
        ctxt.get(), bytes.constData(), static_cast<int>(bytes.size()), nullptr, nullptr, options));
    if (!doc || !ctxt->wellFormed) {
        const xmlError* err = xmlCtxtGetLastError(ctxt.get());
        QString detail = first.message;
        int line = first.line;
        if (detail.isNull() && err) {
            detail = err->message ? QString::fromUtf8(err->message).trimmed() : QString();
            line = err->line;
        }
        throw EXmlBankError(
            QStringLiteral("%1格式不正确%2%3")
                .arg(describe(name), line > 0 ? QStringLiteral("（第%1行）").arg(line) : QString(),
                     detail.isEmpty() ? QStringLiteral("。") : QStringLiteral("：") + detail));
    }
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!root)
        throw EXmlBankError(QStringLiteral("%1没有内容。").arg(describe(name)));
    root_ = qualifiedName(root->name, root->ns);
    for (const xmlNode* n = root->children; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE)
            continue;
        Element e;
        e.name = qualifiedName(n->name, n->ns);
        for (const xmlAttr* a = n->properties; a; a = a->next)
            e.attributes.append({qualifiedName(a->name, a->ns), attributeText(a)});
        children_.append(std::move(e));
    }
    active_ = true;
}

QStringList ReadXMLList(const QString& fileName, const QString& elementName,
                        const QString& attrName) {
    TXMLDocument doc;
    doc.LoadFromFile(fileName);
    QStringList result;
    int index = 0;
    for (const auto& e : doc.ChildElements()) {
        if (e.name != elementName)
            continue;
        ++index;
        const std::optional<QString> value = e.attribute(attrName);
        if (!value)
            throw EXmlBankError(QStringLiteral("%1的第%2个%3没有%4。")
                                    .arg(describe(QFileInfo(fileName).fileName()))
                                    .arg(index)
                                    .arg(elementName, attrName));
        result.append(*value);
    }
    return result;
}

QString ReadXMLAttr(const TXMLDocument& doc, const QString& topic, const QString& attrName) {
    const QString blank = QStringLiteral(" ");
    if (!doc.Active())
        return blank;
    for (const auto& e : doc.ChildElements()) {
        if (e.name != kTopicElement || e.attribute(kTopicKey) != topic)
            continue;
        return e.attribute(attrName).value_or(blank);
    }
    return blank;
}
