#include "platform/MessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

MessageHandler& handler() {
    static MessageHandler h;
    return h;
}

int defaultAnswer(int flags) {
    switch (flags & 0x0F) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    default:
        return IDOK;
    }
}

QMessageBox::Icon iconOf(int flags) {
    switch (flags & 0xF0) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

QString messageDisplayText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

namespace {
// The last shown of the windows that stay on top: it is above the rest.
QWidget* frontStayingOnTop() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        QWidget* w = *it;
        if (w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
            (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
            return w;
    }
    return nullptr;
}
} // namespace

QWidget* messageOwner(QWidget* parent) {
    if (parent)
        return parent->window();
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return frontStayingOnTop();
}

int showMessage(QWidget* parent, const QString& text, const QString& caption, int flags) {
    QWidget* owner = messageOwner(parent);
    if (handler())
        return handler()(MessageCall{text, caption, flags, owner});

    QMessageBox box(iconOf(flags), caption, messageDisplayText(text), QMessageBox::NoButton, owner);
    // An owned box stands above its owner; above one that stays on top it needs the same
    // hint, or a window manager may still keep it underneath.
    if ((owner && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) || frontStayingOnTop())
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    struct Btn {
        int result;
        const char* label;
        QMessageBox::ButtonRole role;
    };
    std::vector<Btn> buttons;
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        buttons = {{IDOK, "确定", QMessageBox::AcceptRole},
                   {IDCANCEL, "取消", QMessageBox::RejectRole}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{IDYES, "是", QMessageBox::YesRole},
                   {IDNO, "否", QMessageBox::NoRole},
                   {IDCANCEL, "取消", QMessageBox::RejectRole}};
        break;
    case MB_YESNO:
        buttons = {{IDYES, "是", QMessageBox::YesRole}, {IDNO, "否", QMessageBox::NoRole}};
        break;
    default:
        buttons = {{IDOK, "确定", QMessageBox::AcceptRole}};
        break;
    }
    std::vector<std::pair<QPushButton*, int>> map;
    for (const Btn& b : buttons)
        map.emplace_back(box.addButton(QString::fromUtf8(b.label), b.role), b.result);
    box.setDefaultButton(map.front().first);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const auto& [button, result] : map)
        if (button == clicked)
            return result;
    // Closed by Esc or the title bar: the box's cancel answer.
    return (flags & 0x0F) == MB_YESNO ? IDNO : ((flags & 0x0F) == MB_OK ? IDOK : IDCANCEL);
}

void setMessageHandler(MessageHandler h) {
    handler() = std::move(h);
}

MessageRecorder::MessageRecorder() {
    setMessageHandler([this](const MessageCall& call) {
        calls_.push_back(call);
        if (!answers_.empty()) {
            int r = answers_.front();
            answers_.erase(answers_.begin());
            return r;
        }
        return defaultAnswer(call.flags);
    });
}

MessageRecorder::~MessageRecorder() {
    setMessageHandler(nullptr);
}

} // namespace platform
