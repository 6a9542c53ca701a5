#pragma once
// Movies loaded from memory and the paths they are served under.
//
// Each load gets a path of its own, ".../<tag>/<id>/<file>.swf", where the id is a
// counter; the player asks for the movie and for resources next to it through that
// path. A resource path is answered from the loading control's `Base` folder (the
// program folder when `Base` is empty) and never from outside it.

#include <QByteArray>
#include <QString>

class QIODevice;
#include <functional>
#include <map>
#include <optional>

namespace flashhost {

// The fixed parts of a memory movie path.
inline constexpr char kMemoryTag[] = "46A10F369771449587DE913EFC0A258C";
inline constexpr char kMemoryMovieFile[] = "E4ED7C01D28A43418DBF2CB92CC35E56.swf";

// "/movie/<tag>/<id>/<file>.swf": the path part of the URL a load is served under.
QString makeMemoryMoviePath(int id);

// Beside a memory movie, the name under which its page asks for the answers to the
// movie's external calls ("?r=<request>").
inline constexpr char kMemoryCallFile[] = "pelumo-call";

struct MemoryPath {
    int id = 0;
    QString relativePath; // as written in the URL, separators turned into '/'
};

// Splits a URL or path that names a memory movie or a file beside it; "\" and "/" alike.
std::optional<MemoryPath> parseMemoryMoviePath(const QString& url);

// The file a movie's relative request names: `relative` under `base` (the program folder
// when empty), letter case matched as the data folder's paths are. Nothing when the
// path climbs out of the base folder.
std::optional<QString> resolveMovieResource(const QString& base, const QString& relative);

// A file a movie asks for, as its control's events serve it: the bytes, or a stream
// that the web engine reads on its own thread and then hands to `release`.
struct ServedResource {
    QByteArray bytes;
    QIODevice* stream = nullptr;
    std::function<void(QIODevice*)> release{};
};

// The movies currently loaded, by id. Used on the GUI thread only.
class MovieRegistry {
public:
    // A file the movie asks for, from its control's events; nothing when none serves it.
    using ResourceSource = std::function<std::optional<ServedResource>(const QString& relative)>;
    // The answer to an external call of the movie (an "<invoke>" request).
    using CallSource = std::function<QString(const QString& request)>;

    struct Entry {
        QByteArray bytes;
        const void* owner = nullptr;
        QString base;
        ResourceSource resource;
        int layer = 0;
        CallSource call{};
    };

    static MovieRegistry& instance();

    // Registers a new load of `owner` into `layer` and returns its id. The owner's
    // earlier load of that layer is dropped, and a new layer 0 drops all of them: a
    // control shows one movie at a time.
    int add(const void* owner, const QByteArray& bytes, const QString& base,
            ResourceSource resource = {}, int layer = 0);
    void removeOwner(const void* owner);
    void setBase(const void* owner, const QString& base);
    void setCallSource(int id, CallSource call);
    const Entry* find(int id) const;

    int size() const { return static_cast<int>(entries_.size()); }
    int ownerCount(const void* owner) const;

private:
    int counter_ = 1;
    std::map<int, Entry> entries_;
};

} // namespace flashhost
