// Content packs: packs made by the MinGW resource compiler and linker (an independent
// maker) and by our writer read back byte for byte; damaged files are refused with the
// offset or size that was bad.

#include "platform/ContentPack.h"
#include "tools/lib/PackWriter.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
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
    for (int i = 0; i < size; ++i)
        out[i] = char(i % 7 ? i * 131 + seed * 29 + (i >> 8) : 0);
    return out;
}

QList<Item> sampleItems() {
    return {{"XHZ1", "Flash", "FWS" + pattern(5000, 1)},
            {"xhz3", "Flash", "FWS" + pattern(70000, 3)},
            {"apple", "JPG", "\xFF\xD8\xFF\xE0" + pattern(300, 4)},
            {"#7", "JPG", pattern(17, 5)}};
}

bool run(const QString& program, const QStringList& args, const QString& dir) {
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(program, args);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && !p.exitCode();
}

// A resource-only DLL made with windres and ld; empty when the tools are missing.
QByteArray mingwPack(const QString& dir, const QList<Item>& items) {
    const QString windres = QStandardPaths::findExecutable("x86_64-w64-mingw32-windres");
    const QString ld = QStandardPaths::findExecutable("x86_64-w64-mingw32-ld");
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
    if (!run(windres, {"--preprocessor=cat", "-O", "coff", "-i", "pack.rc", "-o", "pack.o"}, dir) ||
        !run(ld, {"--dll", "-e", "0", "-s", "-o", "pack.dll", "pack.o"}, dir))
        return {};
    return testsupport::readFile(dir + "/pack.dll");
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

quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
void put32(QByteArray& b, qsizetype at, quint32 v) {
    qToLittleEndian(v, b.data() + at);
}
void put16(QByteArray& b, qsizetype at, quint16 v) {
    qToLittleEndian(v, b.data() + at);
}

// Where the structures of the first item sit in the file, following the happy path
// only, to aim the corruptions below. `sections` is the header of ".rsrc".
struct Layout {
    qsizetype pe, optional, sections, rsrc, rootEntry, typeDir, nameEntry, languageDir, data;
    explicit Layout(const QByteArray& f) {
        pe = u32(f, 0x3C);
        optional = pe + 24;
        sections = optional + (u32(f, pe + 20) & 0xFFFF);
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

void malformed(const char* name, const QString& reason, const Patch& patch) {
    QTest::newRow(name) << patch << reason;
}

} // namespace

class TestContentPack : public QObject {
    Q_OBJECT

private slots:
    void readsBack_data() {
        QTest::addColumn<QString>("maker");
        QTest::addColumn<PackWriter::Format>("format");
        QTest::newRow("PE32+ from windres and ld") << "mingw" << PackWriter::Format::Pe32Plus;
        QTest::newRow("PE32+ from our writer") << "writer" << PackWriter::Format::Pe32Plus;
        QTest::newRow("PE32 from our writer") << "writer" << PackWriter::Format::Pe32;
    }
    void readsBack() {
        QFETCH(QString, maker);
        QFETCH(PackWriter::Format, format);
        QList<Item> items = sampleItems();
        QTemporaryDir dir;
        QByteArray bytes;
        if (maker == "mingw") {
            bytes = mingwPack(dir.path(), items);
            if (bytes.isEmpty())
                QSKIP("the MinGW resource compiler and linker are not installed");
        } else {
            items << Item{"汉字", "Flash", pattern(40, 6)} << Item{"empty", "JPG", {}}
                  << Item{"b", "#10", pattern(9, 7)};
            bytes = writerPack(format, items);
        }
        const auto pack = ContentPack::open(testsupport::writeFile(dir.path(), "p.dat", bytes));
        QVERIFY(pack->isValid());
        for (const Item& item : items) {
            QCOMPARE(pack->read(item.name.toLower(), item.type.toUpper()), item.bytes);
            QVERIFY(pack->contains(item.name.toUpper(), item.type.toLower()));
        }
        QCOMPARE(pack->names("FLASH").mid(0, 2), QStringList({"XHZ1", "XHZ3"}));
        QCOMPARE(pack->read("#007", "jpg"), sampleItems().last().bytes);
        QCOMPARE(notFoundMessage(*pack, "XHZ4", "Flash"), "找不到资源 XHZ4");
        QCOMPARE(notFoundMessage(*pack, "XHZ1", "JPG"), "找不到资源 XHZ1");

        // Cut anywhere, the same file is refused.
        for (qsizetype cut = 0; cut < bytes.size(); cut += cut < 2048 ? 1 : 37)
            QVERIFY2(!fromBytes(bytes.left(cut))->contains("XHZ1", "Flash"),
                     qPrintable(QString("cut at %1").arg(cut)));
    }

    // Each damage is refused, and the reason names the offset or size that was bad.
    void malformedRefused_data() {
        QTest::addColumn<Patch>("patch");
        QTest::addColumn<QString>("reason"); // empty: the file is valid
        malformed("untouched", "", [](QByteArray&, const Layout&) {});
        malformed("no MZ", "no MZ", [](QByteArray& f, const Layout&) { f[0] = 'X'; });
        malformed("PE offset past the end", "offset 0xfffffff0",
                  [](QByteArray& f, const Layout&) { put32(f, 0x3C, 0xFFFFFFF0); });
        malformed("bad PE signature", "no PE signature",
                  [](QByteArray& f, const Layout& l) { f[l.pe + 1] = 'X'; });
        malformed("unknown optional header", "magic 0x107",
                  [](QByteArray& f, const Layout& l) { put16(f, l.optional, 0x107); });
        malformed("optional header without directories", "header of 0x40 bytes",
                  [](QByteArray& f, const Layout& l) { put16(f, l.pe + 20, 0x40); });
        malformed("section data past the end", "(0x7ffffe00 bytes) past the end",
                  [](QByteArray& f, const Layout& l) { put32(f, l.sections + 16, 0x7FFFFE00); });
        malformed("resources outside every section", "RVA 0x9000 in no section",
                  [](QByteArray& f, const Layout& l) { put32(f, l.optional + 128, 0x9000); });
        malformed("root counts past the section", "131070 entries",
                  [](QByteArray& f, const Layout& l) { put32(f, l.rsrc + 12, 0xFFFFFFFF); });
        malformed("type directory past the section", "directory at 0x7ffffff0",
                  [](QByteArray& f, const Layout& l) { put32(f, l.rootEntry + 4, 0xFFFFFFF0); });
        malformed("name length past the section", "of 65535 characters",
                  [](QByteArray& f, const Layout& l) {
                      put16(f, l.rsrc + (u32(f, l.nameEntry) & 0x7FFFFFFF), 0xFFFF);
                  });
        malformed("loop back to the root", "directory at 0x0 reached twice",
                  [](QByteArray& f, const Layout& l) { put32(f, l.nameEntry + 4, 0x80000000); });
        malformed("type name in the section's padding", "past the end of the resources",
                  [](QByteArray& f, const Layout& l) {
                      put32(f, l.rootEntry, 0x80000000 | (u32(f, l.sections + 8) + 2));
                  });
        malformed("type entry that is data", "not a directory",
                  [](QByteArray& f, const Layout& l) { f[l.rootEntry + 7] = 0; });
        malformed("fourth level", "fourth directory level", [](QByteArray& f, const Layout& l) {
            put32(f, l.rsrc + l.languageDir + 20, 0x80000000 | quint32(l.languageDir));
        });
        malformed("data outside every section", "RVA 0x50000",
                  [](QByteArray& f, const Layout& l) { put32(f, l.data, 0x50000); });
        malformed("data ending one byte past the section", "outside its section",
                  [](QByteArray& f, const Layout& l) {
                      put32(f, l.data + 4, 0x1000 + u32(f, l.sections + 8) - u32(f, l.data) + 1);
                  });
    }
    void malformedRefused() {
        QFETCH(Patch, patch);
        QFETCH(QString, reason);
        QByteArray bytes = writerPack(PackWriter::Format::Pe32Plus,
                                      {{"XHZ1", "Flash", "movie"}, {"A", "JPG", "picture"}});
        patch(bytes, Layout(bytes));
        const auto pack = fromBytes(bytes);
        QCOMPARE(pack->isValid(), reason.isEmpty());
        QVERIFY2(pack->errorString().contains(reason), qPrintable(pack->errorString()));
        if (reason.isEmpty())
            QCOMPARE(pack->read("XHZ1", "Flash"), QByteArray("movie"));
        else
            QCOMPARE(notFoundMessage(*pack, "XHZ1", "Flash"), "找不到资源 XHZ1");
    }

    // A pack in the program folder, found in any letter case, loaded once; a missing or
    // broken pack is not remembered, so one installed later is found. A broken one is
    // logged with its reason; a missing one is not.
    void loadingFromTheProgramFolder() {
        testsupport::TempProgramDir program;
        const auto missing = ContentPack::load("XHZ");
        QVERIFY(!missing->isValid());
        QCOMPARE(notFoundMessage(*missing, "XHZ1", "Flash"), "找不到资源 XHZ1");

        const QString path = program.write("data/KJFILE/xhz.DAT", "MZ broken");
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("content pack .*xhz.DAT refused: 4 bytes at "
                                                "offset 0x3c past the end of the file \\(0x9\\)"));
        QVERIFY(!ContentPack::load("XHZ")->isValid());

        testsupport::writeFile(
            program.path(), "data/KJFILE/xhz.DAT",
            writerPack(PackWriter::Format::Pe32Plus, {{"XHZ1", "Flash", "first"}}));
        const auto pack = ContentPack::load("XHZ");
        QCOMPARE(pack->read("xhz1", "flash"), QByteArray("first"));
        QVERIFY(ContentPack::load("xhz") == pack);
        QVERIFY(QFile::link(path, program.path() + "/link.dat"));
        QVERIFY(ContentPack::open(program.path() + "/link.dat") == pack);
    }

    // Items are read from the file when asked for, not kept from the opening: a file that
    // shrank under the open pack fails the read, never crashes it.
    void readsComeFromTheFile() {
        QTemporaryDir dir;
        const QByteArray second = pattern(4096, 9);
        const QString path =
            testsupport::writeFile(dir.path(), "pack.dat",
                                   writerPack(PackWriter::Format::Pe32,
                                              {{"A", "JPG", "first item"}, {"B", "JPG", second}}));
        const auto pack = ContentPack::open(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.resize(file.readAll().indexOf(second) + 10));
        QVERIFY_THROWS_EXCEPTION(ResourceNotFound, pack->read("b", "jpg"));
        QCOMPARE(pack->read("a", "jpg"), QByteArray("first item"));
    }
};

QTEST_GUILESS_MAIN(TestContentPack)
#include "tst_contentpack.moc"
