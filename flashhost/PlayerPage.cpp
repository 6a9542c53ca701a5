#include "flashhost/PlayerPage.h"

#include "flashhost/FlashHost.h"
#include "flashhost/LegacyText.h"

#include <QColor>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>

namespace flashhost {
namespace {

QPointer<PlayerPage>& spare() {
    static QPointer<PlayerPage> page;
    return page;
}

// Once warmUp() was called, a taken spare page is replaced, a little later so as not
// to slow down the page just taken.
bool& keepSpare() {
    static bool on = false;
    return on;
}
constexpr int kRefillDelayMs = 1500;

} // namespace

void PageBridge::loadFailed(const QVariant& token, const QVariant& reason) {
    emit failed(token.toInt(), argumentText(reason));
}

void PageBridge::frameState(const QVariant& frame0, const QVariant& playing, const QVariant& seq) {
    emit state(frame0.toInt(), playing.toBool(), seq.toInt());
}

void PageBridge::fsCommand(const QVariant& command, const QVariant& args) {
    emit this->command(argumentText(command), argumentText(args));
}

PlayerPage::PlayerPage(QObject* parent, bool warm)
    : QObject(parent), page_(new QWebEnginePage(sharedProfile(), this)),
      channel_(new QWebChannel(this)), bridge_(new PageBridge(this)) {
    channel_->registerObject(QStringLiteral("host"), bridge_);
    page_->setWebChannel(channel_);
    page_->setBackgroundColor(Qt::transparent);
    connect(bridge_, &PageBridge::pageLoaded, this, [this] {
        ready_ = true;
        emit ready();
    });
    QUrl url = hostUrl(QStringLiteral("/host.html"));
    if (warm)
        url.setQuery(QStringLiteral("warm"));
    page_->load(url);
}

PlayerPage::~PlayerPage() {
    // The page must go before the channel it refers to.
    delete page_;
}

PlayerPage* PlayerPage::take(QObject* parent) {
    PlayerPage* page = spare().data();
    spare().clear();
    if (keepSpare())
        QTimer::singleShot(kRefillDelayMs, QCoreApplication::instance(), [] {
            if (keepSpare() && !spare())
                spare() = new PlayerPage(QCoreApplication::instance(), true);
        });
    if (page) {
        page->setParent(parent);
        return page;
    }
    return new PlayerPage(parent);
}

void warmUp() {
    if (!webPlayerAvailable())
        return;
    keepSpare() = true;
    if (!spare())
        spare() = new PlayerPage(QCoreApplication::instance(), true);
}

} // namespace flashhost
