#pragma once
// The browser profile every player page uses, and the rules it browses by. Part of the
// web player library.

#include <QWebEngineUrlRequestInterceptor>

class QWebEngineProfile;

namespace flashhost {

// The host is offline: anything but our scheme and in-page data is refused.
class OfflineInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

// The profile every player page uses: off the record, our scheme, no network.
// Made on first use (after the QApplication exists); our URL scheme is registered just
// before, as the engine takes schemes only until its first profile.
QWebEngineProfile* sharedProfile();

} // namespace flashhost
