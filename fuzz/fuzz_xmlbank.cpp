// The question-bank reader on arbitrary bytes: it may refuse a file, never crash, and
// what it reads back must be consistent with what it listed.
#include "activities/common/UReadXML.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TXMLDocument doc;
    try {
        doc.LoadFromXML(bytes, QStringLiteral("fuzz.xml"));
    } catch (const EXmlBankError&) {
        if (doc.Active())
            std::abort();
        return 0;
    }
    int seen = 0;
    for (const auto& e : doc.ChildElements()) {
        if (e.name != kTopicElement || ++seen > 16)
            continue;
        const std::optional<QString> topic = e.attribute(kTopicKey);
        if (!topic)
            continue;
        // The first topic of a text wins; its attributes read back as listed.
        const QString type = ReadXMLAttr(doc, *topic, QStringLiteral("TopicType"));
        const auto* first = &e;
        for (const auto& f : doc.ChildElements())
            if (f.name == kTopicElement && f.attribute(kTopicKey) == topic) {
                first = &f;
                break;
            }
        if (type != first->attribute(QStringLiteral("TopicType")).value_or(QStringLiteral(" ")))
            std::abort();
    }
    return 0;
}
