#pragma once
// Serves the player pages from memory: the host page and its scripts, the web
// player's files, the control movie, each loaded movie and the files a movie asks
// for beside it (from its control's `Base`, never outside it).

#include "flashhost/MemoryMovies.h"

#include <QByteArray>
#include <QWebEngineUrlSchemeHandler>
#include <optional>

namespace flashhost {

class HostSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    explicit HostSchemeHandler(QObject* parent = nullptr);
    void requestStarted(QWebEngineUrlRequestJob* job) override;

    // Bytes in memory, a file or a stream a control's event handed out; the engine
    // reads the last two on its own thread.
    struct Reply {
        QByteArray mimeType;
        QByteArray bytes;
        QString file;
        ServedResource served{};
    };
    // What a path of our scheme answers; nothing for an unknown or refused path.
    std::optional<Reply> lookup(const QString& path);
    // The answer to the external call `request` of the movie whose call path this is;
    // nothing when that movie is gone.
    std::optional<QByteArray> answerCall(const QString& path, const QString& request);

    static QByteArray mimeTypeFor(const QString& fileName);
};

} // namespace flashhost
