#pragma once
// Serves the player pages from memory: the host page and its scripts, the web
// player's files, the control movie, each loaded movie and the files a movie asks
// for beside it (from its control's `Base`, never outside it).

#include <QByteArray>
#include <QHash>
#include <QWebEngineUrlSchemeHandler>
#include <optional>

namespace flashhost {

class HostSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    explicit HostSchemeHandler(QObject* parent = nullptr);
    void requestStarted(QWebEngineUrlRequestJob* job) override;

    struct Reply {
        QByteArray mimeType;
        QByteArray bytes;
    };
    // What a path of our scheme answers; nothing for an unknown or refused path.
    std::optional<Reply> lookup(const QString& path);

    static QByteArray mimeTypeFor(const QString& fileName);

private:
    std::optional<QByteArray> playerFile(const QString& name);
    QHash<QString, QByteArray> playerFiles_; // read once, kept for every page
};

} // namespace flashhost
