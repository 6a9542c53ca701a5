#include "flashhost/PlayerPage.h"

#include "flashhost/FlashHost.h"
#include "flashhost/LegacyText.h"
#include "flashhost/PlayerCode.h"
#include "flashhost/WebProfile.h"

#include <QColor>
#include <QCoreApplication>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QUrlQuery>
#include <QWebChannel>
#include <QWebEnginePage>
#include <utility>

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

// Pages that can run script now; one of them has the renderer collect after a page goes.
QSet<PlayerPage*>& livePages() {
    static QSet<PlayerPage*> pages;
    return pages;
}

// A page gone leaves its player's memory (tens of megabytes) to the renderer's next
// collection, which an idle renderer may not run for a long time. Once the renderer has
// let go of the page, a page still running asks for the collection.
constexpr int kCollectDelayMs = 1000;

void collectSoon() {
    static bool pending = false;
    // Pages deleted with the application need no collection, and a timer started then
    // would never run nor be freed.
    if (QCoreApplication::closingDown() || std::exchange(pending, true))
        return;
    QTimer::singleShot(kCollectDelayMs, QCoreApplication::instance(), [] {
        pending = false;
        for (PlayerPage* page : std::as_const(livePages()))
            if (page->isReady() &&
                page->page()->lifecycleState() == QWebEnginePage::LifecycleState::Active) {
                page->page()->runJavaScript(QStringLiteral("typeof gc === \"function\" && gc()"));
                return;
            }
    });
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

PlayerPage::PlayerPage(QObject* parent, bool warm)
    : QObject(parent), page_(new QWebEnginePage(sharedProfile(), this)),
      channel_(new QWebChannel(this)), bridge_(new PageBridge(this)) {
    channel_->registerObject(QStringLiteral("host"), bridge_);
    page_->setWebChannel(channel_);
    page_->setBackgroundColor(Qt::transparent);
    livePages().insert(this);
    connect(bridge_, &PageBridge::pageLoaded, this, [this] {
        ready_ = true;
        emit ready();
    });
    QUrlQuery query;
    if (warm)
        query.addQueryItem(QStringLiteral("warm"), QStringLiteral("1"));
    // The program's first page sets up the sound output ahead of its player.
    static bool first = true;
    if (std::exchange(first, false))
        query.addQueryItem(QStringLiteral("prime"), QStringLiteral("1"));
    // The page fetches and compiles the player's code while it starts.
    const PlayerCodeFiles& code = playerCodeFiles();
    if (code.isValid()) {
        query.addQueryItem(QStringLiteral("code"), code.extended);
        query.addQueryItem(QStringLiteral("plain"), code.plain);
    }
    QUrl url = hostUrl(QStringLiteral("/host.html"));
    url.setQuery(query);
    page_->load(url);
}

void PlayerPage::release() {
    ready_ = false;
    livePages().remove(this);
    // A blank page would keep its view's drawing surfaces, here and in the renderer.
    delete std::exchange(page_, nullptr);
    collectSoon();
}

PlayerPage::~PlayerPage() {
    livePages().remove(this);
    // The page must go before the channel it refers to.
    if (page_) {
        delete page_;
        collectSoon();
    }
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
