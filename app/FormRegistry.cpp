#include "app/FormRegistry.h"

#include "app/ShellState.h"
#include "app/TForm.h"

#include <QMap>
#include <QMetaObject>
#include <stdexcept>
#include <string>

namespace {

QMap<QString, FormEntry>& entries() {
    static QMap<QString, FormEntry> e;
    return e;
}

constexpr const char* kOpener = "pelumoOpener";
constexpr const char* kLeaveMode = "pelumoLeaveMode";

void showWindow(QWidget* w) {
    if (auto* f = qobject_cast<TForm*>(w))
        f->Show();
    else
        bringBack(w);
}

// Runs one step of an opening. A failure leaves the child where they were; the log
// says why.
bool attempt(const QString& className, const std::function<void()>& f) {
    try {
        f();
        return true;
    } catch (const std::exception& ex) {
        qWarning("%s could not be opened: %s", qPrintable(className), ex.what());
    } catch (...) {
        qWarning("%s could not be opened", qPrintable(className));
    }
    return false;
}

QWidget* createAndShow(const FormEntry& e, const FormSettings& settings) {
    QWidget* w = nullptr;
    attempt(e.className, [&] {
        w = e.create();
        shell::prepareNewWindow(w);
        // A window whose layout gives it no place of its own (it stands at the top-left
        // corner) opens in the middle of the screen.
        if (w->pos().isNull())
            centreOnScreen(w);
        if (settings)
            settings(w);
        showWindow(w);
    });
    return w;
}

} // namespace

FormSettings setDeclared(const char* property, const QVariant& value) {
    return [property, value](QWidget* w) {
        if (w->metaObject()->indexOfProperty(property) < 0 || !w->setProperty(property, value))
            throw std::logic_error(std::string(w->metaObject()->className()) +
                                   " declares no property " + property);
    };
}

FormSettings invoke(const char* method) {
    return [method](QWidget* w) {
        if (!QMetaObject::invokeMethod(w, method, Qt::DirectConnection))
            throw std::logic_error(std::string(w->metaObject()->className()) +
                                   " declares no method " + method);
    };
}

FormSettings operator+(FormSettings a, FormSettings b) {
    return [a = std::move(a), b = std::move(b)](QWidget* w) {
        if (a)
            a(w);
        if (b)
            b(w);
    };
}

void FormRegistry::add(FormEntry entry) {
    const QString name = entry.className;
    entries().insert(name, std::move(entry));
}

const FormEntry* FormRegistry::find(const QString& className) {
    auto it = entries().constFind(className);
    return it == entries().constEnd() ? nullptr : &it.value();
}

void FormRegistry::setDataPaths(const QString& className, std::function<QStringList()> paths) {
    auto it = entries().find(className);
    if (it != entries().end())
        it->dataPaths = std::move(paths);
}

QString packItemPath(const QString& pack, const QString& type, const QString& name) {
    return QStringLiteral("Data\\kjfile\\%1.dat#%2/%3").arg(pack, type, name);
}

QStringList FormRegistry::classNames() {
    return entries().keys();
}

QWidget* openLazy(const QString& className, const FormSettings& settings) {
    const FormEntry* e = FormRegistry::find(className);
    if (!e)
        return nullptr;
    if (QWidget* w = e->instance()) {
        if (attempt(className, [&] {
                if (settings)
                    settings(w);
                showWindow(w);
            }))
            return w;
    }
    return createAndShow(*e, settings);
}

QWidget* openNew(const QString& className, const FormSettings& settings) {
    const FormEntry* e = FormRegistry::find(className);
    return e ? createAndShow(*e, settings) : nullptr;
}

QWidget* openFrom(QWidget* opener, const QString& className, LeaveMode mode, bool alwaysNew,
                  const FormSettings& settings) {
    QWidget* w = alwaysNew ? openNew(className, settings) : openLazy(className, settings);
    if (!w || !w->isVisible())
        return w;
    if (opener && w != opener) {
        w->setProperty(kOpener, QVariant::fromValue(QPointer<QWidget>(opener)));
        w->setProperty(kLeaveMode, static_cast<int>(mode));
        switch (mode) {
        case LeaveMode::Stay:
            break;
        case LeaveMode::Hide:
            opener->hide();
            break;
        case LeaveMode::Park:
            setLeftEdge(opener, -2000);
            break;
        }
    }
    return w;
}

QWidget* openerOf(const QWidget* window) {
    return window ? window->property(kOpener).value<QPointer<QWidget>>().data() : nullptr;
}

void returnToOpener(QWidget* window) {
    QWidget* opener = openerOf(window);
    if (!opener)
        return;
    switch (static_cast<LeaveMode>(window->property(kLeaveMode).toInt())) {
    case LeaveMode::Stay:
        break;
    case LeaveMode::Hide:
        showWindow(opener);
        break;
    case LeaveMode::Park:
        recentreHorizontally(opener);
        break;
    }
}
