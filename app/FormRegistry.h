#pragma once
// Windows are opened by class name through this registry, so the main window and the
// section menus never include an activity: each window registers itself beside its
// class, and a name nothing registered opens nothing.
//
//   QPointer<TFrmWzsx> FrmWzsx;
//   static RegisterForm<TFrmWzsx> reg("TFrmWzsx", FrmWzsx);

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <concepts>
#include <functional>

struct FormEntry {
    QString className;
    std::function<QWidget*()> instance;     // the live window of the global, or null
    std::function<QWidget*()> create;       // makes a new one into the global
    std::function<void()> clear;            // empties the global
    std::function<QStringList()> dataPaths; // every data file the window can ask for
};

// A pack item among a window's data paths: "Data\kjfile\pic.dat#JPG/Number3" for the
// item "Number3" of type "JPG" in the pack "pic".
QString packItemPath(const QString& pack, const QString& type, const QString& name);

// A window lists its data files in `static QStringList dataPaths()`, beside its class.
template <class T>
concept DeclaresDataPaths = requires {
    { T::dataPaths() } -> std::convertible_to<QStringList>;
};

class FormRegistry {
public:
    static void add(FormEntry entry);
    static const FormEntry* find(const QString& className);
    static QStringList classNames();
    static void setDataPaths(const QString& className, std::function<QStringList()> paths);
};

template <class T> struct RegisterForm {
    RegisterForm(const char* className, QPointer<T>& global) {
        QPointer<T>* g = &global;
        FormRegistry::add(FormEntry{QString::fromLatin1(className),
                                    [g]() -> QWidget* {
                                        T* w = g->data();
                                        return w && !w->property("pelumoFreed").toBool() ? w
                                                                                         : nullptr;
                                    },
                                    [g]() -> QWidget* {
                                        *g = new T();
                                        return g->data();
                                    },
                                    [g] { *g = nullptr; },
                                    {}});
        if constexpr (DeclaresDataPaths<T>)
            FormRegistry::setDataPaths(QString::fromLatin1(className),
                                       [] { return T::dataPaths(); });
    }
};

// How an opener leaves the screen after opening a window, and how that window's
// close brings it back.
enum class LeaveMode {
    Stay, // the opener stays as it is
    Hide, // the opener hides; the window shows it again on close
    Park, // the opener moves to Left -2000; the window re-centres it on close
};

using FormSettings = std::function<void(QWidget*)>;

// What an opener may set on a window: only what the window declares, a property
// (Q_PROPERTY) or a method (Q_INVOKABLE). A name the window does not declare throws, so
// the opening fails instead of a setting being lost.
FormSettings setDeclared(const char* property, const QVariant& value);
FormSettings invoke(const char* method);
// Both settings, in order.
FormSettings operator+(FormSettings a, FormSettings b);

// The lazy opening: applies the settings to the existing window and shows it, or
// creates it first (cursor 1, settings, show). Errors are swallowed. Returns the
// window, or null when the class is not built or could not be made.
QWidget* openLazy(const QString& className, const FormSettings& settings = {});
// Always a new window (an earlier one of the class is left to close itself).
QWidget* openNew(const QString& className, const FormSettings& settings = {});

// Opens and then lets the opener leave, but only when the window really is on screen,
// so a failed opening never leaves the child with no window at all.
QWidget* openFrom(QWidget* opener, const QString& className, LeaveMode mode, bool alwaysNew = false,
                  const FormSettings& settings = {});

// What a window does on close to bring back the window that opened it.
void returnToOpener(QWidget* window);
// The opener recorded for a window (null when none or gone).
QWidget* openerOf(const QWidget* window);
