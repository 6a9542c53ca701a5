#pragma once
// Exceptions never cross the Qt event loop. Handlers that let an error pass go
// through guarded(), which shows an error box (as the class library's default
// handler did) and keeps the program running.

#include <QApplication>
#include <functional>

// Runs f; an exception becomes an error box with caption "Pelumo". Returns false then.
bool guarded(const std::function<void()>& f);

// Runs f and swallows any exception silently (steps the program does "guarded").
bool swallowed(const std::function<void()>& f);

// The application object: catches what escapes an event handler.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
