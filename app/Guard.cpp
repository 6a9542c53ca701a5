#include "app/Guard.h"

#include "platform/MessageService.h"

#include <exception>

namespace {
void reportException(const char* what) {
    platform::showMessage(nullptr, QString::fromUtf8(what && *what ? what : "发生未知错误"),
                          QStringLiteral("Pelumo"), platform::MB_ICONERROR);
}
} // namespace

bool guarded(const std::function<void()>& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        reportException(e.what());
    } catch (...) {
        reportException(nullptr);
    }
    return false;
}

bool swallowed(const std::function<void()>& f) {
    try {
        f();
        return true;
    } catch (...) {
        return false;
    }
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    bool result = false;
    guarded([&] { result = QApplication::notify(receiver, event); });
    return result;
}
