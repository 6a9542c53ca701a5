#include "flashhost/PlayerPage.h"

#include "flashhost/FlashHost.h"
#include "flashhost/LegacyText.h"

#include <QColor>
#include <QCoreApplication>
#include <QPointer>
#include <QWebChannel>
#include <QWebEnginePage>

namespace flashhost {
namespace {

QPointer<PlayerPage>& spare() {
    static QPointer<PlayerPage> page;
    return page;
}

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

PlayerPage::PlayerPage(QObject* parent)
    : QObject(parent), page_(new QWebEnginePage(sharedProfile(), this)),
      channel_(new QWebChannel(this)), bridge_(new PageBridge(this)) {
    channel_->registerObject(QStringLiteral("host"), bridge_);
    page_->setWebChannel(channel_);
    page_->setBackgroundColor(Qt::transparent);
    connect(bridge_, &PageBridge::pageLoaded, this, [this] {
        ready_ = true;
        emit ready();
    });
    page_->load(hostUrl(QStringLiteral("/host.html")));
}

PlayerPage::~PlayerPage() {
    // The page must go before the channel it refers to.
    delete page_;
}

PlayerPage* PlayerPage::take(QObject* parent) {
    PlayerPage* page = spare().data();
    spare().clear();
    if (page) {
        page->setParent(parent);
        return page;
    }
    return new PlayerPage(parent);
}

void warmUp() {
    if (spare() || !webPlayerAvailable())
        return;
    spare() = new PlayerPage(QCoreApplication::instance());
}

} // namespace flashhost
