#include "platform/ShellOpen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {
namespace {
std::function<bool(const QString&)>& handler() {
    static std::function<bool(const QString&)> h;
    return h;
}
} // namespace

bool shellOpen(const QString& fileOrUrl) {
    if (handler())
        return handler()(fileOrUrl);
    const QUrl url = QFileInfo(fileOrUrl).isAbsolute() ? QUrl::fromLocalFile(fileOrUrl)
                                                       : QUrl::fromUserInput(fileOrUrl);
    return QDesktopServices::openUrl(url);
}

void setShellOpenHandler(std::function<bool(const QString&)> h) {
    handler() = std::move(h);
}

} // namespace platform
