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
    bool seen = false;
    int code = 0;
    int line = 0;
};

// What the parser found, in the words of the program (the parser's own are English).
QString parserFault(int code) {
    switch (code) {
    case XML_ERR_DOCUMENT_EMPTY:
        return QStringLiteral("文件是空的");
    case XML_ERR_DOCUMENT_END:
        return QStringLiteral("根元素之后还有内容");
    case XML_ERR_TAG_NAME_MISMATCH:
        return QStringLiteral("开始标记和结束标记不配对");
    case XML_ERR_TAG_NOT_FINISHED:
    case XML_ERR_GT_REQUIRED:
    case XML_ERR_LTSLASH_REQUIRED:
        return QStringLiteral("有没有结束的标记");
    case XML_ERR_ATTRIBUTE_NOT_STARTED:
    case XML_ERR_ATTRIBUTE_NOT_FINISHED:
    case XML_ERR_ATTRIBUTE_WITHOUT_VALUE:
    case XML_ERR_LT_IN_ATTRIBUTE:
    case XML_ERR_LITERAL_NOT_STARTED:
    case XML_ERR_LITERAL_NOT_FINISHED:
        return QStringLiteral("有写错的属性");
    case XML_ERR_ATTRIBUTE_REDEFINED:
        return QStringLiteral("有重复的属性");
    case XML_ERR_UNDECLARED_ENTITY:
    case XML_WAR_UNDECLARED_ENTITY:
        return QStringLiteral("有未定义的实体");
    case XML_ERR_ENTITY_LOOP:
        return QStringLiteral("实体循环引用");
    case XML_ERR_UNSUPPORTED_ENCODING:
        return QStringLiteral("声明了不认识的编码");
    case XML_ERR_INVALID_CHAR:
    case XML_ERR_INVALID_ENCODING:
        return QStringLiteral("有和声明的编码不符的字符");
    case XML_ERR_NAME_REQUIRED:
        return QStringLiteral("有缺少名字的标记");
    default:
        return QStringLiteral("有无法识别的内容（错误%1）").arg(code);
    }
}

void keepFirstError(void* user, xmlErrorPtr err) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(user);
    auto* first = ctxt ? static_cast<FirstError*>(ctxt->_private) : nullptr;
    if (!first || !err || err->level < XML_ERR_ERROR || first->seen)
        return;
    first->seen = true;
    first->code = err->code;
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
        QString detail;
        int line = first.line;
        if (first.seen) {
            detail = parserFault(first.code);
        } else if (err && err->code != XML_ERR_OK) {
            detail = parserFault(err->code);
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
