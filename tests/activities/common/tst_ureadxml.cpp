// The question-bank reader: topic lists, attribute lookup, encodings, and files that
// are broken or hostile.
#include "TestSupport.h"
#include "activities/common/UReadXML.h"
#include "platform/Gbk.h"

#include <QRegularExpression>
#include <QtTest>

class TestUReadXML : public QObject {
    Q_OBJECT
private slots:
    void listKeepsOrderAndSkipsOthers();
    void bankWithoutTopicsIsEmpty();
    void unreadableBanks_data();
    void unreadableBanks();
    void attributes_data();
    void attributes();
    void encodings_data();
    void encodings();
    void entitiesStayInTheFile_data();
    void entitiesStayInTheFile();

private:
    QString write(const QString& name, const QByteArray& bytes) {
        return testsupport::writeFile(dir_.path(), name, bytes);
    }
    QTemporaryDir dir_;
};

void TestUReadXML::listKeepsOrderAndSkipsOthers() {
    const QString path = write("order.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<bank xmlns:x="urn:x">
  <list Topic="one"/>
  <List Topic="capital"/>
  <!-- <list Topic="comment"/> -->
  some text
  <other Topic="other"><list Topic="nested"/></other>
  <x:list Topic="prefixed"/>
  <list Topic="two" TopicType="1"/>
  <list Topic=""/>
</bank>)");
    QCOMPARE(ReadXMLList(path, "list", "Topic"), QStringList({"one", "two", ""}));
    // Element and attribute names are compared exactly.
    QCOMPARE(ReadXMLList(path, "List", "Topic"), QStringList({"capital"}));
    QCOMPARE(ReadXMLList(path, "x:list", "Topic"), QStringList({"prefixed"}));
}

void TestUReadXML::bankWithoutTopicsIsEmpty() {
    QVERIFY(ReadXMLList(write("none.xml", "<bank><item/></bank>"), "list", "Topic").isEmpty());
    QVERIFY(ReadXMLList(write("empty.xml", "<bank/>"), "list", "Topic").isEmpty());
}

void TestUReadXML::unreadableBanks_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("topic missing")
        << QByteArray("<b><list Topic='a'/><list A='x'/></b>") << "第2个list没有Topic";
    QTest::newRow("not well formed") << QByteArray("<b><list Topic='a'></b>") << "格式不正确";
    QTest::newRow("truncated") << QByteArray("<?xml version='1.0'?><b><list Topic='a") << "格式";
    QTest::newRow("empty file") << QByteArray() << "格式";
    QTest::newRow("two roots") << QByteArray("<a/><b/>") << "格式";
    QTest::newRow("GBK bytes declared UTF-8")
        << QByteArray("<?xml version='1.0' encoding='UTF-8'?><b><list Topic='") +
               platform::toGbk("玥玥在左边") + "'/></b>"
        << "格式";
    QTest::newRow("unknown encoding")
        << QByteArray("<?xml version='1.0' encoding='X-NOPE'?><b/>") << "格式";
    QTest::newRow("undeclared entity") << QByteArray("<b><list Topic='&nope;'/></b>") << "格式";
    QTest::newRow("first error named, not the end of data")
        << QByteArray("<b>\n<list Topic='a'/>\n<list Topic='b'></lst>\n<list Topic='c'/>\n")
        << "第3行";
}

void TestUReadXML::unreadableBanks() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, mentions);
    const QString path = write("bad.xml", bytes);
    try {
        ReadXMLList(path, "list", "Topic");
        QFAIL("read a bank it should refuse");
    } catch (const EXmlBankError& e) {
        QVERIFY2(e.message().contains(mentions), qPrintable(e.message()));
        QVERIFY(e.message().contains("bad.xml"));
        // Chinese throughout: no word of the parser's own English (a missing key names the
        // bank's own element and attribute).
        if (QTest::currentDataTag() != QLatin1String("topic missing"))
            QVERIFY2(
                !QString(e.message()).remove("bad.xml").contains(QRegularExpression("[A-Za-z]{2}")),
                qPrintable(e.message()));
    }
    // Only a missing key is the list's complaint; the rest the document's.
    TXMLDocument doc;
    if (QTest::currentDataTag() != QLatin1String("topic missing")) {
        QVERIFY_THROWS_EXCEPTION(EXmlBankError, doc.LoadFromFile(path));
        QVERIFY(!doc.Active());
    }
    QVERIFY_THROWS_EXCEPTION(EXmlBankError,
                             ReadXMLList(dir_.path() + "/missing.xml", "list", "Topic"));
}

void TestUReadXML::attributes_data() {
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QString>("attr");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* topic, const char* attr, const char* value) {
        QTest::newRow(name) << QString(topic) << QString(attr) << QString(value);
    };
    row("present", "猫", "pic1", "cat.png");
    row("kept as written", "猫", "A", " 上面 ");
    row("present but empty", "猫", "C", "");
    row("missing attribute", "猫", "D", " ");
    row("attribute names are exact", "猫", "PIC1", " ");
    row("unknown topic", "狗", "pic1", " ");
    row("first duplicate wins", "鸟", "TopicKey", "1");
    row("duplicate's own attribute unseen", "鸟", "B", " ");
    row("double quote in topic", "他说\"好\"", "TopicKey", "A");
    row("apostrophe in topic", "it's", "TopicKey", "B");
    row("lookalike element skipped", "鱼", "TopicKey", " ");
    row("character references", "&<>", "A", "x&y");
}

void TestUReadXML::attributes() {
    QFETCH(QString, topic);
    QFETCH(QString, attr);
    QFETCH(QString, expected);
    TXMLDocument doc;
    QCOMPARE(ReadXMLAttr(doc, topic, attr), QString(" ")); // nothing loaded
    doc.LoadFromFile(write("attrs.xml", R"(<bank>
  <list Topic="猫" pic1="cat.png" A=" 上面 " C=""/>
  <list Topic="鸟" TopicKey="1"/>
  <list Topic="鸟" TopicKey="2" B="x"/>
  <list Topic='他说"好"' TopicKey="A"/>
  <list Topic="it's" TopicKey="B"/>
  <List Topic="鱼" TopicKey="3"/>
  <list Topic="&amp;&lt;&gt;" A="x&#38;y"/>
</bank>)"));
    QCOMPARE(ReadXMLAttr(doc, topic, attr), expected);
}

void TestUReadXML::encodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    // GBK-only characters (not in GB2312) in a file that says GB2312: the banks do that.
    const QString gbkOnly = QStringLiteral("玥玥和喆喆");
    const QByteArray body = "<b><list Topic=\"" + gbkOnly.toUtf8() + "\" A=\"左边\"/></b>";
    QTest::newRow("UTF-8 declared") << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body;
    QTest::newRow("UTF-8 undeclared") << body;
    QTest::newRow("UTF-8 with BOM") << "\xEF\xBB\xBF" + body;
    QTest::newRow("GBK declared GB2312")
        << platform::toGbk("<?xml version=\"1.0\" encoding=\"GB2312\"?>" + QString::fromUtf8(body));
    QTest::newRow("GBK declared gb2312")
        << platform::toGbk("<?xml version='1.0' encoding='gb2312'?>" + QString::fromUtf8(body));
    QTest::newRow("GBK declared GBK")
        << platform::toGbk("<?xml version=\"1.0\" encoding=\"GBK\"?>" + QString::fromUtf8(body));
    const QString utf16 = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + QString::fromUtf8(body);
    QByteArray le("\xFF\xFE");
    le.append(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
    QTest::newRow("UTF-16 with BOM") << le;
}

void TestUReadXML::encodings() {
    QFETCH(QByteArray, bytes);
    const QString path = write("enc.xml", bytes);
    QCOMPARE(ReadXMLList(path, "list", "Topic"), QStringList({"玥玥和喆喆"}));
    TXMLDocument doc;
    doc.LoadFromFile(path);
    QCOMPARE(ReadXMLAttr(doc, "玥玥和喆喆", "A"), QString("左边"));
}

void TestUReadXML::entitiesStayInTheFile_data() {
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("length"); // of the expanded text; 0 when the file may be refused
    QTest::newRow("nested a little") << 2 << 200;
    QTest::newRow("billion laughs") << 12 << 0;
}

void TestUReadXML::entitiesStayInTheFile() {
    // Nothing outside the file is read, and entities cannot blow the text up.
    QFETCH(int, levels);
    QFETCH(int, length);
    write("secret.txt", "SECRET");
    QByteArray laughs = "<!ENTITY l0 \"ha\">";
    for (int i = 1; i <= levels; ++i) {
        laughs += "<!ENTITY l" + QByteArray::number(i) + " \"";
        for (int k = 0; k < 10; ++k)
            laughs += "&l" + QByteArray::number(i - 1) + ";";
        laughs += "\">";
    }
    const QString path =
        write("entities.xml", "<?xml version=\"1.0\"?>\n<!DOCTYPE b [" + laughs +
                                  "<!ENTITY hi \"你好\"><!ENTITY ext SYSTEM \"secret.txt\">]>\n"
                                  "<b><list Topic=\"&hi;\" A=\"&l" +
                                  QByteArray::number(levels) + ";\"/>&ext;</b>");
    TXMLDocument doc;
    try {
        doc.LoadFromFile(path);
    } catch (const EXmlBankError&) {
        QCOMPARE(length, 0);
        return;
    }
    QCOMPARE(ReadXMLList(path, "list", "Topic"), QStringList({"你好"}));
    if (length)
        QCOMPARE(ReadXMLAttr(doc, "你好", "A"), QString("ha").repeated(length / 2));
    for (const auto& e : doc.ChildElements())
        for (const auto& a : e.attributes)
            QVERIFY(!a.second.contains("SECRET"));
}

QTEST_GUILESS_MAIN(TestUReadXML)
#include "tst_ureadxml.moc"
