#include "flashhost/HostSchemeHandler.h"

#include "flashhost/MemoryMovies.h"
#include "flashhost/PlayerFiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QUrlQuery>
#include <QWebEngineUrlRequestJob>

// The host page lives in this static library's resources.
static void initHostResources() {
    Q_INIT_RESOURCE(flashhost);
}

namespace flashhost {
namespace {

std::optional<QByteArray> readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

} // namespace

HostSchemeHandler::HostSchemeHandler(QObject* parent) : QWebEngineUrlSchemeHandler(parent) {
    initHostResources();
}

QByteArray HostSchemeHandler::mimeTypeFor(const QString& fileName) {
    const QString ext = fileName.section(QLatin1Char('.'), -1).toLower();
    static const QHash<QString, QByteArray> types = {
        {QStringLiteral("html"), "text/html"},
        {QStringLiteral("js"), "text/javascript"},
        {QStringLiteral("wasm"), "application/wasm"},
        {QStringLiteral("swf"), "application/x-shockwave-flash"},
        {QStringLiteral("jpg"), "image/jpeg"},
        {QStringLiteral("jpeg"), "image/jpeg"},
        {QStringLiteral("png"), "image/png"},
        {QStringLiteral("gif"), "image/gif"},
        {QStringLiteral("mp3"), "audio/mpeg"},
        {QStringLiteral("txt"), "text/plain"},
        {QStringLiteral("xml"), "text/xml"},
        {QStringLiteral("json"), "application/json"},
    };
    return types.value(ext, "application/octet-stream");
}

std::optional<HostSchemeHandler::Reply> HostSchemeHandler::lookup(const QString& path) {
    if (path == QLatin1String("/host.html") || path == QLatin1String("/host.js") ||
        path == QLatin1String("/pacer.js")) {
        auto bytes = readFile(QStringLiteral(":/flashhost") + path);
        if (!bytes)
            return std::nullopt;
        return Reply{mimeTypeFor(path), *bytes, {}};
    }
    if (path == QLatin1String("/qwebchannel.js")) {
        auto bytes = readFile(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
        if (!bytes)
            return std::nullopt;
        return Reply{"text/javascript", *bytes, {}};
    }
    if (path == QLatin1String("/control.swf")) {
        auto bytes = readFile(QStringLiteral(":/flash/control.swf"));
        if (!bytes)
            return std::nullopt;
        return Reply{mimeTypeFor(path), *bytes, {}};
    }
    if (path.startsWith(QLatin1String("/ruffle/"))) {
        const QString name = path.mid(8);
        const QString dir = playerDir();
        if (dir.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('/')) ||
            name.startsWith(QLatin1Char('.')) || !QFileInfo(dir + QLatin1Char('/') + name).isFile())
            return std::nullopt;
        return Reply{mimeTypeFor(path), {}, dir + QLatin1Char('/') + name};
    }
    if (path.startsWith(QLatin1String("/movie/"))) {
        const auto parsed = parseMemoryMoviePath(path);
        if (!parsed)
            return std::nullopt;
        const MovieRegistry::Entry* entry = MovieRegistry::instance().find(parsed->id);
        if (!entry)
            return std::nullopt;
        if (parsed->relativePath == QLatin1String(kMemoryMovieFile))
            return Reply{mimeTypeFor(parsed->relativePath), entry->bytes, {}};
        // The control's handlers may empty, reload or destroy the control, and with it the
        // entry: nothing of the entry is read once they ran.
        const MovieRegistry::ResourceSource resource = entry->resource;
        if (resource) {
            auto served = resource(parsed->relativePath);
            if (!MovieRegistry::instance().find(parsed->id)) {
                if (served && served->stream)
                    served->release(served->stream);
                return std::nullopt; // the movie that asked is gone
            }
            if (served)
                return Reply{mimeTypeFor(parsed->relativePath), served->bytes, {}, *served};
            entry = MovieRegistry::instance().find(parsed->id);
        }
        const auto file = resolveMovieResource(entry->base, parsed->relativePath);
        if (!file || !QFileInfo(*file).isFile())
            return std::nullopt;
        return Reply{mimeTypeFor(*file), {}, *file};
    }
    return std::nullopt;
}

std::optional<QByteArray> HostSchemeHandler::answerCall(const QString& path,
                                                        const QString& request) {
    const auto parsed = parseMemoryMoviePath(path);
    if (!parsed || parsed->relativePath != QLatin1String(kMemoryCallFile))
        return std::nullopt;
    const MovieRegistry::Entry* entry = MovieRegistry::instance().find(parsed->id);
    if (!entry || !entry->call)
        return std::nullopt;
    // The handler may take the movie away: only the copy is called.
    const MovieRegistry::CallSource call = entry->call;
    return call(request).toUtf8();
}

void HostSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QUrl url = job->requestUrl();
    if (url.path().endsWith(QLatin1Char('/') + QLatin1String(kMemoryCallFile))) {
        // The movie's page waits for this answer: it is given at once.
        const auto answer =
            answerCall(url.path(QUrl::FullyDecoded),
                       QUrlQuery(url).queryItemValue(QStringLiteral("r"), QUrl::FullyDecoded));
        if (!answer) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* buffer = new QBuffer;
        buffer->setData(*answer);
        buffer->open(QIODevice::ReadOnly);
        connect(job, &QObject::destroyed, buffer, &QObject::deleteLater);
        job->reply("text/xml", buffer);
        return;
    }
    const auto reply = lookup(job->requestUrl().path(QUrl::FullyDecoded));
    if (!reply) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    // The engine reads the device on its own thread: a file is read there, not here.
    QIODevice* device = nullptr;
    if (QIODevice* stream = reply->served.stream) {
        // A stream from the control's event goes back to it once the engine is done.
        stream->seek(0);
        connect(job, &QObject::destroyed, stream,
                [stream, release = reply->served.release] { release(stream); });
        job->reply(reply->mimeType, stream);
        return;
    }
    if (reply->file.isEmpty()) {
        auto* buffer = new QBuffer;
        buffer->setData(reply->bytes);
        device = buffer;
    } else {
        device = new QFile(reply->file);
    }
    if (!device->open(QIODevice::ReadOnly)) {
        delete device;
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    connect(job, &QObject::destroyed, device, &QObject::deleteLater);
    job->reply(reply->mimeType, device);
}

} // namespace flashhost
