#include "flashhost/PlayerCode.h"

#include "flashhost/FlashHost.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

namespace flashhost {

PlayerCodeFiles playerCodeFilesIn(const QByteArray& loaderScript) {
    const QString script = QString::fromUtf8(loaderScript);
    // The bundle maps module ids to file names: 797(e,n,a){e.exports=a.p+"<hash>.wasm"}.
    static const QRegularExpression moduleRe(QStringLiteral(
        R"((\d+)(?::\(\w,\w,\w\)=>|\(\w,\w,\w\))\{\w\.exports=\w\.p\+"([0-9a-f]+\.wasm)\"\})"));
    QHash<QString, QString> files;
    for (auto it = moduleRe.globalMatch(script); it.hasNext();) {
        const auto m = it.next();
        files.insert(m.captured(1), m.captured(2));
    }
    // ...and chooses: <all features> ? new URL(a(797),a.b) : new URL(a(124),a.b).
    static const QRegularExpression choiceRe(
        QStringLiteral(R"(\?new URL\(\w\((\d+)\),\w\.b\):new URL\(\w\((\d+)\),\w\.b\))"));
    const auto choice = choiceRe.match(script);
    if (!choice.hasMatch())
        return {};
    PlayerCodeFiles result{files.value(choice.captured(1)), files.value(choice.captured(2))};
    return result.isValid() ? result : PlayerCodeFiles{};
}

namespace {

PlayerCodeFiles& files() {
    static PlayerCodeFiles installed = [] {
        const QString dir = playerDir();
        QFile f(dir + QStringLiteral("/ruffle.js"));
        if (dir.isEmpty() || !f.open(QIODevice::ReadOnly))
            return PlayerCodeFiles{};
        return playerCodeFilesIn(f.readAll());
    }();
    return installed;
}

} // namespace

const PlayerCodeFiles& playerCodeFiles() {
    return files();
}

void overridePlayerCodeFiles(const PlayerCodeFiles& replacement) {
    files() = replacement;
}

} // namespace flashhost
