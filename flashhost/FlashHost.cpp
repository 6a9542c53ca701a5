#include "flashhost/FlashHost.h"

#include "flashhost/WebPlayer.h"
#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QtGui/qguiapplication_platform.h>

#include <malloc.h>
#include <utility>
#include <xcb/xcb.h>

// Qt's own setter of the global share context (exported by QtGui, used by the web engine).
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
QT_END_NAMESPACE

namespace flashhost {
namespace {

constexpr char kEngineMemoryLibrary[] = "libpelumo_enginememory.so";

bool& initialized() {
    static bool done = false;
    return done;
}

void appendChromiumFlag(const QByteArray& flag) {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains(flag))
        return;
    if (!flags.isEmpty())
        flags += ' ';
    flags += flag;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

// The player's code is 14 MB of WebAssembly, most of which a movie never runs: compiled
// function by function as it first runs, a player page holds a third less memory and starts
// sooner. The engine's processes and ours keep few malloc arenas and give large blocks
// straight back, so that memory freed when a hidden player goes blank returns to the system.
void limitMemory() {
    // gc(): the player pages have the renderer collect what a page gone left (see
    // PlayerPage), which it would otherwise keep until it next runs short.
    if (!qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--js-flags"))
        appendChromiumFlag("--js-flags=\"--wasm-lazy-compilation --expose-gc\"");
    const std::pair<const char*, const char*> mallocTuning[] = {
        {"MALLOC_ARENA_MAX", "2"},
        {"MALLOC_MMAP_THRESHOLD_", "65536"},
        {"MALLOC_TRIM_THRESHOLD_", "131072"},
    };
    for (const auto& [name, value] : mallocTuning)
        if (qEnvironmentVariableIsEmpty(name))
            qputenv(name, value);
    mallopt(M_ARENA_MAX, 2);
    mallopt(M_MMAP_THRESHOLD, 65536);
    mallopt(M_TRIM_THRESHOLD, 131072);
    // The rest of what a renderer frees stays scattered in its heaps: the engine's
    // processes load a library that gives it back as they go idle.
    const QString library =
        QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath() +
        QLatin1String("/") + QLatin1String(kEngineMemoryLibrary);
    // LD_PRELOAD splits at spaces and colons: a folder with one cannot be named there.
    const bool nameable =
        !library.contains(QLatin1Char(' ')) && !library.contains(QLatin1Char(':'));
    if (nameable && QFileInfo::exists(library)) {
        const QByteArray preload = qgetenv("LD_PRELOAD");
        if (!preload.contains(kEngineMemoryLibrary))
            qputenv("LD_PRELOAD", preload.isEmpty() ? QFile::encodeName(library)
                                                    : QFile::encodeName(library) + ':' + preload);
    }
}

// True when GL here can only be a software rasteriser: no GPU device at all.
bool noGpu() {
    if (qEnvironmentVariableIntValue("LIBGL_ALWAYS_SOFTWARE") != 0)
        return true;
    const QStringList devices =
        QDir(QStringLiteral("/dev/dri"))
            .entryList({QStringLiteral("card*"), QStringLiteral("renderD*")}, QDir::System);
    return devices.isEmpty();
}

} // namespace

void initializeHost() {
    if (initialized())
        return;
    initialized() = true;
    // The web engine's views share their GL textures through a global GL context, which
    // the application (or else the engine) would create as it starts: loading the GL
    // driver then costs the main window some 40 ms and 30 MB. The context object is
    // given now, so that neither makes one, and created when the first player needs it.
    auto* shareContext = new QOpenGLContext;
    qt_gl_set_global_share_context(shareContext);
    qAddPostRoutine([] {
        QOpenGLContext* context = QOpenGLContext::globalShareContext();
        qt_gl_set_global_share_context(nullptr);
        delete context;
    });
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // All player pages share one renderer process; movies start their sound themselves.
    appendChromiumFlag("--process-per-site");
    appendChromiumFlag("--autoplay-policy=no-user-gesture-required");
    // Nothing of the network is reachable: every connection, loopback included, goes to
    // a proxy that does not exist, WebRTC may only use that proxy, and no name resolves.
    appendChromiumFlag("--proxy-server=socks5://255.255.255.255:1");
    appendChromiumFlag("--proxy-bypass-list=<-loopback>");
    appendChromiumFlag("--force-webrtc-ip-handling-policy=disable_non_proxied_udp");
    // The engine splits its switches at spaces outside quotes: the rule is quoted whole.
    appendChromiumFlag("--host-resolver-rules=\"MAP * ~NOTFOUND\"");
    limitMemory();
    // Without a GPU, GL would only be a software rasteriser: the pages are composited in
    // software and the GL driver (some 30 MB) is never loaded.
    if (noGpu() && qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")) {
        qputenv("QT_QUICK_BACKEND", "software");
        if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
            qputenv("QT_XCB_GL_INTEGRATION", "none");
    }
}

bool hostInitialized() {
    return initialized();
}

namespace {

// True when GL here is a software rasteriser (no GPU driver).
bool softwareGl(QOpenGLContext* context) {
    QOffscreenSurface surface;
    surface.setFormat(context->format());
    surface.create();
    if (!context->makeCurrent(&surface))
        return false;
    const auto* renderer =
        reinterpret_cast<const char*>(context->functions()->glGetString(GL_RENDERER));
    const QByteArray name = QByteArray(renderer ? renderer : "").toLower();
    context->doneCurrent();
    return name.contains("llvmpipe") || name.contains("softpipe") || name.contains("swrast") ||
           name.contains("software");
}

} // namespace

void ensureGlShareContext() {
    static bool tried = false;
    QOpenGLContext* context = QOpenGLContext::globalShareContext();
    if (!qGuiApp || !context || tried)
        return;
    tried = true;
    if (qgetenv("QT_QUICK_BACKEND") == "software")
        return; // composited without GL
    context->setFormat(QSurfaceFormat::defaultFormat());
    context->setScreen(QGuiApplication::primaryScreen());
    if (!context->create()) {
        qWarning("flashhost: no GL context to share; the players draw without GL");
        return;
    }
    // Drawn through a software rasteriser, every frame of a player costs the program more
    // than twice the CPU that compositing the page in software does: then the engine and
    // the views composite in software (unless the user chose otherwise).
    if (softwareGl(context) && qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
}

QUrl hostUrl(const QString& path) {
    QUrl url;
    url.setScheme(QLatin1String(kScheme));
    url.setHost(QLatin1String(kSchemeHost));
    url.setPath(path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path);
    return url;
}

// The engine ends the whole program when its helper process is missing: a player is only
// made where the helper is there, looked for where the engine looks.
bool engineHelperPresent() {
    const QString name = QStringLiteral("QtWebEngineProcess");
    const QString fromEnv = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
    QStringList candidates;
    if (!fromEnv.isEmpty())
        candidates << fromEnv;
    else
        candidates << QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QLatin1Char('/') +
                          name
                   << QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
    for (const QString& candidate : candidates) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return true;
    }
    return false;
}

bool webPlayerAvailable() {
    return initialized() && webPlayerPresent() && !playerDir().isEmpty() && engineHelperPresent();
}

bool isTransparencySupported() {
    if (!qGuiApp)
        return false;
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland")))
        return true;
    if (platform != QLatin1String("xcb"))
        return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return false;
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    const QByteArray name = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 1, static_cast<uint16_t>(name.size()), name.constData()), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t a = atom->atom;
    free(atom);
    if (a == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, a), nullptr);
    const bool composited = owner && owner->owner != XCB_WINDOW_NONE;
    free(owner);
    return composited;
}

} // namespace flashhost
