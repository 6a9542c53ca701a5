// Content packs: packs made by the MinGW resource compiler and linker (an independent
// maker) and by our writer read back byte for byte; malformed files are refused.

#include "platform/ContentPack.h"
#include "tools/lib/PackWriter.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using platform::ContentPack;
using platform::ResourceNotFound;
using tools::PackWriter;

namespace {

struct Item {
    QString name;
    QString type;
    QByteArray bytes;
};

// Deterministic bytes that include zeros and every byte value.
QByteArray pattern(int size, int seed) {
    QByteArray out(size, '\0');
    quint32 x = 2463534242u + quint32(seed);
    for (int i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        out[i] = char(i % 7 == 0 ? 0 : x);
    }
    return out;
}

QList<Item> sampleItems() {
    return {{"XHZ1", "Flash", "FWS" + pattern(5000, 1)},
            {"XHZ2", "Flash", pattern(1, 2)},
            {"xhz3", "Flash", "FWS" + pattern(70000, 3)},
            {"apple", "JPG", "\xFF\xD8\xFF\xE0" + pattern(300, 4)},
            {"#7", "JPG", pattern(17, 5)}};
}

QString findTool(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

bool run(const QString& program, const QStringList& args, const QString& dir,
         QByteArray* output = nullptr) {
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode()) {
        qWarning().noquote() << program << args << p.readAllStandardError();
        return false;
    }
    if (output)
        *output = p.readAllStandardOutput();
    return true;
}

// A resource-only DLL made with windres and ld; empty when the tools are missing.
QString mingwPack(const QString& dir, bool pe32, const QList<Item>& items) {
    const QString cross = pe32 && !findTool("i686-w64-mingw32-windres").isEmpty()
                              ? "i686-w64-mingw32-"
                              : "x86_64-w64-mingw32-";
    const bool emulated = pe32 && cross.startsWith("x86_64");
    const QString windres = findTool(cross + "windres");
    const QString ld = findTool(cross + "ld");
    if (windres.isEmpty() || ld.isEmpty())
        return {};
    QByteArray rc;
    for (int i = 0; i < items.size(); ++i) {
        const QString file = QString("item%1.bin").arg(i);
        testsupport::writeFile(dir, file, items[i].bytes);
        const QString name = items[i].name.startsWith('#') ? items[i].name.mid(1) : items[i].name;
        rc += QString("%1 %2 \"%3\"\n").arg(name, items[i].type, file).toUtf8();
    }
    testsupport::writeFile(dir, "pack.rc", rc);
    QStringList resArgs{"--preprocessor=cat", "-O", "coff", "-i", "pack.rc", "-o", "pack.o"};
    QStringList ldArgs{"--dll", "-e", "0", "-s", "-o", "pack.dll", "pack.o"};
    if (emulated) {
        // The x86-64 linker can write 32-bit modules but ships no script for them.
        testsupport::writeFile(dir, "pe32.x",
                               "OUTPUT_FORMAT(pei-i386)\nSECTIONS {\n"
                               "  . = SIZEOF_HEADERS;\n  . = ALIGN(__section_alignment__);\n"
                               "  .rsrc __image_base__ + __section_alignment__ : SUBALIGN(4)\n"
                               "  { KEEP(*(.rsrc)) KEEP(*(.rsrc$*)) }\n"
                               "  /DISCARD/ : { *(*) }\n}\n");
        resArgs << "-F"
                << "pe-i386";
        ldArgs << "-m"
               << "i386pe"
               << "-T"
               << "pe32.x";
    }
    if (!run(windres, resArgs, dir) || !run(ld, ldArgs, dir))
        return {};
    return dir + "/pack.dll";
}

QByteArray writerPack(PackWriter::Format format, const QList<Item>& items) {
    PackWriter w(format);
    for (const Item& item : items)
        w.add(item.name, item.type, item.bytes);
    return w.build();
}

std::shared_ptr<ContentPack> fromBytes(const QByteArray& bytes) {
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    return ContentPack::fromDevice(std::move(buffer));
}

QString notFoundMessage(const ContentPack& pack, const QString& name, const QString& type) {
    try {
        pack.read(name, type);
    } catch (const ResourceNotFound& e) {
        return QString::fromStdString(e.what());
    }
    return "found";
}

void verifyItems(const ContentPack& pack, const QList<Item>& items) {
    QVERIFY(pack.isValid());
    for (const Item& item : items) {
        QCOMPARE(pack.read(item.name, item.type), item.bytes);
        QCOMPARE(pack.read(item.name.toLower(), item.type.toUpper()), item.bytes);
        QVERIFY(pack.contains(item.name.toUpper(), item.type.toLower()));
    }
}

quint32 u32(const QByteArray& b, qsizetype at) {
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 |
           quint32(quint8(b[at + 2])) << 16 | quint32(quint8(b[at + 3])) << 24;
}
quint16 u16(const QByteArray& b, qsizetype at) {
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}
void put32(QByteArray& b, qsizetype at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = char(v >> (8 * i));
}
void put16(QByteArray& b, qsizetype at, quint16 v) {
    b[at] = char(v);
    b[at + 1] = char(v >> 8);
}

// Where the structures of the first item sit in the file, following the happy path
// only, to aim the corruptions below. `sections` is the header of ".rsrc".
struct Layout {
    qsizetype pe, optional, sections, rsrc, rootEntry, typeDir, nameEntry, languageDir, data;
    explicit Layout(const QByteArray& f) {
        pe = u32(f, 0x3C);
        optional = pe + 24;
        sections = optional + u16(f, pe + 20);
        while (f.mid(sections, 6) != QByteArray(".rsrc", 6))
            sections += 40;
        rsrc = u32(f, sections + 20);
        rootEntry = rsrc + 16;
        typeDir = u32(f, rootEntry + 4) & 0x7FFFFFFF;
        nameEntry = rsrc + typeDir + 16;
        languageDir = u32(f, nameEntry + 4) & 0x7FFFFFFF;
        data = rsrc + u32(f, rsrc + languageDir + 20);
    }
};

using Patch = std::function<void(QByteArray&, const Layout&)>;

} // namespace

class TestContentPack : public QObject {
    Q_OBJECT

private slots:
    void mingwPackReadsBack_data() {
        QTest::addColumn<bool>("pe32");
        QTest::newRow("PE32+ from windres and ld") << false;
        QTest::newRow("PE32 from windres and ld") << true;
    }
    void mingwPackReadsBack() {
        QFETCH(bool, pe32);
        QTemporaryDir dir;
        const QString path = mingwPack(dir.path(), pe32, sampleItems());
        if (path.isEmpty())
            QSKIP("the MinGW resource compiler and linker are not installed");
        const auto pack = ContentPack::open(path);
        verifyItems(*pack, sampleItems());
        QCOMPARE(pack->names("FLASH"), QStringList({"XHZ1", "XHZ2", "XHZ3"}));
        QCOMPARE(pack->read("#007", "jpg"), sampleItems().last().bytes);
        QCOMPARE(notFoundMessage(*pack, "XHZ4", "Flash"), "Resource XHZ4 not found");
        QCOMPARE(notFoundMessage(*pack, "XHZ1", "JPG"), "Resource XHZ1 not found");
        QVERIFY(!pack->contains("apple", "Flash"));
    }

    void writerPackReadsBack_data() {
        QTest::addColumn<PackWriter::Format>("format");
        QTest::addColumn<int>("language");
        QTest::newRow("PE32+, Chinese") << PackWriter::Format::Pe32Plus << 0x0804;
        QTest::newRow("PE32, neutral") << PackWriter::Format::Pe32 << 0;
    }
    void writerPackReadsBack() {
        QFETCH(PackWriter::Format, format);
        QFETCH(int, language);
        QList<Item> items = sampleItems();
        items << Item{"汉字", "Flash", pattern(40, 6)} << Item{"empty", "JPG", {}}
              << Item{"b", "#10", pattern(9, 7)};
        PackWriter w(format);
        w.setLanguage(quint16(language));
        for (const Item& item : items)
            QVERIFY(w.add(item.name, item.type, item.bytes));
        QVERIFY(w.add("Apple", "jpg", "replaced"));
        QVERIFY(!w.add("", "JPG", "x"));
        QCOMPARE(w.count(), items.size());
        items[3].bytes = "replaced";

        QTemporaryDir dir;
        QString error;
        QVERIFY(w.write(dir.filePath("pack.dat"), &error));
        QVERIFY(error.isEmpty());
        const auto pack = ContentPack::open(dir.filePath("pack.dat"));
        verifyItems(*pack, items);
        QCOMPARE(pack->types(), QStringList({"#10", "FLASH", "JPG"}));
        QCOMPARE(pack->names("jpg"), QStringList({"#7", "APPLE", "EMPTY"}));
        QCOMPARE(pack->read("B", "#0010"), items.last().bytes);
        QVERIFY_THROWS_EXCEPTION(ResourceNotFound, pack->read("#10", "#10"));
    }

    // A whole course: tables, names and data entries lie far apart in the directory.
    void largeDirectory() {
        PackWriter w;
        const int count = 30000;
        for (int i = 1; i <= count; ++i)
            w.add(QString("SXKJ%1").arg(i), "Flash", QByteArray::number(i));
        const auto pack = fromBytes(w.build());
        QVERIFY(pack->isValid());
        QCOMPARE(pack->names("Flash").size(), count);
        QCOMPARE(pack->read("sxkj1", "Flash"), QByteArray("1"));
        QCOMPARE(pack->read("SXKJ29999", "Flash"), QByteArray("29999"));
        QVERIFY(!pack->contains(QString("SXKJ%1").arg(count + 1), "Flash"));

        // A directory counts its named entries in 16 bits: one more is refused, not wrapped.
        PackWriter tooMany;
        for (int i = 0; i <= 0xFFFF; ++i)
            tooMany.add(QString("N%1").arg(i), "JPG", {});
        QTemporaryDir dir;
        QString error;
        QVERIFY(!tooMany.write(dir.filePath("too-many.dat"), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(dir.filePath("too-many.dat")));
    }

    void writerAcceptedByObjdump_data() {
        QTest::addColumn<PackWriter::Format>("format");
        QTest::addColumn<QString>("fileFormat");
        QTest::addColumn<QString>("magic");
        QTest::newRow("PE32+") << PackWriter::Format::Pe32Plus << "pei-x86-64"
                               << "020b";
        QTest::newRow("PE32") << PackWriter::Format::Pe32 << "pei-i386"
                              << "010b";
    }
    void writerAcceptedByObjdump() {
        QFETCH(PackWriter::Format, format);
        QFETCH(QString, fileFormat);
        QFETCH(QString, magic);
        const QString objdump = findTool("x86_64-w64-mingw32-objdump");
        if (objdump.isEmpty())
            QSKIP("the MinGW objdump is not installed");
        const QList<Item> items{{"zebra", "JPG", pattern(3, 1)},   {"Apple", "JPG", pattern(5, 2)},
                                {"#3", "JPG", pattern(7, 3)},      {"#1", "JPG", pattern(11, 4)},
                                {"xhz1", "Flash", pattern(13, 5)}, {"b", "#10", pattern(17, 6)}};
        QTemporaryDir dir;
        QVERIFY(testsupport::writeFile(dir.path(), "pack.dll", writerPack(format, items)) != "");
        QByteArray out;
        QVERIFY(run(objdump, {"-p", "pack.dll"}, dir.path(), &out));
        const QString text = QString::fromUtf8(out);
        QVERIFY2(text.contains("file format " + fileFormat), qPrintable(text));
        QVERIFY(text.contains(QRegularExpression("Magic\\s+" + magic)));
        QVERIFY(
            text.contains(QRegularExpression("Characteristics 0x[0-9a-f]+\\n(\\t.*\\n)*\\tDLL")));
        QVERIFY(text.contains(QRegularExpression("SectionAlignment\\s+00001000")));
        QVERIFY(text.contains(QRegularExpression("FileAlignment\\s+00000200")));
        QVERIFY(text.contains(QRegularExpression("SizeOfHeaders\\s+00000200")));
        QVERIFY(text.contains(QRegularExpression("SizeOfImage\\s+00002000")));
        QVERIFY(!text.contains("Corrupt"));

        // The directory as objdump walks it: upper-case names, named entries sorted
        // before numbered ones, one language each, the data sizes in that order.
        QStringList walk;
        QList<int> sizes;
        static const QRegularExpression line("Entry: (?:name: \\[val: \\w+ len \\d+\\]: "
                                             "([^,\\s]+)|ID: 0x(\\w+))|Leaf: .*Size: 0x(\\w+)");
        for (auto m = line.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            if (match.hasCaptured(3))
                sizes.append(match.captured(3).toInt(nullptr, 16));
            else
                walk.append(match.hasCaptured(1)
                                ? match.captured(1)
                                : "#" + QString::number(match.captured(2).toInt(nullptr, 16)));
        }
        QCOMPARE(walk, QStringList({"FLASH", "XHZ1", "#2052", "JPG", "APPLE", "#2052", "ZEBRA",
                                    "#2052", "#1", "#2052", "#3", "#2052", "#10", "B", "#2052"}));
        QCOMPARE(sizes, QList<int>({13, 5, 3, 11, 7, 17}));

        QVERIFY(run(objdump, {"-h", "pack.dll"}, dir.path(), &out));
        QVERIFY(QString::fromUtf8(out).contains(
            QRegularExpression("0 \\.rsrc\\s+\\w+\\s+\\w+\\s+\\w+\\s+00000200")));
    }

    void truncatedCopiesRefused_data() {
        QTest::addColumn<QString>("maker");
        QTest::addColumn<bool>("pe32");
        QTest::newRow("windres PE32+") << "mingw" << false;
        QTest::newRow("windres PE32") << "mingw" << true;
        QTest::newRow("writer PE32+") << "writer" << false;
        QTest::newRow("writer PE32") << "writer" << true;
    }
    void truncatedCopiesRefused() {
        QFETCH(QString, maker);
        QFETCH(bool, pe32);
        QTemporaryDir dir;
        const QList<Item> items = sampleItems().mid(0, 2);
        QByteArray full;
        if (maker == "writer") {
            full =
                writerPack(pe32 ? PackWriter::Format::Pe32 : PackWriter::Format::Pe32Plus, items);
        } else {
            const QString path = mingwPack(dir.path(), pe32, items);
            if (path.isEmpty())
                QSKIP("the MinGW resource compiler and linker are not installed");
            full = testsupport::readFile(path);
        }
        QVERIFY(fromBytes(full)->isValid());

        // Every header boundary, cut in files on disk.
        const Layout at(full);
        const QList<qsizetype> cuts{0,
                                    1,
                                    2,
                                    0x3C,
                                    0x3F,
                                    0x40,
                                    at.pe,
                                    at.pe + 4,
                                    at.pe + 22,
                                    at.optional,
                                    at.optional + 2,
                                    at.sections,
                                    at.sections + 39,
                                    at.rsrc,
                                    at.rootEntry,
                                    at.rsrc + at.typeDir,
                                    at.nameEntry,
                                    at.rsrc + at.languageDir + 16,
                                    at.data,
                                    at.data + 1,
                                    full.size() - 1};
        for (qsizetype cut : cuts) {
            const QString path =
                testsupport::writeFile(dir.path(), QString("cut%1.dat").arg(cut), full.left(cut));
            const auto pack = ContentPack::open(path);
            QVERIFY2(!pack->isValid(), qPrintable(QString("cut at %1").arg(cut)));
            QVERIFY_THROWS_EXCEPTION(ResourceNotFound, pack->read(items[0].name, items[0].type));
        }
        // And a sweep of lengths, in memory.
        for (qsizetype cut = 0; cut < full.size(); cut += cut < 2048 ? 1 : 37) {
            const auto pack = fromBytes(full.left(cut));
            QVERIFY2(!pack->isValid() && !pack->contains(items[1].name, items[1].type),
                     qPrintable(QString("cut at %1").arg(cut)));
        }
    }

    void malformedRefused_data() {
        QTest::addColumn<Patch>("patch");
        QTest::addColumn<bool>("valid");
        QTest::newRow("untouched") << Patch([](QByteArray&, const Layout&) {}) << true;
        QTest::newRow("no MZ") << Patch([](QByteArray& f, const Layout&) { f[0] = 'X'; }) << false;
        QTest::newRow("PE offset past the end")
            << Patch([](QByteArray& f, const Layout&) { put32(f, 0x3C, 0xFFFFFFF0); }) << false;
        QTest::newRow("PE offset in the last bytes")
            << Patch([](QByteArray& f, const Layout&) { put32(f, 0x3C, quint32(f.size() - 2)); })
            << false;
        QTest::newRow("bad PE signature")
            << Patch([](QByteArray& f, const Layout& l) { f[l.pe + 1] = 'X'; }) << false;
        QTest::newRow("unknown optional header")
            << Patch([](QByteArray& f, const Layout& l) { put16(f, l.optional, 0x107); }) << false;
        QTest::newRow("optional header without directories")
            << Patch([](QByteArray& f, const Layout& l) { put16(f, l.pe + 20, 0x40); }) << false;
        QTest::newRow("no sections")
            << Patch([](QByteArray& f, const Layout& l) { put16(f, l.pe + 6, 0); }) << false;
        QTest::newRow("65535 sections")
            << Patch([](QByteArray& f, const Layout& l) { put16(f, l.pe + 6, 0xFFFF); }) << false;
        QTest::newRow("section data past the end")
            << Patch([](QByteArray& f, const Layout& l) { put32(f, l.sections + 16, 0x7FFFFE00); })
            << false;
        QTest::newRow("resources outside every section")
            << Patch(
                   [](QByteArray& f, const Layout& l) { put32(f, l.optional + 112 + 16, 0x9000); })
            << false;
        QTest::newRow("root counts past the section") << Patch([](QByteArray& f, const Layout& l) {
            put16(f, l.rsrc + 12, 0xFFFF);
            put16(f, l.rsrc + 14, 0xFFFF);
        }) << false;
        QTest::newRow("type directory past the section")
            << Patch([](QByteArray& f, const Layout& l) { put32(f, l.rootEntry + 4, 0xFFFFFFF0); })
            << false;
        QTest::newRow("type name past the section")
            << Patch([](QByteArray& f, const Layout& l) { put32(f, l.rootEntry, 0x80FFFFFF); })
            << false;
        QTest::newRow("name length past the section") << Patch([](QByteArray& f, const Layout& l) {
            put16(f, l.rsrc + (u32(f, l.nameEntry) & 0x7FFFFFFF), 0xFFFF);
        }) << false;
        QTest::newRow("loop back to the root")
            << Patch([](QByteArray& f, const Layout& l) { put32(f, l.nameEntry + 4, 0x80000000); })
            << false;
        QTest::newRow("directory holding itself") << Patch([](QByteArray& f, const Layout& l) {
            put32(f, l.nameEntry + 4, 0x80000000 | quint32(l.typeDir));
        }) << false;
        QTest::newRow("two types sharing one directory")
            << Patch([](QByteArray& f, const Layout& l) {
                   put32(f, l.rootEntry + 12, u32(f, l.rootEntry + 4));
               })
            << false;
        QTest::newRow("type name in the section's padding")
            << Patch([](QByteArray& f, const Layout& l) {
                   put32(f, l.rootEntry, 0x80000000 | (u32(f, l.sections + 8) + 2));
               })
            << false;
        QTest::newRow("type entry that is data")
            << Patch([](QByteArray& f, const Layout& l) { f[l.rootEntry + 7] = 0; }) << false;
        QTest::newRow("fourth level") << Patch([](QByteArray& f, const Layout& l) {
            put32(f, l.rsrc + l.languageDir + 20, 0x80000000 | quint32(l.languageDir));
        }) << false;
        QTest::newRow("data outside every section")
            << Patch([](QByteArray& f, const Layout& l) { put32(f, l.data, 0x50000); }) << false;
        QTest::newRow("data size past the section")
            << Patch([](QByteArray& f, const Layout& l) { put32(f, l.data + 4, 0x7FFFFFFF); })
            << false;
        QTest::newRow("data ending one byte past the section")
            << Patch([](QByteArray& f, const Layout& l) {
                   const quint32 sectionEnd = 0x1000 + u32(f, l.sections + 8);
                   put32(f, l.data + 4, sectionEnd - u32(f, l.data) + 1);
               })
            << false;
    }
    void malformedRefused() {
        QFETCH(Patch, patch);
        QFETCH(bool, valid);
        QByteArray bytes = writerPack(PackWriter::Format::Pe32Plus,
                                      {{"XHZ1", "Flash", "movie"}, {"A", "JPG", "picture"}});
        patch(bytes, Layout(bytes));
        const auto pack = fromBytes(bytes);
        QCOMPARE(pack->isValid(), valid);
        QCOMPARE(pack->contains("XHZ1", "Flash"), valid);
        if (valid)
            QCOMPARE(pack->read("XHZ1", "Flash"), QByteArray("movie"));
        else
            QVERIFY_THROWS_EXCEPTION(ResourceNotFound, pack->read("XHZ1", "Flash"));
    }

    // A pack in the program folder, found in any letter case, loaded once; a missing or
    // broken pack is not remembered, so one installed later is found.
    void loadingFromTheProgramFolder() {
        testsupport::TempProgramDir program;
        const auto missing = ContentPack::load("XHZ");
        QVERIFY(!missing->isValid());
        QVERIFY(missing->names("Flash").isEmpty());
        QCOMPARE(notFoundMessage(*missing, "XHZ1", "Flash"), "Resource XHZ1 not found");

        const QString path = program.write("data/KJFILE/xhz.DAT", "MZ broken");
        QVERIFY(!ContentPack::load("XHZ")->isValid());

        QString error;
        PackWriter w;
        w.add("XHZ1", "Flash", "first");
        QVERIFY2(w.write(path, &error), qPrintable(error));
        const auto pack = ContentPack::load("XHZ");
        QCOMPARE(pack->read("xhz1", "flash"), QByteArray("first"));
        QVERIFY(ContentPack::load("xhz") == pack);
        QVERIFY(ContentPack::open(path) == pack);
        QVERIFY(ContentPack::open(program.path() + "/data/../data/KJFILE/./xhz.DAT") == pack);
        QVERIFY(QFile::link(path, program.path() + "/link.dat"));
        QVERIFY(ContentPack::open(program.path() + "/link.dat") == pack);
    }

    // Items are read from the file when asked for, not kept from the opening.
    void readsComeFromTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("pack.dat");
        const QByteArray second = pattern(4096, 9);
        PackWriter w(PackWriter::Format::Pe32);
        w.add("A", "JPG", "first item");
        w.add("B", "JPG", second);
        QString error;
        QVERIFY(w.write(path, &error));
        const auto pack = ContentPack::open(path);
        QVERIFY(pack->isValid());

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qsizetype at = file.readAll().indexOf(second);
        QVERIFY(at > 0);
        QVERIFY(file.seek(at));
        const QByteArray changed(second.size(), 'z');
        file.write(changed);
        file.flush();
        QCOMPARE(pack->read("b", "jpg"), changed);
        QCOMPARE(pack->read("a", "jpg"), QByteArray("first item"));

        QVERIFY(file.resize(at + 10)); // the file shrinks under the open pack
        QVERIFY_THROWS_EXCEPTION(ResourceNotFound, pack->read("b", "jpg"));
        QCOMPARE(pack->read("a", "jpg"), QByteArray("first item"));
    }
};

QTEST_GUILESS_MAIN(TestContentPack)
#include "tst_contentpack.moc"
