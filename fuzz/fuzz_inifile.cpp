// The INI reader on arbitrary files: every read must survive, and a value written
// into any file must read back.
#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Every write syncs the file; on a memory file system that costs nothing.
    static QTemporaryDir dir((QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                  ? QStringLiteral("/dev/shm")
                                  : QDir::tempPath()) +
                             QStringLiteral("/fuzz_inifile-XXXXXX"));
    const QString path = dir.path() + QStringLiteral("/fuzz.ini");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    platform::IniFile ini(path);
    const QStringList sections = ini.ReadSections();
    for (qsizetype i = 0; i < sections.size() && i < 8; ++i) {
        const QStringList keys = ini.ReadSection(sections[i]);
        ini.ReadSectionValues(sections[i]);
        ini.SectionExists(sections[i]);
        for (qsizetype k = 0; k < keys.size() && k < 8; ++k)
            ini.ReadInteger(sections[i], keys[k], 0);
    }
    const QString value = QString::fromUtf8("\xE5\xB0\x8F \"v\" ") + QString::number(size);
    if (!ini.WriteString(QStringLiteral("ZBN1"), QStringLiteral("User_Name"), value))
        std::abort();
    if (ini.ReadString(QStringLiteral("zbn1"), QStringLiteral("USER_NAME"), QString()) != value)
        std::abort();
    if (!ini.DeleteKey(QStringLiteral("ZBN1"), QStringLiteral("User_Name")) ||
        ini.ValueExists(QStringLiteral("ZBN1"), QStringLiteral("User_Name")))
        std::abort();
    return 0;
}
